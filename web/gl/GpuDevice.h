#pragma once
// What the GL 1.x layer needs from a real GPU: textures, one kind of draw of
// pre-transformed vertices, clears, the viewport and pixel read-back. The
// browser build drives WebGL through WebGlDevice; a test can put a recording
// device in its place to see exactly which draws the layer made.

#include <cstdint>

#include "web/gl/DrawState.h"

struct TextureSampling {
  bool repeatS = true;
  bool repeatT = true;
  bool linearMagnify = true;
  bool linearMinify = true;
  bool operator==(const TextureSampling&) const = default;
};

class GpuDevice {
 public:
  virtual ~GpuDevice() = default;

  // A new RGBA texture (rgba may be null: all texels transparent black).
  virtual std::uint32_t createTexture(int width, int height, const TextureSampling& sampling,
                                      const std::uint8_t* rgba) = 0;
  virtual void updateTexture(std::uint32_t texture, int x, int y, int width, int height,
                             const std::uint8_t* rgba) = 0;
  virtual void setSampling(std::uint32_t texture, const TextureSampling& sampling) = 0;
  virtual void deleteTexture(std::uint32_t texture) = 0;
  // Whether a texture whose sides are not powers of two may repeat (WebGL 1
  // cannot; such textures are clamped there).
  virtual bool repeatsAnySize() const = 0;
  virtual int maxTextureSize() const = 0;

  virtual void draw(const DrawState& state, const BatchVertex* vertices, int vertexCount,
                    const std::uint16_t* indices, int indexCount) = 0;
  virtual void clear(bool colour, bool depth, const float clearColour[4], double clearDepth,
                     std::uint8_t colorMask, bool depthMask) = 0;
  virtual void viewport(int x, int y, int width, int height) = 0;
  // Bottom-left origin, RGBA bytes, tightly packed rows.
  virtual void readPixels(int x, int y, int width, int height, std::uint8_t* rgba) = 0;
  virtual void finish() = 0;
};
