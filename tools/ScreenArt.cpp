#include "ScreenArt.h"

#include <cmath>
#include <string>
#include <vector>

#include "BubbleArt.h"
#include "Canvas.h"
#include "Cartoon.h"
#include "GermArt.h"
#include "Palette.h"
#include "PatientArt.h"
#include "Rng.h"
#include "WorldFrame.h"
#include "assets/AssetTree.h"

namespace ScreenArt {

namespace {

constexpr double kLine = 4.0;  // outline width, pixels
const Colour kButton = Colour::bytes(255, 128, 150);
const Colour kTitleTop = Colour::bytes(255, 150, 172);
const Colour kTitleBottom = Colour::bytes(222, 58, 98);

// The prices, as the instructions print them.
const std::string kReward = "$" + std::to_string(AssetTree::kBurstReward);
const std::string kPrice = "$" + std::to_string(AssetTree::kClickPrice);

// The game's own bubble pictures, so the screens show exactly what play shows.
struct BubblePictures {
  Image shell = BubbleArt::shell();
  Image glow = BubbleArt::specialGlow();
  std::vector<Image> germs;
  BubblePictures() {
    for (int kind = 0; kind < GermArt::kKinds; ++kind) germs.push_back(GermArt::germImage(kind));
  }
};

void paintImage(cairo_t* cr, const Image& image, double cx, double cy, double size, double angle,
                const Colour& tint, double alpha = 1.0) {
  cairo_surface_t* surface = surfaceFromImage(image, tint.r, tint.g, tint.b);
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_rotate(cr, angle);
  cairo_scale(cr, size / image.width, size / image.height);
  cairo_translate(cr, -image.width / 2.0, -image.height / 2.0);
  cairo_set_source_surface(cr, surface, 0, 0);
  cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
  cairo_paint_with_alpha(cr, alpha);
  cairo_restore(cr);
  cairo_surface_destroy(surface);
}

// A bubble as the game draws it: the germ in its kind's tint, the shell over it.
void bubble(cairo_t* cr, const BubblePictures& pictures, double cx, double cy, double radius, int kind,
            double angle, bool glowing = false) {
  const Colour& tint = Palette::kKindTint[kind];
  if (kind < GermArt::kKinds) paintImage(cr, pictures.germs[kind], cx, cy, 2 * radius, angle, tint);
  paintImage(cr, pictures.shell, cx, cy, 2 * radius, angle * 0.3, tint);
  if (glowing)
    paintImage(cr, pictures.glow, cx, cy, AssetTree::kGlowWidthPerRadius * radius, 0.0, tint,
               AssetTree::kGlowOpacity);
}

void wallBackdrop(cairo_t* cr) {
  cairo_pattern_t* wall = cairo_pattern_create_linear(0, 0, 0, WorldFrame::kHeight);
  Palette::kWallUpper.mix(Palette::kWhite, 0.35).addStop(wall, 0.0);
  Palette::kWallUpper.addStop(wall, 0.6);
  Palette::kWallLower.addStop(wall, 1.0);
  cairo_set_source(cr, wall);
  cairo_paint(cr);
  cairo_pattern_destroy(wall);
  // Faint soap bubbles drifting in the room.
  Rng rng(0xB0BB1E5);
  for (int i = 0; i < 26; ++i) {
    const double x = rng.range(0, WorldFrame::kWidth), y = rng.range(0, WorldFrame::kHeight);
    const double r = rng.range(8, 34);
    cairo_new_path(cr);
    cairo_arc(cr, x, y, r, 0, 2 * M_PI);
    Palette::kWhite.withAlpha(0.22).use(cr);
    cairo_fill_preserve(cr);
    Palette::kWhite.withAlpha(0.6).use(cr);
    cairo_set_line_width(cr, 2.5);
    cairo_stroke(cr);
    cairo_new_path(cr);
    cairo_arc(cr, x - r * 0.35, y - r * 0.35, r * 0.2, 0, 2 * M_PI);
    Palette::kWhite.withAlpha(0.7).use(cr);
    cairo_fill(cr);
  }
}

// A rounded button with a label, the call to action of both screens.
void button(cairo_t* cr, const Typeface& font, const char* text, double cx, double cy) {
  font.use(cr, 40);
  const double width = font.advance(cr, text) + 70, height = 62;
  cairo_new_path(cr);
  Cartoon::roundedRect(cr, cx - width / 2 + 5, cy - height / 2 + 6, width, height, height / 2);
  Palette::kInk.withAlpha(0.3).use(cr);
  cairo_fill(cr);
  cairo_new_path(cr);
  Cartoon::roundedRect(cr, cx - width / 2, cy - height / 2, width, height, height / 2);
  cairo_pattern_t* face = cairo_pattern_create_linear(0, cy - height / 2, 0, cy + height / 2);
  kButton.mix(Palette::kWhite, 0.3).addStop(face, 0.0);
  kButton.addStop(face, 1.0);
  cairo_set_source(cr, face);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(face);
  Cartoon::strokeInk(cr, kLine);
  Palette::kWhite.use(cr);
  font.fillOutlined(cr, text, cx, cy + 14, Typeface::Align::Centre, 7);
}

// The name, letter by letter, each bobbing and leaning a little.
void titleWord(cairo_t* cr, const Typeface& font, const std::string& word, double cx, double baseline,
               double size) {
  font.use(cr, size);
  const double total = font.advance(cr, word);
  double x = cx - total / 2;
  for (std::size_t i = 0; i < word.size(); ++i) {
    const std::string letter = word.substr(i, 1);
    const double width = font.advance(cr, letter);
    const double lift = std::sin(i * 1.7) * size * 0.06;
    const double lean = std::sin(i * 2.3 + 0.5) * 0.07;
    cairo_save(cr);
    cairo_translate(cr, x + width / 2, baseline - lift);
    cairo_rotate(cr, lean);
    // Shadow, outline, a pink-to-red fill and a shine on the upper half.
    cairo_save(cr);
    cairo_translate(cr, 6, 8);
    cairo_new_path(cr);
    font.addPath(cr, letter, 0, 0, Typeface::Align::Centre);
    Palette::kInk.withAlpha(0.25).use(cr);
    cairo_set_line_width(cr, size * 0.1);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke_preserve(cr);
    cairo_fill(cr);
    cairo_restore(cr);
    cairo_pattern_t* fill = cairo_pattern_create_linear(0, -size * 0.7, 0, 0);
    kTitleTop.addStop(fill, 0.0);
    kTitleBottom.addStop(fill, 1.0);
    cairo_set_source(cr, fill);
    font.fillOutlined(cr, letter, 0, 0, Typeface::Align::Centre, size * 0.1);
    cairo_pattern_destroy(fill);
    cairo_new_path(cr);
    font.addPath(cr, letter, 0, 0, Typeface::Align::Centre);
    cairo_clip(cr);
    cairo_new_path(cr);
    Cartoon::ellipse(cr, -width * 0.1, -size * 0.62, width * 0.5, size * 0.16);
    Palette::kWhite.withAlpha(0.45).use(cr);
    cairo_fill(cr);
    cairo_restore(cr);
    x += width;
  }
}

// Text broken into lines no wider than width at the current font; returns the
// baseline after the last line.
double wrappedText(cairo_t* cr, const Typeface& font, const std::string& text, double x, double baseline,
                   double width, double lineHeight) {
  std::vector<std::string> words;
  std::string word;
  for (char c : text + " ") {
    if (c == ' ') {
      if (!word.empty()) words.push_back(word);
      word.clear();
    } else {
      word += c;
    }
  }
  std::string line;
  for (const std::string& w : words) {
    const std::string candidate = line.empty() ? w : line + " " + w;
    if (!line.empty() && font.advance(cr, candidate) > width) {
      font.fill(cr, line, x, baseline, Typeface::Align::Left);
      baseline += lineHeight;
      line = w;
    } else {
      line = candidate;
    }
  }
  if (!line.empty()) font.fill(cr, line, x, baseline, Typeface::Align::Left);
  return baseline;
}

// ---- the title's patient ---------------------------------------------------

void patient(cairo_t* cr, const BubblePictures& pictures, double cx, double top) {
  const double headScale = 1.2;
  const double bodyTop = top + 150 * headScale, bodyBottom = bodyTop + 235;
  const double bodyHalf = 165;
  // Limbs first: the body covers their roots.
  cairo_save(cr);
  cairo_translate(cr, cx - bodyHalf + 12 - 72 * 2.1, bodyTop + 60 - 72 * 2.1);
  cairo_scale(cr, 2.1, 2.1);
  PatientArt::drawWavingArm(cr);
  cairo_restore(cr);
  cairo_save(cr);
  cairo_translate(cr, cx + bodyHalf - 12 - 30 * 2.1, bodyTop + 80 - 58 * 2.1);
  cairo_scale(cr, 2.1, 2.1);
  PatientArt::drawHoldingArm(cr);
  cairo_restore(cr);
  for (double side : {-1.0, 1.0}) {
    cairo_save(cr);
    cairo_translate(cr, cx + side * 70 - 32 * 2.2, bodyBottom - 35 * 2.2);
    cairo_scale(cr, 2.2, 2.2);
    PatientArt::drawLeg(cr, side < 0);
    cairo_restore(cr);
  }
  cairo_save(cr);
  cairo_translate(cr, cx - 128 * headScale, top);
  cairo_scale(cr, headScale, headScale);
  PatientArt::drawHead(cr);
  cairo_restore(cr);

  // The gown: a round-bellied shape with a window onto the stomach.
  cairo_new_path(cr);
  cairo_move_to(cr, cx - 60, bodyTop);
  cairo_curve_to(cr, cx - bodyHalf, bodyTop, cx - bodyHalf - 12, bodyTop + 80, cx - bodyHalf - 6,
                 bodyTop + 150);
  cairo_curve_to(cr, cx - bodyHalf, bodyBottom, cx - 120, bodyBottom, cx, bodyBottom);
  cairo_curve_to(cr, cx + 120, bodyBottom, cx + bodyHalf, bodyBottom, cx + bodyHalf + 6, bodyTop + 150);
  cairo_curve_to(cr, cx + bodyHalf + 12, bodyTop + 80, cx + bodyHalf, bodyTop, cx + 60, bodyTop);
  cairo_close_path(cr);
  Palette::kGown.use(cr);
  cairo_fill_preserve(cr);
  cairo_save(cr);
  cairo_clip_preserve(cr);
  Palette::kGownDot.use(cr);
  for (int row = 0; row < 14; ++row)
    for (int col = 0; col < 18; ++col) {
      cairo_new_path(cr);
      cairo_arc(cr, cx - 180 + col * 22 + (row % 2) * 11, bodyTop + row * 19, 3.5, 0, 2 * M_PI);
      cairo_fill(cr);
    }
  cairo_restore(cr);
  Cartoon::strokeInk(cr, kLine);

  const double wx = cx - 118, wy = bodyTop + 38, ww = 236, wh = 170;
  cairo_new_path(cr);
  Cartoon::roundedRect(cr, wx - 9, wy - 9, ww + 18, wh + 18, 46);
  Cartoon::fillInked(cr, Palette::kStomachWall, kLine);
  cairo_new_path(cr);
  Cartoon::roundedRect(cr, wx, wy, ww, wh, 38);
  Cartoon::fillStomachLining(cr, wy, wy + wh);
  const double inside[6][4] = {{-70, 128, 34, 0}, {-10, 136, 30, 3}, {50, 126, 38, 1},
                               {-42, 72, 30, 4},  {24, 74, 32, 6},   {78, 60, 22, 7}};
  for (const auto& b : inside)
    bubble(cr, pictures, cx + b[0], wy + b[1], b[2], static_cast<int>(b[3]), b[0] * 0.03);
  cairo_restore(cr);
  cairo_new_path(cr);
  Cartoon::roundedRect(cr, wx, wy, ww, wh, 38);
  Palette::kInk.withAlpha(0.6).use(cr);
  cairo_set_line_width(cr, 2.5);
  cairo_stroke(cr);
}

// Wavy lines of steam rising from (x, y): the thermometer is that hot.
void steam(cairo_t* cr, double x, double y) {
  for (int i = 0; i < 3; ++i) {
    const double sx = x - 14 + i * 14, sy = y - i % 2 * 6;
    cairo_new_path(cr);
    cairo_move_to(cr, sx, sy);
    cairo_curve_to(cr, sx - 8, sy - 10, sx + 8, sy - 18, sx, sy - 28);
    cairo_curve_to(cr, sx - 8, sy - 38, sx + 6, sy - 44, sx, sy - 52);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    Palette::kInk.withAlpha(0.35).use(cr);
    cairo_set_line_width(cr, 8);
    cairo_stroke_preserve(cr);
    Palette::kWhite.use(cr);
    cairo_set_line_width(cr, 4.5);
    cairo_stroke(cr);
  }
}

// ---- the instructions' little pictures -------------------------------------

void plusMinus(cairo_t* cr, const Typeface& font, const std::string& text, double x, double y,
               const Colour& colour) {
  font.use(cr, 26);
  colour.use(cr);
  font.fillOutlined(cr, text, x, y, Typeface::Align::Centre, 5);
}

void iconMerge(cairo_t* cr, const BubblePictures& p, double cx, double cy) {
  bubble(cr, p, cx - 44, cy, 17, 1, 0.3);
  bubble(cr, p, cx - 16, cy, 17, 1, -0.5);
  cairo_new_path(cr);
  cairo_move_to(cr, cx + 2, cy);
  cairo_line_to(cr, cx + 18, cy);
  cairo_move_to(cr, cx + 12, cy - 6);
  cairo_line_to(cr, cx + 18, cy);
  cairo_line_to(cr, cx + 12, cy + 6);
  Cartoon::strokeInk(cr, 3.5);
  bubble(cr, p, cx + 44, cy, 24, 1, 0.2);
}

void sparks(cairo_t* cr, double cx, double cy, double inner, double outer) {
  for (int i = 0; i < 10; ++i) {
    const double a = i * M_PI / 5 + 0.2;
    cairo_new_path(cr);
    cairo_move_to(cr, cx + inner * std::cos(a), cy + inner * std::sin(a));
    cairo_line_to(cr, cx + outer * std::cos(a), cy + outer * std::sin(a));
    Palette::kInk.withAlpha(0.75).use(cr);
    cairo_set_line_width(cr, 3.5);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);
  }
}

void iconBurst(cairo_t* cr, const Typeface& font, const BubblePictures& p, double cx, double cy) {
  sparks(cr, cx - 14, cy, 32, 42);
  bubble(cr, p, cx - 14, cy, 28, 5, 0.4);
  plusMinus(cr, font, "+" + kReward, cx + 26, cy + 36, Colour::bytes(120, 220, 120));
}

void iconChain(cairo_t* cr, const Typeface& font, const BubblePictures& p, double cx, double cy) {
  bubble(cr, p, cx - 40, cy + 12, 14, 3, 0.1);
  bubble(cr, p, cx - 10, cy + 2, 16, 0, 0.5);
  bubble(cr, p, cx + 24, cy - 10, 18, 2, -0.4);
  font.use(cr, 28);
  Palette::kWhite.use(cr);
  cairo_save(cr);
  cairo_translate(cr, cx, cy + 40);
  cairo_rotate(cr, -0.07);
  font.fillOutlined(cr, "3 chain!", 0, 0, Typeface::Align::Centre, 6);
  cairo_restore(cr);
}

void iconClick(cairo_t* cr, const Typeface& font, const BubblePictures& p, double cx, double cy) {
  bubble(cr, p, cx - 14, cy - 4, 26, 4, 0.8);
  // The mouse pointer.
  cairo_save(cr);
  cairo_translate(cr, cx + 2, cy + 2);
  cairo_new_path(cr);
  cairo_move_to(cr, 0, 0);
  cairo_line_to(cr, 0, 30);
  cairo_line_to(cr, 8, 23);
  cairo_line_to(cr, 14, 35);
  cairo_line_to(cr, 19, 33);
  cairo_line_to(cr, 13, 21);
  cairo_line_to(cr, 23, 21);
  cairo_close_path(cr);
  Cartoon::fillInked(cr, Palette::kWhite, 3);
  cairo_restore(cr);
  plusMinus(cr, font, "-" + kPrice, cx - 30, cy + 40, Colour::bytes(255, 110, 110));
}

void iconGlow(cairo_t* cr, const BubblePictures& p, double cx, double cy) {
  bubble(cr, p, cx - 6, cy, 24, 2, 0.2, true);
  bubble(cr, p, cx + 38, cy + 20, 12, 2, 1.0);
  bubble(cr, p, cx - 44, cy + 24, 11, 2, 2.0);
}

void keyCap(cairo_t* cr, const Typeface& font, const char* letter, double cx, double cy) {
  cairo_new_path(cr);
  Cartoon::roundedRect(cr, cx - 22, cy - 20, 44, 46, 9);
  Cartoon::fillInked(cr, Colour::bytes(214, 220, 232), 3.5);
  cairo_new_path(cr);
  Cartoon::roundedRect(cr, cx - 17, cy - 17, 34, 34, 7);
  Palette::kWhite.use(cr);
  cairo_fill(cr);
  font.use(cr, 28);
  Palette::kInk.use(cr);
  font.fill(cr, letter, cx, cy + 10, Typeface::Align::Centre);
}

}  // namespace

Image title(const Typeface& font) {
  Canvas canvas(WorldFrame::kWidth, WorldFrame::kHeight);
  cairo_t* cr = canvas.context();
  const BubblePictures pictures;
  wallBackdrop(cr);

  // Germ bubbles floating around the patient.
  struct Float {
    double x, y, r;
    int kind;
    bool glow;
  };
  const Float floats[] = {{120, 300, 56, 0, false}, {88, 470, 38, 5, false},  {180, 598, 56, 1, true},
                          {300, 560, 32, 3, false}, {62, 672, 28, 7, false},  {300, 265, 28, 6, false},
                          {905, 290, 54, 2, false}, {780, 390, 40, 4, false}, {928, 462, 44, 6, false},
                          {850, 612, 52, 0, false}, {952, 700, 28, 3, false}, {725, 260, 26, 5, false},
                          {330, 668, 24, 7, false}, {700, 652, 26, 1, false}};
  for (const Float& f : floats) bubble(cr, pictures, f.x, f.y, f.r, f.kind, f.x * 0.02, f.glow);

  patient(cr, pictures, 512, 196);
  steam(cr, 848, 520);
  titleWord(cr, font, "Plombrix!", 512, 178, 168);
  button(cr, font, "Click to start", 512, 718);
  return canvas.toImage();
}

Image instructions(const Typeface& font) {
  Canvas canvas(WorldFrame::kWidth, WorldFrame::kHeight);
  cairo_t* cr = canvas.context();
  const BubblePictures pictures;
  wallBackdrop(cr);

  // A big sheet of the patient's chart on a clipboard.
  const double left = 60, top = 34, right = 964, bottom = 736;
  cairo_new_path(cr);
  Cartoon::roundedRect(cr, left - 20, top - 14, right - left + 40, bottom - top + 28, 22);
  Cartoon::fillInked(cr, Palette::kBoard, kLine);
  cairo_new_path(cr);
  Cartoon::roundedRect(cr, left + 6, top + 6, right - left, bottom - top, 6);
  Palette::kInk.withAlpha(0.25).use(cr);
  cairo_fill(cr);
  cairo_new_path(cr);
  Cartoon::roundedRect(cr, left, top, right - left, bottom - top, 6);
  Palette::kPaper.use(cr);
  cairo_fill(cr);
  Palette::kPaperLine.withAlpha(0.5).use(cr);
  cairo_set_line_width(cr, 1.0);
  for (double y = top + 110; y < bottom - 20; y += 34) {
    cairo_move_to(cr, left + 10, y);
    cairo_line_to(cr, right - 10, y);
  }
  cairo_stroke(cr);
  cairo_new_path(cr);
  Cartoon::roundedRect(cr, 422, 8, 180, 46, 12);
  Cartoon::fillInked(cr, Palette::kMetal, kLine);

  titleWord(cr, font, "How to play", 512, 118, 64);

  struct Rule {
    std::string text;
    int icon;
  };
  const Rule rules[] = {
      {"Germ bubbles keep dropping into the patient's stomach. Bubbles of the same kind merge when they "
       "touch.",
       0},
      {"A bubble that grows too heavy bursts and pays " + kReward +
           ". Plain bubbles, with no germ inside, pay nothing.",
       1},
      {"Bursts less than a second apart make a chain, and every link of it pays a bigger bonus.", 2},
      {"Click to burst the bubble nearest the pointer. It costs " + kPrice + " for every unit of its mass.",
       3},
      {"A glowing bubble that grows till it bursts takes every bubble of its kind with it. Clicked, it "
       "bursts alone.",
       4},
      {"Press W and S to zoom the view out and in.", 5},
  };
  double y = 190;
  for (const Rule& rule : rules) {
    const double iconX = 150, iconY = y + 2;
    switch (rule.icon) {
      case 0:
        iconMerge(cr, pictures, iconX, iconY);
        break;
      case 1:
        iconBurst(cr, font, pictures, iconX, iconY);
        break;
      case 2:
        iconChain(cr, font, pictures, iconX, iconY - 8);
        break;
      case 3:
        iconClick(cr, font, pictures, iconX, iconY);
        break;
      case 4:
        iconGlow(cr, pictures, iconX, iconY);
        break;
      default:
        keyCap(cr, font, "W", iconX - 28, iconY);
        keyCap(cr, font, "S", iconX + 28, iconY);
        break;
    }
    font.use(cr, 27);
    Palette::kPen.use(cr);
    const double last = wrappedText(cr, font, rule.text, 250, y, 680, 33);
    y = std::max(last + 56, y + 86);
  }
  button(cr, font, "Click to play", 512, 690);
  return canvas.toImage();
}

}  // namespace ScreenArt
