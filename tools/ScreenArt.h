#pragma once
// The two full-window screens before play: the title with the patient among
// bubbles, and the instructions in the game's own terms. Both are opaque.

#include "Image.h"
#include "Typeface.h"

namespace ScreenArt {

Image title(const Typeface& font);
Image instructions(const Typeface& font);

}  // namespace ScreenArt
