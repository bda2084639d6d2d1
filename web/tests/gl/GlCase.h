#pragma once
// One conformance case of the GL 1.x layer: a named sequence of GL 1.x, GLU
// and game calls. The same table is compiled twice, against Mesa's OpenGL on
// the desktop and against the browser build's layer, and the pictures the two
// draw are compared case by case. Up to four cases share a 1024 x 768 picture,
// one a quadrant, each cut out and compared on its own; a case whose scale
// matters draws on the whole window.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "CaseContext.h"
#include "assets/SceneLayout.h"

struct GlCase {
  const char* name;
  void (*draw)(CaseContext& context);
  bool wholeWindow = false;
};

std::vector<GlCase> listCases();
std::vector<GlCase> attributeCases();
std::vector<GlCase> transformAndColourCases();
std::vector<GlCase> textureCases();
std::vector<GlCase> rasterCases();
std::vector<GlCase> gameCases();

constexpr int kWindowWidth = SceneLayout::kWindowWidth;  // pixels, the game's window
constexpr int kWindowHeight = SceneLayout::kWindowHeight;

// Draws every case, each from the same start (the game's start-up state,
// identity matrices, texturing, blending and the alpha test off, white, list
// base 0, unpack alignment 4), adds the checks every case must pass (no GL
// error left, every stack back where it was) and hands each case's pixels
// (RGB, top row first) and checks to the runner.
using CaseSink = std::function<void(const GlCase& glCase, int width, int height,
                                    const std::vector<std::uint8_t>& rgb, const CaseContext& context)>;
void drawCases(const std::string& scratchFolder, const std::string& fontPath, const CaseSink& sink);

// Drawing helpers, plain GL 1.x so they run the same on both sides.
struct Texel {
  std::uint8_t r, g, b, a;
};
std::uint8_t byteOf(double unit);  // 0..1 to 0..255, clamped
// Projection in the case's own pixels (its quadrant or the window), origin at
// the bottom-left, eye z from -1 (far) to 1 (near): rectangles with
// whole-pixel corners cover the same pixels on every rasteriser.
void pixelSpace();
// The game's default camera (view/Camera) on the case's own part of the window.
void gameCamera();
// The shapes below draw in the current colour, or in the one given first,
// which then stays current as glColor leaves it.
struct Colour {
  float r, g, b, a = 1.0f;
};
// A primitive of `mode` through 2D corners given as x, y pairs.
void shape(const Colour& colour, GLenum mode, std::initializer_list<float> xy);
// A rectangle at depth z: counter-clockwise, or clockwise when x1 < x0.
void rect(float x0, float y0, float x1, float y1, float z = 0.0f);
void rect(const Colour& colour, float x0, float y0, float x1, float y1, float z = 0.0f);
// Textured, (s0, t0) at the top-left corner and (s1, t1) at the bottom-right,
// so texel row 0 is at the top as in the game.
void texturedRect(float x0, float y0, float x1, float y1, float s0 = 0.0f, float t0 = 0.0f, float s1 = 1.0f,
                  float t1 = 1.0f, float z = 0.0f);
void texturedRect(const Colour& colour, float x0, float y0, float x1, float y1, float s0 = 0.0f,
                  float t0 = 0.0f, float s1 = 1.0f, float t1 = 1.0f, float z = 0.0f);
// RGBA texels, row 0 first, from a function of the texel's column and row.
std::vector<std::uint8_t> picture(int width, int height, const std::function<Texel(int x, int y)>& texel);
// A new texture holding a picture (RGBA bytes unless told otherwise), linear
// and repeating unless told otherwise; stays bound.
GLuint makeTexture(int width, int height, const std::vector<std::uint8_t>& bytes, GLint filter = GL_LINEAR,
                   GLint wrap = GL_REPEAT, GLenum format = GL_RGBA);
// `count` lists, each a square `side` pixels wide in its own colour that
// moves the pen on by `advance`, as glyphs do; returns the first.
GLuint compileBlocks(int count, float brightness, float side = 30.0f, float advance = 35.0f);
