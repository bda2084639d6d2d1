#include "BackgroundArt.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "Canvas.h"
#include "Cartoon.h"
#include "Palette.h"
#include "PatientRig.h"
#include "RoomLayout.h"
#include "WorldFrame.h"
#include "assets/AssetTree.h"

namespace BackgroundArt {

namespace {

using namespace RoomLayout;
using WorldFrame::pixelX;
using WorldFrame::pixelY;

constexpr double kLine = 3.0;  // outline width, pixels
constexpr double kPixel = 1.0 / WorldFrame::kPixelsPerUnit;
// How far inside a limb's square a window may reach: a pixel and a half, so
// neither rasterisation nor texture filtering can find its edge.
constexpr double kWindowMargin = 1.5 * kPixel;
// Where the smoke leaves the arm's window, the window's edge fades out over
// these distances instead of cutting the puffs off.
constexpr double kSmokeFadeTop = 0.09;
constexpr double kSmokeFadeSide = 0.04;
constexpr double kSmokeFadeBelow = 2.9;  // world y under which the side stays sharp

double smoothstep(double edge0, double edge1, double x) {
  const double t = std::clamp((x - edge0) / (edge1 - edge0), 0.0, 1.0);
  return t * t * (3.0 - 2.0 * t);
}

void moveTo(cairo_t* cr, double x, double y) { cairo_move_to(cr, pixelX(x), pixelY(y)); }
void lineTo(cairo_t* cr, double x, double y) { cairo_line_to(cr, pixelX(x), pixelY(y)); }
void curveTo(cairo_t* cr, double x1, double y1, double x2, double y2, double x3, double y3) {
  cairo_curve_to(cr, pixelX(x1), pixelY(y1), pixelX(x2), pixelY(y2), pixelX(x3), pixelY(y3));
}
void worldRect(cairo_t* cr, double left, double bottom, double right, double top, double radiusPixels) {
  Cartoon::roundedRect(cr, pixelX(left), pixelY(top), pixelX(right) - pixelX(left),
                       pixelY(bottom) - pixelY(top), radiusPixels);
}

// ---- the room ----------------------------------------------------------

void wall(cairo_t* cr) {
  Palette::kWallUpper.use(cr);
  cairo_paint(cr);
  Palette::kWallLower.use(cr);
  cairo_rectangle(cr, 0, pixelY(kRailY), WorldFrame::kWidth, WorldFrame::kHeight);
  cairo_fill(cr);
  // The dado rail.
  const double railTop = pixelY(kRailY) - 6, railBottom = pixelY(kRailY) + 4;
  Palette::kRail.use(cr);
  cairo_rectangle(cr, 0, railTop, WorldFrame::kWidth, railBottom - railTop);
  cairo_fill(cr);
  Palette::kRailLight.use(cr);
  cairo_rectangle(cr, 0, railTop, WorldFrame::kWidth, 2);
  cairo_fill(cr);
  // Floor boards.
  const double floorTop = pixelY(kFloorY);
  Palette::kFloor.use(cr);
  cairo_rectangle(cr, 0, floorTop, WorldFrame::kWidth, WorldFrame::kHeight - floorTop);
  cairo_fill(cr);
  Palette::kFloorDark.use(cr);
  cairo_rectangle(cr, 0, floorTop, WorldFrame::kWidth, 3);
  cairo_fill(cr);
  for (int x = 40; x < WorldFrame::kWidth; x += 150) {
    cairo_rectangle(cr, x, floorTop + 3, 2, WorldFrame::kHeight - floorTop);
    cairo_fill(cr);
  }
}

void heartMonitor(cairo_t* cr) {
  cairo_new_path(cr);
  worldRect(cr, -3.82, 5.22, -2.3, 5.9, 12);
  Cartoon::fillInked(cr, Colour::bytes(226, 232, 240), kLine);
  cairo_new_path(cr);
  worldRect(cr, -3.72, 5.3, -2.72, 5.8, 7);
  Cartoon::fillInked(cr, Colour::bytes(34, 60, 70), 2.0);
  // A heartbeat trace.
  cairo_new_path(cr);
  const double base = 5.52;
  const double trace[][2] = {{-3.68, 0},     {-3.42, 0}, {-3.37, 0.06}, {-3.33, -0.14}, {-3.28, 0.22},
                             {-3.23, -0.05}, {-3.2, 0},  {-3.0, 0},     {-2.95, 0.05},  {-2.91, -0.12},
                             {-2.87, 0.18},  {-2.83, 0}, {-2.76, 0}};
  moveTo(cr, trace[0][0], base + trace[0][1]);
  for (const auto& p : trace) lineTo(cr, p[0], base + p[1]);
  Colour::bytes(120, 255, 170).use(cr);
  cairo_set_line_width(cr, 2.5);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_stroke(cr);
  // A beating heart and two knobs.
  const double hx = pixelX(-2.5), hy = pixelY(5.62);
  cairo_new_path(cr);
  cairo_move_to(cr, hx, hy + 10);
  cairo_curve_to(cr, hx - 16, hy - 2, hx - 8, hy - 14, hx, hy - 5);
  cairo_curve_to(cr, hx + 8, hy - 14, hx + 16, hy - 2, hx, hy + 10);
  cairo_close_path(cr);
  Cartoon::fillInked(cr, Palette::kFever, 2.0);
  for (double x : {-2.58, -2.42}) {
    cairo_new_path(cr);
    cairo_arc(cr, pixelX(x), pixelY(5.36), 5, 0, 2 * M_PI);
    Cartoon::fillInked(cr, Palette::kMetal, 2.0);
  }
}

void bunting(cairo_t* cr) {
  const Colour flags[4] = {Colour::bytes(255, 170, 190), Colour::bytes(255, 228, 140),
                           Colour::bytes(170, 230, 190), Colour::bytes(200, 185, 250)};
  const double x0 = -0.22, x1 = 1.8, top = 5.93, sag = 0.16;
  auto stringY = [&](double x) {
    const double t = (x - x0) / (x1 - x0);
    return top - sag * 4.0 * t * (1.0 - t);
  };
  cairo_new_path(cr);
  moveTo(cr, x0, stringY(x0));
  for (int i = 1; i <= 20; ++i) lineTo(cr, x0 + (x1 - x0) * i / 20.0, stringY(x0 + (x1 - x0) * i / 20.0));
  Cartoon::strokeInk(cr, 2.0);
  constexpr int kFlags = 7;
  for (int i = 0; i < kFlags; ++i) {
    const double a = x0 + (x1 - x0) * (i + 0.2) / kFlags;
    const double b = x0 + (x1 - x0) * (i + 0.8) / kFlags;
    const double mid = (a + b) / 2.0;
    cairo_new_path(cr);
    moveTo(cr, a, stringY(a));
    lineTo(cr, b, stringY(b));
    lineTo(cr, mid, stringY(mid) - 0.24);
    cairo_close_path(cr);
    Cartoon::fillInked(cr, flags[i % 4], 2.0);
  }
}

void pottedPlant(cairo_t* cr) {
  // Leaves first, the pot over their stems.
  const double leaves[5][3] = {
      {-3.78, 1.05, -0.5}, {-3.86, 0.95, -1.0}, {-3.7, 0.95, 0.3}, {-3.65, 0.75, 0.9}, {-3.9, 0.75, -1.4}};
  for (const auto& l : leaves) {
    cairo_save(cr);
    cairo_translate(cr, pixelX(l[0]), pixelY(l[1]));
    cairo_rotate(cr, l[2]);
    cairo_new_path(cr);
    cairo_move_to(cr, 0, 22);
    cairo_curve_to(cr, -14, 8, -10, -14, 0, -22);
    cairo_curve_to(cr, 10, -14, 14, 8, 0, 22);
    cairo_close_path(cr);
    Cartoon::fillInked(cr, Colour::bytes(120, 196, 120), 2.5);
    cairo_new_path(cr);
    cairo_move_to(cr, 0, 18);
    cairo_line_to(cr, 0, -14);
    Colour::bytes(86, 150, 92).use(cr);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    cairo_restore(cr);
  }
  cairo_new_path(cr);
  moveTo(cr, -3.97, 0.62);
  lineTo(cr, -3.6, 0.62);
  lineTo(cr, -3.64, 0.13);
  lineTo(cr, -3.93, 0.13);
  cairo_close_path(cr);
  Cartoon::fillInked(cr, Colour::bytes(232, 136, 96), kLine);
  cairo_new_path(cr);
  worldRect(cr, -3.99, 0.52, -3.58, 0.64, 4);
  Cartoon::fillInked(cr, Colour::bytes(244, 160, 118), kLine);
}

// A tall window between the patient and the chart, its evening sky behind the
// arm with the thermometer. Its sides are hidden by the body and the board; the
// stars and the moon keep clear of the arm's window, which shows the plain sky
// of the arm's own picture.
void nightWindow(cairo_t* cr) {
  cairo_new_path(cr);
  worldRect(cr, kWindowLeft, kWindowBottom, kWindowRight, kWindowTop, 0);
  Palette::kNightSky.use(cr);
  cairo_fill(cr);
  const double stars[][3] = {
      {1.38, 3.82, 3}, {1.62, 3.62, 2}, {1.48, 2.42, 2.5}, {1.7, 2.5, 2}, {1.33, 3.55, 2}};
  for (const auto& s : stars) {
    cairo_new_path(cr);
    cairo_arc(cr, pixelX(s[0]), pixelY(s[1]), s[2], 0, 2 * M_PI);
    Palette::kStar.use(cr);
    cairo_fill(cr);
  }
  // A crescent moon.
  cairo_new_path(cr);
  cairo_arc(cr, pixelX(1.62), pixelY(3.82), 14, 0, 2 * M_PI);
  cairo_new_sub_path(cr);
  cairo_arc_negative(cr, pixelX(1.62) + 7, pixelY(3.82) - 4, 12, 2 * M_PI, 0);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
  Palette::kStar.use(cr);
  cairo_fill(cr);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
  // The frame: sill and lintel, and a glazing bar above the arm.
  for (double y : {kWindowBottom, kWindowTop}) {
    cairo_new_path(cr);
    worldRect(cr, kWindowLeft - 0.05, y - 0.045, kWindowRight + 0.05, y + 0.045, 4);
    Cartoon::fillInked(cr, Palette::kWhite, kLine);
  }
  cairo_new_path(cr);
  worldRect(cr, kWindowLeft, 3.46, kWindowRight, 3.5, 0);
  Cartoon::fillInked(cr, Palette::kWhite, 2.0);
}

void dripBag(cairo_t* cr) {
  // A drip on its hook, its line running into the patient's side.
  cairo_new_path(cr);
  moveTo(cr, 1.55, 6.0);
  lineTo(cr, 1.55, 4.98);
  Cartoon::strokeInk(cr, 3.0);
  cairo_new_path(cr);
  moveTo(cr, 1.55, 4.08);
  curveTo(cr, 1.55, 3.86, 1.4, 3.84, 1.2, 3.95);
  Colour::bytes(190, 220, 240).use(cr);
  cairo_set_line_width(cr, 4);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_stroke(cr);
  cairo_new_path(cr);
  worldRect(cr, 1.36, 4.28, 1.74, 4.98, 10);
  Cartoon::fillInked(cr, Colour::bytes(236, 246, 255, 0.95), kLine);
  cairo_new_path(cr);
  worldRect(cr, 1.4, 4.32, 1.7, 4.66, 7);
  Colour::bytes(255, 214, 120).use(cr);
  cairo_fill(cr);
  cairo_new_path(cr);
  worldRect(cr, 1.5, 4.08, 1.6, 4.28, 3);
  Cartoon::fillInked(cr, Palette::kMetal, 2.0);
  cairo_new_path(cr);
  cairo_move_to(cr, pixelX(1.55) - 7, pixelY(4.62));
  cairo_line_to(cr, pixelX(1.55) + 7, pixelY(4.62));
  cairo_move_to(cr, pixelX(1.55), pixelY(4.62) - 7);
  cairo_line_to(cr, pixelX(1.55), pixelY(4.62) + 7);
  Palette::kWhite.use(cr);
  cairo_set_line_width(cr, 4);
  cairo_stroke(cr);
}

// ---- the windows onto the limbs ------------------------------------------

// Clears the background wherever a limb's picture covers it at every sway. The
// arm with the thermometer gets soft edges above and beside its bulb, where the
// smoke drifts out of its window.
void openLimbWindows(Canvas& canvas) {
  canvas.flush();
  const Colour& skyBehindSmoke = Palette::kNightSky;
  for (const LimbRig* limb : PatientRig::kAll) {
    const double reach = std::hypot(limb->width, limb->height) / 2.0 + limb->bob;
    const int x0 = std::max(0, static_cast<int>(pixelX(limb->centreX - reach)));
    const int x1 = std::min(WorldFrame::kWidth - 1, static_cast<int>(pixelX(limb->centreX + reach)) + 1);
    const int y0 = std::max(0, static_cast<int>(pixelY(limb->centreY + reach)));
    const int y1 = std::min(WorldFrame::kHeight - 1, static_cast<int>(pixelY(limb->centreY - reach)) + 1);
    const bool smoky = limb == &PatientRig::kArmLeft;
    for (int py = y0; py <= y1; ++py) {
      for (int px = x0; px <= x1; ++px) {
        const double wx = WorldFrame::worldX(px + 0.5), wy = WorldFrame::worldY(py + 0.5);
        if (limb->clearance(wx, wy) <= kWindowMargin) continue;
        double cover = 0.0;
        if (smoky) {
          const double windowTop = limb->centreY + limb->height / 2.0 - limb->bob - kWindowMargin;
          const double windowRight = limb->centreX + limb->width / 2.0 - kWindowMargin;
          const double fadeTop = 1.0 - smoothstep(0.0, kSmokeFadeTop, windowTop - wy);
          const double fadeSide = (1.0 - smoothstep(0.0, kSmokeFadeSide, windowRight - wx)) *
                                  smoothstep(kSmokeFadeBelow - 0.05, kSmokeFadeBelow + 0.05, wy);
          cover = std::max(fadeTop, fadeSide);
        }
        std::uint8_t* p = canvas.pixel(px, py);
        const auto a = static_cast<std::uint8_t>(std::lround(cover * 255.0));
        p[0] = static_cast<std::uint8_t>(std::lround(skyBehindSmoke.b * a));
        p[1] = static_cast<std::uint8_t>(std::lround(skyBehindSmoke.g * a));
        p[2] = static_cast<std::uint8_t>(std::lround(skyBehindSmoke.r * a));
        p[3] = a;
      }
    }
  }
  canvas.markDirty();
}

// ---- the patient's body ------------------------------------------------

void bodyPath(cairo_t* cr) {
  constexpr double kCorner = 0.18;
  cairo_new_path(cr);
  moveTo(cr, kBodyLeft, kBodyBottom + kCorner);
  lineTo(cr, kBodyLeft, kShoulderY);
  curveTo(cr, kBodyLeft, 4.85, kBodyLeft + 0.35, kCollarY - 0.02, kBodyLeft + 0.9, kCollarY);
  lineTo(cr, kNeckLeft, kCollarY);
  curveTo(cr, -1.4, kCollarY - 0.04, -0.86, kCollarY - 0.04, kNeckRight, kCollarY);
  lineTo(cr, kBodyRight - 0.9, kCollarY);
  curveTo(cr, kBodyRight - 0.35, kCollarY - 0.02, kBodyRight, 4.85, kBodyRight, kShoulderY);
  lineTo(cr, kBodyRight, kBodyBottom + kCorner);
  curveTo(cr, kBodyRight, kBodyBottom, kBodyRight, kBodyBottom, kBodyRight - kCorner, kBodyBottom);
  lineTo(cr, kBodyLeft + kCorner, kBodyBottom);
  curveTo(cr, kBodyLeft, kBodyBottom, kBodyLeft, kBodyBottom, kBodyLeft, kBodyBottom + kCorner);
  cairo_close_path(cr);
}

void body(cairo_t* cr) {
  bodyPath(cr);
  Palette::kGown.use(cr);
  cairo_fill_preserve(cr);
  cairo_save(cr);
  cairo_clip(cr);
  Palette::kGownDot.use(cr);
  for (int row = 0; row < 42; ++row) {
    for (int col = 0; col < 40; ++col) {
      const double x = kBodyLeft + col * 0.16 + (row % 2) * 0.08, y = kBodyBottom + row * 0.14;
      cairo_new_path(cr);
      cairo_arc(cr, pixelX(x), pixelY(y), 3.0, 0, 2 * M_PI);
      cairo_fill(cr);
    }
  }
  // The collar's trim around the neck.
  cairo_new_path(cr);
  moveTo(cr, kNeckLeft - 0.05, kCollarY - 0.02);
  curveTo(cr, -1.4, kCollarY - 0.09, -0.86, kCollarY - 0.09, kNeckRight + 0.05, kCollarY - 0.02);
  Palette::kGownShade.use(cr);
  cairo_set_line_width(cr, 7);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_stroke(cr);
  cairo_restore(cr);
  bodyPath(cr);
  Cartoon::strokeInk(cr, kLine);
}

// ---- the stomach -------------------------------------------------------

void cavityPath(cairo_t* cr, double grow) {
  const double left = kStomachLeft - grow, right = kStomachRight + grow;
  const double bottom = kStomachFloor - grow, top = kStomachTop + grow;
  const double rTop = (kStomachTopRadius + grow) * WorldFrame::kPixelsPerUnit;
  const double rBottom = (0.08 + grow) * WorldFrame::kPixelsPerUnit;
  const double l = pixelX(left), r = pixelX(right), t = pixelY(top), b = pixelY(bottom);
  cairo_new_path(cr);
  cairo_move_to(cr, l, b - rBottom);
  cairo_line_to(cr, l, t + rTop);
  cairo_arc(cr, l + rTop, t + rTop, rTop, M_PI, 1.5 * M_PI);
  cairo_arc(cr, r - rTop, t + rTop, rTop, 1.5 * M_PI, 2 * M_PI);
  cairo_arc(cr, r - rBottom, b - rBottom, rBottom, 0, 0.5 * M_PI);
  cairo_arc(cr, l + rBottom, b - rBottom, rBottom, 0.5 * M_PI, M_PI);
  cairo_close_path(cr);
}

void stomach(cairo_t* cr) {
  // The muscular wall around the cavity.
  cavityPath(cr, kStomachWallWidth);
  Cartoon::fillInked(cr, Palette::kStomachWall, kLine);
  cavityPath(cr, kStomachWallWidth * 0.45);
  Colour::bytes(214, 98, 128).use(cr);
  cairo_set_line_width(cr, 2.5);
  cairo_stroke(cr);

  // The lining: lighter high up, deeper towards the floor, with soft folds.
  cavityPath(cr, 0.0);
  Cartoon::fillStomachLining(cr, pixelY(kStomachTop), pixelY(kStomachFloor));
  for (int k = 0; k < 9; ++k) {
    const double y0 = 0.78 + k * 0.46;
    for (int pass = 0; pass < 2; ++pass) {
      cairo_new_path(cr);
      for (int i = 0; i <= 60; ++i) {
        const double x = kStomachLeft - 0.1 + (kStomachRight - kStomachLeft + 0.2) * i / 60.0;
        const double y = y0 + 0.07 * std::sin(x * 1.9 + k * 1.3) + 0.03 * std::sin(x * 4.7 + k * 2.1) +
                         (pass == 0 ? 0.0 : 0.035);
        if (i == 0)
          moveTo(cr, x, y);
        else
          lineTo(cr, x, y);
      }
      if (pass == 0) {
        Palette::kStomachFold.withAlpha(0.55).use(cr);
        cairo_set_line_width(cr, 6);
      } else {
        Palette::kStomachGloss.withAlpha(0.5).use(cr);
        cairo_set_line_width(cr, 3);
      }
      cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
      cairo_stroke(cr);
    }
  }
  // Shade along the walls and the floor, so the cavity looks deep.
  struct Edge {
    double x0, y0, x1, y1;
  };
  const Edge edges[3] = {{kStomachLeft, 0, kStomachLeft + 0.3, 0},
                         {kStomachRight, 0, kStomachRight - 0.3, 0},
                         {0, kStomachFloor, 0, kStomachFloor + 0.3}};
  for (const Edge& e : edges) {
    cairo_pattern_t* shade =
        cairo_pattern_create_linear(pixelX(e.x0), pixelY(e.y0), pixelX(e.x1), pixelY(e.y1));
    Palette::kStomachWall.withAlpha(0.35).addStop(shade, 0.0);
    Palette::kStomachWall.withAlpha(0.0).addStop(shade, 1.0);
    cairo_set_source(cr, shade);
    cairo_paint(cr);
    cairo_pattern_destroy(shade);
  }
  cairo_restore(cr);
  cavityPath(cr, 0.0);
  Palette::kInk.withAlpha(0.55).use(cr);
  cairo_set_line_width(cr, 2.0);
  cairo_stroke(cr);
}

// ---- the chart -----------------------------------------------------------

// Starts a line of handwriting on the chart: baseline at the world point, tilted
// like the numbers the game writes.
void penAt(cairo_t* cr, double x, double y) {
  cairo_translate(cr, pixelX(x), pixelY(y));
  cairo_rotate(cr, -kTextTiltDegrees * M_PI / 180.0);
}

void chartLabel(cairo_t* cr, const Typeface& font, const char* text, double x, double y, double size) {
  cairo_save(cr);
  penAt(cr, x, y);
  font.use(cr, size * WorldFrame::kPixelsPerUnit);
  Palette::kPen.use(cr);
  font.fill(cr, text, 0, 0, Typeface::Align::Left);
  cairo_restore(cr);
}

// The line a value is written on, like a form's field.
void fieldLine(cairo_t* cr, double x, double y, double length) {
  cairo_save(cr);
  penAt(cr, x, y);
  cairo_new_path(cr);
  cairo_move_to(cr, 0, 0);
  cairo_line_to(cr, length * WorldFrame::kPixelsPerUnit, 0);
  Palette::kPen.withAlpha(0.45).use(cr);
  cairo_set_line_width(cr, 2.0);
  const double dash[2] = {6.0, 5.0};
  cairo_set_dash(cr, dash, 2, 0.0);
  cairo_stroke(cr);
  cairo_restore(cr);
}

void star(cairo_t* cr, double cx, double cy, double radius) {
  cairo_new_path(cr);
  for (int i = 0; i < 10; ++i) {
    const double a = -M_PI / 2 + i * M_PI / 5;
    const double r = (i % 2 == 0) ? radius : radius * 0.45;
    cairo_line_to(cr, cx + r * std::cos(a), cy + r * std::sin(a));
  }
  cairo_close_path(cr);
  Cartoon::fillInked(cr, Colour::bytes(255, 206, 70), 2.5);
}

// A few notes in the doctor's hand under the numbers: the rules in brief, so
// the sheet explains the game instead of showing figures that never change.
// Each note sits on a ruled line after a small bubble in one of the germs'
// colours, shrunk if need be to end before the sheet's edge.
void rulesNotes(cairo_t* cr, const Typeface& font) {
  chartLabel(cr, font, "Doctor's notes", kMoneyX - 0.02, 2.74, 0.2);
  struct Note {
    std::string text;
    int kind;
  };
  const Note notes[] = {{"Same germs merge", 1},
                        {"Big ones pop: +$" + std::to_string(AssetTree::kBurstReward), 0},
                        {"Quick pops chain up", 2},
                        {"Click: pop for a price", 5}};
  constexpr double kFirstLine = 2.17, kLineStep = 0.5;  // on every other ruled line
  constexpr double kBulletX = 2.1, kTextX = 2.24, kTextRight = 3.8;
  constexpr double kTextSize = 0.17, kBulletRadius = 8.0;  // world units, pixels
  double baseline = kFirstLine;
  for (const Note& note : notes) {
    cairo_new_path(cr);
    cairo_arc(cr, pixelX(kBulletX), pixelY(baseline + 0.06), kBulletRadius, 0, 2 * M_PI);
    Cartoon::fillInked(cr, Palette::kKindTint[note.kind].mix(Palette::kWhite, 0.35), 1.5);
    cairo_save(cr);
    font.use(cr, kTextSize * WorldFrame::kPixelsPerUnit);
    const double room = (kTextRight - kTextX) * WorldFrame::kPixelsPerUnit;
    const double width = font.advance(cr, note.text);
    if (width > room) font.use(cr, kTextSize * WorldFrame::kPixelsPerUnit * room / width);
    Palette::kPen.use(cr);
    font.fill(cr, note.text, pixelX(kTextX), pixelY(baseline + 0.02), Typeface::Align::Left);
    cairo_restore(cr);
    baseline -= kLineStep;
  }
}

void chart(cairo_t* cr, const Typeface& font) {
  // The clipboard.
  cairo_new_path(cr);
  worldRect(cr, kBoardLeft, kBoardBottom, kBoardRight, kBoardTop, 16);
  cairo_pattern_t* wood = cairo_pattern_create_linear(pixelX(kBoardLeft), 0, pixelX(kBoardRight), 0);
  Palette::kBoard.addStop(wood, 0.0);
  Palette::kBoard.mix(Palette::kWhite, 0.12).addStop(wood, 0.5);
  Palette::kBoard.addStop(wood, 1.0);
  cairo_set_source(cr, wood);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(wood);
  Cartoon::strokeInk(cr, kLine);

  // The sheet, with a soft shadow and ruled lines.
  const double left = 1.95, right = 3.86, bottom = 0.2, top = 5.64;
  cairo_new_path(cr);
  worldRect(cr, left + 0.03, bottom - 0.03, right + 0.03, top - 0.03, 4);
  Palette::kInk.withAlpha(0.25).use(cr);
  cairo_fill(cr);
  cairo_new_path(cr);
  worldRect(cr, left, bottom, right, top, 4);
  Palette::kPaper.use(cr);
  cairo_fill_preserve(cr);
  Palette::kInk.withAlpha(0.5).use(cr);
  cairo_set_line_width(cr, 1.5);
  cairo_stroke(cr);
  Palette::kPaperLine.withAlpha(0.6).use(cr);
  cairo_set_line_width(cr, 1.0);
  for (double y = 0.42; y < 5.0; y += 0.25) {
    cairo_move_to(cr, pixelX(left + 0.04), pixelY(y));
    cairo_line_to(cr, pixelX(right - 0.04), pixelY(y));
  }
  cairo_stroke(cr);

  // The clip.
  cairo_new_path(cr);
  worldRect(cr, 2.45, 5.46, 3.36, 5.8, 10);
  cairo_pattern_t* metal = cairo_pattern_create_linear(0, pixelY(5.8), 0, pixelY(5.46));
  Palette::kMetal.mix(Palette::kWhite, 0.5).addStop(metal, 0.0);
  Palette::kMetal.addStop(metal, 0.5);
  Palette::kMetalDark.addStop(metal, 1.0);
  cairo_set_source(cr, metal);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(metal);
  Cartoon::strokeInk(cr, kLine);
  cairo_new_path(cr);
  cairo_arc(cr, pixelX(2.905), pixelY(5.72), 9, 0, 2 * M_PI);
  Cartoon::fillInked(cr, Palette::kMetalDark, 2.0);

  // Heading, then the two fields the game fills in.
  cairo_save(cr);
  font.use(cr, 0.23 * WorldFrame::kPixelsPerUnit);
  Palette::kPen.use(cr);
  font.fill(cr, "Patient chart", pixelX(2.905), pixelY(5.16), Typeface::Align::Centre);
  cairo_new_path(cr);
  cairo_move_to(cr, pixelX(2.2), pixelY(5.1));
  cairo_line_to(cr, pixelX(3.61), pixelY(5.1));
  cairo_set_line_width(cr, 2.0);
  cairo_stroke(cr);
  cairo_restore(cr);

  chartLabel(cr, font, "Funds", kMoneyX - 0.02, kMoneyY + 0.33, 0.2);
  fieldLine(cr, kMoneyX - 0.04, kMoneyY - 0.06, 1.55);
  chartLabel(cr, font, "Best chain", kMoneyX - 0.02, kBestChainY + 0.5, 0.2);
  fieldLine(cr, kMoneyX - 0.04, kBestChainY - 0.06, 1.55);
  star(cr, pixelX(2.2), pixelY(kBestChainY + 0.16), 16);

  rulesNotes(cr, font);
}

}  // namespace

Image background(const Typeface& font) {
  Canvas canvas(WorldFrame::kWidth, WorldFrame::kHeight);
  cairo_t* cr = canvas.context();
  wall(cr);
  heartMonitor(cr);
  bunting(cr);
  pottedPlant(cr);
  nightWindow(cr);
  openLimbWindows(canvas);
  // Everything drawn from here on covers the limbs' hidden roots.
  dripBag(cr);
  body(cr);
  stomach(cr);
  chart(cr, font);
  return canvas.toImage();
}

}  // namespace BackgroundArt
