#pragma once
// The patient's five body pictures: a feverish but cheerful head, a waving arm,
// an arm holding a steaming thermometer (the game's smoke rises from its bulb)
// and two feet in slippers. Each picture is opaque: the limb stands on the room
// wall's own colour, so wherever the background opens a window onto it the wall
// continues seamlessly and only the limb seems to move.
//
// The draw functions paint just the limb, in the picture's own pixels, so the
// title screen can pose the same patient at another size.

#include <cairo.h>

#include "Image.h"
#include "PatientRig.h"

namespace PatientArt {

void drawHead(cairo_t* cr);                // 256 x 168
void drawWavingArm(cairo_t* cr);           // 128 x 128, the arm on the screen's left
void drawHoldingArm(cairo_t* cr);          // 128 x 128, the arm on the screen's right
void drawLeg(cairo_t* cr, bool toesLeft);  // 64 x 64

// The finished picture of one limb of PatientRig, on its wall backdrop.
Image limbImage(const LimbRig& limb);

}  // namespace PatientArt
