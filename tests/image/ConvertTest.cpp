// Depth conversion: the flat buffers, every target and mode, row order, short colour tables, and
// what is left after an allocation fails.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "image/DibStream.h"
#include "platform/Memory.h"

using platform::Allocator;

namespace {

struct Bgr {
  std::uint8_t b, g, r;
  bool operator==(const Bgr&) const = default;
};

// A picture whose every pixel differs in each channel and whose channels differ from each other, so
// that a red/blue swap, a mirrored row or a flipped picture all show.
const Bgr kPicture[2][3] = {{{0, 8, 16}, {40, 48, 56}, {80, 88, 96}},        // top row
                            {{128, 136, 248}, {168, 176, 184}, {200, 216, 232}}};  // bottom row

std::uint8_t* PixelAt(DibStream& image, int x, int row) {
  return dib::TopRow(image.header, image.bits, row) + x * image.header->biBitCount / 8;
}

// kPicture at 24 bits, bottom-up or top-down.
void MakePicture(DibStream& image, bool topDown) {
  ASSERT_TRUE(image.Create(3, topDown ? -2 : 2, 24));
  std::memset(image.bits, 0, 2 * 12);
  for (int row = 0; row < 2; ++row) {
    for (int x = 0; x < 3; ++x) std::memcpy(PixelAt(image, x, row), &kPicture[row][x], 3);
  }
}

Bgr ReadTop(const DibStream& image, int x, int row) {
  std::uint8_t* buffer = image.ToRgb24();
  const int rows = static_cast<int>(dib::AbsHeight(image.header->biHeight));
  const int stored = image.header->biHeight < 0 ? row : rows - 1 - row;
  const std::uint8_t* p = buffer + 3 * (stored * image.header->biWidth + x);
  const Bgr c{p[0], p[1], p[2]};
  GlobalFree(buffer);
  return c;
}

// An indexed image whose info block holds exactly `entries` colours.
void MakeIndexed(DibStream& image, int width, int height, int bitCount, std::vector<RGBQUAD> table) {
  const std::size_t bytes = 40 + 4 * table.size();
  auto* header = static_cast<BITMAPINFOHEADER*>(DibAllocate(DibGlobalFixed, bytes));
  ASSERT_TRUE(DibStream::FillHeader(header, width, height, bitCount));
  header->biClrUsed = static_cast<DWORD>(table.size());
  std::memcpy(dib::ColorTable(header), table.data(), 4 * table.size());
  std::uint8_t* bits = DibStream::NewBits(header);
  std::memset(bits, 0, dib::Stride(width, bitCount) * dib::AbsHeight(height));
  ASSERT_TRUE(image.Adopt(header, DibGlobalFixed, bits, DibGlobalFixed));
}

std::string Snapshot(const DibStream& image) {
  const std::size_t tableBytes = 4 * dib::ColorCount(image.header);
  std::string s(reinterpret_cast<const char*>(image.header), 40 + tableBytes);
  s.append(reinterpret_cast<const char*>(image.bits), dib::Stride(image.header->biWidth, image.header->biBitCount) *
                                                           dib::AbsHeight(image.header->biHeight));
  return s;
}

TEST(ConvertDepth, EveryTargetKeepsChannelsRowsAndTheSignOfTheHeight) {
  struct Case {
    int bitCount, mode;
    bool exact;  // the conversion keeps kPicture's colours as they are
  };
  const Case cases[] = {{24, 0, true}, {32, 0, true}, {16, 0, true}, {16, 1, false}, {8, 2, true}, {4, 2, true},
                        {8, 0, false}, {8, 1, false}, {4, 0, false}, {1, 0, false}};
  for (bool topDown : {false, true}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(testing::Message() << c.bitCount << "/" << c.mode << (topDown ? " top-down" : " bottom-up"));
      DibStream image;
      MakePicture(image, topDown);
      ASSERT_TRUE(image.ConvertDepth(c.bitCount, static_cast<DepthMode>(c.mode)));
      ASSERT_EQ(image.header->biBitCount, c.bitCount);
      EXPECT_EQ(image.header->biHeight, topDown ? -2 : 2);
      EXPECT_EQ(image.header->biWidth, 3);
      EXPECT_EQ(image.bitsMemory, DibGlobalFixed);
      if (!c.exact) continue;
      for (int row = 0; row < 2; ++row) {
        for (int x = 0; x < 3; ++x) EXPECT_EQ(ReadTop(image, x, row), kPicture[row][x]) << x << "," << row;
      }
    }
  }
}

TEST(ConvertDepth, PixelLayoutsOfTheDirectDepths) {
  DibStream image;
  MakePicture(image, false);
  image.ConvertDepth(32, DepthPlain);
  // Bottom-up: the first stored row is the picture's bottom row; the fourth byte is 255.
  const std::uint8_t first32[] = {128, 136, 248, 255, 168, 176, 184, 255, 200, 216, 232, 255};
  EXPECT_EQ(std::memcmp(image.bits, first32, sizeof first32), 0);
  EXPECT_EQ(image.header->biSizeImage, 24u);

  image.bits[3] = 7;  // a 32-bit source keeps its own fourth byte
  image.ConvertDepth(32, DepthPlain);
  EXPECT_EQ(image.bits[3], 7);
  std::uint8_t* rgb32 = image.ToRgb32();
  EXPECT_EQ(rgb32[3], 7);
  GlobalFree(rgb32);

  image.ConvertDepth(16, DepthPlain);
  // Red in bits 10-14: (248/8) << 10 | (136/8) << 5 | 128/8 = 0x7E30, little-endian; 2 bytes padding.
  EXPECT_EQ(image.bits[0], 0x30);
  EXPECT_EQ(image.bits[1], 0x7E);
  EXPECT_EQ(image.header->biSizeImage, 16u);

  image.ConvertDepth(24, DepthPlain);
  EXPECT_EQ(image.header->biSizeImage, 24u);
  const std::uint8_t first24[] = {128, 136, 248, 168, 176, 184, 200, 216, 232, 0, 0, 0};
  EXPECT_EQ(std::memcmp(image.bits, first24, sizeof first24), 0);
}

TEST(ConvertDepth, GreyLevelsFromTheWeightedSum) {
  DibStream image;
  MakePicture(image, false);
  std::uint8_t* grey = image.ToGray8();
  // (73 red + 146 green + 37 blue) / 256 of the bottom row's first pixel: (18104 + 19856 + 4736) / 256.
  EXPECT_EQ(grey[0], 166);
  std::vector<std::uint8_t> greys(grey, grey + 6);
  GlobalFree(grey);

  DibStream eight;
  MakePicture(eight, false);
  eight.ConvertDepth(8, DepthPlain);
  for (int i = 0; i < 6; ++i) EXPECT_EQ(eight.bits[(i / 3) * 4 + i % 3], greys[i]) << i;
  EXPECT_EQ(dib::ColorTable(eight.header)[200].rgbRed, 200);

  DibStream four;
  MakePicture(four, false);
  four.ConvertDepth(4, DepthPlain);
  // Odd width: the third pixel in the high nibble of the second byte, the low nibble 0.
  EXPECT_EQ(four.bits[0], (greys[0] / 16) << 4 | greys[1] / 16);
  EXPECT_EQ(four.bits[1], (greys[2] / 16) << 4);
  EXPECT_EQ(dib::ColorTable(four.header)[15].rgbGreen, 255);
  EXPECT_EQ(dib::ColorTable(four.header)[1].rgbBlue, 17);
}

TEST(ConvertDepth, BilevelErrorDiffusion) {
  // A grey ramp 16 x 8 (top-down, grey = channel value) whose diffused bits were worked out by
  // hand-following the weights, the truncating division and the remainder sent to the row after.
  const char* expected[8] = {"0000000101111111", "0000101010111111", "0001010110101110", "0000100111111110",
                             "0010011001111100", "0011010110110100", "0010101111111000", "0010010110111000"};
  DibStream image;
  ASSERT_TRUE(image.Create(16, -8, 24));
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 16; ++x) {
      const auto v = static_cast<std::uint8_t>((x * 16 + y * 9 + (x * y) % 7) % 256);
      std::memset(PixelAt(image, x, y), v, 3);
    }
  }
  image.ConvertDepth(1, DepthPlain);
  ASSERT_EQ(image.header->biBitCount, 1);
  EXPECT_EQ(image.header->biHeight, -8);
  for (int y = 0; y < 8; ++y) {
    std::string row;
    const std::uint8_t* bits = image.bits + 4 * y;
    for (int x = 0; x < 16; ++x) row += (bits[x / 8] >> (7 - x % 8) & 1) ? '1' : '0';
    EXPECT_EQ(row, expected[y]) << "row " << y;
  }
  EXPECT_EQ(dib::ColorTable(image.header)[1].rgbRed, 255);

  struct Flat {
    std::uint8_t value;
    const char* bits;
  };
  // Mid-grey alternates in one row (128 is white, then the error pulls the next below 128 ...).
  for (const Flat& f : {Flat{128, "1010"}, Flat{0, "0000"}, Flat{255, "1111"}}) {
    DibStream flat;
    ASSERT_TRUE(flat.Create(4, 1, 24));
    std::memset(flat.bits, f.value, 12);
    flat.ConvertDepth(1, DepthPlain);
    std::string row;
    for (int x = 0; x < 4; ++x) row += (flat.bits[0] >> (7 - x) & 1) ? '1' : '0';
    EXPECT_EQ(row, f.bits) << int(f.value);
  }

  DibStream grey;
  ASSERT_TRUE(grey.Create(64, 64, 24));
  std::memset(grey.bits, 128, 64 * 64 * 3);
  grey.ConvertDepth(1, DepthPlain);
  int white = 0;
  for (int i = 0; i < 64 * 8; ++i) white += __builtin_popcount(grey.bits[i]);
  EXPECT_NEAR(white, 64 * 64 / 2, 64 * 64 / 50);
}

TEST(ConvertDepth, DitherCube) {
  DibStream image;
  ASSERT_TRUE(image.Create(10, 9, 24));
  const std::size_t stride = 32;
  for (int y = 0; y < 9; ++y) {
    for (int x = 0; x < 10; ++x) {
      std::uint8_t* p = image.bits + stride * y + 3 * x;
      // Exact multiples of 51 on the left half, 20 (level 0, remainder 20) on the right.
      if (x < 5) {
        p[0] = 102, p[1] = 255, p[2] = 0;
      } else {
        p[0] = p[1] = p[2] = 20;
      }
    }
  }
  image.ConvertDepth(8, DepthDither);
  ASSERT_EQ(image.header->biBitCount, 8);
  const RGBQUAD* table = dib::ColorTable(image.header);
  EXPECT_EQ(table[102].rgbBlue, 102);
  EXPECT_EQ(table[102].rgbGreen, 255);
  EXPECT_EQ(table[102].rgbRed, 0);
  EXPECT_EQ(table[36 * 1 + 6 * 2 + 3].rgbRed, 153);
  EXPECT_EQ(table[216].rgbRed, 216);  // the grey ramp stays behind the cube
  EXPECT_EQ(table[255].rgbBlue, 255);
  // Columns 5-9 read matrix columns 5, 6, 7, 0, 1; a level is raised where the threshold is below
  // 20. Stored row 8 repeats row 0.
  const char* rightHalf[9] = {"01010", "10001", "01010", "00100", "01010", "10101", "01010", "00100", "01010"};
  for (int y = 0; y < 9; ++y) {
    const std::uint8_t* row = image.bits + 12 * y;
    for (int x = 0; x < 5; ++x) EXPECT_EQ(row[x], 102) << x << "," << y;
    for (int x = 5; x < 10; ++x) {
      const bool raised = rightHalf[y][x - 5] == '1';
      EXPECT_EQ(row[x], raised ? 43 : 0) << x << "," << y;
    }
  }
}

TEST(ConvertDepth, HighColourCarries) {
  struct Case {
    int mode;
    std::vector<std::uint8_t> values;  // one grey value a pixel, 3 pixels a row, 2 rows
    std::vector<unsigned> blue5;       // the 5-bit blue of each pixel, storage order
  };
  const Case cases[] = {
      {1, {4, 4, 4, 4, 4, 4}, {0, 1, 0, 1, 0, 1}},  // the carry runs on into the second row
      {0, {4, 4, 4, 4, 4, 4}, {0, 0, 0, 0, 0, 0}},
      {1, {255, 1, 7, 250, 6, 0}, {31, 1, 0, 31, 1, 0}},  // 255 + 7 is held at 255, carrying 7
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mode);
    DibStream image;
    ASSERT_TRUE(image.Create(3, 2, 24));
    for (int i = 0; i < 6; ++i) std::memset(image.bits + 12 * (i / 3) + 3 * (i % 3), c.values[i], 3);
    image.ConvertDepth(16, static_cast<DepthMode>(c.mode));
    ASSERT_EQ(image.header->biBitCount, 16);
    for (int i = 0; i < 6; ++i) {
      const std::uint8_t* p = image.bits + 8 * (i / 3) + 2 * (i % 3);
      const unsigned word = p[0] | p[1] << 8;
      EXPECT_EQ(word & 31, c.blue5[i]) << i;
      EXPECT_EQ(word >> 10, c.blue5[i]) << i;  // red alike, bit 15 clear
    }
  }
}

TEST(ConvertDepth, IndexedSourcesAndShortTables) {
  // 4-bit, 3 entries held; indices 0, 1, 2 and the corrupt 9 (which reads as entry 0).
  DibStream four;
  MakeIndexed(four, 4, 1, 4, {{10, 20, 30, 0}, {40, 50, 60, 0}, {70, 80, 90, 0}});
  four.bits[0] = 0x01;
  four.bits[1] = 0x29;
  std::uint8_t* rgb = four.ToRgb24();
  const std::uint8_t expected[] = {10, 20, 30, 40, 50, 60, 70, 80, 90, 10, 20, 30};
  EXPECT_EQ(std::memcmp(rgb, expected, sizeof expected), 0);
  GlobalFree(rgb);
  std::uint8_t* grey = four.ToGray8();
  EXPECT_EQ(grey[2], (73 * 90 + 146 * 80 + 37 * 70) / 256);
  EXPECT_EQ(grey[3], 0);  // beyond the held table the grey table is black
  GlobalFree(grey);

  // 1-bit, leftmost pixel in the top bit; 8-bit with two entries and index 200.
  DibStream one;
  MakeIndexed(one, 9, 1, 1, {{0, 0, 255, 0}, {255, 0, 0, 0}});
  one.bits[0] = 0x80;
  one.bits[1] = 0x80;
  std::uint8_t* ones = one.ToRgb32();
  EXPECT_EQ(ones[0], 255);       // pixel 0 is entry 1: blue
  EXPECT_EQ(ones[4 + 2], 255);   // pixel 1 is entry 0: red
  EXPECT_EQ(ones[4 * 8], 255);   // pixel 8 is in the second byte's top bit
  EXPECT_EQ(ones[4 * 8 + 3], 255);
  GlobalFree(ones);

  DibStream eight;
  MakeIndexed(eight, 2, 1, 8, {{1, 2, 3, 0}, {4, 5, 6, 0}});
  eight.bits[0] = 200;
  eight.bits[1] = 1;
  eight.ConvertDepth(24, DepthPlain);
  const std::uint8_t expected8[] = {1, 2, 3, 4, 5, 6};
  EXPECT_EQ(std::memcmp(eight.bits, expected8, 6), 0);
}

TEST(ConvertDepth, NothingHappensForUnknownTargetsOrAnEmptyImage) {
  DibStream image;
  MakePicture(image, false);
  const std::string before = Snapshot(image);
  const auto* header = image.header;
  for (int target : {0, 2, 3, 12, 64, -8}) {
    EXPECT_FALSE(image.ConvertDepth(target, DepthPlain));
    EXPECT_EQ(image.header, header);
    EXPECT_EQ(Snapshot(image), before);
  }
  DibStream empty;
  EXPECT_FALSE(empty.ConvertDepth(8, DepthMedianCut));
  EXPECT_EQ(empty.header, nullptr);
  EXPECT_EQ(empty.ToRgb24(), nullptr);
}

// Fails the n-th allocation of each allocator in turn until the conversion gets through: every
// failure must leave the image byte for byte and block for block as it was, and nothing may leak.
TEST(ConvertDepth, AnAllocationFailureLeavesTheImageUnchanged) {
  const int targets[][2] = {{1, 0}, {4, 0}, {4, 2}, {8, 0}, {8, 1}, {8, 2}, {16, 0}, {16, 1}, {24, 0}, {32, 0}};
  for (const auto& t : targets) {
    for (Allocator allocator : {Allocator::Global, Allocator::Heap}) {
      for (int skip = 0;; ++skip) {
        SCOPED_TRACE(testing::Message() << t[0] << "/" << t[1] << " skip " << skip);
        DibStream image;
        MakePicture(image, true);
        const std::string before = Snapshot(image);
        const auto* header = image.header;
        const long live = platform::LiveBlocks(allocator);
        platform::FailAllocations(allocator, skip, 1);
        const bool made = image.ConvertDepth(t[0], static_cast<DepthMode>(t[1]));
        platform::FailAllocations(allocator, 0, 0);
        EXPECT_EQ(made, image.header != header);
        if (made) break;  // the result always has a new info block
        EXPECT_EQ(image.header, header);
        EXPECT_EQ(Snapshot(image), before);
        EXPECT_EQ(platform::LiveBlocks(allocator), live);
        ASSERT_LT(skip, 10);
      }
    }
  }
}

}  // namespace
