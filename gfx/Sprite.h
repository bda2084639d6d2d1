#pragma once
// A sprite is one image on a 1 x 1 square centred on the origin, compiled once
// into a display list. Owners keep only the list name (-1 until created) and
// draw it with glCallList under their own transform, colour and blending.

constexpr int kNoSprite = -1;
// A texture slot holding this asks makeSprite to load the sprite's image.
constexpr int kNoTexture = -1;

// Creates the sprite if listId is negative, otherwise does nothing at all. The
// texture slot decides what the square shows: a negative slot loads the image
// at path and receives the new texture's name (0 after a failed load, so the
// square draws untextured in the current colour); any other slot is a texture
// that exists already, used as it is without reading path. The game gives
// every sprite a fresh slot of kNoTexture, so each loads its own image.
void makeSprite(int& listId, int& textureId, const char* path);

// Compiles the unit square (normal +z, counter-clockwise, image upright) into the
// list that is currently open. Shared with the particle emitter's own quad.
void emitUnitQuad();
