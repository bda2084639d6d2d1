#pragma once
// A sprite is one image on a 1 x 1 square centred on the origin, compiled once
// into a display list. Owners keep only the list name (-1 until created) and
// draw it with glCallList under their own transform, colour and blending.

constexpr int kNoSprite = -1;

// Creates the sprite of the image at path if listId is negative, otherwise does
// nothing at all (the image is not read again). A failed load still builds the
// square, bound to texture 0, so it draws untextured in the current colour.
void makeSprite(int& listId, const char* path);

// Compiles the unit square (normal +z, counter-clockwise, image upright) into the
// list that is currently open. Shared with the particle emitter's own quad.
void emitUnitQuad();
