#pragma once
// The small sprites around the bubbles: the translucent shell drawn over every
// germ, the glow of a special bubble, the spinning selection ring, the goo blob,
// the glint of a burst's spark and the puff of the patient's smoke. All are white
// or grey, because the game colours them when it draws them.

#include "Image.h"

namespace BubbleArt {

Image shell();          // diseaseBubble.tga
Image specialGlow();    // specialGlow.tga
Image selectionRing();  // selection.tga
Image goo();            // mouseGoo.tga
Image spark();          // popBubble2.tga, for a 4 : 1 quad
Image smokePuff();      // smokeParticle.tga

}  // namespace BubbleArt
