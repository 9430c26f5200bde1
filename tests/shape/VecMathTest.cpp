#include "shape/Loadsuf.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

void ExpectVec(const Vec3& v, float x, float y, float z, float tolerance = 1e-6f) {
  EXPECT_NEAR(v.x, x, tolerance);
  EXPECT_NEAR(v.y, y, tolerance);
  EXPECT_NEAR(v.z, z, tolerance);
}

TEST(VecMath, NormalizeScalesToUnitLengthAndKeepsZero) {
  ExpectVec(Normalize(Vec3{3, 0, 4}), 0.6f, 0.0f, 0.8f);
  ExpectVec(Normalize(Vec3{0, -2, 0}), 0.0f, -1.0f, 0.0f, 0.0f);
  ExpectVec(Normalize(Vec3{0, 0, 0}), 0, 0, 0, 0.0f);
  // The squared length of 1e-23 underflows to exactly 0 in float: zero rather than inf or NaN.
  const Vec3 tiny = Normalize(Vec3{1e-23f, 0, 0});
  EXPECT_EQ(tiny.x, 0.0f);
  EXPECT_FALSE(std::isnan(tiny.y));
}

TEST(VecMath, TransformPointUsesRowVectorsWithTranslationInRow3) {
  Matrix4 m = MatrixIdentity();
  m.m[1] = 2.0f;   // x also feeds y
  m.m[12] = 10.0f;
  m.m[14] = -1.0f;
  ExpectVec(TransformPoint(Vec3{1, 1, 1}, m), 11.0f, 3.0f, 0.0f);
}

TEST(VecMath, MultiplyIsRowMajorAndMayOverwriteAnOperand) {
  Matrix4 a = MatrixIdentity();
  Matrix4 b = MatrixIdentity();
  a.m[1] = 2.0f;   // a[0][1]
  b.m[4] = 3.0f;   // b[1][0]
  Matrix4 p = MatrixMultiply(a, b);
  EXPECT_EQ(p.m[0], 1.0f + 2.0f * 3.0f);  // row 0 of a times column 0 of b
  EXPECT_EQ(p.m[1], 2.0f);
  EXPECT_EQ(p.m[4], 3.0f);
  a = MatrixMultiply(a, a);
  EXPECT_EQ(a.m[1], 4.0f);
}

TEST(VecMath, RotateAxisTurnsAfterTheRotationAlreadyHeld) {
  const float quarter = static_cast<float>(M_PI / 2);
  Matrix4 m = MatrixIdentity();
  RotateAxis(m, Vec3{0, 0, 5}, quarter);  // the axis need not be of unit length
  ExpectVec(TransformPoint(Vec3{1, 0, 0}, m), 0.0f, 1.0f, 0.0f);
  // Then a quarter turn about x: the y axis goes to z. Applied the other way round, x would go to y.
  RotateAxis(m, Vec3{1, 0, 0}, quarter);
  ExpectVec(TransformPoint(Vec3{1, 0, 0}, m), 0.0f, 0.0f, 1.0f);
  // A zero axis normalizes to zero: the rotation part becomes cos(angle) on the diagonal, never NaN.
  Matrix4 z = MatrixIdentity();
  RotateAxis(z, Vec3{0, 0, 0}, 0.5f);
  EXPECT_FLOAT_EQ(z.m[0], std::cos(0.5f));
  EXPECT_FLOAT_EQ(z.m[10], std::cos(0.5f));
  EXPECT_EQ(z.m[1], 0.0f);
  EXPECT_EQ(z.m[15], 1.0f);
}

struct NormalCase {
  const char* what;
  std::vector<Vec3> vertices;
  Vec3 expected;
};

TEST(ShapeModel, NormalComesFromTheFirstThreeVertices) {
  const NormalCase cases[] = {
      {"counter-clockwise", {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {0, 0, 1}},
      {"clockwise", {{0, 0, 0}, {0, 1, 0}, {1, 0, 0}}, {0, 0, -1}},
      {"in the xz plane", {{0, 0, 0}, {0, 0, 2}, {2, 0, 2}}, {0, 1, 0}},
      {"collinear start", {{0, 0, 0}, {1, 0, 0}, {2, 0, 0}, {0, 1, 0}}, {0, 0, 0}},
      {"repeated point", {{1, 1, 1}, {1, 1, 1}, {0, 1, 0}, {0, 0, 0}}, {0, 0, 0}},
      {"two vertices", {{0, 0, 0}, {1, 0, 0}}, {0, 0, 1}},
      {"no vertices", {}, {0, 0, 1}},
  };
  for (const auto& c : cases) {
    XFace face;
    for (const Vec3& v : c.vertices) face.AddVertex(v);
    EXPECT_EQ(face.count, static_cast<int>(c.vertices.size()));
    face.ComputeNormal();
    SCOPED_TRACE(c.what);
    ExpectVec(face.normal, c.expected.x, c.expected.y, c.expected.z);
  }
  XFace few;
  few.normal = Vec3{0, 0, 4};
  few.ComputeNormal();
  ExpectVec(few.normal, 0, 0, 1);
}

TEST(ShapeModel, BoundsClearAndViewerState) {
  XLoaderSuf shape;
  ExpectVec(shape.min, 0, 0, 0, 0);
  ExpectVec(shape.max, 0, 0, 0, 0);
  EXPECT_EQ(shape.zoom, 1.0f);
  shape.UpdateBounds();
  ExpectVec(shape.min, 1e30f, 1e30f, 1e30f, 0);
  ExpectVec(shape.max, -1e30f, -1e30f, -1e30f, 0);

  for (const auto& points : {std::vector<Vec3>{{1, -2, 3}, {-4, 5, 0}}, std::vector<Vec3>{}, std::vector<Vec3>{{0, 0, 9}}}) {
    auto face = std::make_unique<XFace>();
    for (const Vec3& v : points) face->AddVertex(v);
    ASSERT_TRUE(shape.AddFace(std::move(face)));
  }
  EXPECT_EQ(shape.count, 3);
  shape.UpdateBounds();
  ExpectVec(shape.min, -4, -2, 0, 0);
  ExpectVec(shape.max, 1, 5, 9, 0);

  RotateAxis(shape.view, Vec3{0, 1, 0}, 0.5f);
  shape.zoom = 2.0f;
  const Matrix4 turned = shape.view;
  shape.Clear();
  EXPECT_EQ(shape.count, 0);
  EXPECT_TRUE(shape.faces.empty());
  ExpectVec(shape.min, -4, -2, 0, 0);  // a failed load shows the old box with nothing in it
  EXPECT_EQ(shape.zoom, 2.0f);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(shape.view.m[i], turned.m[i]);
  EXPECT_FALSE(shape.AddFace(nullptr));
  EXPECT_EQ(shape.count, 0);
}

}  // namespace
