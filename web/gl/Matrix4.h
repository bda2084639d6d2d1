#pragma once
// A 4 x 4 matrix in OpenGL's own layout (column-major: element (row, col) at
// [col * 4 + row]) and the transforms of the fixed-function pipeline, each
// built the way OpenGL 1.x documents it, so the layer's vertices land where a
// desktop driver puts them.

#include <array>

struct Vec4 {
  float x = 0.0f, y = 0.0f, z = 0.0f, w = 1.0f;
};

class Matrix4 {
 public:
  static Matrix4 identity();
  static Matrix4 fromColumnMajor(const float* values);
  static Matrix4 translation(float x, float y, float z);
  static Matrix4 scaling(float x, float y, float z);
  // Rotation by angleDegrees about the axis (x, y, z), which need not be unit
  // length; a zero axis leaves the identity.
  static Matrix4 rotation(float angleDegrees, float x, float y, float z);
  static Matrix4 frustum(double left, double right, double bottom, double top, double zNear, double zFar);
  static Matrix4 ortho(double left, double right, double bottom, double top, double zNear, double zFar);
  // gluPerspective: fovY in degrees.
  static Matrix4 perspective(double fovY, double aspect, double zNear, double zFar);
  // gluLookAt.
  static Matrix4 lookAt(double eyeX, double eyeY, double eyeZ, double centreX, double centreY, double centreZ,
                        double upX, double upY, double upZ);

  // this * other: other's transform applies first, as glMultMatrix does.
  Matrix4 operator*(const Matrix4& other) const;
  Vec4 transform(const Vec4& v) const;

  float at(int row, int column) const { return m[column * 4 + row]; }
  const float* data() const { return m.data(); }

  std::array<float, 16> m{};
};
