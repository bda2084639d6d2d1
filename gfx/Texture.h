#pragma once
// Loads a Targa file into a new OpenGL texture with the game's fixed sampling
// (repeat, linear, no mipmaps). Prints "\nLoading texture <path>..." and then
// either the size or the reason it failed; returns 0 on any failure so the
// caller draws untextured. Needs a current GL context.

unsigned loadTexture(const char* path);
