#pragma once
// One conformance case of the GL 1.x layer: a named sequence of GL 1.x, GLU
// and game calls that draws into a cleared 1024 x 768 window. The same table
// is compiled twice, against Mesa's real OpenGL on the desktop and against the
// browser build's layer, and the pictures the two draw are compared.

#include <vector>

#include "CaseContext.h"

struct GlCase {
  const char* name;
  void (*draw)(CaseContext& context);
};

// Every case, in the order both runners draw them, gathered from the themes
// below.
const std::vector<GlCase>& glCases();
std::vector<GlCase> listCases();
std::vector<GlCase> attributeCases();
std::vector<GlCase> transformAndColourCases();
std::vector<GlCase> textureCases();
std::vector<GlCase> rasterCases();
std::vector<GlCase> gameCases();

// Puts back what every case starts from: the game's start-up state, identity
// matrices, texturing, blending and the alpha test off, a white colour, list
// base 0, unpack alignment 4, the window cleared to black.
void startCase();
// Starts, draws and finishes one case and returns the window's pixels: RGBA,
// bottom row first. Adds the checks every case must pass (no GL error left,
// every stack back where it was) to the context.
std::vector<unsigned char> drawCase(const GlCase& glCase, CaseContext& context);
