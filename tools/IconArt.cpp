#include "IconArt.h"

#include <cmath>
#include <filesystem>

#include "Canvas.h"
#include "Cartoon.h"
#include "GermArt.h"
#include "Palette.h"

namespace IconArt {

namespace {

// In the unit square of the icon (-1..1): the bubble fills most of it and
// leaves room below for its shadow.
constexpr double kBubbleRadius = 0.86;
constexpr double kBubbleY = -0.05;
// The rim must stay about two pixels wide at 48 pixels (24 to the unit).
constexpr double kRim = 0.085;
// The germ as large as the bubble allows: a menu icon shows no detail smaller.
constexpr double kGermScale = 0.92;
// The spore, in its kind's green: its round body and stubby arms read at a
// glance, where the thin worms and legs of other kinds blur.
constexpr int kGermKind = 1;

void unitSpace(cairo_t* cr, int size) {
  cairo_translate(cr, size / 2.0, size / 2.0);
  cairo_scale(cr, size / 2.0, size / 2.0);
}

// The germ on its own canvas, multiplied by its kind's tint as the game
// colours it, so the icon's germ is the one the player meets.
void paintGerm(cairo_t* cr, int size) {
  Canvas germ(size, size);
  cairo_t* gc = germ.context();
  unitSpace(gc, size);
  cairo_translate(gc, 0, kBubbleY);
  cairo_scale(gc, kBubbleRadius * kGermScale, kBubbleRadius * kGermScale);
  GermArt::drawGerm(gc, kGermKind);
  germ.flush();
  const Colour& tint = Palette::kKindTint[kGermKind];
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      std::uint8_t* p = germ.pixel(x, y);  // premultiplied B, G, R, A
      p[0] = static_cast<std::uint8_t>(std::lround(p[0] * tint.b));
      p[1] = static_cast<std::uint8_t>(std::lround(p[1] * tint.g));
      p[2] = static_cast<std::uint8_t>(std::lround(p[2] * tint.r));
    }
  germ.markDirty();
  cairo_save(cr);
  cairo_identity_matrix(cr);
  cairo_set_source_surface(cr, germ.surface(), 0, 0);
  cairo_paint(cr);
  cairo_restore(cr);
}

void circle(cairo_t* cr, double radius) {
  cairo_new_path(cr);
  cairo_arc(cr, 0, kBubbleY, radius, 0, 2 * M_PI);
}

void drawIcon(Canvas& canvas) {
  const int size = canvas.width();
  cairo_t* cr = canvas.context();
  unitSpace(cr, size);

  // A soft shadow, so the bubble sits on light and dark panels alike.
  cairo_pattern_t* shadow = cairo_pattern_create_radial(0, 0, 0, 0, 0, 1);
  Palette::kInk.withAlpha(0.35).addStop(shadow, 0.0);
  Palette::kInk.withAlpha(0.0).addStop(shadow, 1.0);
  cairo_save(cr);
  cairo_translate(cr, 0.04, 0.86);
  cairo_scale(cr, 0.72, 0.13);
  cairo_set_source(cr, shadow);
  cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
  cairo_fill(cr);
  cairo_restore(cr);
  cairo_pattern_destroy(shadow);

  // The stomach lining seen through the bubble, lighter at the top.
  circle(cr, kBubbleRadius);
  cairo_pattern_t* lining =
      cairo_pattern_create_linear(0, kBubbleY - kBubbleRadius, 0, kBubbleY + kBubbleRadius);
  Palette::kStomachTop.addStop(lining, 0.0);
  Palette::kStomachBottom.addStop(lining, 1.0);
  cairo_set_source(cr, lining);
  cairo_fill(cr);
  cairo_pattern_destroy(lining);

  paintGerm(cr, size);

  // The film: clear in the middle, milky towards the rim, so it reads round.
  circle(cr, kBubbleRadius);
  cairo_pattern_t* film =
      cairo_pattern_create_radial(-0.2, kBubbleY - 0.25, 0.0, 0.0, kBubbleY, kBubbleRadius);
  Palette::kWhite.withAlpha(0.05).addStop(film, 0.0);
  Palette::kWhite.withAlpha(0.12).addStop(film, 0.65);
  Palette::kWhite.withAlpha(0.6).addStop(film, 1.0);
  cairo_set_source(cr, film);
  cairo_fill(cr);
  cairo_pattern_destroy(film);

  // Ink rim outside, a thin white one inside it.
  circle(cr, kBubbleRadius);
  Cartoon::strokeInk(cr, kRim);
  circle(cr, kBubbleRadius - kRim * 0.9);
  Palette::kWhite.withAlpha(0.75).use(cr);
  cairo_set_line_width(cr, kRim * 0.5);
  cairo_stroke(cr);

  // The gloss: a window shine along the upper left and a dot beside it.
  cairo_new_path(cr);
  cairo_arc(cr, 0, kBubbleY, kBubbleRadius * 0.72, M_PI * 1.08, M_PI * 1.42);
  Palette::kWhite.withAlpha(0.92).use(cr);
  cairo_set_line_width(cr, 0.15);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_stroke(cr);
  cairo_new_path(cr);
  cairo_arc(cr, -0.14, kBubbleY - kBubbleRadius * 0.74, 0.075, 0, 2 * M_PI);
  cairo_fill(cr);
  Cartoon::shine(cr, 0.42, kBubbleY + 0.42, 0.16, 0.08, 0.35);
}

}  // namespace

void writeAll(const std::string& iconsDir) {
  for (int size : kSizes) {
    const std::string name = std::to_string(size) + "x" + std::to_string(size);
    const std::filesystem::path dir = std::filesystem::path(iconsDir) / "hicolor" / name / "apps";
    std::filesystem::create_directories(dir);
    Canvas canvas(size, size);
    drawIcon(canvas);
    canvas.savePng((dir / "plombrix.png").string());
  }
}

}  // namespace IconArt
