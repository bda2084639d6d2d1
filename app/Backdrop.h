#pragma once
// The three full-window pictures: the playing screen's background (drawn with
// transparency over the patient), the title screen and the instructions
// screen. Each is a sprite stretched over one world rectangle.

class Backdrop {
 public:
  static Backdrop& instance();

  void loadSprites();
  void setRect(double newTop, double newRight, double newBottom, double newLeft);
  void drawBackground() const;
  void drawTitle() const;
  void drawInstructions() const;

  double top = 0.0;
  double right = 0.0;
  double bottom = 0.0;
  double left = 0.0;
  int backgroundList = -1;
  int titleList = -1;
  int instructionsList = -1;

 private:
  // Centres and stretches the unit square over the rectangle; the extents are
  // absolute, so edges given in either order never mirror the picture.
  void place(int list) const;
  // The title and instructions cover the whole window: no blending needed.
  void drawOpaque(int list) const;
};
