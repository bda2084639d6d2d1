#include "BubbleArt.h"

#include <algorithm>
#include <cmath>

#include "Canvas.h"
#include "Cartoon.h"
#include "Palette.h"
#include "Rng.h"
#include "assets/AssetTree.h"

namespace BubbleArt {

namespace {

// A canvas whose user space is the unit circle of a square picture.
void unitSpace(cairo_t* cr, int size) {
  cairo_translate(cr, size / 2.0, size / 2.0);
  cairo_scale(cr, size / 2.0, size / 2.0);
}

double smoothstep(double edge0, double edge1, double x) {
  const double t = std::clamp((x - edge0) / (edge1 - edge0), 0.0, 1.0);
  return t * t * (3.0 - 2.0 * t);
}

// Fills a picture pixel by pixel with white of the given alpha, a function of
// the position in -1..1 across the picture.
template <typename AlphaOf>
Image whiteField(int width, int height, AlphaOf alphaOf) {
  Image image;
  image.width = width;
  image.height = height;
  image.rgba.resize(static_cast<std::size_t>(width) * height * 4);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const double u = (x + 0.5) / width * 2.0 - 1.0, v = (y + 0.5) / height * 2.0 - 1.0;
      const double a = std::clamp(alphaOf(u, v), 0.0, 1.0);
      std::uint8_t* p = &image.rgba[(static_cast<std::size_t>(y) * width + x) * 4];
      const auto alpha = static_cast<std::uint8_t>(std::lround(a * 255.0));
      p[0] = p[1] = p[2] = alpha == 0 ? 0 : 255;
      p[3] = alpha;
    }
  }
  return image;
}

}  // namespace

Image shell() {
  constexpr int kSize = AssetTree::kBubbleImage.width;
  Canvas canvas(kSize, kSize);
  cairo_t* cr = canvas.context();
  unitSpace(cr, kSize);
  // A faint film that thickens towards the rim, so the bubble reads as round
  // and takes its kind's colour without hiding the germ.
  cairo_pattern_t* film = cairo_pattern_create_radial(-0.15, -0.2, 0.0, 0.0, 0.0, 0.93);
  Palette::kWhite.withAlpha(0.10).addStop(film, 0.0);
  Palette::kWhite.withAlpha(0.16).addStop(film, 0.6);
  Palette::kWhite.withAlpha(0.55).addStop(film, 0.93);
  Palette::kWhite.withAlpha(0.85).addStop(film, 1.0);
  cairo_set_source(cr, film);
  cairo_arc(cr, 0, 0, 0.93, 0, 2 * M_PI);
  cairo_fill(cr);
  cairo_pattern_destroy(film);
  // The rim, dark outside so the bubble stands out on the pink stomach.
  cairo_new_path(cr);
  cairo_arc(cr, 0, 0, 0.93, 0, 2 * M_PI);
  Palette::kInk.withAlpha(0.75).use(cr);
  cairo_set_line_width(cr, 0.06);
  cairo_stroke(cr);
  cairo_new_path(cr);
  cairo_arc(cr, 0, 0, 0.885, 0, 2 * M_PI);
  Palette::kWhite.withAlpha(0.7).use(cr);
  cairo_set_line_width(cr, 0.04);
  cairo_stroke(cr);
  // Highlights: a curved window shine and a dot.
  cairo_new_path(cr);
  cairo_arc(cr, 0, 0, 0.7, M_PI * 1.1, M_PI * 1.42);
  Palette::kWhite.withAlpha(0.9).use(cr);
  cairo_set_line_width(cr, 0.13);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_stroke(cr);
  cairo_new_path(cr);
  cairo_arc(cr, -0.2, -0.66, 0.065, 0, 2 * M_PI);
  Palette::kWhite.withAlpha(0.9).use(cr);
  cairo_fill(cr);
  cairo_new_path(cr);
  cairo_arc(cr, 0, 0, 0.74, M_PI * 0.15, M_PI * 0.35);
  Palette::kWhite.withAlpha(0.45).use(cr);
  cairo_set_line_width(cr, 0.06);
  cairo_stroke(cr);
  return canvas.toImage();
}

Image specialGlow() {
  // A halo ring: clear over the bubble itself (which fills the inner 57 % of
  // the glow square), brightest just outside it, with soft rays.
  constexpr double kBubbleEdge = 2.0 / AssetTree::kGlowWidthPerRadius;
  constexpr int kSize = AssetTree::kGlowImage.width;
  return whiteField(kSize, kSize, [](double u, double v) {
    const double r = std::hypot(u, v);
    const double angle = std::atan2(v, u);
    const double rays = 0.5 + 0.5 * std::pow(std::abs(std::cos(angle * 4.0)), 8.0);
    const double halo = std::exp(-std::pow((r - kBubbleEdge - 0.05) / 0.14, 2.0));
    const double outer = (1.0 - smoothstep(0.55, 1.0, r)) * rays * 0.55;
    const double inner = smoothstep(kBubbleEdge - 0.25, kBubbleEdge, r);
    return (halo * 0.95 + outer) * inner * (1.0 - smoothstep(0.93, 1.0, r));
  });
}

Image selectionRing() {
  constexpr int kSize = AssetTree::kSelectionImage.width;
  Canvas canvas(kSize, kSize);
  cairo_t* cr = canvas.context();
  unitSpace(cr, kSize);
  // Four arcs with gaps and pointed heads, so the clockwise spin shows.
  constexpr int kArcs = 4;
  constexpr double kRadius = 0.78;  // ring, arrowheads and outline end inside 0.95
  for (int i = 0; i < kArcs; ++i) {
    const double start = i * 2.0 * M_PI / kArcs;
    const double end = start + 2.0 * M_PI / kArcs * 0.62;
    for (int pass = 0; pass < 2; ++pass) {
      cairo_new_path(cr);
      cairo_arc(cr, 0, 0, kRadius, start, end);
      // The game turns the ring clockwise on screen; with the picture's rows
      // running downwards, growing angles run clockwise too, so each arc's
      // head sits at its end and points further along.
      const double hx = kRadius * std::cos(end), hy = kRadius * std::sin(end);
      const double tx = -std::sin(end), ty = std::cos(end);
      cairo_move_to(cr, hx + 0.09 * std::cos(end), hy + 0.09 * std::sin(end));
      cairo_line_to(cr, hx + 0.16 * tx, hy + 0.16 * ty);
      cairo_line_to(cr, hx - 0.11 * std::cos(end), hy - 0.11 * std::sin(end));
      cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
      cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
      if (pass == 0) {
        Palette::kInk.withAlpha(0.8).use(cr);
        cairo_set_line_width(cr, 0.16);
      } else {
        Palette::kWhite.use(cr);
        cairo_set_line_width(cr, 0.09);
      }
      cairo_stroke(cr);
    }
  }
  return canvas.toImage();
}

Image goo() {
  constexpr int kSize = AssetTree::kGooImage.width;
  Canvas canvas(kSize, kSize);
  cairo_t* cr = canvas.context();
  unitSpace(cr, kSize);
  // A lumpy blob from overlapping circles, with a drip.
  Rng rng(0x600DB10B);
  cairo_new_path(cr);
  cairo_arc(cr, 0, 0, 0.55, 0, 2 * M_PI);
  for (int i = 0; i < 7; ++i) {
    const double a = i * 2.0 * M_PI / 7 + rng.range(-0.3, 0.3);
    const double d = rng.range(0.3, 0.45);
    cairo_new_sub_path(cr);
    cairo_arc(cr, d * std::cos(a), d * std::sin(a), rng.range(0.2, 0.3), 0, 2 * M_PI);
  }
  cairo_new_sub_path(cr);
  Cartoon::roundedRect(cr, 0.1, 0.2, 0.16, 0.6, 0.08);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
  Colour::bytes(225, 240, 225, 0.9).use(cr);
  cairo_fill(cr);
  Cartoon::shine(cr, -0.2, -0.25, 0.22, 0.14, 0.9);
  return canvas.toImage();
}

Image spark() {
  // A glint, not a streak: the game stretches this picture over a quad four
  // times longer than wide and greys it to 0.7, and a hundred of them fly far
  // in a click's burst, so anything long reads as scratches across the field.
  // A small opaque core in a soft halo, with two short crossed rays, stays a
  // point of light wherever it flies. The picture has the quad's proportions,
  // so its pixels are square on screen; x and y below are in half-heights.
  constexpr int kLength = AssetTree::kSparkImage.width, kThickness = AssetTree::kSparkImage.height;
  constexpr double kHalfLength = static_cast<double>(kLength) / kThickness;
  return whiteField(kLength, kThickness, [](double u, double v) {
    const double x = u * kHalfLength, y = v;
    const double r2 = x * x + y * y;
    const double core = std::exp(-std::pow(r2 / (0.5 * 0.5), 2.0));
    const double halo = 0.5 * std::exp(-r2 / (0.85 * 0.85));
    const double along = 0.5 * std::exp(-y * y / (0.14 * 0.14) - x * x / (1.6 * 1.6));
    const double across = 0.5 * std::exp(-x * x / (0.14 * 0.14) - y * y / (0.7 * 0.7));
    const double light = 1.0 - (1.0 - core) * (1.0 - halo) * (1.0 - along) * (1.0 - across);
    return light * (1.0 - smoothstep(0.6, 0.92, std::abs(y))) *
           (1.0 - smoothstep(0.65 * kHalfLength, 0.95 * kHalfLength, std::abs(x)));
  });
}

Image smokePuff() {
  // The game squeezes the puff into a quad about 11 x 24 pixels and draws it at
  // 8 % opacity, so the picture fills most of its square: dense out to over
  // two thirds of the width, then fading softly so the puffs blend into one
  // plume. Its rim swells into lobes, so a puff is not a disc whichever way the
  // game turns it, and a few denser lumps inside give it some texture.
  constexpr int kSize = AssetTree::kSmokeImage.width;
  constexpr double kFadeFrom = 0.55, kFadeTo = 0.96;  // lobed radius, 1 at the edge's middle
  constexpr double kLobeDepth = 0.1;
  constexpr double kLumpShade = 0.2;
  const double lumps[][3] = {
      {-0.25, -0.2, 0.35}, {0.28, -0.1, 0.3}, {0.0, 0.3, 0.35}, {0.3, 0.35, 0.25}, {-0.35, 0.3, 0.25}};
  return whiteField(kSize, kSize, [&](double u, double v) {
    const double angle = std::atan2(v, u);
    // Five round bulges meeting in narrow dips, the outline of a cloud.
    const double lobes = 2.0 * std::abs(std::cos(2.5 * angle + 0.6)) - 1.0;
    const double radius = std::hypot(u, v) * (1.0 - kLobeDepth * lobes);
    double clear = 1.0;
    for (const auto& l : lumps) {
      const double d = std::hypot(u - l[0], v - l[1]) / l[2];
      clear *= 1.0 - 0.6 * std::exp(-d * d);
    }
    const double body = 1.0 - kLumpShade * clear;
    // The lobes may reach into the corners: the last texels are cleared anyway.
    const double border = 1.0 - smoothstep(0.9, 0.97, std::max(std::abs(u), std::abs(v)));
    return body * (1.0 - smoothstep(kFadeFrom, kFadeTo, radius)) * border;
  });
}

}  // namespace BubbleArt
