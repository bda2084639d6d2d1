#include "web/gl/LegacyGl.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

// A texture coordinate this far outside [0, 1] still samples inside the
// picture's own rectangle on an atlas page (its frame covers the rest).
constexpr float kAtlasCoordinateSlack = 1e-5f;

float clampUnit(float value) { return std::min(1.0f, std::max(0.0f, value)); }

bool isComparison(std::uint32_t function) { return function >= GL_NEVER && function <= GL_ALWAYS; }

bool isBlendFactor(std::uint32_t factor) {
  return factor == GL_ZERO || factor == GL_ONE || (factor >= GL_SRC_COLOR && factor <= GL_SRC_ALPHA_SATURATE);
}

// Bytes per pixel of client data in a format, for unsigned bytes; 0 if the
// format is not one the layer reads.
int bytesPerPixel(std::uint32_t format) {
  switch (format) {
    case GL_RGBA:
      return 4;
    case GL_RGB:
      return 3;
    case GL_LUMINANCE_ALPHA:
      return 2;
    case GL_LUMINANCE:
    case GL_ALPHA:
      return 1;
    default:
      return 0;
  }
}

// The base internal format an internalFormat argument names (GL 1.0's
// component counts included); 0 if unknown.
std::uint32_t baseFormat(int internalFormat) {
  switch (internalFormat) {
    case 1:
    case GL_LUMINANCE:
      return GL_LUMINANCE;
    case 2:
    case GL_LUMINANCE_ALPHA:
      return GL_LUMINANCE_ALPHA;
    case 3:
    case GL_RGB:
    case 0x8051:  // GL_RGB8
      return GL_RGB;
    case 4:
    case GL_RGBA:
    case 0x8058:  // GL_RGBA8
      return GL_RGBA;
    case GL_ALPHA:
      return GL_ALPHA;
    default:
      return 0;
  }
}

int rowBytes(int width, int pixelBytes, int alignment) {
  const int tight = width * pixelBytes;
  return (tight + alignment - 1) / alignment * alignment;
}

}  // namespace

LegacyGl& LegacyGl::instance() {
  static LegacyGl* gl = new LegacyGl();  // lives as long as the page
  return *gl;
}

void LegacyGl::attachDevice(std::unique_ptr<GpuDevice> device) {
  batch_.flush();
  device_ = std::move(device);
  batch_.setDevice(device_.get());
  textures_.setDevice(device_.get());
  lists_.clear();
  nextList_ = 1;
}

void LegacyGl::setError(std::uint32_t error) {
  if (error_ == GL_NO_ERROR) error_ = error;
}

std::uint32_t LegacyGl::takeError() {
  const std::uint32_t error = error_;
  error_ = GL_NO_ERROR;
  return error;
}

bool LegacyGl::record(const ListOp& op) {
  if (!compiling_ || replayDepth_ > 0) return false;
  compiled_.ops.push_back(op);
  return !executeWhileCompiling_;
}

std::vector<Matrix4>& LegacyGl::currentStack() {
  switch (state_.matrixMode) {
    case GL_PROJECTION:
      return projection_;
    case GL_TEXTURE:
      return textureMatrix_;
    default:
      return modelView_;
  }
}

Matrix4& LegacyGl::top() { return currentStack().back(); }

void LegacyGl::setTop(const Matrix4& matrix) {
  top() = matrix;
  if (state_.matrixMode == GL_TEXTURE) textureMatrixIsIdentity_ = matrix.m == Matrix4::identity().m;
}

// --- Immediate mode -------------------------------------------------------

void LegacyGl::begin(std::uint32_t mode) {
  if (record({ListCode::kBegin, mode})) return;
  if (inBegin_) return setError(GL_INVALID_OPERATION);
  if (mode > GL_POLYGON) return setError(GL_INVALID_ENUM);
  inBegin_ = true;
  primitiveMode_ = mode;
  pending_.clear();
}

void LegacyGl::end() {
  if (record({ListCode::kEnd})) return;
  if (!inBegin_) return setError(GL_INVALID_OPERATION);
  inBegin_ = false;
  assemblePrimitive();
}

void LegacyGl::vertex(float x, float y, float z) {
  if (record({ListCode::kVertex, 0, 0, {x, y, z, 0.0f}})) return;
  // Outside glBegin/glEnd a vertex is undefined behaviour in GL; drop it.
  if (!inBegin_) return;
  PendingVertex v;
  v.clip = projection_.back().transform(modelView_.back().transform({x, y, z, 1.0f}));
  v.s = state_.currentTexCoord[0];
  v.t = state_.currentTexCoord[1];
  if (!textureMatrixIsIdentity_) {
    const Vec4 st = textureMatrix_.back().transform({v.s, v.t, 0.0f, 1.0f});
    v.s = st.w != 0.0f ? st.x / st.w : st.x;
    v.t = st.w != 0.0f ? st.y / st.w : st.y;
  }
  v.rgba = state_.currentColor;
  pending_.push_back(v);
}

void LegacyGl::texCoord(float s, float t) {
  if (record({ListCode::kTexCoord, 0, 0, {s, t, 0.0f, 0.0f}})) return;
  state_.currentTexCoord = {s, t};
}

void LegacyGl::normal(float x, float y, float z) {
  // Lighting is never on in this layer, so the normal is only kept for
  // queries and glPushAttrib; it must not disturb the vertices around it.
  if (record({ListCode::kNormal, 0, 0, {x, y, z, 0.0f}})) return;
  state_.currentNormal = {x, y, z};
}

void LegacyGl::color(float r, float g, float b, float a) {
  if (record({ListCode::kColor, 0, 0, {r, g, b, a}})) return;
  state_.currentColor = {r, g, b, a};
}

void LegacyGl::assemblePrimitive() {
  const std::size_t count = pending_.size();
  if (count == 0) return;

  PrimitiveClass primitive = PrimitiveClass::kTriangles;
  if (primitiveMode_ == GL_POINTS) {
    primitive = PrimitiveClass::kPoints;
  } else if (primitiveMode_ == GL_LINES || primitiveMode_ == GL_LINE_STRIP ||
             primitiveMode_ == GL_LINE_LOOP) {
    primitive = PrimitiveClass::kLines;
  }

  // Corners of each piece and its provoking vertex, as GL names them for each
  // primitive type.
  std::vector<Piece>& pieces = pieces_;
  pieces.clear();
  auto triangle = [&](std::size_t a, std::size_t b, std::size_t c, std::size_t provoking) {
    pieces.push_back(
        {{static_cast<std::uint32_t>(a), static_cast<std::uint32_t>(b), static_cast<std::uint32_t>(c)},
         static_cast<std::uint32_t>(provoking)});
  };
  int cornersPerPiece = 3;
  switch (primitiveMode_) {
    case GL_POINTS:
      cornersPerPiece = 1;
      for (std::size_t i = 0; i < count; ++i) triangle(i, i, i, i);
      break;
    case GL_LINES:
      cornersPerPiece = 2;
      for (std::size_t i = 0; i + 1 < count; i += 2) triangle(i, i + 1, i + 1, i + 1);
      break;
    case GL_LINE_STRIP:
    case GL_LINE_LOOP:
      cornersPerPiece = 2;
      for (std::size_t i = 0; i + 1 < count; ++i) triangle(i, i + 1, i + 1, i + 1);
      if (primitiveMode_ == GL_LINE_LOOP && count > 2) triangle(count - 1, 0, 0, 0);
      break;
    case GL_TRIANGLES:
      for (std::size_t i = 0; i + 2 < count; i += 3) triangle(i, i + 1, i + 2, i + 2);
      break;
    case GL_TRIANGLE_STRIP:
      // Every other triangle of a strip is turned round, so all keep the
      // winding of the first.
      for (std::size_t i = 0; i + 2 < count; ++i) {
        if (i % 2 == 0) {
          triangle(i, i + 1, i + 2, i + 2);
        } else {
          triangle(i + 1, i, i + 2, i + 2);
        }
      }
      break;
    case GL_TRIANGLE_FAN:
      for (std::size_t i = 1; i + 1 < count; ++i) triangle(0, i, i + 1, i + 1);
      break;
    case GL_QUADS:
      for (std::size_t i = 0; i + 3 < count; i += 4) {
        triangle(i, i + 1, i + 2, i + 3);
        triangle(i, i + 2, i + 3, i + 3);
      }
      break;
    case GL_QUAD_STRIP:
      for (std::size_t i = 0; i + 3 < count; i += 2) {
        triangle(i, i + 1, i + 3, i + 3);
        triangle(i, i + 3, i + 2, i + 3);
      }
      break;
    case GL_POLYGON:
      for (std::size_t i = 1; i + 1 < count; ++i) triangle(0, i, i + 1, 0);
      break;
    default:
      break;
  }
  if (pieces.empty()) return;

  // Where the texture coordinates point: the picture's place on an atlas
  // page when every coordinate stays inside the picture, else its own
  // texture; untextured primitives borrow a white texel of a page.
  const TextureStore::Texture* texture = state_.texture2D ? textures_.find(state_.boundTexture) : nullptr;
  const bool textured = texture != nullptr && texture->complete() && texture->gpuTexture != 0;
  bool inAtlas = textured && texture->placement.has_value();
  if (inAtlas) {
    for (const PendingVertex& v : pending_) {
      if (v.s < -kAtlasCoordinateSlack || v.s > 1.0f + kAtlasCoordinateSlack ||
          v.t < -kAtlasCoordinateSlack || v.t > 1.0f + kAtlasCoordinateSlack) {
        inAtlas = false;
        break;
      }
    }
  }
  DrawState draw;
  float u0 = 0.0f, v0 = 0.0f, du = 1.0f, dv = 1.0f;
  if (inAtlas) {
    draw.texture = texture->placement->page;
    u0 = texture->placement->u0;
    v0 = texture->placement->v0;
    du = texture->placement->du;
    dv = texture->placement->dv;
  } else if (textured) {
    draw.texture = texture->gpuTexture;
  } else {
    draw.texture = textures_.atlas().pageFor(batch_.empty() ? 0 : batch_.state().texture);
    u0 = TextureAtlas::kWhiteU;
    v0 = TextureAtlas::kWhiteV;
    du = 0.0f;
    dv = 0.0f;
  }
  draw.primitive = primitive;
  draw.blend = state_.blend;
  draw.blendSource = state_.blendSource;
  draw.blendDestination = state_.blendDestination;
  draw.alphaFunction = state_.alphaTest ? state_.alphaFunction : GL_ALWAYS;
  draw.alphaReference = state_.alphaTest ? state_.alphaReference : 0.0f;
  draw.depthTest = state_.depthTest;
  draw.depthFunction = state_.depthFunction;
  draw.depthMask = state_.depthMask;
  draw.cullFace = state_.cullFace && primitive == PrimitiveClass::kTriangles;
  draw.cullMode = state_.cullMode;
  draw.frontFace = state_.frontFace;
  draw.colorMask = state_.colorMask;
  draw.lineWidth = state_.lineWidth;

  auto toBatch = [&](const PendingVertex& v, const std::array<float, 4>& rgba) {
    return BatchVertex{v.clip.x,           v.clip.y,          v.clip.z,           v.clip.w,
                       u0 + v.s * du,      v0 + v.t * dv,     clampUnit(rgba[0]), clampUnit(rgba[1]),
                       clampUnit(rgba[2]), clampUnit(rgba[3])};
  };
  scratchVertices_.clear();
  scratchIndices_.clear();
  auto send = [&] {
    batch_.add(draw, scratchVertices_.data(), static_cast<int>(scratchVertices_.size()),
               scratchIndices_.data(), static_cast<int>(scratchIndices_.size()));
    scratchVertices_.clear();
    scratchIndices_.clear();
  };
  // Flat shading can share corners only when every vertex has one colour.
  const bool flat = state_.shadeModel == GL_FLAT;
  const bool shareCorners =
      !flat || std::all_of(pending_.begin(), pending_.end(),
                           [&](const PendingVertex& v) { return v.rgba == pending_[0].rgba; });
  if (shareCorners && count <= static_cast<std::size_t>(DrawBatch::kMaxVertices)) {
    for (const PendingVertex& v : pending_) scratchVertices_.push_back(toBatch(v, v.rgba));
    for (const Piece& piece : pieces)
      for (int k = 0; k < cornersPerPiece; ++k)
        scratchIndices_.push_back(static_cast<std::uint16_t>(piece.corner[k]));
    send();
    return;
  }
  // Flat shading with colours that differ, or more vertices than 16-bit
  // indices reach: each piece gets corners of its own (in the provoking
  // vertex's colour when flat), sent in parts a batch can hold.
  for (const Piece& piece : pieces) {
    if (scratchVertices_.size() + cornersPerPiece > static_cast<std::size_t>(DrawBatch::kMaxVertices)) send();
    for (int k = 0; k < cornersPerPiece; ++k) {
      const PendingVertex& corner = pending_[piece.corner[k]];
      scratchIndices_.push_back(static_cast<std::uint16_t>(scratchVertices_.size()));
      scratchVertices_.push_back(toBatch(corner, flat ? pending_[piece.provoking].rgba : corner.rgba));
    }
  }
  send();
}

// --- Transforms -----------------------------------------------------------

void LegacyGl::matrixMode(std::uint32_t mode) {
  if (record({ListCode::kMatrixMode, mode})) return;
  if (mode != GL_MODELVIEW && mode != GL_PROJECTION && mode != GL_TEXTURE) return setError(GL_INVALID_ENUM);
  state_.matrixMode = mode;
}

void LegacyGl::loadIdentity() {
  if (record({ListCode::kLoadIdentity})) return;
  setTop(Matrix4::identity());
}

void LegacyGl::loadMatrix(const float* m) {
  if (compiling_ && replayDepth_ == 0) {
    compiled_.matrices.insert(compiled_.matrices.end(), m, m + 16);
    if (record({ListCode::kLoadMatrix, static_cast<std::uint32_t>(compiled_.matrices.size() - 16)})) return;
  }
  setTop(Matrix4::fromColumnMajor(m));
}

void LegacyGl::multMatrix(const float* m) {
  if (compiling_ && replayDepth_ == 0) {
    compiled_.matrices.insert(compiled_.matrices.end(), m, m + 16);
    if (record({ListCode::kMultMatrix, static_cast<std::uint32_t>(compiled_.matrices.size() - 16)})) return;
  }
  setTop(top() * Matrix4::fromColumnMajor(m));
}

void LegacyGl::pushMatrix() {
  if (record({ListCode::kPushMatrix})) return;
  std::vector<Matrix4>& stack = currentStack();
  const std::size_t limit = state_.matrixMode == GL_PROJECTION ? kProjectionStackDepth
                            : state_.matrixMode == GL_TEXTURE  ? kTextureStackDepth
                                                               : kModelViewStackDepth;
  if (stack.size() >= limit) return setError(GL_STACK_OVERFLOW);
  stack.push_back(stack.back());
}

void LegacyGl::popMatrix() {
  if (record({ListCode::kPopMatrix})) return;
  std::vector<Matrix4>& stack = currentStack();
  if (stack.size() <= 1) return setError(GL_STACK_UNDERFLOW);
  stack.pop_back();
  if (state_.matrixMode == GL_TEXTURE) textureMatrixIsIdentity_ = stack.back().m == Matrix4::identity().m;
}

void LegacyGl::translate(float x, float y, float z) { multMatrix(Matrix4::translation(x, y, z).data()); }

void LegacyGl::rotate(float angle, float x, float y, float z) {
  multMatrix(Matrix4::rotation(angle, x, y, z).data());
}

void LegacyGl::scale(float x, float y, float z) { multMatrix(Matrix4::scaling(x, y, z).data()); }

void LegacyGl::setViewportNow(const std::array<int, 4>& box) {
  batch_.flush();
  state_.viewport = box;
  if (device_) device_->viewport(box[0], box[1], box[2], box[3]);
}

void LegacyGl::viewport(int x, int y, int width, int height) {
  if (record({ListCode::kViewport,
              0,
              0,
              {static_cast<float>(x), static_cast<float>(y), static_cast<float>(width),
               static_cast<float>(height)}})) {
    return;
  }
  if (width < 0 || height < 0) return setError(GL_INVALID_VALUE);
  setViewportNow({x, y, width, height});
}

// --- Fixed-function state -------------------------------------------------

const LegacyGl::Capability LegacyGl::kCapabilities[8] = {
    {GL_TEXTURE_2D, &Attributes::texture2D},     {GL_BLEND, &Attributes::blend},
    {GL_ALPHA_TEST, &Attributes::alphaTest},     {GL_DEPTH_TEST, &Attributes::depthTest},
    {GL_CULL_FACE, &Attributes::cullFace},       {GL_LIGHTING, &Attributes::lighting},
    {GL_SCISSOR_TEST, &Attributes::scissorTest}, {GL_DITHER, &Attributes::dither},
};

bool LegacyGl::Attributes::*LegacyGl::capabilityFlag(std::uint32_t capability) {
  for (const auto& [name, flag] : kCapabilities)
    if (name == capability) return flag;
  return nullptr;
}

void LegacyGl::setEnabled(std::uint32_t capability, bool on) {
  if (record({on ? ListCode::kEnable : ListCode::kDisable, capability})) return;
  if (const auto flag = capabilityFlag(capability)) {
    state_.*flag = on;
  } else {
    setError(GL_INVALID_ENUM);
  }
}

bool LegacyGl::isEnabled(std::uint32_t capability) {
  const auto flag = capabilityFlag(capability);
  if (!flag) setError(GL_INVALID_ENUM);
  return flag && state_.*flag;
}

void LegacyGl::blendFunc(std::uint32_t source, std::uint32_t destination) {
  if (record({ListCode::kBlendFunc, source, destination})) return;
  if (!isBlendFactor(source) || !isBlendFactor(destination)) return setError(GL_INVALID_ENUM);
  state_.blendSource = source;
  state_.blendDestination = destination;
}

void LegacyGl::alphaFunc(std::uint32_t function, float reference) {
  if (record({ListCode::kAlphaFunc, function, 0, {reference, 0.0f, 0.0f, 0.0f}})) return;
  if (!isComparison(function)) return setError(GL_INVALID_ENUM);
  state_.alphaFunction = function;
  state_.alphaReference = clampUnit(reference);
}

void LegacyGl::depthFunc(std::uint32_t function) {
  if (record({ListCode::kDepthFunc, function})) return;
  if (!isComparison(function)) return setError(GL_INVALID_ENUM);
  state_.depthFunction = function;
}

void LegacyGl::depthMask(bool on) {
  if (record({ListCode::kDepthMask, on ? 1u : 0u})) return;
  state_.depthMask = on;
}

void LegacyGl::colorMask(bool r, bool g, bool b, bool a) {
  const auto mask = static_cast<std::uint8_t>((r ? 1 : 0) | (g ? 2 : 0) | (b ? 4 : 0) | (a ? 8 : 0));
  if (record({ListCode::kColorMask, mask})) return;
  state_.colorMask = mask;
}

void LegacyGl::cullFace(std::uint32_t mode) {
  if (record({ListCode::kCullFace, mode})) return;
  if (mode != GL_FRONT && mode != GL_BACK && mode != GL_FRONT_AND_BACK) return setError(GL_INVALID_ENUM);
  state_.cullMode = mode;
}

void LegacyGl::frontFace(std::uint32_t mode) {
  if (record({ListCode::kFrontFace, mode})) return;
  if (mode != GL_CW && mode != GL_CCW) return setError(GL_INVALID_ENUM);
  state_.frontFace = mode;
}

void LegacyGl::shadeModel(std::uint32_t mode) {
  if (record({ListCode::kShadeModel, mode})) return;
  if (mode != GL_FLAT && mode != GL_SMOOTH) return setError(GL_INVALID_ENUM);
  state_.shadeModel = mode;
}

void LegacyGl::polygonMode(std::uint32_t face, std::uint32_t mode) {
  // Only filled polygons are drawn; the mode is kept for queries.
  if (face != GL_FRONT && face != GL_BACK && face != GL_FRONT_AND_BACK) return setError(GL_INVALID_ENUM);
  if (mode != GL_POINT && mode != GL_LINE && mode != GL_FILL) return setError(GL_INVALID_ENUM);
  state_.polygonMode = mode;
}

void LegacyGl::hint(std::uint32_t target, std::uint32_t mode) {
  // WebGL always interpolates with perspective correction: the nicest hint.
  if (mode != GL_DONT_CARE && mode != GL_FASTEST && mode != GL_NICEST) return setError(GL_INVALID_ENUM);
  if (target == GL_PERSPECTIVE_CORRECTION_HINT) state_.perspectiveHint = mode;
}

void LegacyGl::lineWidth(float width) {
  if (record({ListCode::kLineWidth, 0, 0, {width, 0.0f, 0.0f, 0.0f}})) return;
  if (width <= 0.0f) return setError(GL_INVALID_VALUE);
  state_.lineWidth = width;
}

void LegacyGl::clearColor(float r, float g, float b, float a) {
  if (record({ListCode::kClearColor, 0, 0, {r, g, b, a}})) return;
  state_.clearColour = {clampUnit(r), clampUnit(g), clampUnit(b), clampUnit(a)};
}

void LegacyGl::clearDepth(double depth) {
  if (record({ListCode::kClearDepth, 0, 0, {static_cast<float>(depth), 0.0f, 0.0f, 0.0f}})) return;
  state_.clearDepth = std::min(1.0, std::max(0.0, depth));
}

void LegacyGl::clear(std::uint32_t mask) {
  if (record({ListCode::kClear, mask})) return;
  if (inBegin_) return setError(GL_INVALID_OPERATION);
  batch_.flush();
  if (device_) {
    device_->clear((mask & GL_COLOR_BUFFER_BIT) != 0, (mask & GL_DEPTH_BUFFER_BIT) != 0,
                   state_.clearColour.data(), state_.clearDepth, state_.colorMask, state_.depthMask);
  }
}

void LegacyGl::pushAttrib(std::uint32_t mask) {
  if (record({ListCode::kPushAttrib, mask})) return;
  if (attribStack_.size() >= kAttribStackDepth) return setError(GL_STACK_OVERFLOW);
  attribStack_.push_back({mask, state_});
}

void LegacyGl::popAttrib() {
  if (record({ListCode::kPopAttrib})) return;
  if (attribStack_.empty()) return setError(GL_STACK_UNDERFLOW);
  const SavedAttributes saved = attribStack_.back();
  attribStack_.pop_back();
  const Attributes& old = saved.state;
  const std::uint32_t mask = saved.mask;
  Attributes& now = state_;
  if (mask & GL_CURRENT_BIT) {
    now.currentColor = old.currentColor;
    now.currentTexCoord = old.currentTexCoord;
    now.currentNormal = old.currentNormal;
  }
  if (mask & GL_ENABLE_BIT) {
    for (const auto& capability : kCapabilities) now.*capability.flag = old.*capability.flag;
  }
  if (mask & GL_TRANSFORM_BIT) now.matrixMode = old.matrixMode;
  if (mask & GL_LIST_BIT) now.listBase = old.listBase;
  if (mask & GL_COLOR_BUFFER_BIT) {
    now.alphaTest = old.alphaTest;
    now.alphaFunction = old.alphaFunction;
    now.alphaReference = old.alphaReference;
    now.blend = old.blend;
    now.blendSource = old.blendSource;
    now.blendDestination = old.blendDestination;
    now.dither = old.dither;
    now.colorMask = old.colorMask;
    now.clearColour = old.clearColour;
  }
  if (mask & GL_DEPTH_BUFFER_BIT) {
    now.depthTest = old.depthTest;
    now.depthFunction = old.depthFunction;
    now.depthMask = old.depthMask;
    now.clearDepth = old.clearDepth;
  }
  if (mask & GL_POLYGON_BIT) {
    now.cullFace = old.cullFace;
    now.cullMode = old.cullMode;
    now.frontFace = old.frontFace;
    now.polygonMode = old.polygonMode;
  }
  if (mask & GL_LIGHTING_BIT) {
    now.lighting = old.lighting;
    now.shadeModel = old.shadeModel;
  }
  if (mask & GL_LINE_BIT) now.lineWidth = old.lineWidth;
  if (mask & GL_HINT_BIT) now.perspectiveHint = old.perspectiveHint;
  if (mask & GL_TEXTURE_BIT) {
    now.texture2D = old.texture2D;
    now.boundTexture = old.boundTexture;
  }
  if ((mask & GL_VIEWPORT_BIT) && now.viewport != old.viewport) setViewportNow(old.viewport);
}

void LegacyGl::pushClientAttrib(std::uint32_t mask) {
  if (clientStack_.size() >= kAttribStackDepth) return setError(GL_STACK_OVERFLOW);
  clientStack_.push_back({mask, pixels_});
}

void LegacyGl::popClientAttrib() {
  if (clientStack_.empty()) return setError(GL_STACK_UNDERFLOW);
  const SavedPixelStore saved = clientStack_.back();
  clientStack_.pop_back();
  if (saved.mask & GL_CLIENT_PIXEL_STORE_BIT) pixels_ = saved.state;
}

// --- Display lists --------------------------------------------------------

std::uint32_t LegacyGl::genLists(int range) {
  if (range < 0) {
    setError(GL_INVALID_VALUE);
    return 0;
  }
  if (range == 0) return 0;
  const std::uint32_t first = nextList_;
  for (int i = 0; i < range; ++i) lists_[first + static_cast<std::uint32_t>(i)];
  nextList_ += static_cast<std::uint32_t>(range);
  return first;
}

void LegacyGl::newList(std::uint32_t list, std::uint32_t mode) {
  if (list == 0) return setError(GL_INVALID_VALUE);
  if (mode != GL_COMPILE && mode != GL_COMPILE_AND_EXECUTE) return setError(GL_INVALID_ENUM);
  if (compiling_ || inBegin_) return setError(GL_INVALID_OPERATION);
  compiling_ = true;
  executeWhileCompiling_ = mode == GL_COMPILE_AND_EXECUTE;
  compilingName_ = list;
  compiled_ = DisplayList{};
}

void LegacyGl::endList() {
  if (!compiling_) return setError(GL_INVALID_OPERATION);
  compiling_ = false;
  lists_[compilingName_] = std::move(compiled_);
  compiled_ = DisplayList{};
  if (compilingName_ >= nextList_) nextList_ = compilingName_ + 1;
}

void LegacyGl::callList(std::uint32_t list) {
  if (record({ListCode::kCallList, list})) return;
  execute(list);
}

void LegacyGl::execute(std::uint32_t list) {
  const auto found = lists_.find(list);
  if (found == lists_.end()) return;  // calling an empty name does nothing
  if (replayDepth_ >= kListNesting) return;
  replay(found->second);
}

void LegacyGl::callLists(int count, std::uint32_t type, const void* lists) {
  if (count < 0) return setError(GL_INVALID_VALUE);
  if (type != GL_UNSIGNED_BYTE && type != GL_BYTE && type != GL_UNSIGNED_SHORT && type != GL_SHORT &&
      type != GL_UNSIGNED_INT && type != GL_INT) {
    return setError(GL_INVALID_ENUM);
  }
  std::vector<std::uint32_t> names(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    switch (type) {
      case GL_UNSIGNED_BYTE:
        names[i] = static_cast<const std::uint8_t*>(lists)[i];
        break;
      case GL_BYTE:
        names[i] = static_cast<std::uint32_t>(static_cast<const std::int8_t*>(lists)[i]);
        break;
      case GL_UNSIGNED_SHORT:
        names[i] = static_cast<const std::uint16_t*>(lists)[i];
        break;
      case GL_SHORT:
        names[i] = static_cast<std::uint32_t>(static_cast<const std::int16_t*>(lists)[i]);
        break;
      default:
        names[i] = static_cast<const std::uint32_t*>(lists)[i];
        break;
    }
  }
  if (compiling_ && replayDepth_ == 0) {
    const auto offset = static_cast<std::uint32_t>(compiled_.names.size());
    compiled_.names.insert(compiled_.names.end(), names.begin(), names.end());
    if (record({ListCode::kCallLists, offset, static_cast<std::uint32_t>(count)})) return;
  }
  // The base is read as each list is called: a list may change it. The
  // calls are not recorded one by one: the glCallLists above already was.
  for (std::uint32_t name : names) execute(state_.listBase + name);
}

void LegacyGl::listBase(std::uint32_t base) {
  if (record({ListCode::kListBase, base})) return;
  state_.listBase = base;
}

void LegacyGl::deleteLists(std::uint32_t list, int range) {
  if (range < 0) return setError(GL_INVALID_VALUE);
  for (int i = 0; i < range; ++i) lists_.erase(list + static_cast<std::uint32_t>(i));
}

bool LegacyGl::isList(std::uint32_t list) const { return lists_.count(list) != 0; }

void LegacyGl::replay(const DisplayList& list) {
  ++replayDepth_;
  for (const ListOp& op : list.ops) {
    const float* f = op.f;
    switch (op.code) {
      case ListCode::kBegin:
        begin(op.a);
        break;
      case ListCode::kEnd:
        end();
        break;
      case ListCode::kVertex:
        vertex(f[0], f[1], f[2]);
        break;
      case ListCode::kTexCoord:
        texCoord(f[0], f[1]);
        break;
      case ListCode::kNormal:
        normal(f[0], f[1], f[2]);
        break;
      case ListCode::kColor:
        color(f[0], f[1], f[2], f[3]);
        break;
      case ListCode::kMatrixMode:
        matrixMode(op.a);
        break;
      case ListCode::kLoadIdentity:
        loadIdentity();
        break;
      case ListCode::kLoadMatrix:
        loadMatrix(&list.matrices[op.a]);
        break;
      case ListCode::kMultMatrix:
        multMatrix(&list.matrices[op.a]);
        break;
      case ListCode::kPushMatrix:
        pushMatrix();
        break;
      case ListCode::kPopMatrix:
        popMatrix();
        break;
      case ListCode::kEnable:
        setEnabled(op.a, true);
        break;
      case ListCode::kDisable:
        setEnabled(op.a, false);
        break;
      case ListCode::kBlendFunc:
        blendFunc(op.a, op.b);
        break;
      case ListCode::kAlphaFunc:
        alphaFunc(op.a, f[0]);
        break;
      case ListCode::kDepthFunc:
        depthFunc(op.a);
        break;
      case ListCode::kDepthMask:
        depthMask(op.a != 0);
        break;
      case ListCode::kColorMask:
        colorMask(op.a & 1, op.a & 2, op.a & 4, op.a & 8);
        break;
      case ListCode::kCullFace:
        cullFace(op.a);
        break;
      case ListCode::kFrontFace:
        frontFace(op.a);
        break;
      case ListCode::kShadeModel:
        shadeModel(op.a);
        break;
      case ListCode::kLineWidth:
        lineWidth(f[0]);
        break;
      case ListCode::kClearColor:
        clearColor(f[0], f[1], f[2], f[3]);
        break;
      case ListCode::kClearDepth:
        clearDepth(f[0]);
        break;
      case ListCode::kClear:
        clear(op.a);
        break;
      case ListCode::kPushAttrib:
        pushAttrib(op.a);
        break;
      case ListCode::kPopAttrib:
        popAttrib();
        break;
      case ListCode::kCallList:
        callList(op.a);
        break;
      case ListCode::kCallLists:
        for (std::uint32_t i = 0; i < op.b; ++i) callList(state_.listBase + list.names[op.a + i]);
        break;
      case ListCode::kListBase:
        listBase(op.a);
        break;
      case ListCode::kBindTexture:
        bindTexture(GL_TEXTURE_2D, op.a);
        break;
      case ListCode::kTexParameter:
        texParameter(GL_TEXTURE_2D, op.a, static_cast<std::int32_t>(op.b));
        break;
      case ListCode::kViewport:
        viewport(static_cast<int>(f[0]), static_cast<int>(f[1]), static_cast<int>(f[2]),
                 static_cast<int>(f[3]));
        break;
    }
  }
  --replayDepth_;
}

// --- Textures ---------------------------------------------------------------

void LegacyGl::genTextures(int count, std::uint32_t* names) {
  if (count < 0) return setError(GL_INVALID_VALUE);
  textures_.generate(count, names);
}

void LegacyGl::deleteTextures(int count, const std::uint32_t* names) {
  if (count < 0) return setError(GL_INVALID_VALUE);
  batch_.flush();
  for (int i = 0; i < count; ++i)
    if (state_.boundTexture == names[i]) state_.boundTexture = 0;
  textures_.remove(count, names);
}

void LegacyGl::bindTexture(std::uint32_t target, std::uint32_t name) {
  if (record({ListCode::kBindTexture, name})) return;
  if (target != GL_TEXTURE_2D) return setError(GL_INVALID_ENUM);
  textures_.touch(name);
  state_.boundTexture = name;
}

void LegacyGl::texParameter(std::uint32_t target, std::uint32_t parameter, std::int32_t value) {
  if (record({ListCode::kTexParameter, parameter, static_cast<std::uint32_t>(value)})) return;
  if (target != GL_TEXTURE_2D) return setError(GL_INVALID_ENUM);
  batch_.flush();
  if (!textures_.setParameter(state_.boundTexture, parameter, value)) setError(GL_INVALID_ENUM);
}

void LegacyGl::texImage2D(std::uint32_t target, int level, int internalFormat, int width, int height,
                          int border, std::uint32_t format, std::uint32_t type, const void* pixels) {
  if (target != GL_TEXTURE_2D) return setError(GL_INVALID_ENUM);
  const std::uint32_t base = baseFormat(internalFormat);
  const int sourceBytes = bytesPerPixel(format);
  if (base == 0 || sourceBytes == 0 || type != GL_UNSIGNED_BYTE) return setError(GL_INVALID_ENUM);
  if (level < 0 || width < 0 || height < 0 || border != 0) return setError(GL_INVALID_VALUE);
  // Only the base level is kept: the layer samples without mipmaps, and a
  // texture that asks for them stays incomplete, as on the desktop.
  if (level > 0) return;
  batch_.flush();

  // Unpack into RGBA as GL does (luminance fills red, green and blue; a
  // missing alpha is 1), then keep the components of the internal format,
  // with the ones it lacks set so that modulation leaves the colour alone.
  std::vector<std::uint8_t> rgba(static_cast<std::size_t>(width) * height * 4, 0);
  if (pixels != nullptr) {
    const int stride = rowBytes(width, sourceBytes, pixels_.unpackAlignment);
    const auto* source = static_cast<const std::uint8_t*>(pixels);
    for (int y = 0; y < height; ++y) {
      const std::uint8_t* row = source + static_cast<std::size_t>(y) * stride;
      for (int x = 0; x < width; ++x) {
        const std::uint8_t* in = row + x * sourceBytes;
        std::uint8_t* out = &rgba[(static_cast<std::size_t>(y) * width + x) * 4];
        std::uint8_t r = 0, g = 0, b = 0, a = 255;
        switch (format) {
          case GL_RGBA:
            r = in[0], g = in[1], b = in[2], a = in[3];
            break;
          case GL_RGB:
            r = in[0], g = in[1], b = in[2];
            break;
          case GL_LUMINANCE_ALPHA:
            r = g = b = in[0], a = in[1];
            break;
          case GL_LUMINANCE:
            r = g = b = in[0];
            break;
          default:  // GL_ALPHA
            a = in[0];
            break;
        }
        switch (base) {
          case GL_RGB:
            a = 255;
            break;
          case GL_LUMINANCE:
            g = b = r, a = 255;
            break;
          case GL_LUMINANCE_ALPHA:
            g = b = r;
            break;
          case GL_ALPHA:
            r = g = b = 255;
            break;
          default:
            break;
        }
        out[0] = r, out[1] = g, out[2] = b, out[3] = a;
      }
    }
  }
  textures_.upload(state_.boundTexture, width, height, std::move(rgba));
}

void LegacyGl::pixelStore(std::uint32_t parameter, int value) {
  if (value != 1 && value != 2 && value != 4 && value != 8) return setError(GL_INVALID_VALUE);
  if (parameter == GL_UNPACK_ALIGNMENT) {
    pixels_.unpackAlignment = value;
  } else if (parameter == GL_PACK_ALIGNMENT) {
    pixels_.packAlignment = value;
  } else {
    setError(GL_INVALID_ENUM);
  }
}

// --- Queries and the frame --------------------------------------------------

int LegacyGl::getValues(std::uint32_t name, double* values) {
  auto fromMatrix = [&](const Matrix4& m) {
    for (int i = 0; i < 16; ++i) values[i] = m.m[i];
    return 16;
  };
  auto one = [&](double value) {
    values[0] = value;
    return 1;
  };
  switch (name) {
    case GL_MODELVIEW_MATRIX:
      return fromMatrix(modelView_.back());
    case GL_PROJECTION_MATRIX:
      return fromMatrix(projection_.back());
    case GL_TEXTURE_MATRIX:
      return fromMatrix(textureMatrix_.back());
    case GL_MODELVIEW_STACK_DEPTH:
      return one(static_cast<double>(modelView_.size()));
    case GL_PROJECTION_STACK_DEPTH:
      return one(static_cast<double>(projection_.size()));
    case GL_TEXTURE_STACK_DEPTH:
      return one(static_cast<double>(textureMatrix_.size()));
    case GL_MATRIX_MODE:
      return one(state_.matrixMode);
    case GL_CURRENT_COLOR:
      for (int i = 0; i < 4; ++i) values[i] = state_.currentColor[i];
      return 4;
    case GL_CURRENT_TEXTURE_COORDS:
      values[0] = state_.currentTexCoord[0];
      values[1] = state_.currentTexCoord[1];
      values[2] = 0.0;
      values[3] = 1.0;
      return 4;
    case GL_LIST_BASE:
      return one(state_.listBase);
    case GL_BLEND_SRC:
      return one(state_.blendSource);
    case GL_BLEND_DST:
      return one(state_.blendDestination);
    case GL_ALPHA_TEST_FUNC:
      return one(state_.alphaFunction);
    case GL_ALPHA_TEST_REF:
      return one(state_.alphaReference);
    case GL_DEPTH_FUNC:
      return one(state_.depthFunction);
    case GL_DEPTH_WRITEMASK:
      return one(state_.depthMask);
    case GL_DEPTH_CLEAR_VALUE:
      return one(state_.clearDepth);
    case GL_COLOR_CLEAR_VALUE:
      for (int i = 0; i < 4; ++i) values[i] = state_.clearColour[i];
      return 4;
    case GL_COLOR_WRITEMASK:
      for (int i = 0; i < 4; ++i) values[i] = (state_.colorMask >> i) & 1;
      return 4;
    case GL_CULL_FACE_MODE:
      return one(state_.cullMode);
    case GL_FRONT_FACE:
      return one(state_.frontFace);
    case GL_SHADE_MODEL:
      return one(state_.shadeModel);
    case GL_LINE_WIDTH:
      return one(state_.lineWidth);
    case GL_VIEWPORT:
      for (int i = 0; i < 4; ++i) values[i] = state_.viewport[i];
      return 4;
    case GL_TEXTURE_BINDING_2D:
      return one(state_.boundTexture);
    case GL_UNPACK_ALIGNMENT:
      return one(pixels_.unpackAlignment);
    case GL_PACK_ALIGNMENT:
      return one(pixels_.packAlignment);
    case GL_ATTRIB_STACK_DEPTH:
      return one(static_cast<double>(attribStack_.size()));
    case GL_CLIENT_ATTRIB_STACK_DEPTH:
      return one(static_cast<double>(clientStack_.size()));
    case GL_MAX_MODELVIEW_STACK_DEPTH:
      return one(kModelViewStackDepth);
    case GL_MAX_PROJECTION_STACK_DEPTH:
      return one(kProjectionStackDepth);
    case GL_MAX_ATTRIB_STACK_DEPTH:
      return one(kAttribStackDepth);
    case GL_MAX_LIST_NESTING:
      return one(kListNesting);
    case GL_MAX_TEXTURE_SIZE:
      return one(device_ ? device_->maxTextureSize() : 0);
    default:
      if (const auto flag = capabilityFlag(name)) return one(state_.*flag);
      setError(GL_INVALID_ENUM);
      return 0;
  }
}

void LegacyGl::readPixels(int x, int y, int width, int height, std::uint32_t format, std::uint32_t type,
                          void* pixels) {
  const int targetBytes = bytesPerPixel(format);
  if (targetBytes == 0 || type != GL_UNSIGNED_BYTE) return setError(GL_INVALID_ENUM);
  if (width < 0 || height < 0) return setError(GL_INVALID_VALUE);
  if (width == 0 || height == 0 || pixels == nullptr) return;
  batch_.flush();
  std::vector<std::uint8_t> rgba(static_cast<std::size_t>(width) * height * 4, 0);
  if (device_) device_->readPixels(x, y, width, height, rgba.data());
  const int stride = rowBytes(width, targetBytes, pixels_.packAlignment);
  auto* target = static_cast<std::uint8_t*>(pixels);
  for (int row = 0; row < height; ++row) {
    for (int column = 0; column < width; ++column) {
      const std::uint8_t* in = &rgba[(static_cast<std::size_t>(row) * width + column) * 4];
      std::uint8_t* out = target + static_cast<std::size_t>(row) * stride + column * targetBytes;
      switch (format) {
        case GL_ALPHA:
          out[0] = in[3];
          break;
        case GL_LUMINANCE:
          out[0] = in[0];
          break;
        case GL_LUMINANCE_ALPHA:
          out[0] = in[0];
          out[1] = in[3];
          break;
        default:
          std::memcpy(out, in, static_cast<std::size_t>(targetBytes));
          break;
      }
    }
  }
}

void LegacyGl::flush() { batch_.flush(); }

void LegacyGl::finish() {
  batch_.flush();
  if (device_) device_->finish();
}
