#pragma once
// How the world is seen: a 90 degree perspective in the fixed 1024 x 768 window,
// with the z = 0 plane three units in front of the eye, so the world rectangle
// x -4..4, y 0..6 fills the window. Also turns window pixels back into world
// positions on that plane for the pointer.

#include "assets/SceneLayout.h"

class Camera {
 public:
  static constexpr int kWindowWidth = SceneLayout::kWindowWidth;    // pixels
  static constexpr int kWindowHeight = SceneLayout::kWindowHeight;  // pixels
  // The world rectangle the default camera fills the window with, world units;
  // the full-window pictures are drawn on exactly this grid.
  static constexpr double kWorldLeft = SceneLayout::kWorldLeft;
  static constexpr double kWorldRight = SceneLayout::kWorldRight;
  static constexpr double kWorldBottom = SceneLayout::kWorldBottom;
  static constexpr double kWorldTop = SceneLayout::kWorldTop;
  // How near and how far the zoom keys may take the eye from the z = 0 plane,
  // in world units. Nearer than this the stomach fills the window and the plane
  // soon reaches the eye (a black screen that still takes clicks); farther, the
  // picture shrinks past recognition towards the far clipping plane.
  static constexpr double kNearestEye = 1.5;
  static constexpr double kFarthestEye = 9.0;

  static Camera& instance();

  // GLUT's reshape: any size but 1024 x 768 is undone; the right size loads the
  // viewport, the projection and the model-view base matrix.
  void reshape(int newWidth, int newHeight);
  // Moves the world's translation and reloads the model-view base matrix at
  // once, so the picture follows a zoom key immediately. The eye's distance
  // stays between kNearestEye and kFarthestEye.
  void move(double dx, double dy, double dz);
  // Half the height of the visible part of the z = 0 plane, in world units.
  double halfExtent() const;

  struct WorldPoint {
    float x;
    float y;
  };
  // Window pixel (origin top-left, y down) to world (y up) on z = 0; positions
  // outside the window map to the nearest point of its border.
  WorldPoint viewToWorld(double sx, double sy) const;

  int width = kWindowWidth;
  int height = kWindowHeight;
  double fovY = 90.0;
  double offsetX = 0.0;
  double offsetY = -3.0;
  double offsetZ = -3.0;

 private:
  void loadModelView() const;
};
