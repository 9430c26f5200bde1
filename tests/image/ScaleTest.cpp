// Scale and ResizeCanvas: weights, forced last samples, centring, fill, short colour tables, and the
// image left alone on every refusal.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>

#include "image/DibStream.h"
#include "platform/Memory.h"

using platform::Allocator;

namespace {

std::size_t BlockBytes(const DibStream& image) {
  return dib::Stride(image.header->biWidth, image.header->biBitCount) * dib::AbsHeight(image.header->biHeight);
}

void MakeNoise(DibStream& image, int width, int height, int bitCount, unsigned seed) {
  ASSERT_TRUE(image.Create(width, height, bitCount));
  std::mt19937 random(seed);
  for (std::size_t i = 0; i < BlockBytes(image); ++i) image.bits[i] = static_cast<std::uint8_t>(random());
}

std::string Snapshot(const DibStream& image) {
  std::string s(reinterpret_cast<const char*>(image.header), 40 + 4 * dib::ColorCount(image.header));
  s.append(reinterpret_cast<const char*>(image.bits), BlockBytes(image));
  return s;
}

// The pixel's bytes at stored row y, column x.
const std::uint8_t* Stored(const DibStream& image, int x, int y) {
  return image.bits + dib::Stride(image.header->biWidth, image.header->biBitCount) * y + x * image.header->biBitCount / 8;
}

TEST(Scale, ToTheSameSizeIsTheIdentity) {
  for (int bitCount : {8, 16, 24, 32}) {
    for (int height : {7, -7}) {
      SCOPED_TRACE(testing::Message() << bitCount << " bits, height " << height);
      DibStream image;
      MakeNoise(image, 9, height, bitCount, 1);
      // Padding bytes are not pixels; compare the pixels only.
      std::string before;
      for (int y = 0; y < 7; ++y) before.append(reinterpret_cast<const char*>(Stored(image, 0, y)), 9 * bitCount / 8);
      ASSERT_TRUE(image.Scale(9, 7));
      EXPECT_EQ(image.header->biHeight, height);
      std::string after;
      for (int y = 0; y < 7; ++y) after.append(reinterpret_cast<const char*>(Stored(image, 0, y)), 9 * bitCount / 8);
      EXPECT_EQ(after, before);
    }
  }
}

// 256 x 192 to 128 x 96. Blue is 255 in odd source columns, green 255 in odd stored rows, red 255
// where both are odd, so each new pixel shows the weights that made it.
TEST(Scale, SmoothstepWeightsAndTheForcedLastSamples) {
  DibStream image;
  ASSERT_TRUE(image.Create(256, 192, 24));
  for (int y = 0; y < 192; ++y) {
    for (int x = 0; x < 256; ++x) {
      std::uint8_t* p = image.bits + 768 * y + 3 * x;
      p[0] = (x & 1) ? 255 : 0;
      p[1] = (y & 1) ? 255 : 0;
      p[2] = (x & y & 1) ? 255 : 0;
    }
  }
  ASSERT_TRUE(image.Scale(128, 96));
  EXPECT_EQ(image.header->biWidth, 128);
  EXPECT_EQ(image.header->biHeight, 96);
  EXPECT_EQ(image.header->biSizeImage, 384u * 96u);
  struct Column {
    int i;
    int blue;  // 255 x the weight of the odd column / 256, truncated
  };
  // Source positions i x 255 / 127: column 1 sits at 2.008 (weight 0), 32 at 64.25 (40, not the
  // linear 64), 64 at 128.50 (129), 100 at 200.79 (226); the last is column 255 itself.
  const Column columns[] = {{0, 0}, {1, 0}, {32, 39}, {64, 128}, {100, 225}, {126, 254}, {127, 255}};
  struct Row {
    int j;
    int green;
  };
  // Rows j x 191 / 95: row 10 at 20.1 (weight 7), 47 at 94.5 (125); the last is row 191.
  const Row rows[] = {{0, 0}, {1, 0}, {10, 6}, {47, 124}, {94, 254}, {95, 255}};
  for (const Column& c : columns) {
    for (const Row& r : rows) {
      const std::uint8_t* p = Stored(image, c.i, r.j);
      EXPECT_EQ(p[0], c.blue) << c.i << "," << r.j;
      EXPECT_EQ(p[1], r.green) << c.i << "," << r.j;
    }
  }
  EXPECT_EQ(Stored(image, 32, 47)[2], 40 * 255 * 125 / 65536);
  EXPECT_EQ(Stored(image, 127, 95)[2], 255);

  // 2 x 2 to 10 x 10: nine steps of 1/9 add up to just over 1, a position whose right-hand sample
  // would lie past the row (and, in the last row, past the block). The last entries still take
  // source column 1 and row 1, fully.
  DibStream small;
  ASSERT_TRUE(small.Create(2, 2, 24));
  const std::uint8_t corners[16] = {10, 20, 30, 40, 50, 60, 0, 0, 70, 80, 90, 100, 110, 120, 0, 0};
  std::memcpy(small.bits, corners, 16);
  ASSERT_TRUE(small.Scale(10, 10));
  EXPECT_EQ(std::memcmp(Stored(small, 9, 0), corners + 3, 3), 0);
  EXPECT_EQ(std::memcmp(Stored(small, 0, 9), corners + 8, 3), 0);
  EXPECT_EQ(std::memcmp(Stored(small, 9, 9), corners + 11, 3), 0);
}

TEST(Scale, IndexedAndPackedPixelsTakeTheNearerSample) {
  // 8 bits, 5 x 3 to 3 x 2: columns at 0, 2, 4 (last forced to 3 + 1), rows at 0 and 2 (1 + 1).
  DibStream image;
  ASSERT_TRUE(image.Create(5, 3, 8));
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 5; ++x) image.bits[8 * y + x] = static_cast<std::uint8_t>(10 * y + x);
  }
  ASSERT_TRUE(image.Scale(3, 2));
  EXPECT_EQ(std::string(reinterpret_cast<char*>(image.bits), 3), std::string({0, 2, 4}));
  EXPECT_EQ(std::string(reinterpret_cast<char*>(image.bits + 4), 3), std::string({20, 22, 24}));

  // 16 bits, 4 x 4 to 3 x 3: source columns and rows at 0, 1.5 and the forced 3. At 1.5 the
  // weight of the second sample is exactly 128, so w0 is 128 and the first one (1) is taken.
  DibStream words;
  ASSERT_TRUE(words.Create(4, 4, 16));
  auto* in = reinterpret_cast<std::uint16_t*>(words.bits);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 4; ++x) in[4 * y + x] = static_cast<std::uint16_t>(0x8000 + 0x1000 * x + 0x10 * y);
  }
  ASSERT_TRUE(words.Scale(3, 3));
  const auto* out = reinterpret_cast<const std::uint16_t*>(words.bits);
  const int taken[3] = {0, 1, 3};
  for (int j = 0; j < 3; ++j) {
    for (int i = 0; i < 3; ++i) EXPECT_EQ(out[4 * j + i], 0x8000 + 0x1000 * taken[i] + 0x10 * taken[j]) << i << "," << j;
  }
}

TEST(Scale, RefusalsLeaveTheImageUnchanged) {
  struct Case {
    const char* what;
    int width, height, bitCount;
    int newWidth, newHeight;
  };
  const Case cases[] = {
      {"1 wide", 4, 4, 24, 1, 4},    {"1 high", 4, 4, 24, 4, 1},       {"0", 4, 4, 24, 0, 0},
      {"negative", 4, 4, 24, -3, 4}, {"source 1 wide", 1, 4, 24, 4, 4}, {"source 1 high", 4, -1, 32, 4, 4},
      {"1 bit", 8, 8, 1, 4, 4},      {"4 bits", 8, 8, 4, 4, 4},        {"too large", 4, 4, 32, 1 << 15, 1 << 15},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    DibStream image;
    MakeNoise(image, c.width, c.height, c.bitCount, 2);
    const std::string before = Snapshot(image);
    const std::uint8_t* bits = image.bits;
    EXPECT_FALSE(image.Scale(c.newWidth, c.newHeight));
    EXPECT_EQ(image.bits, bits);
    EXPECT_EQ(Snapshot(image), before);
  }
  DibStream empty;
  EXPECT_FALSE(empty.Scale(4, 4));
  EXPECT_FALSE(empty.ResizeCanvas(4, 4, 0));
}

TEST(ResizeCanvas, PadsAndCropsAroundTheCentre) {
  // 500 x 380 to 512 x 384, 24 bits: 6 pixels in from the left, 2 stored rows in from the start.
  for (int height : {380, -380}) {
    DibStream image;
    MakeNoise(image, 500, height, 24, 3);
    const std::uint8_t firstPixel[3] = {image.bits[0], image.bits[1], image.bits[2]};
    const std::uint8_t* lastRow = Stored(image, 499, 379);
    const std::uint8_t lastPixel[3] = {lastRow[0], lastRow[1], lastRow[2]};
    ASSERT_TRUE(image.ResizeCanvas(512, 384, 0x00112233));
    EXPECT_EQ(image.header->biHeight, height < 0 ? -384 : 384);
    EXPECT_EQ(std::memcmp(Stored(image, 6, 2), firstPixel, 3), 0);
    EXPECT_EQ(std::memcmp(Stored(image, 505, 381), lastPixel, 3), 0);
    const std::uint8_t fill[3] = {0x33, 0x22, 0x11};  // blue in the low byte of the fill
    for (auto [x, y] : {std::pair{5, 2}, std::pair{506, 381}, std::pair{6, 1}, std::pair{6, 382}, std::pair{0, 0}, std::pair{511, 383}}) {
      EXPECT_EQ(std::memcmp(Stored(image, x, y), fill, 3), 0) << x << "," << y;
    }
  }

  // 9 x 7 to 4 x 3 at 8 bits: the copy starts at source column 2, stored row 2.
  DibStream image;
  ASSERT_TRUE(image.Create(9, 7, 8));
  for (int y = 0; y < 7; ++y) {
    for (int x = 0; x < 9; ++x) image.bits[12 * y + x] = static_cast<std::uint8_t>(16 * y + x);
  }
  ASSERT_TRUE(image.ResizeCanvas(4, 3, 0));
  EXPECT_EQ(std::string(reinterpret_cast<char*>(image.bits), 4), std::string({0x22, 0x23, 0x24, 0x25}));
  EXPECT_EQ(std::string(reinterpret_cast<char*>(image.bits + 8), 4), std::string({0x42, 0x43, 0x44, 0x45}));

  // To the same size nothing moves.
  DibStream same;
  MakeNoise(same, 7, 5, 32, 4);
  const std::string before = Snapshot(same);
  ASSERT_TRUE(same.ResizeCanvas(7, 5, 0xFFFFFFFF));
  EXPECT_EQ(Snapshot(same), before);
}

TEST(ResizeCanvas, FillByDepth) {
  struct Case {
    int bitCount;
    std::uint32_t fill;
    std::string pixel;  // the bytes of one new pixel
  };
  const Case cases[] = {{8, 0x12345678, "\x78"}, {16, 0x12345678, "\x78\x56"}, {24, 0x12345678, "\x78\x56\x34"}, {32, 0x12345678, "\x78\x56\x34\x12"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bitCount);
    DibStream image;
    MakeNoise(image, 2, 2, c.bitCount, 5);
    ASSERT_TRUE(image.ResizeCanvas(6, 4, c.fill));
    for (auto [x, y] : {std::pair{0, 0}, std::pair{1, 1}, std::pair{4, 2}, std::pair{5, 3}}) {
      EXPECT_EQ(std::string(reinterpret_cast<const char*>(Stored(image, x, y)), c.pixel.size()), c.pixel) << x << "," << y;
    }
  }
  for (int bitCount : {1, 4}) {
    DibStream image;
    MakeNoise(image, 8, 8, bitCount, 6);
    const std::string before = Snapshot(image);
    EXPECT_FALSE(image.ResizeCanvas(16, 16, 0));
    EXPECT_EQ(Snapshot(image), before);
  }
}

// A loaded 8-bit file may hold fewer than 256 colours; the info block ends with them. Both
// operations keep that count, so nothing (a later save included) reads past the block.
TEST(Geometry, AShortColourTableIsKept) {
  for (bool canvas : {false, true}) {
    SCOPED_TRACE(canvas ? "ResizeCanvas" : "Scale");
    auto* header = static_cast<BITMAPINFOHEADER*>(DibAllocate(DibGlobalFixed, 40 + 4 * 20));
    ASSERT_TRUE(DibStream::FillHeader(header, 4, 4, 8));
    header->biClrUsed = 20;
    for (int i = 0; i < 20; ++i) dib::ColorTable(header)[i] = RGBQUAD{static_cast<BYTE>(i), 0, 0, 0};
    std::uint8_t* bits = DibStream::NewBits(header);
    std::memset(bits, 3, 16);
    DibStream image;
    ASSERT_TRUE(image.Adopt(header, DibGlobalFixed, bits, DibGlobalFixed));
    ASSERT_TRUE(canvas ? image.ResizeCanvas(8, 6, 1) : image.Scale(8, 6));
    EXPECT_EQ(image.header, header);
    EXPECT_EQ(image.header->biClrUsed, 20u);
    EXPECT_EQ(dib::ColorTable(image.header)[19].rgbBlue, 19);
    std::string file;
    ASSERT_TRUE(image.SaveBmpToMemory(file));
    EXPECT_EQ(file.size(), 14u + 40u + 80u + 8u * 6u);
  }
}

TEST(Geometry, AnAllocationFailureLeavesTheImageUnchanged) {
  for (bool canvas : {false, true}) {
    for (Allocator allocator : {Allocator::Heap, Allocator::Global}) {
      DibStream image;
      MakeNoise(image, 10, 10, 24, 7);
      const std::string before = Snapshot(image);
      platform::FailAllocations(allocator, 0, 1);
      const bool done = canvas ? image.ResizeCanvas(20, 20, 0) : image.Scale(20, 20);
      platform::FailAllocations(allocator, 0, 0);
      // ResizeCanvas takes nothing from the heap.
      if (canvas && allocator == Allocator::Heap) {
        EXPECT_TRUE(done);
        continue;
      }
      EXPECT_FALSE(done);
      EXPECT_EQ(Snapshot(image), before);
    }
  }
}

// The rasteriser's frame is wrapped without ownership: Scale rewrites the borrowed header in place,
// forgets the borrowed pixels without freeing them, and owns its new block.
TEST(Geometry, ABorrowedFrameIsRewrittenButNeverFreed) {
  BITMAPINFOHEADER frameHeader;
  ASSERT_TRUE(DibStream::FillHeader(&frameHeader, 4, -4, 24));
  std::uint8_t frame[48];
  std::memset(frame, 200, sizeof frame);
  const long misused = platform::MisusedBlocks();
  {
    DibStream image;
    ASSERT_TRUE(image.Adopt(&frameHeader, DibBorrowed, frame, DibBorrowed));
    ASSERT_TRUE(image.Scale(2, 2));
    EXPECT_EQ(image.header, &frameHeader);
    EXPECT_EQ(image.bitsMemory, DibGlobalFixed);
    EXPECT_EQ(image.bits[0], 200);
  }
  EXPECT_EQ(frameHeader.biWidth, 2);
  EXPECT_EQ(frameHeader.biHeight, -2);
  EXPECT_EQ(platform::MisusedBlocks(), misused);
}

}  // namespace
