#pragma once
// Drawing habits shared by every picture: shapes filled and then outlined in the
// one ink colour with round joins, friendly eyes, soft highlights. Sizes are in
// the caller's user units.

#include <cairo.h>

#include "Colour.h"

namespace Cartoon {

void ellipse(cairo_t* cr, double cx, double cy, double rx, double ry);
void roundedRect(cairo_t* cr, double x, double y, double w, double h, double radius);
// Fills the current path, then strokes it in ink; the path is consumed.
void fillInked(cairo_t* cr, const Colour& fill, double lineWidth);
// Strokes the current path twice, a wide ink line under a narrower coloured
// one: a tube with an outline (arms, legs, worms, tentacles).
void tube(cairo_t* cr, const Colour& fill, double width, double lineWidth);
void strokeInk(cairo_t* cr, double lineWidth);
// An eye: white with an inked rim, a pupil pushed towards (lookX, lookY) in
// -1..1, and a glint.
void eye(cairo_t* cr, double cx, double cy, double radius, double lookX, double lookY, double lineWidth);
// Fills the current path with the stomach lining, lighter at topY and deeper
// at bottomY, then clips to it (the caller restores); the path is consumed.
void fillStomachLining(cairo_t* cr, double topY, double bottomY);
// A soft white shine, brightest in its middle.
void shine(cairo_t* cr, double cx, double cy, double rx, double ry, double alpha);

}  // namespace Cartoon
