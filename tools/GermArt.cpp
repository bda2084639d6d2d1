#include "GermArt.h"

#include <cmath>

#include "Canvas.h"
#include "Cartoon.h"
#include "Palette.h"

namespace GermArt {

namespace {

// Line width in the unit circle: about 5 pixels of the 128-pixel picture.
constexpr double kLine = 0.075;
const Colour kBody = Colour::bytes(250, 250, 250);
const Colour kShade = Colour::bytes(206, 206, 210);
const Colour kSpot = Colour::bytes(180, 180, 186);

void bodyGradient(cairo_t* cr, double cx, double cy, double radius) {
  cairo_pattern_t* g =
      cairo_pattern_create_radial(cx - radius * 0.35, cy - radius * 0.35, radius * 0.1, cx, cy, radius * 1.1);
  kBody.addStop(g, 0.0);
  kBody.addStop(g, 0.45);
  kShade.addStop(g, 1.0);
  cairo_set_source(cr, g);
  cairo_pattern_destroy(g);
}

// Fills the current path with a lit body and outlines it.
void body(cairo_t* cr, double cx, double cy, double radius, double lineWidth = kLine) {
  bodyGradient(cr, cx, cy, radius);
  cairo_fill_preserve(cr);
  Cartoon::strokeInk(cr, lineWidth);
}

void spot(cairo_t* cr, double x, double y, double r) {
  cairo_new_path(cr);
  cairo_arc(cr, x, y, r, 0, 2 * M_PI);
  kSpot.use(cr);
  cairo_fill(cr);
}

void smile(cairo_t* cr, double x, double y, double w) {
  cairo_new_path(cr);
  cairo_arc(cr, x, y - w * 0.4, w * 0.6, M_PI * 0.2, M_PI * 0.8);
  Cartoon::strokeInk(cr, kLine * 0.7);
}

void mite(cairo_t* cr) {
  // Eight bent legs, four a side, fanning from the back, then the round back
  // and the head.
  for (double side : {-1.0, 1.0}) {
    for (int i = 0; i < 4; ++i) {
      const double a = -0.55 + i * 0.42;  // radians below the horizontal
      cairo_new_path(cr);
      cairo_move_to(cr, side * 0.3 * std::cos(a), 0.16 + 0.3 * std::sin(a));
      cairo_line_to(cr, side * 0.6 * std::cos(a - 0.25), 0.1 + 0.6 * std::sin(a - 0.25));
      cairo_line_to(cr, side * 0.7 * std::cos(a + 0.05), 0.12 + 0.66 * std::sin(a + 0.05));
      Cartoon::tube(cr, kShade, 0.1, kLine * 0.45);
    }
  }
  for (double side : {-1.0, 1.0}) {
    cairo_new_path(cr);
    cairo_move_to(cr, side * 0.1, -0.45);
    cairo_curve_to(cr, side * 0.15, -0.62, side * 0.3, -0.66, side * 0.36, -0.58);
    Cartoon::strokeInk(cr, kLine * 0.8);
    cairo_new_path(cr);
    cairo_arc(cr, side * 0.37, -0.58, 0.05, 0, 2 * M_PI);
    Cartoon::fillInked(cr, kShade, kLine * 0.5);
  }
  cairo_new_path(cr);
  Cartoon::ellipse(cr, 0, 0.16, 0.42, 0.4);
  body(cr, 0, 0.16, 0.42);
  spot(cr, -0.16, 0.3, 0.07);
  spot(cr, 0.14, 0.38, 0.06);
  spot(cr, 0.2, 0.16, 0.05);
  spot(cr, -0.05, 0.45, 0.05);
  cairo_new_path(cr);
  Cartoon::ellipse(cr, 0, -0.26, 0.28, 0.23);
  body(cr, 0, -0.26, 0.28);
  Cartoon::eye(cr, -0.1, -0.29, 0.1, 0.2, 0.2, kLine * 0.6);
  Cartoon::eye(cr, 0.1, -0.29, 0.1, -0.2, 0.2, kLine * 0.6);
  smile(cr, 0, -0.12, 0.12);
}

void spore(cairo_t* cr) {
  // A puffy ball with rounded spikes all round.
  constexpr int kSpikes = 11;
  cairo_new_path(cr);
  for (int i = 0; i <= kSpikes * 2; ++i) {
    const double a = i * M_PI / kSpikes;
    const double r = (i % 2 == 0) ? 0.74 : 0.5;
    const double x = r * std::cos(a), y = r * std::sin(a);
    if (i == 0) {
      cairo_move_to(cr, x, y);
    } else {
      const double am = (i - 0.5) * M_PI / kSpikes;
      const double rm = 0.64;
      cairo_curve_to(cr, rm * std::cos(am - 0.08), rm * std::sin(am - 0.08), rm * std::cos(am + 0.08),
                     rm * std::sin(am + 0.08), x, y);
    }
  }
  cairo_close_path(cr);
  body(cr, 0, 0, 0.7);
  const double dots[6][3] = {{-0.3, 0.25, 0.06},  {0.32, 0.22, 0.07},  {0.05, 0.4, 0.05},
                             {-0.36, -0.1, 0.05}, {0.38, -0.12, 0.05}, {-0.12, -0.42, 0.05}};
  for (const auto& d : dots) spot(cr, d[0], d[1], d[2]);
  Cartoon::eye(cr, -0.14, -0.08, 0.13, 0.1, 0.0, kLine * 0.7);
  Cartoon::eye(cr, 0.14, -0.08, 0.13, 0.1, 0.0, kLine * 0.7);
  smile(cr, 0, 0.15, 0.16);
}

void squid(cairo_t* cr) {
  // Six wavy tentacles under a pointed mantle with fins.
  for (int i = 0; i < 6; ++i) {
    const double x0 = -0.25 + i * 0.1;
    const double swing = (i % 2 == 0 ? 1.0 : -1.0) * 0.1;
    cairo_new_path(cr);
    cairo_move_to(cr, x0, 0.1);
    cairo_curve_to(cr, x0 + swing, 0.3, x0 - swing + (x0 * 0.6), 0.5, x0 * 1.5 + swing, 0.72);
    Cartoon::tube(cr, kShade, 0.1, kLine * 0.45);
  }
  for (double side : {-1.0, 1.0}) {
    cairo_new_path(cr);
    cairo_move_to(cr, side * 0.2, -0.55);
    cairo_curve_to(cr, side * 0.45, -0.55, side * 0.5, -0.4, side * 0.5, -0.3);
    cairo_line_to(cr, side * 0.24, -0.3);
    cairo_close_path(cr);
    Cartoon::fillInked(cr, kShade, kLine * 0.8);
  }
  cairo_new_path(cr);
  cairo_move_to(cr, 0, -0.76);
  cairo_curve_to(cr, 0.22, -0.62, 0.36, -0.3, 0.34, 0.02);
  cairo_curve_to(cr, 0.33, 0.18, -0.33, 0.18, -0.34, 0.02);
  cairo_curve_to(cr, -0.36, -0.3, -0.22, -0.62, 0, -0.76);
  cairo_close_path(cr);
  body(cr, 0, -0.25, 0.45);
  spot(cr, 0.0, -0.45, 0.06);
  spot(cr, -0.12, -0.3, 0.045);
  spot(cr, 0.13, -0.33, 0.05);
  Cartoon::eye(cr, -0.13, -0.05, 0.12, 0.0, 0.3, kLine * 0.6);
  Cartoon::eye(cr, 0.13, -0.05, 0.12, 0.0, 0.3, kLine * 0.6);
}

void worm(cairo_t* cr) {
  // A fat wriggling S, ringed, with a face at its head.
  cairo_new_path(cr);
  cairo_move_to(cr, -0.5, 0.46);
  cairo_curve_to(cr, -0.05, 0.62, 0.2, 0.3, 0.0, 0.0);
  cairo_curve_to(cr, -0.2, -0.3, 0.05, -0.55, 0.42, -0.4);
  cairo_path_t* spine = cairo_copy_path(cr);
  Cartoon::tube(cr, kBody, 0.3, kLine);
  cairo_append_path(cr, spine);
  kShade.withAlpha(0.6).use(cr);
  cairo_set_line_width(cr, 0.08);
  const double rings[2] = {0.02, 0.12};
  cairo_set_dash(cr, rings, 2, 0.0);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
  cairo_stroke(cr);
  cairo_set_dash(cr, nullptr, 0, 0.0);
  cairo_path_destroy(spine);
  // Head.
  cairo_new_path(cr);
  cairo_arc(cr, 0.46, -0.4, 0.2, 0, 2 * M_PI);
  body(cr, 0.46, -0.4, 0.2);
  Cartoon::eye(cr, 0.4, -0.46, 0.08, 0.4, 0.0, kLine * 0.5);
  Cartoon::eye(cr, 0.55, -0.44, 0.08, 0.4, 0.0, kLine * 0.5);
  cairo_new_path(cr);
  cairo_arc(cr, 0.5, -0.36, 0.08, M_PI * 0.1, M_PI * 0.75);
  Cartoon::strokeInk(cr, kLine * 0.6);
}

void ecoli(cairo_t* cr) {
  // A rod with rounded ends, trailing wavy flagella.
  cairo_save(cr);
  cairo_rotate(cr, -0.55);
  cairo_scale(cr, 1.15, 1.15);
  for (int i = 0; i < 4; ++i) {
    const double y0 = -0.12 + i * 0.08;
    cairo_new_path(cr);
    cairo_move_to(cr, -0.4, y0);
    cairo_curve_to(cr, -0.54, y0 - 0.14, -0.6, y0 + 0.14, -0.68, y0 + (i - 1.5) * 0.07);
    Cartoon::tube(cr, kShade, 0.04, kLine * 0.3);
  }
  for (double side : {-1.0, 1.0}) {
    cairo_new_path(cr);
    cairo_move_to(cr, 0.0, side * 0.2);
    cairo_curve_to(cr, 0.05, side * 0.35, -0.1, side * 0.4, 0.0, side * 0.55);
    Cartoon::tube(cr, kShade, 0.04, kLine * 0.3);
  }
  cairo_new_path(cr);
  Cartoon::roundedRect(cr, -0.5, -0.24, 1.05, 0.48, 0.24);
  body(cr, 0.02, 0, 0.5);
  spot(cr, -0.25, 0.08, 0.05);
  spot(cr, -0.12, -0.1, 0.04);
  spot(cr, -0.32, -0.08, 0.035);
  Cartoon::eye(cr, 0.22, -0.07, 0.1, 0.5, 0.0, kLine * 0.6);
  Cartoon::eye(cr, 0.4, -0.07, 0.1, 0.5, 0.0, kLine * 0.6);
  cairo_new_path(cr);
  cairo_arc(cr, 0.32, 0.07, 0.08, M_PI * 0.15, M_PI * 0.85);
  Cartoon::strokeInk(cr, kLine * 0.6);
  cairo_restore(cr);
}

void fetus(cairo_t* cr) {
  // A curled-up bean of a baby germ, fast asleep.
  cairo_new_path(cr);
  cairo_move_to(cr, 0.1, -0.5);
  cairo_curve_to(cr, 0.62, -0.5, 0.7, 0.2, 0.38, 0.48);
  cairo_curve_to(cr, 0.12, 0.7, -0.4, 0.64, -0.5, 0.3);
  cairo_curve_to(cr, -0.55, 0.12, -0.35, 0.02, -0.2, 0.16);
  cairo_curve_to(cr, -0.1, 0.26, 0.0, 0.3, 0.12, 0.2);
  cairo_curve_to(cr, -0.2, 0.0, -0.4, -0.5, 0.1, -0.5);
  cairo_close_path(cr);
  body(cr, 0.1, 0.05, 0.6);
  // The curled tail tip.
  cairo_new_path(cr);
  cairo_move_to(cr, -0.45, 0.28);
  cairo_curve_to(cr, -0.62, 0.3, -0.66, 0.12, -0.52, 0.08);
  Cartoon::strokeInk(cr, kLine * 0.8);
  // A tiny hand tucked under the chin.
  cairo_new_path(cr);
  Cartoon::ellipse(cr, 0.02, 0.06, 0.09, 0.07);
  Cartoon::fillInked(cr, kShade, kLine * 0.6);
  // Closed eye and a sleepy smile.
  cairo_new_path(cr);
  cairo_arc(cr, 0.24, -0.2, 0.1, M_PI * 0.1, M_PI * 0.9);
  Cartoon::strokeInk(cr, kLine * 0.7);
  cairo_new_path(cr);
  cairo_arc(cr, 0.42, 0.0, 0.06, M_PI * 0.2, M_PI * 0.9);
  Cartoon::strokeInk(cr, kLine * 0.6);
  spot(cr, 0.0, -0.3, 0.05);
  spot(cr, 0.3, 0.3, 0.06);
  Cartoon::shine(cr, 0.05, -0.32, 0.14, 0.08, 0.8);
}

void caterpillar(cairo_t* cr) {
  // Five round segments along an arc, each with two stubby feet.
  constexpr int kSegments = 5;
  cairo_scale(cr, 1.12, 1.12);
  cairo_translate(cr, 0.0, 0.05);
  for (int i = kSegments - 1; i >= 0; --i) {
    const double a = M_PI * (0.95 - i * 0.2);
    const double x = 0.44 * std::cos(a), y = 0.44 * std::sin(a) - 0.05;
    const double r = 0.22 - i * 0.012;
    for (double foot : {-0.35, 0.35}) {
      const double fa = a + foot;
      cairo_new_path(cr);
      cairo_arc(cr, x + 0.22 * std::cos(fa) * 0.9, y + 0.22 * std::sin(fa) * 0.9, 0.05, 0, 2 * M_PI);
      Cartoon::fillInked(cr, kShade, kLine * 0.35);
    }
    cairo_new_path(cr);
    cairo_arc(cr, x, y, r, 0, 2 * M_PI);
    body(cr, x, y, r, kLine * 0.7);
    spot(cr, x - r * 0.2, y + r * 0.25, r * 0.22);
  }
  // The head at the arc's start, with antennae.
  const double hx = 0.44 * std::cos(M_PI * 1.15), hy = 0.44 * std::sin(M_PI * 1.15) - 0.12;
  for (double side : {-1.0, 1.0}) {
    cairo_new_path(cr);
    cairo_move_to(cr, hx + side * 0.06, hy - 0.15);
    cairo_line_to(cr, hx + side * 0.1 + 0.03, hy - 0.26);
    Cartoon::tube(cr, kShade, 0.04, kLine * 0.3);
    cairo_new_path(cr);
    cairo_arc(cr, hx + side * 0.1 + 0.03, hy - 0.27, 0.045, 0, 2 * M_PI);
    Cartoon::fillInked(cr, kShade, kLine * 0.35);
  }
  cairo_new_path(cr);
  cairo_arc(cr, hx, hy, 0.24, 0, 2 * M_PI);
  body(cr, hx, hy, 0.24, kLine * 0.8);
  Cartoon::eye(cr, hx - 0.08, hy - 0.04, 0.085, 0.0, 0.2, kLine * 0.55);
  Cartoon::eye(cr, hx + 0.08, hy - 0.04, 0.085, 0.0, 0.2, kLine * 0.55);
  smile(cr, hx, hy + 0.12, 0.1);
}

}  // namespace

void drawGerm(cairo_t* cr, int kind) {
  cairo_save(cr);
  switch (kind) {
    case 0:
      mite(cr);
      break;
    case 1:
      spore(cr);
      break;
    case 2:
      squid(cr);
      break;
    case 3:
      worm(cr);
      break;
    case 4:
      ecoli(cr);
      break;
    case 5:
      fetus(cr);
      break;
    default:
      caterpillar(cr);
      break;
  }
  cairo_restore(cr);
}

Image germImage(int kind) {
  const AssetTree::File& file = AssetTree::kGermImages[kind];
  Canvas canvas(file.width, file.height);
  cairo_t* cr = canvas.context();
  cairo_translate(cr, file.width / 2.0, file.height / 2.0);
  cairo_scale(cr, file.width / 2.0, file.height / 2.0);
  drawGerm(cr, kind);
  return canvas.toImage();
}

}  // namespace GermArt
