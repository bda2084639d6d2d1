#include "PreviewComposer.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <vector>

#include "Canvas.h"
#include "GermArt.h"
#include "Palette.h"
#include "PatientRig.h"
#include "Rng.h"
#include "RoomLayout.h"
#include "WorldFrame.h"

namespace {

constexpr double kDegrees = M_PI / 180.0;

// Draws a picture on the game's unit square under the current world transform,
// multiplied by a colour and faded by alpha.
void drawSprite(cairo_t* cr, const Image& image, double r = 1, double g = 1, double b = 1, double alpha = 1) {
  cairo_surface_t* surface = surfaceFromImage(image, r, g, b);
  cairo_save(cr);
  cairo_translate(cr, -0.5, 0.5);
  cairo_scale(cr, 1.0 / image.width, -1.0 / image.height);
  cairo_set_source_surface(cr, surface, 0, 0);
  cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_BILINEAR);
  cairo_rectangle(cr, 0, 0, image.width, image.height);
  cairo_clip(cr);
  cairo_paint_with_alpha(cr, alpha);
  cairo_restore(cr);
  cairo_surface_destroy(surface);
}

void worldSpace(cairo_t* cr) {
  cairo_identity_matrix(cr);
  cairo_translate(cr, WorldFrame::pixelX(0), WorldFrame::pixelY(0));
  cairo_scale(cr, WorldFrame::kPixelsPerUnit, -WorldFrame::kPixelsPerUnit);
}

}  // namespace

PreviewComposer::PreviewComposer(const std::map<std::string, Image>& images, const Typeface& font)
    : images_(images), font_(font) {}

const Image& PreviewComposer::image(const std::string& name) const {
  auto it = images_.find(name);
  if (it == images_.end()) throw std::runtime_error("no picture " + name);
  return it->second;
}

void PreviewComposer::writeAll(const std::string& dir) const {
  namespace fs = std::filesystem;
  // Moments chosen to reach the ends of the tilt and the bobs.
  const double moments[] = {0.0, 0.157, 0.471, 0.0913, 0.27, 1.234};
  int index = 0;
  for (double t : moments) {
    Canvas canvas(WorldFrame::kWidth, WorldFrame::kHeight);
    cairo_t* cr = canvas.context();
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_paint(cr);
    worldSpace(cr);

    const double tilt = std::sin(10.0 * t) * 5.0;
    const double headBob = std::sin(17.2 * t) * 0.02;
    const double rightArmBob = std::sin(19.2 * t) * 0.02;
    const double leftArmBob = std::sin(34.2 * t) * 0.015;
    struct Pose {
      const LimbRig* limb;
      double bob;
      double tilt;
    };
    const Pose poses[5] = {{&PatientRig::kHead, headBob, tilt},
                           {&PatientRig::kArmLeft, leftArmBob, 0},
                           {&PatientRig::kArmRight, rightArmBob, 0},
                           {&PatientRig::kLegLeft, headBob, 0},
                           {&PatientRig::kLegRight, headBob, 0}};
    for (const Pose& pose : poses) {
      cairo_save(cr);
      cairo_translate(cr, pose.limb->centreX, pose.limb->centreY + pose.bob);
      cairo_rotate(cr, pose.tilt * kDegrees);
      cairo_scale(cr, pose.limb->width, pose.limb->height);
      drawSprite(cr, image(pose.limb->file));
      cairo_restore(cr);
    }
    // The smoke: 80 puffs at 45 a second, rising and speeding up.
    Rng smokeRng(7);
    for (int k = 0; k < 80; ++k) {
      const double age = k / 45.0;
      const double spread = smokeRng.range(-0.05, 0.05);
      const double heading = smokeRng.below(360);
      cairo_save(cr);
      cairo_translate(cr, PatientRig::kSmokeX + spread * age,
                      PatientRig::kSmokeY + leftArmBob + (0.4 + spread) * age + 0.25 * age * age);
      cairo_scale(cr, 0.35 * 0.25, 0.75 * 0.25);
      cairo_rotate(cr, (heading + 90) * kDegrees);
      drawSprite(cr, image("smokeParticle.tga"), 0.9, 0.9, 0.9, 0.08);
      cairo_restore(cr);
    }
    cairo_save(cr);
    cairo_translate(cr, 0, 3);
    cairo_scale(cr, 8, 6);
    drawSprite(cr, image("background.tga"));
    cairo_restore(cr);

    // Black left by the limbs and the background together is a gap.
    canvas.flush();
    int gaps = 0;
    for (int y = 0; y < canvas.height(); ++y)
      for (int x = 0; x < canvas.width(); ++x) {
        const std::uint8_t* p = canvas.pixel(x, y);
        if (p[0] < 8 && p[1] < 8 && p[2] < 8) ++gaps;
      }
    std::printf("preview at t = %.3f s: %d black pixels\n", t, gaps);

    // A field of bubbles, one of them special and one selected, and a burst.
    Rng rng(42 + index);
    const int count = index == 0 ? 70 : 25 + 20 * index;
    // Bubbles dropped one by one onto the pile, each at the lowest free place.
    struct Placed {
      double x, y, r;
    };
    std::vector<Placed> placed;
    for (int i = 0; i < count; ++i) {
      const int kind = rng.below(8);
      const double mass = rng.range(0.25, index == 0 ? 2.5 : 1.5);
      const double radius = std::sqrt(mass) * 0.23;
      double x = 0, y = 1e9;
      for (int tries = 0; tries < 12; ++tries) {
        const double cx = rng.range(RoomLayout::kStomachLeft + radius, RoomLayout::kStomachRight - radius);
        double cy = RoomLayout::kStomachFloor + radius;
        for (bool moved = true; moved;) {
          moved = false;
          for (const Placed& p : placed)
            if (std::hypot(p.x - cx, p.y - cy) < p.r + radius) {
              cy += 0.02;
              moved = true;
            }
        }
        if (cy < y) {
          x = cx;
          y = cy;
        }
      }
      placed.push_back({x, y, radius});
      const Colour& tint = Palette::kKindTint[kind];
      cairo_save(cr);
      cairo_translate(cr, x, y);
      cairo_rotate(cr, rng.range(0, 2 * M_PI));
      cairo_scale(cr, 2 * radius, 2 * radius);
      if (kind != 7) drawSprite(cr, image(GermArt::fileName(kind)), tint.r, tint.g, tint.b);
      drawSprite(cr, image("diseaseBubble.tga"), tint.r, tint.g, tint.b);
      cairo_restore(cr);
      if (i == 5) {
        cairo_save(cr);
        cairo_translate(cr, x, y);
        cairo_scale(cr, radius * 3.5, radius * 3.5);
        drawSprite(cr, image("specialGlow.tga"), tint.r, tint.g, tint.b, 0.6);
        cairo_restore(cr);
      }
      if (i == 9) {
        cairo_save(cr);
        cairo_translate(cr, x, y);
        cairo_rotate(cr, -t * 270 * kDegrees);
        cairo_scale(cr, 2.5 * radius, 2.5 * radius);
        drawSprite(cr, image("selection.tga"), 1, 1, 1, 0.87);
        cairo_restore(cr);
      }
    }
    for (int s = 0; s < 100; ++s) {
      const double a = rng.range(0, 360);
      const double dist = 0.3 + rng.range(0, 0.5);
      cairo_save(cr);
      cairo_translate(cr, -1.0 + dist * std::cos(a * kDegrees), 3.6 + dist * std::sin(a * kDegrees));
      cairo_rotate(cr, a * kDegrees);
      cairo_scale(cr, 0.5, 0.125);
      drawSprite(cr, image("popBubble2.tga"), 0.7, 0.7, 0.7, 1.0);
      cairo_restore(cr);
    }

    // The numbers the game prints, in its font, size and tilt.
    auto print = [&](const char* text, double x, double y, double scale) {
      cairo_save(cr);
      cairo_identity_matrix(cr);
      cairo_translate(cr, WorldFrame::pixelX(x), WorldFrame::pixelY(y));
      cairo_rotate(cr, -RoomLayout::kTextTiltDegrees * kDegrees);
      font_.use(cr, RoomLayout::kGlyphPixelsPerEm * scale * WorldFrame::kPixelsPerUnit);
      cairo_set_source_rgba(cr, 0, 0, 0, 0.9);
      font_.fill(cr, text, 0, 0, Typeface::Align::Left);
      cairo_restore(cr);
    };
    print(index % 2 == 0 ? "$20000" : "$-123450", RoomLayout::kMoneyX, RoomLayout::kMoneyY,
          RoomLayout::kMoneyScale);
    print(index % 2 == 0 ? "7" : "13", RoomLayout::kBestChainX, RoomLayout::kBestChainY,
          RoomLayout::kBestChainScale);
    canvas.savePng((fs::path(dir) / ("play-" + std::to_string(index) + ".png")).string());
    ++index;
  }
  for (const char* name : {"titlescreen", "instructions", "background"}) {
    Canvas canvas(image(std::string(name) + ".tga"));
    canvas.savePng((fs::path(dir) / (std::string(name) + ".png")).string());
  }
}
