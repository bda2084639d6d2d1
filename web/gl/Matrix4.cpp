#include "web/gl/Matrix4.h"

#include <cmath>

namespace {
constexpr double kRadiansPerDegree = 3.14159265358979323846 / 180.0;
}  // namespace

Matrix4 Matrix4::identity() {
  Matrix4 result;
  result.m[0] = result.m[5] = result.m[10] = result.m[15] = 1.0f;
  return result;
}

Matrix4 Matrix4::fromColumnMajor(const float* values) {
  Matrix4 result;
  for (int i = 0; i < 16; ++i) result.m[i] = values[i];
  return result;
}

Matrix4 Matrix4::translation(float x, float y, float z) {
  Matrix4 result = identity();
  result.m[12] = x;
  result.m[13] = y;
  result.m[14] = z;
  return result;
}

Matrix4 Matrix4::scaling(float x, float y, float z) {
  Matrix4 result = identity();
  result.m[0] = x;
  result.m[5] = y;
  result.m[10] = z;
  return result;
}

Matrix4 Matrix4::rotation(float angleDegrees, float x, float y, float z) {
  const float length = std::sqrt(x * x + y * y + z * z);
  if (length == 0.0f) return identity();
  x /= length;
  y /= length;
  z /= length;
  const auto radians = static_cast<float>(angleDegrees * kRadiansPerDegree);
  const float c = std::cos(radians);
  const float s = std::sin(radians);
  const float k = 1.0f - c;
  Matrix4 result = identity();
  result.m[0] = x * x * k + c;
  result.m[1] = y * x * k + z * s;
  result.m[2] = x * z * k - y * s;
  result.m[4] = x * y * k - z * s;
  result.m[5] = y * y * k + c;
  result.m[6] = y * z * k + x * s;
  result.m[8] = x * z * k + y * s;
  result.m[9] = y * z * k - x * s;
  result.m[10] = z * z * k + c;
  return result;
}

Matrix4 Matrix4::frustum(double left, double right, double bottom, double top, double zNear, double zFar) {
  Matrix4 result;
  result.m[0] = static_cast<float>(2.0 * zNear / (right - left));
  result.m[5] = static_cast<float>(2.0 * zNear / (top - bottom));
  result.m[8] = static_cast<float>((right + left) / (right - left));
  result.m[9] = static_cast<float>((top + bottom) / (top - bottom));
  result.m[10] = static_cast<float>(-(zFar + zNear) / (zFar - zNear));
  result.m[11] = -1.0f;
  result.m[14] = static_cast<float>(-2.0 * zFar * zNear / (zFar - zNear));
  return result;
}

Matrix4 Matrix4::ortho(double left, double right, double bottom, double top, double zNear, double zFar) {
  Matrix4 result = identity();
  result.m[0] = static_cast<float>(2.0 / (right - left));
  result.m[5] = static_cast<float>(2.0 / (top - bottom));
  result.m[10] = static_cast<float>(-2.0 / (zFar - zNear));
  result.m[12] = static_cast<float>(-(right + left) / (right - left));
  result.m[13] = static_cast<float>(-(top + bottom) / (top - bottom));
  result.m[14] = static_cast<float>(-(zFar + zNear) / (zFar - zNear));
  return result;
}

Matrix4 Matrix4::perspective(double fovY, double aspect, double zNear, double zFar) {
  // GLU's own construction: the cotangent of half the field of view.
  const double half = fovY * 0.5 * kRadiansPerDegree;
  const double depth = zFar - zNear;
  const double sine = std::sin(half);
  if (depth == 0.0 || sine == 0.0 || aspect == 0.0) return identity();
  const double cotangent = std::cos(half) / sine;
  Matrix4 result = identity();
  result.m[0] = static_cast<float>(cotangent / aspect);
  result.m[5] = static_cast<float>(cotangent);
  result.m[10] = static_cast<float>(-(zFar + zNear) / depth);
  result.m[11] = -1.0f;
  result.m[14] = static_cast<float>(-2.0 * zNear * zFar / depth);
  result.m[15] = 0.0f;
  return result;
}

Matrix4 Matrix4::lookAt(double eyeX, double eyeY, double eyeZ, double centreX, double centreY, double centreZ,
                        double upX, double upY, double upZ) {
  double fx = centreX - eyeX, fy = centreY - eyeY, fz = centreZ - eyeZ;
  const double fLength = std::sqrt(fx * fx + fy * fy + fz * fz);
  if (fLength == 0.0) return identity();
  fx /= fLength;
  fy /= fLength;
  fz /= fLength;
  // side = forward x up, then up' = side x forward, as GLU does.
  double sx = fy * upZ - fz * upY, sy = fz * upX - fx * upZ, sz = fx * upY - fy * upX;
  const double sLength = std::sqrt(sx * sx + sy * sy + sz * sz);
  if (sLength == 0.0) return identity();
  sx /= sLength;
  sy /= sLength;
  sz /= sLength;
  const double ux = sy * fz - sz * fy, uy = sz * fx - sx * fz, uz = sx * fy - sy * fx;
  Matrix4 rotationPart = identity();
  rotationPart.m[0] = static_cast<float>(sx);
  rotationPart.m[4] = static_cast<float>(sy);
  rotationPart.m[8] = static_cast<float>(sz);
  rotationPart.m[1] = static_cast<float>(ux);
  rotationPart.m[5] = static_cast<float>(uy);
  rotationPart.m[9] = static_cast<float>(uz);
  rotationPart.m[2] = static_cast<float>(-fx);
  rotationPart.m[6] = static_cast<float>(-fy);
  rotationPart.m[10] = static_cast<float>(-fz);
  return rotationPart *
         translation(static_cast<float>(-eyeX), static_cast<float>(-eyeY), static_cast<float>(-eyeZ));
}

Matrix4 Matrix4::operator*(const Matrix4& other) const {
  Matrix4 result;
  for (int column = 0; column < 4; ++column) {
    for (int row = 0; row < 4; ++row) {
      float sum = 0.0f;
      for (int k = 0; k < 4; ++k) sum += at(row, k) * other.at(k, column);
      result.m[column * 4 + row] = sum;
    }
  }
  return result;
}

Vec4 Matrix4::transform(const Vec4& v) const {
  return {m[0] * v.x + m[4] * v.y + m[8] * v.z + m[12] * v.w,
          m[1] * v.x + m[5] * v.y + m[9] * v.z + m[13] * v.w,
          m[2] * v.x + m[6] * v.y + m[10] * v.z + m[14] * v.w,
          m[3] * v.x + m[7] * v.y + m[11] * v.z + m[15] * v.w};
}
