// Triangles: coverage of shared edges, clipping at the four sides and far outside, the float
// coordinate rounding, depth ties and every depth's pixel form.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <string>
#include <vector>

#include "tests/velrast/Frame.h"
#include "velrast/velrast.h"

namespace {

using velrast_test::Frame;
using velrast_test::Fresh;
using Picture = std::vector<std::string>;

constexpr std::uint32_t kWhite = 0xFFFFFF;

class VelrastTriangle : public ::testing::Test {
 protected:
  void TearDown() override { velrast_test::Reset(); }
};

int Count(const Frame& f, std::uint32_t value) {
  int n = 0;
  for (int y = 0; y < f.height; ++y)
    for (int x = 0; x < f.width; ++x) n += f.At(x, y) == value;
  return n;
}

TEST_F(VelrastTriangle, DegenerateTrianglesDrawTheirPixels) {
  Frame f = Fresh(6, 4);
  vlrSetColor(kWhite);
  vlrTriangle(2, 1, 2, 1, 2, 1);
  EXPECT_EQ(f.Picture(0), (Picture{"......", "..#...", "......", "......"}));

  f = Fresh(6, 4);
  vlrSetColor(kWhite);
  vlrTriangle(0, 0, 4, 2, 2, 1);  // collinear: each edge's runs, one pixel wide
  EXPECT_EQ(f.Picture(0), (Picture{"##....", ".###..", "....#.", "......"}));
}

// Both ends of every span are filled, so two triangles that share an edge both cover it: no gaps.
TEST_F(VelrastTriangle, SharedEdgeIsCoveredByBoth) {
  Frame f = Fresh(8, 8);
  vlrSetColor(kWhite);
  vlrTriangle(0, 0, 7, 0, 0, 7);
  const Picture first = f.Picture(0);
  f = Fresh(8, 8);
  vlrSetColor(kWhite);
  vlrTriangle(7, 0, 7, 7, 0, 7);
  const Picture second = f.Picture(0);
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x) {
      EXPECT_TRUE(first[y][x] == '#' || second[y][x] == '#') << "gap at " << x << "," << y;
      if (x + y == 7) {
        EXPECT_TRUE(first[y][x] == '#' && second[y][x] == '#') << "edge pixel " << x << "," << y;
      }
    }
  }
  EXPECT_EQ(first[0], "########");
  EXPECT_EQ(first[7], "#.......");
}

// The top and bottom borders cut each edge where its integer interpolation lands (truncating).
TEST_F(VelrastTriangle, ClippedAtTopAndBottom) {
  Frame f = Fresh(8, 4);
  vlrSetColor(kWhite);
  vlrTriangle(0, -1, 7, 3, 0, 3);
  EXPECT_EQ(f.Picture(0), (Picture{"###.....", "#####...", "######..", "########"}));

  f = Fresh(8, 4);
  vlrSetColor(kWhite);
  vlrTriangle(0, 0, 7, 5, 0, 5);
  EXPECT_EQ(f.Picture(0), (Picture{"##......", "###.....", "#####...", "######.."}));

  // The same at a depth test: the pixels do not depend on the path.
  f = Fresh(8, 4);
  vlrSetColor(kWhite);
  vlrTriangle3(0, 0, 0.5f, 7, 5, 0.6f, 0, 5, 0.7f);
  EXPECT_EQ(f.Picture(0), (Picture{"##......", "###.....", "#####...", "######.."}));
}

// Left and right borders only cut spans, so a triangle moved sideways shows the same pixels moved.
TEST_F(VelrastTriangle, ClippedAtLeftAndRight) {
  const int tri[6] = {1, 0, 14, 5, 4, 11};
  for (bool depth : {false, true}) {
    Frame f = Fresh(16, 12);
    vlrSetColor(kWhite);
    const auto draw = [&](int dx) {
      if (depth) {
        vlrTriangle3(tri[0] + dx, tri[1], 0.2f, tri[2] + dx, tri[3], 0.8f, tri[4] + dx, tri[5], 0.5f);
      } else {
        vlrTriangle(tri[0] + dx, tri[1], tri[2] + dx, tri[3], tri[4] + dx, tri[5]);
      }
    };
    draw(0);
    const Picture whole = f.Picture(0);
    for (int dx : {-6, -13, 5, 12}) {
      f = Fresh(16, 12);
      vlrSetColor(kWhite);
      draw(dx);
      const Picture moved = f.Picture(0);
      for (int y = 0; y < 12; ++y) {
        for (int x = 0; x < 16; ++x) {
          const int src = x - dx;
          const char want = src >= 0 && src < 16 ? whole[y][src] : (dx < 0 ? '?' : '.');
          if (want != '?') {
            ASSERT_EQ(moved[y][x], want) << "dx " << dx << " at " << x << "," << y << " depth " << depth;
          }
        }
      }
    }
  }
}

// Vertices anywhere in the 32-bit range clip without overflow: a triangle holding the whole buffer
// fills it exactly, however far out its corners are.
TEST_F(VelrastTriangle, FarOutsideCornersFillTheBuffer) {
  const int corners[][6] = {
      {INT_MIN, INT_MIN, INT_MAX, INT_MIN, 0, INT_MAX},
      {INT_MAX, INT_MAX, INT_MIN, 0, INT_MAX, INT_MIN},
      {-1000000000, -1000000000, 1000000000, 3, -1000000000, 1000000000},
  };
  for (const auto& c : corners) {
    for (bool depth : {false, true}) {
      Frame f = Fresh(9, 5);
      vlrSetColor(kWhite);
      if (depth) {
        vlrTriangle3(c[0], c[1], 0.5f, c[2], c[3], 0.5f, c[4], c[5], 0.5f);
      } else {
        vlrTriangle(c[0], c[1], c[2], c[3], c[4], c[5]);
      }
      EXPECT_EQ(Count(f, kWhite), 45) << c[0] << "," << c[1] << " " << c[2] << "," << c[3] << " depth " << depth;
    }
  }
  // Wholly outside, on each side.
  Frame f = Fresh(9, 5);
  vlrSetColor(kWhite);
  vlrTriangle(INT_MIN, INT_MIN, INT_MAX, INT_MIN, 0, -1);
  vlrTriangle(INT_MIN, 5, INT_MAX, 5, 0, INT_MAX);
  vlrTriangle(-1, INT_MIN, -1, INT_MAX, INT_MIN, 0);
  vlrTriangle(9, INT_MIN, 9, INT_MAX, INT_MAX, 0);
  EXPECT_EQ(Count(f, kWhite), 0);
}

// In a buffer wider than 32767 columns, edges beyond that column still set their spans.
TEST_F(VelrastTriangle, EdgesBeyondColumn32767) {
  Frame f = Fresh(40000, 2, 8);
  vlrSetColor(kWhite);
  vlrTriangle(35000, 0, 35010, 0, 35000, 1);
  int first = -1, last = -1;
  for (int x = 0; x < 40000; ++x) {
    if (f.At(x, 0) != 0) {
      if (first < 0) first = x;
      last = x;
    }
  }
  EXPECT_EQ(first, 35000);
  EXPECT_EQ(last, 35010);
}

// Centre-relative floats: the sum is rounded to single precision, then to an integer with ties to
// even; y points up.
TEST_F(VelrastTriangle, FloatCoordinatesRoundTiesToEven) {
  struct Case {
    float x, y;
    int px, py;
  };
  const Case cases[] = {
      {0.0f, 0.0f, 128, 96},     {0.5f, 0.0f, 128, 96},   {1.5f, 0.0f, 130, 96},  {-0.5f, 0.0f, 128, 96},
      {2.5f, 0.0f, 130, 96},     {0.0f, 0.5f, 128, 96},   {0.0f, 1.5f, 128, 94},  {0.0f, -1.5f, 128, 98},
      {0.49f, 0.51f, 128, 95},   {-128.0f, 96.0f, 0, 0},  {127.4f, -95.4f, 255, 191},
      // 128 + 0.500001 is 128.5 once rounded to a float, and 128.5 goes to the even 128.
      {0.500001f, 0.0f, 128, 96},
  };
  for (const Case& c : cases) {
    Frame f = Fresh(256, 192);
    vlrSetColor(kWhite);
    vlrTriangle3fg(c.x, c.y, 0.5f, c.x, c.y, 0.5f, c.x, c.y, 0.5f);
    ASSERT_EQ(Count(f, kWhite), 1) << c.x << "," << c.y;
    EXPECT_EQ(f.At(c.px, c.py), kWhite) << c.x << "," << c.y;
  }
}

// NaN has no pixel: such a triangle is dropped. Infinities and huge floats saturate and clip.
TEST_F(VelrastTriangle, FloatCoordinatesBeyondRange) {
  const float inf = INFINITY, nan = NAN;
  Frame f = Fresh(8, 6);
  vlrSetColor(kWhite);
  vlrTriangle3fg(nan, 0, 0.5f, 3, 0, 0.5f, 0, 3, 0.5f);
  vlrTriangle3fg(0, 0, 0.5f, 3, nan, 0.5f, 0, 3, 0.5f);
  vlrTriangle3fg(0, 0, nan, 3, 0, nan, 0, 3, nan);  // depth NaN: never nearer than anything
  EXPECT_EQ(Count(f, kWhite), 0);
  vlrTriangle3fg(-inf, -inf, 0.5f, inf, -inf, 0.5f, 0, inf, 0.5f);
  EXPECT_EQ(Count(f, kWhite), 48);
  f = Fresh(8, 6);
  vlrSetColor(kWhite);
  vlrTriangle3fg(-3e38f, -3e38f, 0.5f, 3e38f, -3e38f, 0.5f, 0, 3e38f, 0.5f);
  EXPECT_EQ(Count(f, kWhite), 48);
  vlrSetColor(0x0000FF);
  vlrTriangle3fg(1e20f, 1e20f, 0.1f, 2e20f, 1e20f, 0.1f, 1e20f, 3e20f, 0.1f);
  EXPECT_EQ(Count(f, 0x0000FF), 0);
}

TEST_F(VelrastTriangle, DepthTestIsStrictlyLess) {
  Frame f = Fresh(6, 6);
  // At the clear value 1.0 nothing passes; just below it everything covered does.
  vlrSetColor(0xFF0000);
  vlrTriangle3(0, 0, 1.0f, 5, 0, 1.0f, 0, 5, 1.0f);
  EXPECT_EQ(Count(f, 0xFF0000), 0);
  vlrTriangle3(0, 0, 0.9999f, 5, 0, 0.9999f, 0, 5, 0.9999f);
  EXPECT_EQ(Count(f, 0xFF0000), 21);
  // Equal depth: the triangle drawn first keeps the pixel.
  vlrSetColor(0x00FF00);
  vlrTriangle3(0, 0, 0.9999f, 5, 0, 0.9999f, 5, 5, 0.9999f);
  EXPECT_EQ(Count(f, 0xFF0000), 21);
  EXPECT_EQ(Count(f, 0x00FF00), 9);  // x >= y but x + y > 5
  // Nearer wins, farther loses.
  vlrSetColor(0x0000FF);
  vlrTriangle3(0, 0, 0.5f, 5, 0, 0.5f, 0, 5, 0.5f);
  vlrSetColor(kWhite);
  vlrTriangle3(0, 0, 0.6f, 5, 0, 0.6f, 0, 5, 0.6f);
  EXPECT_EQ(Count(f, 0x0000FF), 21);
  EXPECT_EQ(Count(f, kWhite), 0);
}

// Depth interpolates along edges and spans: a sloped triangle and a flat one cut each other
// where their depths cross, on both sides of the crossing.
TEST_F(VelrastTriangle, DepthCrossingOfTwoPlanes) {
  Frame f = Fresh(11, 3);
  vlrSetColor(0xFF0000);
  // z runs 0.0 at x = 0 to 1.0 at x = 10 on every row.
  vlrTriangle3(0, -20, 0.0f, 10, -20, 1.0f, 10, 20, 1.0f);
  vlrTriangle3(0, -20, 0.0f, 10, 20, 1.0f, 0, 20, 0.0f);
  vlrSetColor(0x00FF00);
  vlrBox3(0, 0, 10, 2, 0.45f);  // boxes pass at z <= stored
  EXPECT_EQ(f.Picture(0x00FF00)[1], "#####......");
}

TEST_F(VelrastTriangle, FourthValuesChangeNothing) {
  Frame f = Fresh(12, 9);
  vlrSetColor(kWhite);
  vlrTriangle3(1, 0, 0.5f, 11, 4, 0.3f, 3, 8, 0.7f);
  const Picture plain = f.Picture(0);
  f = Fresh(12, 9);
  vlrSetColor(kWhite);
  vlrTriangle3c(1, 0, 0.5f, 0xFF0000, 11, 4, 0.3f, 0x00FF00, 3, 8, 0.7f, 0xDEADBEEF);
  EXPECT_EQ(f.Picture(0), plain);
}

// Every depth stores its own pixel form, on both paths, and the depth test works at 32 bits too.
TEST_F(VelrastTriangle, EveryDepthsPixelForm) {
  struct Case {
    int bpp;
    std::uint32_t stored;
  };
  const Case cases[] = {{8, 5 * 36 + 2 * 6 + 0}, {16, 31u << 10 | 16u << 5 | 0}, {24, 0xFF8000}, {32, 0xFF8000}};
  for (const Case& c : cases) {
    for (bool depth : {false, true}) {
      Frame f = Fresh(7, 5, c.bpp);
      vlrSetColor(0xFF8000);
      if (depth) {
        vlrTriangle3(0, 0, 0.5f, 6, 0, 0.5f, 0, 4, 0.5f);
      } else {
        vlrTriangle(0, 0, 6, 0, 0, 4);
      }
      EXPECT_EQ(f.At(0, 0), c.stored) << c.bpp << " depth " << depth;
      EXPECT_EQ(f.At(6, 0), c.stored) << c.bpp << " depth " << depth;
      EXPECT_EQ(f.At(0, 4), c.stored) << c.bpp << " depth " << depth;
      EXPECT_EQ(f.At(6, 4), 0u) << c.bpp << " depth " << depth;
      if (depth) {
        vlrSetColor(0x0000FF);
        vlrTriangle3(0, 0, 0.7f, 6, 0, 0.7f, 0, 4, 0.7f);  // farther: hidden
        EXPECT_EQ(f.At(0, 0), c.stored) << c.bpp;
      }
    }
  }
}

}  // namespace
