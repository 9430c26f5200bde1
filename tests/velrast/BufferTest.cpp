// The frame buffer: sizes and headers, pixel forms at every depth, clearing, switches, output, and
// what happens on bad sizes and calls without a buffer.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "tests/common/TestSurface.h"
#include "tests/velrast/Frame.h"
#include "velrast/velrast.h"

namespace {

using velrast_test::Frame;
using velrast_test::Fresh;
using velrast_test::Grab;

class VelrastBuffer : public ::testing::Test {
 protected:
  void TearDown() override { velrast_test::Reset(); }
};

TEST_F(VelrastBuffer, HeaderOfAThumbnailFrame) {
  ASSERT_EQ(vlrInitBuffer(256, 192), 1);
  BITMAPINFOHEADER* h = nullptr;
  unsigned char* bits = nullptr;
  ASSERT_EQ(vlrGetDib(&h, &bits), 1);
  ASSERT_NE(bits, nullptr);
  const BITMAPINFOHEADER expected{40, 256, -192, 1, 24, 0, 768 * 192, 0, 0, 0, 0};
  EXPECT_EQ(std::memcmp(h, &expected, sizeof expected), 0);
}

TEST_F(VelrastBuffer, RefusedDepthKeepsThePreviousOne) {
  ASSERT_EQ(vlrSetRenderBpp(16), 1);
  EXPECT_EQ(vlrSetRenderBpp(15), 0);
  EXPECT_EQ(vlrSetRenderBpp(0), 0);
  EXPECT_EQ(vlrSetRenderBpp(-24), 0);
  ASSERT_EQ(vlrInitBuffer(4, 4), 1);
  EXPECT_EQ(Grab().bpp, 16);
}

// A colour set before vlrInitBuffer is what vlrClear writes, in each depth's own pixel form.
TEST_F(VelrastBuffer, ClearWritesEachDepthsPixelForm) {
  struct Case {
    int bpp;
    std::uint32_t color;
    std::uint32_t stored;
  };
  const Case cases[] = {
      {8, 0x808080, 86},                   // 2*36 + 2*6 + 2
      {8, 0xFFFFFF, 215},
      {8, 0x2B562A, 1 * 36 + 2 * 6 + 0},   // 43 / 43, 86 / 43, 42 / 43
      {16, 0xFF8000, 31u << 10 | 16u << 5},
      {16, 0x0000FF, 31u},
      {24, 0x123456, 0x123456},
      {32, 0xAB123456, 0xAB123456},        // the top byte goes along at 32 bits
  };
  for (const Case& c : cases) {
    vlrDestroy();
    vlrSetRenderBpp(c.bpp);
    vlrSetColor(c.color);
    ASSERT_EQ(vlrInitBuffer(5, 3), 1);
    vlrClear();
    const Frame f = Grab();
    const std::uint32_t expected = c.stored;
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 5; ++x) ASSERT_EQ(f.At(x, y), expected) << c.bpp << " bits, colour " << std::hex << c.color;
  }
}

TEST_F(VelrastBuffer, EightBitTableIsTheCubeThenTheGreyRamp) {
  const Frame f = Fresh(4, 4, 8);
  ASSERT_EQ(f.header->biClrUsed, 256u);
  const auto* table = reinterpret_cast<const RGBQUAD*>(reinterpret_cast<const unsigned char*>(f.header) + 40);
  const RGBQUAD cube = table[5 * 36 + 1 * 6 + 3], grey = table[216];
  EXPECT_EQ((std::vector<int>{cube.rgbRed, cube.rgbGreen, cube.rgbBlue, cube.rgbReserved}), (std::vector<int>{215, 43, 129, 0}));
  EXPECT_EQ((std::vector<int>{grey.rgbRed, grey.rgbGreen, grey.rgbBlue}), (std::vector<int>{216, 216, 216}));
}

// Padding: at 24 bits only the pixels of a row are cleared; at 8 and 16 the whole block is.
TEST_F(VelrastBuffer, ClearAndPadding) {
  for (int bpp : {8, 16, 24}) {
    vlrDestroy();
    vlrSetRenderBpp(bpp);
    vlrSetColor(0x00FFFF);
    ASSERT_EQ(vlrInitBuffer(3, 2), 1);
    Frame f = Grab();
    const int used = 3 * bpp / 8;
    ASSERT_EQ(f.stride, 4 * ((3 * bpp + 31) / 32));
    for (int i = 0; i < f.stride * 2; ++i) f.bits[i] = 0xAB;
    vlrClear();
    vlrBox(-10, -10, 10, 10);
    vlrTriangle(-50, -50, 50, 0, 0, 50);
    for (int y = 0; y < 2; ++y) {
      for (int b = used; b < f.stride; ++b) {
        const unsigned char pad = f.bits[y * f.stride + b];
        if (bpp == 24) {
          EXPECT_EQ(pad, 0xAB) << "row " << y << " byte " << b;
        } else if (bpp == 16) {
          EXPECT_EQ(pad, b % 2 == 0 ? 0xFF : 0x03) << "row " << y << " byte " << b;  // word 0x03FF
        } else {
          EXPECT_EQ(pad, 0 * 36 + 5 * 6 + 5) << "row " << y << " byte " << b;
        }
      }
    }
  }
}

TEST_F(VelrastBuffer, SetColorfScalesTruncatesAndClamps) {
  struct Case {
    float r, g, b;
    std::uint32_t color;
  };
  const Case cases[] = {
      {1.0f, 0.5f, 0.0f, 0xFF7F00},
      {0.25f, 0.25f, 0.25f, 0x3F3F3F},
      {0.999f, 0.001f, 0.5f, 0xFF007F},
      // Out of range: clamped to 0..1 first, so nothing spills into a neighbouring channel.
      {1.5f, -0.5f, 2.0f, 0xFF00FF},
      {1e30f, -1e30f, 0.0f, 0xFF0000},
      {__builtin_nanf(""), 0.5f, __builtin_inff(), 0x007FFF},
  };
  for (const Case& c : cases) {
    vlrSetColorf(c.r, c.g, c.b);
    EXPECT_EQ(vlrGetColor(), c.color) << c.r << " " << c.g << " " << c.b;
  }
}

TEST_F(VelrastBuffer, BadSizesAndFailedAllocationsLeaveNoBuffer) {
  const int sizes[][2] = {{0, 10}, {10, 0}, {-1, 5}, {5, -1}, {INT32_MIN, INT32_MIN}, {100000, 100000}, {INT32_MAX, 1}};
  for (const auto& s : sizes) {
    ASSERT_EQ(vlrInitBuffer(4, 4), 1);
    EXPECT_EQ(vlrInitBuffer(s[0], s[1]), 0) << s[0] << "x" << s[1];
    BITMAPINFOHEADER* h = reinterpret_cast<BITMAPINFOHEADER*>(1);
    unsigned char* bits = reinterpret_cast<unsigned char*>(1);
    EXPECT_EQ(vlrGetDib(&h, &bits), 0);
    EXPECT_EQ(h, nullptr);
    EXPECT_EQ(bits, nullptr);
  }
}

// Without a buffer every call is harmless; vlrGetDib and vlrRender say there is nothing.
TEST_F(VelrastBuffer, CallsWithoutABufferDoNothing) {
  partwell::test::TestSurface surface(4, 4, 0x345678);
  for (int round = 0; round < 2; ++round) {
    if (round == 1) {
      ASSERT_EQ(vlrInitBuffer(4, 4), 1);
      vlrDestroy();
      vlrDestroy();
    }
    vlrClear();
    vlrTriangle(0, 0, 3, 0, 0, 3);
    vlrTriangle3(0, 0, 0.5f, 3, 0, 0.5f, 0, 3, 0.5f);
    vlrTriangle3fg(-2, 2, 0.5f, 2, 2, 0.5f, 0, -2, 0.5f);
    vlrTriangle3c(0, 0, 0.5f, 1, 3, 0, 0.5f, 2, 0, 3, 0.5f, 3);
    vlrLine(0, 0, 3, 3);
    vlrLine3(0, 0, 0.5f, 3, 3, 0.5f);
    vlrLine3fg(0, 0, 0.5f, 1, 1, 0.5f);
    vlrBox(0, 0, 3, 3);
    vlrBox3(0, 0, 3, 3, 0.5f);
    EXPECT_EQ(vlrRender(surface.Dc(), 0, 0), 0);
    EXPECT_EQ(vlrGetDib(nullptr, nullptr), 0);
  }
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 4; ++x) EXPECT_EQ(surface.Pixel(x, y), 0x345678u);
  }
}

TEST_F(VelrastBuffer, SecondInitReplacesTheFirstBuffer) {
  vlrSetColor(0x0000FF);
  ASSERT_EQ(vlrInitBuffer(8, 8), 1);
  vlrClear();
  ASSERT_EQ(vlrInitBuffer(3, 5), 1);
  vlrClear();
  const Frame f = Grab();
  EXPECT_EQ(f.width, 3);
  EXPECT_EQ(f.height, 5);
  EXPECT_EQ(f.At(2, 4), 0x0000FFu);
}

// The row tables follow the buffer, so a buffer taller than 4096 rows fills to its last row.
TEST_F(VelrastBuffer, TallBufferFillsToItsLastRow) {
  Frame f = Fresh(2, 5000);
  vlrSetColor(0xFFFFFF);
  vlrTriangle(0, 0, 1, 0, 0, 4999);
  vlrTriangle3(1, 0, 0.5f, 1, 4999, 0.5f, 0, 4999, 0.5f);
  EXPECT_EQ(f.At(0, 4999), 0xFFFFFFu);
  EXPECT_EQ(f.At(1, 4999), 0xFFFFFFu);
  EXPECT_EQ(f.At(0, 4500), 0xFFFFFFu);
}

// vlrRender puts the frame 1:1 at (x, y) of the device context, clipped to it.
TEST_F(VelrastBuffer, RenderDrawsTheFrameAtItsPlace) {
  Fresh(3, 2);
  vlrSetColor(0x00FF00);
  vlrBox(1, 0, 1, 1);
  partwell::test::TestSurface surface(5, 4, 0x123456);
  EXPECT_EQ(vlrRender(surface.Dc(), 2, 1), 2);
  EXPECT_EQ(surface.Pixel(2, 1), 0x000000u);
  EXPECT_EQ(surface.Pixel(3, 1), 0x00FF00u);
  EXPECT_EQ(surface.Pixel(3, 2), 0x00FF00u);
  EXPECT_EQ(surface.Pixel(4, 2), 0x000000u);
  EXPECT_EQ(surface.Pixel(1, 1), 0x123456u);
  EXPECT_EQ(surface.Pixel(3, 3), 0x123456u);
  EXPECT_EQ(vlrRender(nullptr, 0, 0), 0);
}

TEST_F(VelrastBuffer, DepthSwitches) {
  // Depth test switched off at once while a depth buffer exists.
  Frame f = Fresh(4, 1);
  vlrSetColor(0xFF0000);
  vlrBox3(0, 0, 3, 0, 0.2f);
  EXPECT_EQ(vlrZTestEnable(0), 0);
  vlrSetColor(0x00FF00);
  vlrTriangle3(0, 0, 0.9f, 3, 0, 0.9f, 0, 0, 0.9f);
  EXPECT_EQ(f.At(1, 0), 0x00FF00u);
  // Switched on again: the depth buffer kept the box's 0.2.
  vlrZTestEnable(1);
  vlrSetColor(0x0000FF);
  vlrTriangle3(0, 0, 0.5f, 3, 0, 0.5f, 0, 0, 0.5f);
  EXPECT_EQ(f.At(1, 0), 0x00FF00u);

  // vlrZBufferEnable acts at the next buffer: without a depth buffer nothing is tested.
  EXPECT_EQ(vlrZBufferEnable(0), 0);
  vlrTriangle3(0, 0, 0.5f, 3, 0, 0.5f, 0, 0, 0.5f);
  EXPECT_EQ(f.At(1, 0), 0x00FF00u);
  vlrSetColor(0);
  ASSERT_EQ(vlrInitBuffer(4, 1), 1);
  vlrClear();
  f = Grab();
  vlrSetColor(0xFF0000);
  vlrBox3(0, 0, 3, 0, 0.2f);
  vlrSetColor(0x00FF00);
  vlrTriangle3(0, 0, 0.9f, 3, 0, 0.9f, 0, 0, 0.9f);
  EXPECT_EQ(f.At(2, 0), 0x00FF00u);
}

// A depth changed while a buffer lives only acts at the next buffer: stores keep the frame's form.
TEST_F(VelrastBuffer, DepthChangeDuringABufferKeepsItsPixelForm) {
  Frame f = Fresh(3, 1, 8);
  ASSERT_EQ(vlrSetRenderBpp(32), 1);
  vlrSetColor(0xFFFFFF);
  vlrBox(0, 0, 2, 0);
  vlrClear();
  EXPECT_EQ(f.At(2, 0), 215u);
  EXPECT_EQ(f.bits[f.stride - 1], 215u);
}

}  // namespace
