#include "shape/VecMath.h"

#include <cmath>

Vec3 Normalize(Vec3 v) {
  const float squared = v.x * v.x + v.y * v.y + v.z * v.z;
  if (squared == 0.0f) return Vec3{0.0f, 0.0f, 0.0f};
  const float length = std::sqrt(squared);
  return Vec3{v.x / length, v.y / length, v.z / length};
}

Vec3 TransformPoint(const Vec3& v, const Matrix4& m) {
  const float* a = m.m;
  return Vec3{v.x * a[0] + v.y * a[4] + v.z * a[8] + a[12], v.x * a[1] + v.y * a[5] + v.z * a[9] + a[13],
              v.x * a[2] + v.y * a[6] + v.z * a[10] + a[14]};
}

Matrix4 MatrixMultiply(const Matrix4& a, const Matrix4& b) {
  // Into a local first: the caller may pass the result's own storage as either operand.
  Matrix4 p;
  for (int i = 0; i < 4; ++i) {
    for (int j = 0; j < 4; ++j) {
      p.m[4 * i + j] = a.m[4 * i + 0] * b.m[j] + a.m[4 * i + 1] * b.m[4 + j] + a.m[4 * i + 2] * b.m[8 + j] +
                       a.m[4 * i + 3] * b.m[12 + j];
    }
  }
  return p;
}

Matrix4 MatrixIdentity() {
  Matrix4 r{};
  r.m[0] = r.m[5] = r.m[10] = r.m[15] = 1.0f;
  return r;
}

void RotateAxis(Matrix4& m, Vec3 axis, float angle) {
  const Vec3 u = Normalize(axis);
  const float x = u.x, y = u.y, z = u.z;
  const float c = std::cos(angle);
  const float s = std::sin(angle);
  const float t = 1.0f - c;
  const Matrix4 r{{
      x * x + (1.0f - x * x) * c, x * y * t + z * s, x * z * t - y * s, 0.0f,  //
      x * y * t - z * s, y * y + (1.0f - y * y) * c, y * z * t + x * s, 0.0f,  //
      x * z * t + y * s, y * z * t - x * s, z * z + (1.0f - z * z) * c, 0.0f,  //
      0.0f, 0.0f, 0.0f, 1.0f,
  }};
  m = MatrixMultiply(m, r);
}
