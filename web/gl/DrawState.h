#pragma once
// Everything a draw depends on apart from its vertices. The fixed-function
// state a GL 1.x program sets is boiled down to this when a primitive ends;
// primitives whose states compare equal can share one draw call.

#include <cstdint>

// One vertex as the GPU takes it: already transformed to clip space on the
// CPU, its texture coordinate already moved into the texture that will be
// sampled (an atlas page or the texture itself), its colour clamped.
struct BatchVertex {
  float x, y, z, w;
  float u, v;
  float r, g, b, a;
};

enum class PrimitiveClass : std::uint8_t { kTriangles, kLines, kPoints };

struct DrawState {
  std::uint32_t texture = 0;  // the GPU device's texture handle, never 0 once drawn
  PrimitiveClass primitive = PrimitiveClass::kTriangles;
  bool blend = false;
  bool depthTest = false;
  bool depthMask = true;
  bool cullFace = false;
  std::uint8_t colorMask = 0xF;          // bit 0 red .. bit 3 alpha
  std::uint32_t blendSource = 1;         // GL_ONE
  std::uint32_t blendDestination = 0;    // GL_ZERO
  std::uint32_t alphaFunction = 0x0207;  // GL_ALWAYS: the alpha test is off
  float alphaReference = 0.0f;
  std::uint32_t depthFunction = 0x0201;  // GL_LESS
  std::uint32_t cullMode = 0x0405;       // GL_BACK
  std::uint32_t frontFace = 0x0901;      // GL_CCW
  float lineWidth = 1.0f;

  bool operator==(const DrawState&) const = default;
};
