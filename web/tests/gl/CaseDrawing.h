#pragma once
// Small drawing helpers the conformance cases share. Everything here is plain
// GL 1.x, so it runs the same on Mesa and on the browser's layer.

#include <cstdint>
#include <functional>
#include <vector>

#include "gfx/GlIncludes.h"

constexpr int kCaseWidth = 1024;  // pixels, the game's window
constexpr int kCaseHeight = 768;  // pixels

struct Texel {
  std::uint8_t r, g, b, a;
};

// Projection in window pixels with the origin at the bottom-left and eye z
// from -1 (far) to 1 (near). Rectangles with whole-pixel corners then cover
// exactly the same pixels on every rasteriser.
void pixelSpace();
// The game's default camera: its perspective and eye offset (view/Camera).
void gameCamera();

// Counter-clockwise rectangle in the current colour, at depth z.
void rect(float x0, float y0, float x1, float y1, float z = 0.0f);
// Counter-clockwise textured rectangle: (s0, t0) at the top-left corner and
// (s1, t1) at the bottom-right, so texel row 0 is at the top as in the game.
void texturedRect(float x0, float y0, float x1, float y1, float s0 = 0.0f, float t0 = 0.0f, float s1 = 1.0f,
                  float t1 = 1.0f, float z = 0.0f);

// RGBA texels, row 0 first, from a function of the texel's column and row.
std::vector<std::uint8_t> picture(int width, int height, const std::function<Texel(int x, int y)>& texel);
// A new texture holding an RGBA picture with the game's sampling (linear,
// repeat) unless told otherwise; stays bound.
GLuint makeTexture(int width, int height, const std::vector<std::uint8_t>& rgba, GLint filter = GL_LINEAR,
                   GLint wrap = GL_REPEAT);
