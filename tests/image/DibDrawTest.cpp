// Drawing DibStream images on a device context: the pixels that land on the surface.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "image/DibStream.h"

namespace {

constexpr std::uint32_t kUntouched = 0x12345678;

struct Surface {
  Surface(int w, int h) : pixels(static_cast<std::size_t>(w * h), kUntouched) {
    dc.pixels = pixels.data();
    dc.width = w;
    dc.height = h;
    dc.pixelsPerRow = w;
  }
  std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y * dc.width + x)]; }
  std::vector<std::uint32_t> pixels;
  DeviceContext dc;
};

// One small picture per depth, spelled as the bytes of its rows from the top, and the colours it
// must show (0xAARRGGBB, rows from the top).
struct Picture {
  const char* name;
  int width, height, bitCount;
  std::uint32_t clrUsed;
  std::vector<RGBQUAD> table;
  std::vector<std::vector<std::uint8_t>> rows;
  std::vector<std::vector<std::uint32_t>> shown;
};

const RGBQUAD kA{1, 2, 3, 0}, kB{200, 100, 50, 0}, kC{9, 8, 7, 0}, kD{0, 0, 255, 0};

std::vector<Picture> Pictures() {
  return {
      {"1 bit", 3, 2, 1, 0, {kA, kB}, {{0xA0}, {0x40}},
       {{0xFF3264C8, 0xFF030201, 0xFF3264C8}, {0xFF030201, 0xFF3264C8, 0xFF030201}}},
      // Four entries only: index 15 lies beyond the table and shows entry 0.
      {"4 bits, short table", 3, 2, 4, 4, {kA, kB, kC, kD}, {{0x12, 0x30}, {0x0F, 0x20}},
       {{0xFF3264C8, 0xFF070809, 0xFFFF0000}, {0xFF030201, 0xFF030201, 0xFF070809}}},
      {"8 bits", 2, 2, 8, 0, {}, {{5, 255}, {0, 1}}, {}},
      // 5-5-5 words, little-endian; bit 15 is ignored.
      {"16 bits", 2, 2, 16, 0, {}, {{0x00, 0x7C, 0xE0, 0x03}, {0x1F, 0x00, 0x10, 0xC2}},
       {{0xFFFF0000, 0xFF00FF00}, {0xFF0000FF, 0xFF848484}}},
      {"24 bits", 1, 2, 24, 0, {}, {{1, 2, 3}, {4, 5, 6}}, {{0xFF030201}, {0xFF060504}}},
      {"32 bits", 1, 2, 32, 0, {}, {{1, 2, 3, 99}, {4, 5, 6, 0}}, {{0xFF030201}, {0xFF060504}}},
  };
}

// The picture as a DibStream whose rows are stored bottom-up (height > 0) or top-down.
void Make(DibStream& image, const Picture& p, int sign) {
  ASSERT_TRUE(image.Create(p.width, sign * p.height, p.bitCount));
  if (p.bitCount == 8) {  // the grey ramp of a new 8-bit header, with two entries changed
    dib::ColorTable(image.header)[5] = kB;
    dib::ColorTable(image.header)[255] = kD;
  }
  if (p.clrUsed) image.header->biClrUsed = p.clrUsed;
  for (std::size_t i = 0; i < p.table.size(); ++i) dib::ColorTable(image.header)[i] = p.table[i];
  for (int r = 0; r < p.height; ++r) {
    std::uint8_t* row = dib::TopRow(image.header, image.bits, r);
    std::memset(row, 0, static_cast<std::size_t>(image.RowBytes()));
    std::memcpy(row, p.rows[static_cast<std::size_t>(r)].data(), p.rows[static_cast<std::size_t>(r)].size());
  }
}

TEST(DibDraw, EveryDepthAppearsUprightInBothRowOrders) {
  for (Picture p : Pictures()) {
    if (p.bitCount == 8) p.shown = {{0xFF3264C8, 0xFFFF0000}, {0xFF000000, 0xFF010101}};
    for (int sign : {1, -1}) {
      SCOPED_TRACE(testing::Message() << p.name << (sign > 0 ? ", bottom-up" : ", top-down"));
      DibStream image;
      Make(image, p, sign);
      Surface s(p.width + 2, p.height + 2);
      image.Draw(&s.dc, 1, 1);
      for (int y = 0; y < s.dc.height; ++y) {
        for (int x = 0; x < s.dc.width; ++x) {
          const bool inside = x >= 1 && y >= 1 && x <= p.width && y <= p.height;
          const std::uint32_t want = inside ? p.shown[static_cast<std::size_t>(y - 1)][static_cast<std::size_t>(x - 1)]
                                            : kUntouched;
          ASSERT_EQ(s.At(x, y), want) << "at " << x << "," << y;
        }
      }
    }
  }
}

TEST(DibDraw, CatalogViewCoversExactlyItsRectangle) {
  DibStream image;
  ASSERT_TRUE(image.Create(256, 192, 24));
  for (int i = 0; i < 256 * 192; ++i) {
    image.bits[3 * i] = 30;
    image.bits[3 * i + 1] = 20;
    image.bits[3 * i + 2] = 10;
  }
  Surface t(300, 220);
  image.Draw(&t.dc, 0, 0);
  int inside = 0;
  for (int y = 0; y < 220; ++y) {
    for (int x = 0; x < 300; ++x) {
      if (x < 256 && y < 192) {
        inside += t.At(x, y) == 0xFF0A141E;
      } else {
        ASSERT_EQ(t.At(x, y), kUntouched) << x << "," << y;
      }
    }
  }
  EXPECT_EQ(inside, 256 * 192);
}

TEST(DibDraw, EmptyObjectDrawsNothing) {
  DibStream empty;
  Surface s(4, 4);
  EXPECT_EQ(empty.DrawStretched(&s.dc, 0, 0, 4, 4), 0);
  empty.Draw(&s.dc, 0, 0);
  EXPECT_EQ(s.pixels, std::vector<std::uint32_t>(16, kUntouched));
}

// A 2 x 2 picture: top row 1 2, bottom row 3 4 (grey levels of the 8-bit ramp).
void MakeQuad(DibStream& image, int sign) {
  ASSERT_TRUE(image.Create(2, 2 * sign, 8));
  dib::TopRow(image.header, image.bits, 0)[0] = 1;
  dib::TopRow(image.header, image.bits, 0)[1] = 2;
  dib::TopRow(image.header, image.bits, 1)[0] = 3;
  dib::TopRow(image.header, image.bits, 1)[1] = 4;
}
constexpr std::uint32_t Grey(std::uint32_t v) { return 0xFF000000 | v << 16 | v << 8 | v; }

TEST(StretchDIBits, EnlargesByRepeatingAndShrinksWithoutBlending) {
  DibStream quad;
  MakeQuad(quad, 1);
  Surface big(4, 4);
  EXPECT_EQ(quad.DrawStretched(&big.dc, 0, 0, 4, 4), 2);
  const std::uint32_t want[4][4] = {{1, 1, 2, 2}, {1, 1, 2, 2}, {3, 3, 4, 4}, {3, 3, 4, 4}};
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(big.At(x, y), Grey(want[y][x])) << x << "," << y;

  // 4 x 4 of distinct greys down to 2 x 2: each pixel is one of its 2 x 2 block, never a mix.
  DibStream image;
  ASSERT_TRUE(image.Create(4, 4, 8));
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c) dib::TopRow(image.header, image.bits, r)[c] = static_cast<std::uint8_t>(10 * r + c);
  Surface small(2, 2);
  image.DrawStretched(&small.dc, 0, 0, 2, 2);
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 2; ++x) {
      bool fromBlock = false;
      for (int r = 2 * y; r < 2 * y + 2; ++r)
        for (int c = 2 * x; c < 2 * x + 2; ++c) fromBlock |= small.At(x, y) == Grey(static_cast<std::uint32_t>(10 * r + c));
      EXPECT_TRUE(fromBlock) << x << "," << y;
    }
  }
}

TEST(StretchDIBits, ClipsToTheSurface) {
  DibStream quad;
  MakeQuad(quad, -1);
  Surface s(3, 3);
  quad.DrawStretched(&s.dc, -1, -1, 4, 4);  // only the lower right 3 x 3 of the 4 x 4 lands
  const std::uint32_t want[3][3] = {{1, 2, 2}, {3, 4, 4}, {3, 4, 4}};
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 3; ++x) EXPECT_EQ(s.At(x, y), Grey(want[y][x])) << x << "," << y;
  Surface t(3, 3);
  quad.Draw(&t.dc, 2, 2);
  EXPECT_EQ(t.At(2, 2), Grey(1));
  EXPECT_EQ(t.At(1, 1), kUntouched);
  Surface u(3, 3);
  quad.Draw(&u.dc, 5, -7);
  EXPECT_EQ(u.pixels, std::vector<std::uint32_t>(9, kUntouched));
}

TEST(StretchDIBits, SourceOriginAndMirroring) {
  for (int sign : {1, -1}) {
    SCOPED_TRACE(sign > 0 ? "bottom-up" : "top-down");
    DibStream quad;
    MakeQuad(quad, sign);
    const auto* info = reinterpret_cast<const BITMAPINFO*>(quad.header);
    // Source (0, 0) is the bottom-left pixel of a bottom-up DIB and the top-left one of a top-down one.
    Surface one(1, 1);
    EXPECT_EQ(StretchDIBits(&one.dc, 0, 0, 1, 1, 0, 0, 1, 1, quad.bits, info, DIB_RGB_COLORS, SRCCOPY), 1);
    EXPECT_EQ(one.At(0, 0), Grey(sign > 0 ? 3 : 1));
    // A negative destination width mirrors the picture left to right into [xDest - 2, xDest).
    Surface mirrored(2, 2);
    StretchDIBits(&mirrored.dc, 2, 0, -2, 2, 0, 0, 2, 2, quad.bits, info, DIB_RGB_COLORS, SRCCOPY);
    EXPECT_EQ(mirrored.At(0, 0), Grey(2));
    EXPECT_EQ(mirrored.At(1, 1), Grey(3));
  }
}

}  // namespace
