#pragma once
// The seven germs that spin inside the disease bubbles. The game multiplies each
// picture by its kind's colour, so they are drawn in white and light greys with
// dark outlines: the tint colours the body and leaves the outlines and pupils
// dark. Each germ keeps inside the bubble's rim and faces no particular way,
// since it turns.

#include <cairo.h>

#include "Image.h"
#include "assets/AssetTree.h"

namespace GermArt {

constexpr int kKinds = static_cast<int>(AssetTree::kGermImages.size());

// Draws a germ centred on the origin within the unit circle (radius 1 is the
// bubble's edge), in the caller's transform.
void drawGerm(cairo_t* cr, int kind);
// The picture of a kind (0..6), at the size of its file.
Image germImage(int kind);

}  // namespace GermArt
