#include "web/gl/WebGlDevice.h"

#include <webgl/webgl1.h>

#include <cstdio>
#include <iterator>
#include <string>

namespace {

constexpr GLuint kPositionAttribute = 0;
constexpr GLuint kTexCoordAttribute = 1;
constexpr GLuint kColourAttribute = 2;

// The fixed-function pipeline as this layer uses it: the vertex is already in
// clip space, the fragment is the texel modulated by the colour, and the alpha
// test keeps or discards it by the GL comparison (0 never .. 7 always).
const char* const kVertexShader = R"(
attribute vec4 aPosition;
attribute vec2 aTexCoord;
attribute vec4 aColour;
varying highp vec2 vTexCoord;
varying lowp vec4 vColour;
void main() {
  gl_Position = aPosition;
  gl_PointSize = 1.0;
  vTexCoord = aTexCoord;
  vColour = aColour;
}
)";

// The fragment shader comes in one variant a comparison, the alpha test's
// function compiled in: a shader that never discards (the test off) lets the
// rasteriser skip the work a discard costs, and none pays for branches on the
// function at every fragment.
const char* const kFragmentShaderHead = R"(
#ifdef GL_FRAGMENT_PRECISION_HIGH
precision highp float;
#else
precision mediump float;
#endif
uniform sampler2D uTexture;
uniform float uAlphaReference;
varying highp vec2 vTexCoord;
varying lowp vec4 vColour;
)";

const char* const kFragmentShaderBody = R"(
void main() {
  vec4 colour = texture2D(uTexture, vTexCoord) * vColour;
#ifdef DISCARD_UNLESS
  if (!(DISCARD_UNLESS)) discard;
#endif
  gl_FragColor = colour;
}
)";

// What a fragment's alpha must satisfy to be kept, by GL's comparison order
// (never, less, equal, less or equal, greater, not equal, greater or equal);
// always needs no test.
const char* const kAlphaConditions[] = {
    "false",
    "colour.a < uAlphaReference",
    "colour.a == uAlphaReference",
    "colour.a <= uAlphaReference",
    "colour.a > uAlphaReference",
    "colour.a != uAlphaReference",
    "colour.a >= uAlphaReference",
};

constexpr GLenum kFirstComparison = GL_NEVER;

GLuint compile(GLenum type, const char* source) {
  const GLuint shader = emscripten_glCreateShader(type);
  emscripten_glShaderSource(shader, 1, &source, nullptr);
  emscripten_glCompileShader(shader);
  GLint ok = GL_FALSE;
  emscripten_glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
  if (ok != GL_TRUE) {
    char log[1024] = {};
    emscripten_glGetShaderInfoLog(shader, sizeof log, nullptr, log);
    std::fprintf(stderr, "WebGL shader: %s\n", log);
  }
  return shader;
}

GLint wrapOf(bool repeat) { return repeat ? GL_REPEAT : GL_CLAMP_TO_EDGE; }
GLint filterOf(bool linear) { return linear ? GL_LINEAR : GL_NEAREST; }

GLenum primitiveOf(PrimitiveClass primitive) {
  switch (primitive) {
    case PrimitiveClass::kLines:
      return GL_LINES;
    case PrimitiveClass::kPoints:
      return GL_POINTS;
    default:
      return GL_TRIANGLES;
  }
}

void setCapability(GLenum capability, bool on) {
  if (on) {
    emscripten_glEnable(capability);
  } else {
    emscripten_glDisable(capability);
  }
}

}  // namespace

WebGlDevice::WebGlDevice(bool webgl2) : webgl2_(webgl2) {
  emscripten_glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxTextureSize_);

  vertexShader_ = compile(GL_VERTEX_SHADER, kVertexShader);

  emscripten_glGenBuffers(1, &vertexBuffer_);
  emscripten_glGenBuffers(1, &indexBuffer_);
  emscripten_glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer_);
  emscripten_glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indexBuffer_);
  constexpr GLsizei kStride = sizeof(BatchVertex);
  emscripten_glEnableVertexAttribArray(kPositionAttribute);
  emscripten_glEnableVertexAttribArray(kTexCoordAttribute);
  emscripten_glEnableVertexAttribArray(kColourAttribute);
  emscripten_glVertexAttribPointer(kPositionAttribute, 4, GL_FLOAT, GL_FALSE, kStride,
                                   reinterpret_cast<void*>(offsetof(BatchVertex, x)));
  emscripten_glVertexAttribPointer(kTexCoordAttribute, 2, GL_FLOAT, GL_FALSE, kStride,
                                   reinterpret_cast<void*>(offsetof(BatchVertex, u)));
  emscripten_glVertexAttribPointer(kColourAttribute, 4, GL_FLOAT, GL_FALSE, kStride,
                                   reinterpret_cast<void*>(offsetof(BatchVertex, r)));
  emscripten_glActiveTexture(GL_TEXTURE0);
  emscripten_glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  emscripten_glPixelStorei(GL_PACK_ALIGNMENT, 1);
}

WebGlDevice::Program& WebGlDevice::programFor(std::uint32_t alphaFunction) {
  const std::size_t variant = alphaFunction - kFirstComparison;
  Program& program = programs_[variant < programs_.size() ? variant : programs_.size() - 1];
  if (program.id != 0) return program;
  std::string fragment = kFragmentShaderHead;
  if (variant < std::size(kAlphaConditions)) {
    fragment += std::string("#define DISCARD_UNLESS ") + kAlphaConditions[variant] + "\n";
  }
  fragment += kFragmentShaderBody;
  program.id = emscripten_glCreateProgram();
  emscripten_glAttachShader(program.id, vertexShader_);
  emscripten_glAttachShader(program.id, compile(GL_FRAGMENT_SHADER, fragment.c_str()));
  emscripten_glBindAttribLocation(program.id, kPositionAttribute, "aPosition");
  emscripten_glBindAttribLocation(program.id, kTexCoordAttribute, "aTexCoord");
  emscripten_glBindAttribLocation(program.id, kColourAttribute, "aColour");
  emscripten_glLinkProgram(program.id);
  emscripten_glUseProgram(program.id);
  usedProgram_ = program.id;
  emscripten_glUniform1i(emscripten_glGetUniformLocation(program.id, "uTexture"), 0);
  program.referenceLocation = emscripten_glGetUniformLocation(program.id, "uAlphaReference");
  return program;
}

void WebGlDevice::bindTexture(std::uint32_t texture) {
  if (texture == boundTexture_) return;
  emscripten_glBindTexture(GL_TEXTURE_2D, texture);
  boundTexture_ = texture;
}

std::uint32_t WebGlDevice::createTexture(int width, int height, const TextureSampling& sampling,
                                         const std::uint8_t* rgba) {
  GLuint texture = 0;
  emscripten_glGenTextures(1, &texture);
  bindTexture(texture);
  setSampling(texture, sampling);
  emscripten_glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
  return texture;
}

void WebGlDevice::updateTexture(std::uint32_t texture, int x, int y, int width, int height,
                                const std::uint8_t* rgba) {
  bindTexture(texture);
  emscripten_glTexSubImage2D(GL_TEXTURE_2D, 0, x, y, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
}

void WebGlDevice::setSampling(std::uint32_t texture, const TextureSampling& sampling) {
  bindTexture(texture);
  emscripten_glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, wrapOf(sampling.repeatS));
  emscripten_glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, wrapOf(sampling.repeatT));
  emscripten_glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filterOf(sampling.linearMagnify));
  emscripten_glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filterOf(sampling.linearMinify));
}

void WebGlDevice::deleteTexture(std::uint32_t texture) {
  if (texture == boundTexture_) boundTexture_ = 0;
  if (texture == applied_.texture) anythingApplied_ = false;
  GLuint name = texture;
  emscripten_glDeleteTextures(1, &name);
}

void WebGlDevice::applyMasks(std::uint8_t colorMask, bool depthMask) {
  if (colorMask != colorMask_) {
    emscripten_glColorMask(colorMask & 1, (colorMask >> 1) & 1, (colorMask >> 2) & 1, (colorMask >> 3) & 1);
    colorMask_ = colorMask;
  }
  if (depthMask != depthMask_) {
    emscripten_glDepthMask(depthMask);
    depthMask_ = depthMask;
  }
}

void WebGlDevice::apply(const DrawState& state) {
  const bool all = !anythingApplied_;
  const DrawState& was = applied_;
  bindTexture(state.texture);
  if (all || state.blend != was.blend) setCapability(GL_BLEND, state.blend);
  if (all || state.blendSource != was.blendSource || state.blendDestination != was.blendDestination) {
    emscripten_glBlendFunc(state.blendSource, state.blendDestination);
  }
  if (all || state.depthTest != was.depthTest) setCapability(GL_DEPTH_TEST, state.depthTest);
  if (all || state.depthFunction != was.depthFunction) emscripten_glDepthFunc(state.depthFunction);
  if (all || state.cullFace != was.cullFace) setCapability(GL_CULL_FACE, state.cullFace);
  if (all || state.cullMode != was.cullMode) emscripten_glCullFace(state.cullMode);
  if (all || state.frontFace != was.frontFace) emscripten_glFrontFace(state.frontFace);
  Program& program = programFor(state.alphaFunction);
  if (program.id != usedProgram_) {
    emscripten_glUseProgram(program.id);
    usedProgram_ = program.id;
  }
  if (!program.referenceSet || program.reference != state.alphaReference) {
    emscripten_glUniform1f(program.referenceLocation, state.alphaReference);
    program.reference = state.alphaReference;
    program.referenceSet = true;
  }
  if (all || state.lineWidth != was.lineWidth) emscripten_glLineWidth(state.lineWidth);
  applyMasks(state.colorMask, state.depthMask);
  applied_ = state;
  anythingApplied_ = true;
}

void WebGlDevice::draw(const DrawState& state, const BatchVertex* vertices, int vertexCount,
                       const std::uint16_t* indices, int indexCount) {
  apply(state);
  // A fresh store each draw: WebGL need not wait for the previous draw's data.
  emscripten_glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(vertexCount * sizeof(BatchVertex)),
                          vertices, GL_STREAM_DRAW);
  emscripten_glBufferData(GL_ELEMENT_ARRAY_BUFFER,
                          static_cast<GLsizeiptr>(indexCount * sizeof(std::uint16_t)), indices,
                          GL_STREAM_DRAW);
  emscripten_glDrawElements(primitiveOf(state.primitive), indexCount, GL_UNSIGNED_SHORT, nullptr);
}

void WebGlDevice::clear(bool colour, bool depth, const float clearColour[4], double clearDepth,
                        std::uint8_t colorMask, bool depthMask) {
  applyMasks(colorMask, depthMask);
  GLbitfield mask = 0;
  if (colour) {
    emscripten_glClearColor(clearColour[0], clearColour[1], clearColour[2], clearColour[3]);
    mask |= GL_COLOR_BUFFER_BIT;
  }
  if (depth) {
    emscripten_glClearDepthf(static_cast<GLfloat>(clearDepth));
    mask |= GL_DEPTH_BUFFER_BIT;
  }
  if (mask != 0) emscripten_glClear(mask);
}

void WebGlDevice::viewport(int x, int y, int width, int height) {
  emscripten_glViewport(x, y, width, height);
}

void WebGlDevice::readPixels(int x, int y, int width, int height, std::uint8_t* rgba) {
  emscripten_glReadPixels(x, y, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
}

void WebGlDevice::finish() { emscripten_glFinish(); }
