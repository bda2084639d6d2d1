#pragma once
// Angle conversion, distances, rounding and the inverse-square pull used by the
// particles. Pure arithmetic, no state beyond the gravitational constant.

// Newton's constant in SI units, kept as a single-precision value in writable
// data; the particles' attraction reads it through gravitation().
extern float gravitationalConstant;

constexpr float kFullTurnDegrees = 360.0f;

double degToRad(float degrees);
double radToDeg(float radians);
double distanceSquared(double x1, double y1, double x2, double y2);
// The caller passes the squared distance, so this is a plain inverse-square law.
double gravitation(double m1, double m2, double d2);
// floor(x + 0.5): halves go up, so -2.5 rounds to -2.
int roundToInt(double x);
