#pragma once
// The playing screen's background: a hospital room, the patient's body in its
// gown with the stomach cut away as the play field, and the chart on the right
// under the money and the best chain. The game draws it over the patient's
// limbs, so it is opaque everywhere except the windows where a limb shows; each
// window lies where that limb's picture covers it at every sway.

#include "Image.h"
#include "Typeface.h"

namespace BackgroundArt {

Image background(const Typeface& font);

}  // namespace BackgroundArt
