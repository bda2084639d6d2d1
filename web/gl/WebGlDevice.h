#pragma once
// The GpuDevice of the browser: one small shader program that does what the
// fixed-function pipeline did for this game (texture times colour, the alpha
// test), one streamed vertex and index buffer, and a cache of the WebGL state
// last set, so a draw only pays for the state that really changed.
//
// Needs the page's WebGL context to be current (the GLUT window makes it so).

#include <array>
#include <cstdint>

#include "web/gl/GpuDevice.h"

class WebGlDevice : public GpuDevice {
 public:
  // webgl2: the context is WebGL 2, which repeats textures of any size.
  explicit WebGlDevice(bool webgl2);
  ~WebGlDevice() override = default;

  std::uint32_t createTexture(int width, int height, const TextureSampling& sampling,
                              const std::uint8_t* rgba) override;
  void updateTexture(std::uint32_t texture, int x, int y, int width, int height,
                     const std::uint8_t* rgba) override;
  void setSampling(std::uint32_t texture, const TextureSampling& sampling) override;
  void deleteTexture(std::uint32_t texture) override;
  bool repeatsAnySize() const override { return webgl2_; }
  int maxTextureSize() const override { return maxTextureSize_; }

  void draw(const DrawState& state, const BatchVertex* vertices, int vertexCount,
            const std::uint16_t* indices, int indexCount) override;
  void clear(bool colour, bool depth, const float clearColour[4], double clearDepth, std::uint8_t colorMask,
             bool depthMask) override;
  void viewport(int x, int y, int width, int height) override;
  void readPixels(int x, int y, int width, int height, std::uint8_t* rgba) override;
  void finish() override;

 private:
  // A program of the shader with one alpha comparison compiled in.
  struct Program {
    std::uint32_t id = 0;
    int referenceLocation = -1;
    float reference = 0.0f;
    bool referenceSet = false;
  };
  Program& programFor(std::uint32_t alphaFunction);
  void bindTexture(std::uint32_t texture);
  void applyMasks(std::uint8_t colorMask, bool depthMask);
  void apply(const DrawState& state);

  bool webgl2_;
  int maxTextureSize_ = 0;
  std::uint32_t vertexShader_ = 0;
  std::array<Program, 8> programs_{};  // by comparison, GL_NEVER to GL_ALWAYS
  std::uint32_t usedProgram_ = 0;
  std::uint32_t vertexBuffer_ = 0;
  std::uint32_t indexBuffer_ = 0;

  // What WebGL holds now, so unchanged state is not set again.
  DrawState applied_;
  bool anythingApplied_ = false;
  std::uint32_t boundTexture_ = 0;
  std::uint8_t colorMask_ = 0xF;
  bool depthMask_ = true;
};
