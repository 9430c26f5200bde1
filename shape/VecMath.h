// Single-precision vectors and 4 x 4 matrices shared by the shape reader and the preview renderer.
// Matrices are row-major and used with row vectors: a point (x, y, z) transforms as the row
// (x, y, z, 1) times the matrix, so rows 0-2 are the images of the axes and row 3 the translation.
// Every expression is evaluated in float, in the order written, so that the same shape gives the
// same pixels on every build.
#pragma once

struct Vec3 {
  float x = 0.0f;
  float y = 0.0f;
  float z = 0.0f;
};

struct Matrix4 {
  float m[16];  // m[4 * row + column]
};

// v divided by its length; the zero vector (exactly 0 squared length) stays (0, 0, 0).
Vec3 Normalize(Vec3 v);

// The row (v, 1) times M, without a projective divide. Also used on normals: the view matrix holds
// no translation.
Vec3 TransformPoint(const Vec3& v, const Matrix4& m);

// a times b.
Matrix4 MatrixMultiply(const Matrix4& a, const Matrix4& b);

Matrix4 MatrixIdentity();

// Turns m about axis (normalized here) by angle radians, applied after the rotation already in m.
void RotateAxis(Matrix4& m, Vec3 axis, float angle);
