// Lines and boxes: the midpoint walk, clipping against each border and from far outside, the depth
// rule z <= stored, and every depth drawing.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "tests/velrast/Frame.h"
#include "velrast/velrast.h"

namespace {

using velrast_test::Frame;
using velrast_test::Fresh;
using Picture = std::vector<std::string>;

constexpr std::uint32_t kWhite = 0xFFFFFF;

class VelrastLineBox : public ::testing::Test {
 protected:
  void TearDown() override { velrast_test::Reset(); }
};

TEST_F(VelrastLineBox, LineWalkIncludesBothEnds) {
  Frame f = Fresh(10, 4);
  vlrSetColor(kWhite);
  vlrLine(0, 0, 9, 3);
  EXPECT_EQ(f.Picture(0), (Picture{"##........", "..###.....", ".....###..", "........##"}));
  // Given the other way round, the ends are swapped first: the same pixels.
  f = Fresh(10, 4);
  vlrSetColor(kWhite);
  vlrLine(9, 3, 0, 0);
  EXPECT_EQ(f.Picture(0), (Picture{"##........", "..###.....", ".....###..", "........##"}));

  f = Fresh(4, 6);
  vlrSetColor(kWhite);
  vlrLine(3, 0, 0, 5);  // mostly vertical, going up-right when walked from its left end
  EXPECT_EQ(f.Picture(0), (Picture{"...#", "..#.", "..#.", ".#..", ".#..", "#..."}));

  f = Fresh(10, 6);
  vlrSetColor(kWhite);
  vlrLine(0, 5, 9, 5);
  vlrLine(4, 2, 4, 2);
  EXPECT_EQ(f.Picture(0)[5], "##########");
  EXPECT_EQ(f.Picture(0)[2], "....#.....");
}

TEST_F(VelrastLineBox, LinesClipAtEachBorder) {
  Frame f = Fresh(16, 16);
  vlrSetColor(kWhite);
  vlrLine(-10, 0, 10, 20);  // enters at (0, 10), leaves through the bottom at (5, 15)
  const Picture p = f.Picture(0);
  for (int y = 0; y < 16; ++y) {
    std::string want(16, '.');
    if (y >= 10) want[y - 10] = '#';
    EXPECT_EQ(p[y], want) << "row " << y;
  }
  // From far outside to far outside: the buffer's two diagonals, x - y = 0 and x + y = 7.
  f = Fresh(8, 8);
  vlrSetColor(kWhite);
  vlrLine(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
  vlrLine3(INT_MAX, 7 - INT_MAX, 0.5f, 7 - INT_MAX, INT_MAX, 0.5f);
  const Picture x = f.Picture(0);
  for (int y = 0; y < 8; ++y) {
    std::string want(8, '.');
    want[y] = want[7 - y] = '#';
    EXPECT_EQ(x[y], want) << "row " << y;
  }
  // Wholly outside on each side.
  f = Fresh(8, 8);
  vlrSetColor(kWhite);
  vlrLine(-1, 0, -5, 7);
  vlrLine(8, 0, INT_MAX, 7);
  vlrLine(0, -1, 7, INT_MIN);
  vlrLine(0, 8, 7, 9);
  vlrLine3fg(1e30f, 0, 0.5f, 2e30f, 0, 0.5f);
  vlrLine3fg(__builtin_nanf(""), 0, 0.5f, 0, 0, 0.5f);
  EXPECT_EQ(f.Picture(0), Picture(8, "........"));
}

// Lines and boxes pass at equal depth (z <= stored), triangles do not: a line at exactly a
// triangle's depth shows over it.
TEST_F(VelrastLineBox, LineAtATrianglesDepthShows) {
  Frame f = Fresh(8, 8);
  vlrSetColor(0xFF0000);
  vlrTriangle3(0, 0, 0.5f, 7, 0, 0.5f, 0, 7, 0.5f);
  vlrSetColor(0x00FF00);
  vlrLine3(0, 0, 0.5f, 5, 0, 0.5f);
  vlrLine3(0, 1, 0.6f, 5, 1, 0.6f);  // behind
  EXPECT_EQ(f.Picture(0x00FF00)[0], "......##");
  EXPECT_EQ(f.At(3, 1), 0xFF0000u);
  // Depth runs from end to end: from 0.4 (in front) to 0.6 (behind) it shows on the front half.
  vlrSetColor(0x0000FF);
  vlrLine3(0, 2, 0.4f, 4, 2, 0.6f);
  EXPECT_EQ(f.Picture(0x0000FF)[2], "...#####");
  // The same through the float call: (-4, 2) from the centre is pixel (0, 2).
  vlrSetColor(kWhite);
  vlrLine3fg(-4.0f, 1.0f, 0.4f, 0.0f, 1.0f, 0.6f);
  EXPECT_EQ(f.Picture(kWhite)[3], "...#####");
}

// Every depth draws plain and depth-tested lines in its own pixel form.
TEST_F(VelrastLineBox, LinesAtEveryDepth) {
  const std::uint32_t stored[] = {5 * 36 + 2 * 6, 31u << 10 | 16u << 5, 0xFF8000, 0xFF8000};
  const int depths[] = {8, 16, 24, 32};
  for (int i = 0; i < 4; ++i) {
    Frame f = Fresh(6, 3, depths[i]);
    vlrSetColor(0xFF8000);
    vlrLine(0, 0, 5, 0);
    vlrLine3(0, 1, 0.5f, 5, 1, 0.5f);
    vlrZTestEnable(0);
    vlrLine3(0, 2, 0.5f, 5, 2, 0.5f);
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 6; ++x) EXPECT_EQ(f.At(x, y), stored[i]) << depths[i] << " bits at " << x << "," << y;
    // The depth-tested line wrote its depth: a farther box does not cover it.
    vlrZTestEnable(1);
    vlrSetColor(0);
    vlrBox3(0, 1, 5, 1, 0.7f);
    EXPECT_EQ(f.At(3, 1), stored[i]) << depths[i];
  }
}

TEST_F(VelrastLineBox, BoxesClampAndTakeCornersInAnyOrder) {
  const int corners[][4] = {{1, 1, 4, 2}, {4, 2, 1, 1}, {1, 2, 4, 1}, {4, 1, 1, 2}};
  for (const auto& c : corners) {
    Frame f = Fresh(6, 4);
    vlrSetColor(kWhite);
    vlrBox(c[0], c[1], c[2], c[3]);
    EXPECT_EQ(f.Picture(0), (Picture{"......", ".####.", ".####.", "......"}));
  }
  Frame f = Fresh(6, 6);
  vlrSetColor(kWhite);
  vlrBox(-5, -5, -1, 10);
  vlrBox(6, 0, INT_MAX, 5);
  vlrBox(0, INT_MIN, 5, -1);
  EXPECT_EQ(f.Picture(0), Picture(6, "......"));
  vlrBox(-5, 2, 3, 4);
  EXPECT_EQ(f.Picture(0), (Picture{"......", "......", "####..", "####..", "####..", "......"}));
  f = Fresh(6, 6);
  vlrSetColor(kWhite);
  vlrBox(INT_MAX, INT_MIN, INT_MIN, INT_MAX);
  EXPECT_EQ(f.Picture(0), Picture(6, "######"));
}

// Long spans are filled by copying the first pixels written: every pixel of the run gets the colour,
// and nothing beyond its ends changes, at every depth and every length.
TEST_F(VelrastLineBox, SpansOfEveryLength) {
  for (int bpp : {8, 16, 24, 32}) {
    for (int length = 1; length <= 37; ++length) {
      Frame f = Fresh(40, 1, bpp);
      vlrSetColor(0x123456);
      vlrBox(2, 0, 1 + length, 0);
      const std::uint32_t colour = f.At(2, 0);
      ASSERT_NE(colour, 0u);
      for (int x = 0; x < 40; ++x) {
        ASSERT_EQ(f.At(x, 0), x >= 2 && x <= 1 + length ? colour : 0u) << bpp << " bits, length " << length << " at " << x;
      }
    }
  }
}

TEST_F(VelrastLineBox, DepthBoxes) {
  for (int bpp : {8, 16, 24, 32}) {
    Frame f = Fresh(4, 1, bpp);
    vlrSetColor(0xFF0000);
    vlrBox3(0, 0, 1, 0, 0.5f);
    const std::uint32_t red = f.At(0, 0);
    vlrSetColor(0x00FF00);
    vlrBox3(1, 0, 3, 0, 0.5f);  // equal depth passes
    const std::uint32_t green = f.At(1, 0);
    EXPECT_NE(red, green);
    vlrSetColor(0x0000FF);
    vlrBox3(0, 0, 3, 0, 0.6f);  // behind everything drawn so far, in front of the clear value
    EXPECT_EQ(f.At(0, 0), red);
    EXPECT_EQ(f.At(3, 0), green);
    // With the depth-test switch off a box draws over everything and leaves the depths alone.
    vlrZTestEnable(0);
    vlrSetColor(kWhite);
    vlrBox3(0, 0, 0, 0, 0.9f);
    const std::uint32_t white = f.At(0, 0);
    EXPECT_NE(white, red);
    vlrZTestEnable(1);
    vlrSetColor(0x0000FF);
    vlrBox3(0, 0, 0, 0, 0.55f);  // the stored depth is still 0.5
    EXPECT_EQ(f.At(0, 0), white) << bpp;
  }
}

}  // namespace
