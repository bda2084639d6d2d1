#include "PatientArt.h"

#include <cmath>

#include "Canvas.h"
#include "Cartoon.h"
#include "Palette.h"

namespace PatientArt {

namespace {

constexpr double kLine = 4.0;  // outline width in limb picture pixels (about 3 screen pixels)

// A short puffed sleeve of the gown, where an arm leaves the body.
void sleeve(cairo_t* cr, double rootX, double tipX, double top, double bottom) {
  cairo_new_path(cr);
  cairo_move_to(cr, rootX, top - 4);
  cairo_curve_to(cr, (rootX + tipX) / 2, top - 6, tipX - 2, top, tipX, top + 4);
  cairo_curve_to(cr, tipX - 4, (top + bottom) / 2, tipX - 4, (top + bottom) / 2, tipX, bottom - 4);
  cairo_curve_to(cr, tipX - 2, bottom, (rootX + tipX) / 2, bottom + 6, rootX, bottom + 4);
  cairo_close_path(cr);
  Cartoon::fillInked(cr, Palette::kGown, kLine);
  // The hem of the sleeve.
  cairo_new_path(cr);
  const double hemX = tipX + (rootX > tipX ? 5 : -5);
  cairo_move_to(cr, hemX, top + 3);
  cairo_curve_to(cr, hemX + (rootX > tipX ? 2 : -2), (top + bottom) / 2, hemX, (top + bottom) / 2, hemX,
                 bottom - 3);
  Palette::kGownShade.use(cr);
  cairo_set_line_width(cr, 2.5);
  cairo_stroke(cr);
}

void fingers(cairo_t* cr, double cx, double cy, const double (*tips)[2], int count, double width) {
  for (int i = 0; i < count; ++i) {
    cairo_new_path(cr);
    cairo_move_to(cr, cx, cy);
    cairo_line_to(cr, tips[i][0], tips[i][1]);
    Cartoon::tube(cr, Palette::kSkin, width, kLine * 0.8);
  }
}

}  // namespace

void drawHead(cairo_t* cr) {
  // Neck, under the gown's collar in the background.
  cairo_new_path(cr);
  cairo_rectangle(cr, 106, 118, 44, 60);
  Cartoon::fillInked(cr, Palette::kSkinShade, kLine);

  // Ears behind the face.
  for (double side : {-1.0, 1.0}) {
    cairo_new_path(cr);
    Cartoon::ellipse(cr, 128 + side * 84, 92, 15, 19);
    Cartoon::fillInked(cr, Palette::kSkin, kLine);
    cairo_new_path(cr);
    Cartoon::ellipse(cr, 128 + side * 85, 93, 6, 9);
    Palette::kSkinShade.use(cr);
    cairo_fill(cr);
  }

  // The face, lit from the upper left.
  cairo_new_path(cr);
  Cartoon::ellipse(cr, 128, 84, 86, 68);
  cairo_pattern_t* skin = cairo_pattern_create_radial(104, 60, 10, 128, 84, 96);
  Palette::kSkin.addStop(skin, 0.0);
  Palette::kSkin.addStop(skin, 0.6);
  Palette::kSkinShade.addStop(skin, 1.0);
  cairo_set_source(cr, skin);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(skin);
  Cartoon::strokeInk(cr, kLine);

  // A tuft of hair: three curls on the crown.
  const double curls[3][3] = {{108, 22, 13}, {128, 16, 15}, {149, 22, 13}};
  for (const auto& c : curls) {
    cairo_new_path(cr);
    cairo_arc(cr, c[0], c[1], c[2], M_PI * 0.85, M_PI * 2.15);
    cairo_close_path(cr);
    Cartoon::fillInked(cr, Palette::kHair, kLine);
  }
  cairo_new_path(cr);
  cairo_arc(cr, 124, 12, 5, M_PI, M_PI * 1.8);
  Palette::kHairLight.use(cr);
  cairo_set_line_width(cr, 3);
  cairo_stroke(cr);

  // Fever: rosy cheeks and a drop of sweat.
  for (double side : {-1.0, 1.0}) {
    cairo_save(cr);
    cairo_translate(cr, 128 + side * 52, 106);
    cairo_scale(cr, 20, 12);
    cairo_pattern_t* blush = cairo_pattern_create_radial(0, 0, 0, 0, 0, 1);
    Palette::kCheek.withAlpha(0.85).addStop(blush, 0.0);
    Palette::kCheek.withAlpha(0.0).addStop(blush, 1.0);
    cairo_set_source(cr, blush);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_pattern_destroy(blush);
    cairo_restore(cr);
  }
  cairo_new_path(cr);
  cairo_move_to(cr, 196, 40);
  cairo_curve_to(cr, 204, 54, 208, 60, 203, 66);
  cairo_curve_to(cr, 198, 71, 188, 67, 189, 59);
  cairo_curve_to(cr, 190, 53, 194, 48, 196, 40);
  cairo_close_path(cr);
  Cartoon::fillInked(cr, Colour::bytes(170, 220, 255), 3.0);

  // Worried brows over big eyes that look down into the stomach.
  Cartoon::eye(cr, 100, 76, 17, 0.3, 0.6, kLine);
  Cartoon::eye(cr, 156, 76, 17, -0.1, 0.6, kLine);
  for (double side : {-1.0, 1.0}) {
    cairo_new_path(cr);
    cairo_move_to(cr, 128 + side * 14, 50);
    cairo_curve_to(cr, 128 + side * 24, 44, 128 + side * 36, 46, 128 + side * 42, 52);
    Cartoon::strokeInk(cr, kLine);
  }

  // A brave, wobbly smile.
  cairo_new_path(cr);
  cairo_move_to(cr, 108, 118);
  cairo_curve_to(cr, 114, 126, 122, 122, 128, 120);
  cairo_curve_to(cr, 134, 122, 142, 127, 148, 117);
  Cartoon::strokeInk(cr, kLine);
}

void drawWavingArm(cairo_t* cr) {
  // The body's edge is at x 67 of this picture; everything right of it is hidden.
  cairo_new_path(cr);
  cairo_move_to(cr, 72, 72);
  cairo_line_to(cr, 34, 78);
  cairo_curve_to(cr, 26, 70, 24, 56, 26, 40);
  Cartoon::tube(cr, Palette::kSkin, 13, kLine);

  // An open hand, waving hello.
  const double tips[4][2] = {{12, 24}, {18, 14}, {27, 12}, {36, 18}};
  fingers(cr, 25, 33, tips, 4, 6.5);
  cairo_new_path(cr);
  Cartoon::ellipse(cr, 25, 36, 11, 10);
  Cartoon::fillInked(cr, Palette::kSkin, kLine);
  cairo_new_path(cr);
  Cartoon::ellipse(cr, 25, 36, 8.5, 7.5);
  Palette::kSkin.use(cr);
  cairo_fill(cr);
  // Motion marks beside the hand.
  for (int i = 0; i < 2; ++i) {
    cairo_new_path(cr);
    cairo_arc(cr, 26, 34, 22 + i * 6, M_PI * 1.05, M_PI * 1.3);
    Palette::kInk.withAlpha(0.7).use(cr);
    cairo_set_line_width(cr, 2.5);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);
  }

  sleeve(cr, 80, 54, 58, 92);
}

void drawHoldingArm(cairo_t* cr) {
  // The body's edge is at x 34 of this picture.
  cairo_new_path(cr);
  cairo_move_to(cr, 30, 58);
  cairo_line_to(cr, 66, 70);
  cairo_curve_to(cr, 76, 76, 82, 86, 86, 96);
  Cartoon::tube(cr, Palette::kSkin, 13, kLine);

  // A fever thermometer, bulb out to the right where the steam rises.
  cairo_save(cr);
  cairo_translate(cr, 94, 100);
  cairo_rotate(cr, -0.22);
  cairo_new_path(cr);
  Cartoon::roundedRect(cr, -26, -4.5, 42, 9, 4.5);
  Cartoon::fillInked(cr, Palette::kGlass, 3.0);
  cairo_new_path(cr);
  cairo_move_to(cr, -18, 0);
  cairo_line_to(cr, 20, 0);
  Palette::kFever.use(cr);
  cairo_set_line_width(cr, 3.5);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_stroke(cr);
  for (int i = 0; i < 4; ++i) {
    cairo_new_path(cr);
    cairo_move_to(cr, -20 + i * 8, -4.5);
    cairo_line_to(cr, -20 + i * 8, -1.5);
    Palette::kInk.use(cr);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
  }
  cairo_new_path(cr);
  cairo_arc(cr, 22, 0, 7, 0, 2 * M_PI);
  Cartoon::fillInked(cr, Palette::kFever, 3.0);
  cairo_new_path(cr);
  cairo_arc(cr, 20, -2.5, 2.2, 0, 2 * M_PI);
  Palette::kWhite.withAlpha(0.8).use(cr);
  cairo_fill(cr);
  cairo_restore(cr);

  // The fist around it, thumb on top.
  cairo_new_path(cr);
  Cartoon::ellipse(cr, 86, 102, 11, 10);
  Cartoon::fillInked(cr, Palette::kSkin, kLine);
  for (int i = 0; i < 2; ++i) {
    cairo_new_path(cr);
    cairo_move_to(cr, 80 + i * 5, 108);
    cairo_line_to(cr, 81 + i * 5, 103);
    Palette::kInk.use(cr);
    cairo_set_line_width(cr, 2.0);
    cairo_stroke(cr);
  }
  cairo_new_path(cr);
  Cartoon::ellipse(cr, 91, 94, 6, 4.5);
  Cartoon::fillInked(cr, Palette::kSkin, 3.0);

  sleeve(cr, 22, 48, 42, 76);
}

void drawLeg(cairo_t* cr, bool toesLeft) {
  const double dir = toesLeft ? -1.0 : 1.0;
  // The gown's hem is at y 35 of this picture.
  cairo_new_path(cr);
  cairo_move_to(cr, 32, 14);
  cairo_line_to(cr, 32, 48);
  Cartoon::tube(cr, Palette::kSkin, 11, 3.5);

  // A fluffy slipper with a pompom.
  cairo_new_path(cr);
  cairo_move_to(cr, 32 - dir * 12, 58);
  cairo_curve_to(cr, 32 - dir * 14, 48, 32 - dir * 8, 43, 32, 43);
  cairo_curve_to(cr, 32 + dir * 10, 43, 32 + dir * 22, 46, 32 + dir * 24, 53);
  cairo_curve_to(cr, 32 + dir * 25, 58, 32 + dir * 22, 59, 32 + dir * 16, 59);
  cairo_close_path(cr);
  Cartoon::fillInked(cr, Palette::kSlipper, 3.5);
  cairo_new_path(cr);
  cairo_move_to(cr, 32 - dir * 10, 57);
  cairo_line_to(cr, 32 + dir * 19, 57);
  Palette::kSlipperLight.use(cr);
  cairo_set_line_width(cr, 2.5);
  cairo_stroke(cr);
  cairo_new_path(cr);
  cairo_arc(cr, 32 + dir * 13, 46, 5, 0, 2 * M_PI);
  Cartoon::fillInked(cr, Palette::kSlipperLight, 2.5);
}

Image limbImage(const LimbRig& limb) {
  Canvas canvas(limb.picture.width, limb.picture.height);
  cairo_t* cr = canvas.context();
  // The legs stand below the dado rail, the arm with the thermometer in front
  // of the window, the rest in front of the upper wall.
  const bool isLeg = &limb == &PatientRig::kLegLeft || &limb == &PatientRig::kLegRight;
  const bool atWindow = &limb == &PatientRig::kArmLeft;
  (isLeg ? Palette::kWallLower : atWindow ? Palette::kNightSky : Palette::kWallUpper).use(cr);
  cairo_paint(cr);
  if (&limb == &PatientRig::kHead) drawHead(cr);
  if (&limb == &PatientRig::kArmRight) drawWavingArm(cr);
  if (&limb == &PatientRig::kArmLeft) drawHoldingArm(cr);
  if (&limb == &PatientRig::kLegRight) drawLeg(cr, true);
  if (&limb == &PatientRig::kLegLeft) drawLeg(cr, false);
  return canvas.toImage();
}

}  // namespace PatientArt
