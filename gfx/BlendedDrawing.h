#pragma once
// The state every blended sprite is drawn in: texturing on, alpha blending
// (source alpha over one minus source alpha), and the alpha test dropping fully
// transparent texels so they write neither colour nor depth. Each drawing
// routine brackets its own sprites with these two calls and so leaves the
// state as the start-up set it.
void beginBlendedDrawing();
void endBlendedDrawing();
