// BMP files: what LoadBmp keeps, what SaveBmp writes, and what is left after a failure.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstring>

#include "BmpTestFiles.h"
#include "image/DibStream.h"
#include "platform/Memory.h"
#include "tests/common/ReadOnly.h"

using bmptest::BmpFile;
using bmptest::Get32;
using bmptest::ScratchFolder;
using platform::Allocator;

namespace {

constexpr int kAll = 63;

// An image of the given size and depth with a distinct table and pixel bytes (padding included).
void Fill(DibStream& image, int width, int height, int bitCount) {
  ASSERT_TRUE(image.Create(width, height, bitCount));
  const std::uint32_t entries = dib::ColorCount(image.header);
  const auto table = bmptest::Table(static_cast<int>(entries));
  if (entries) std::memcpy(dib::ColorTable(image.header), table.data(), table.size());
  const auto pixels = bmptest::Pattern(image.header->biSizeImage, static_cast<unsigned>(bitCount));
  std::memcpy(image.bits, pixels.data(), pixels.size());
}

void ExpectSamePicture(const DibStream& a, const DibStream& b) {
  ASSERT_NE(a.bits, nullptr);
  ASSERT_NE(b.bits, nullptr);
  EXPECT_EQ(a.header->biWidth, b.header->biWidth);
  EXPECT_EQ(dib::AbsHeight(a.header->biHeight), dib::AbsHeight(b.header->biHeight));
  EXPECT_EQ(a.header->biBitCount, b.header->biBitCount);
  ASSERT_EQ(dib::ColorCount(a.header), dib::ColorCount(b.header));
  EXPECT_EQ(std::memcmp(dib::ColorTable(a.header), dib::ColorTable(b.header), 4 * dib::ColorCount(a.header)), 0);
  for (int r = 0; r < static_cast<int>(dib::AbsHeight(a.header->biHeight)); ++r)
    ASSERT_EQ(bmptest::TopRowBytes(a, r), bmptest::TopRowBytes(b, r)) << "row " << r << " from the top";
}

TEST(BmpRoundTrip, EveryDepthBothRowOrders) {
  ScratchFolder folder;
  for (int bitCount : {1, 4, 8, 16, 24, 32}) {
    for (int height : {3, -3}) {
      SCOPED_TRACE(testing::Message() << bitCount << " bits, height " << height);
      DibStream image;
      Fill(image, 5, height, bitCount);
      const std::string path = folder.File("round.bmp");
      ASSERT_TRUE(image.SaveBmp(path));

      const std::string file = bmptest::ReadAll(path);
      const std::uint32_t entries = bitCount <= 8 ? 1u << bitCount : 0;
      const std::uint32_t stride = dib::Stride(5, bitCount);
      EXPECT_EQ(file.substr(0, 2), "BM");
      EXPECT_EQ(Get32(file, 2), file.size());
      EXPECT_EQ(Get32(file, 10), 54 + 4 * entries);
      EXPECT_EQ(Get32(file, 22), 3u) << "files are always bottom-up";
      EXPECT_EQ(Get32(file, 34), stride * 3);
      EXPECT_EQ(file.size(), 54 + 4 * entries + stride * 3);

      DibStream back;
      ASSERT_TRUE(back.LoadBmp(path, kAll));
      EXPECT_EQ(back.header->biHeight, 3);
      ExpectSamePicture(image, back);

      DibStream fromMemory;
      ASSERT_TRUE(fromMemory.LoadBmpFromMemory(file.data(), file.size(), kAll));
      ExpectSamePicture(image, fromMemory);
    }
  }
}

TEST(BmpSave, TopDownImageIsWrittenBottomUpByteForByte) {
  DibStream image;
  ASSERT_TRUE(image.Create(2, -2, 24));
  const std::uint8_t rows[16] = {1, 2, 3, 4, 5, 6, 0xA0, 0xA1,   // stored first: the top row
                                 7, 8, 9, 10, 11, 12, 0xB0, 0xB1};
  std::memcpy(image.bits, rows, 16);
  image.header->biXPelsPerMeter = 3780;
  image.header->biClrImportant = 9;
  std::string bytes;
  ASSERT_TRUE(image.SaveBmpToMemory(bytes));
  std::string expected = "BM";
  bmptest::Put32(expected, 70);
  bmptest::Put32(expected, 0);
  bmptest::Put32(expected, 54);
  for (std::uint32_t v : {40u, 2u, 2u}) bmptest::Put32(expected, v);
  bmptest::Put16(expected, 1);
  bmptest::Put16(expected, 24);
  for (std::uint32_t v : {0u, 16u, 3780u, 0u, 0u, 9u}) bmptest::Put32(expected, v);
  expected.append(reinterpret_cast<const char*>(rows + 8), 8);
  expected.append(reinterpret_cast<const char*>(rows), 8);
  EXPECT_EQ(bytes, expected);
}

TEST(BmpSave, WritesTheWholePixelBlockWhateverBiSizeImageSays) {
  for (std::uint32_t claimed : {0u, 3u, 1000000u}) {
    SCOPED_TRACE(claimed);
    DibStream image;
    Fill(image, 7, 5, 8);
    image.header->biSizeImage = claimed;
    std::string bytes;
    ASSERT_TRUE(image.SaveBmpToMemory(bytes));
    EXPECT_EQ(bytes.size(), 54 + 1024 + 8 * 5);
    DibStream back;
    ASSERT_TRUE(back.LoadBmpFromMemory(bytes.data(), bytes.size(), kAll));
    ExpectSamePicture(image, back);
  }
}

TEST(BmpLoad, TopDownFileStaysTopDownWithItsFieldsKept) {
  BmpFile f;
  f.width = 3;
  f.height = -2;
  f.bitCount = 24;
  f.sizeImage = 999;  // rewritten to stride x height
  f.clrImportant = 4;
  f.pixels = bmptest::Pattern(24);
  const std::string bytes = f.Bytes();
  DibStream image;
  ASSERT_TRUE(image.LoadBmpFromMemory(bytes.data(), bytes.size(), kAll));
  EXPECT_EQ(image.header->biHeight, -2);
  EXPECT_EQ(image.header->biSizeImage, 24u);
  EXPECT_EQ(image.header->biXPelsPerMeter, 2835);
  EXPECT_EQ(image.header->biYPelsPerMeter, 1417);
  EXPECT_EQ(image.header->biClrImportant, 4u);
  EXPECT_EQ(std::memcmp(image.bits, f.pixels.data(), 24), 0) << "rows stay in the file's order";

  std::string saved;
  ASSERT_TRUE(image.SaveBmpToMemory(saved));
  EXPECT_EQ(Get32(saved, 22), 2u);
  EXPECT_EQ(saved.substr(54, 12), bytes.substr(54 + 12, 12)) << "the picture's bottom row first";
}

TEST(BmpLoad, ShortColourTableOf20EntriesAt8Bits) {
  BmpFile f;
  f.width = 6;
  f.height = 2;
  f.clrUsed = 20;
  f.table = bmptest::Table(20);
  f.pixels = {0, 1, 2, 3, 19, 18, 0, 0, 4, 5, 6, 7, 8, 9, 0, 0};
  const std::string bytes = f.Bytes();
  const std::uint64_t before = platform::AllocatedBytes(Allocator::Global);
  DibStream image;
  ASSERT_TRUE(image.LoadBmpFromMemory(bytes.data(), bytes.size(), kAll));
  EXPECT_EQ(platform::AllocatedBytes(Allocator::Global) - before, 40u + 80u + 16u)
      << "an info block of 40 + 80 bytes and the pixel block";
  EXPECT_EQ(image.header->biClrUsed, 20u);
  EXPECT_EQ(std::memcmp(dib::ColorTable(image.header), f.table.data(), 80), 0);

  std::string saved;
  ASSERT_TRUE(image.SaveBmpToMemory(saved));
  EXPECT_EQ(Get32(saved, 10), 134u);
  EXPECT_EQ(Get32(saved, 46), 20u);
  EXPECT_EQ(saved.size(), 134u + 16u);
  EXPECT_EQ(saved.substr(54, 80), bytes.substr(54, 80));
  EXPECT_EQ(saved.substr(134), bytes.substr(134));
}

TEST(BmpLoad, ClrUsed5At24BitsReadsNoTableAndPixelsAtTheOffset) {
  BmpFile f;
  f.width = 2;
  f.height = 2;
  f.bitCount = 24;
  f.clrUsed = 5;
  f.offset = 54 + 20;  // room for a table that is not read; the filler bytes are 0x55
  f.pixels = bmptest::Pattern(16);
  const std::string bytes = f.Bytes();
  const std::uint64_t before = platform::AllocatedBytes(Allocator::Global);
  DibStream image;
  ASSERT_TRUE(image.LoadBmpFromMemory(bytes.data(), bytes.size(), kAll));
  EXPECT_EQ(platform::AllocatedBytes(Allocator::Global) - before, 40u + 16u);
  EXPECT_EQ(image.header->biClrUsed, 0u);
  EXPECT_EQ(std::memcmp(image.bits, f.pixels.data(), 16), 0);
}

TEST(BmpLoad, OffsetZeroReadsPixelsRightAfterTheTable) {
  BmpFile f;
  f.width = 4;
  f.height = 2;
  f.clrUsed = 4;
  f.table = bmptest::Table(4);
  f.offset = 0;
  f.pixels = {3, 2, 1, 0, 0, 1, 2, 3};
  const std::string bytes = f.Bytes();
  DibStream image;
  ASSERT_TRUE(image.LoadBmpFromMemory(bytes.data(), bytes.size(), kAll));
  EXPECT_EQ(std::memcmp(image.bits, f.pixels.data(), 8), 0);
}

// Every escape code of 8-bit run-length data in one file of 8 x 4 pixels (stored rows).
TEST(BmpLoad, RunLengthCodedFileWithEveryEscape) {
  BmpFile f;
  f.width = 8;
  f.height = 4;
  f.compression = 1;
  f.table = bmptest::Table(256);
  f.pixels = {3, 1,               // run: 1 1 1
              0, 3, 9, 8, 7, 0,   // literal of 3 with its padding byte
              0, 0,               // end of line
              0, 2, 1, 1,         // delta: one right, one down (to stored row 2, x 1)
              2, 5,               // run: 5 5
              0, 0,               // end of line (stored row 3)
              0, 4, 1, 2, 3, 4,   // literal of 4, no padding
              0, 1,               // end of picture
              6, 6};              // after the end: must be ignored
  f.sizeImage = static_cast<std::uint32_t>(f.pixels.size());
  const std::string bytes = f.Bytes();
  DibStream image;
  ASSERT_TRUE(image.LoadBmpFromMemory(bytes.data(), bytes.size(), kAll));
  EXPECT_EQ(image.header->biCompression, 0u);
  EXPECT_EQ(image.header->biSizeImage, 32u);
  const std::uint8_t expected[32] = {1, 1, 1, 9, 8, 7, 0, 0,
                                     0, 0, 0, 0, 0, 0, 0, 0,
                                     0, 5, 5, 0, 0, 0, 0, 0,
                                     1, 2, 3, 4, 0, 0, 0, 0};
  EXPECT_EQ(std::memcmp(image.bits, expected, 32), 0);
}

TEST(BmpLoad, AcceptMaskSelectsDepths) {
  const int depths[] = {1, 4, 8, 16, 24, 32};
  for (int i = 0; i < 6; ++i) {
    SCOPED_TRACE(depths[i]);
    DibStream source;
    Fill(source, 3, 2, depths[i]);
    std::string bytes;
    ASSERT_TRUE(source.SaveBmpToMemory(bytes));
    DibStream image;
    EXPECT_TRUE(image.LoadBmpFromMemory(bytes.data(), bytes.size(), 1 << i));
    EXPECT_FALSE(image.LoadBmpFromMemory(bytes.data(), bytes.size(), kAll & ~(1 << i)));
    EXPECT_EQ(image.header, nullptr);
    EXPECT_EQ(image.bits, nullptr);
    EXPECT_EQ(image.LoadBmpFromMemory(bytes.data(), bytes.size(), 4), depths[i] == 8);
  }
}

TEST(BmpLoad, FailureLeavesTheObjectEmptyAndFreesEverything) {
  ScratchFolder folder;
  DibStream good;
  Fill(good, 4, 4, 8);
  ASSERT_TRUE(good.SaveBmp(folder.File("good.bmp")));
  std::string truncated = bmptest::ReadAll(folder.File("good.bmp"));
  truncated.resize(truncated.size() - 1);
  bmptest::WriteAll(folder.File("short.bmp"), truncated);

  const long global = platform::LiveBlocks(Allocator::Global);
  const long heap = platform::LiveBlocks(Allocator::Heap);
  for (const char* name : {"missing.bmp", "short.bmp"}) {
    SCOPED_TRACE(name);
    DibStream image;
    ASSERT_TRUE(image.LoadBmp(folder.File("good.bmp"), kAll));
    EXPECT_FALSE(image.LoadBmp(folder.File(name), kAll));
    EXPECT_EQ(image.header, nullptr);
    EXPECT_EQ(image.bits, nullptr);
    EXPECT_EQ(image.headerMemory, DibBorrowed);
    EXPECT_EQ(platform::LiveBlocks(Allocator::Global), global);
  }
  // The info block is made and the pixel block is not: the info block goes back.
  platform::FailAllocations(Allocator::Global, 1, 1);
  DibStream image;
  EXPECT_FALSE(image.LoadBmp(folder.File("good.bmp"), kAll));
  EXPECT_EQ(image.header, nullptr);
  EXPECT_EQ(platform::LiveBlocks(Allocator::Global), global);
  EXPECT_EQ(platform::LiveBlocks(Allocator::Heap), heap);
}

TEST(BmpSave, EmptyObjectWritesNothing) {
  ScratchFolder folder;
  DibStream empty;
  EXPECT_FALSE(empty.SaveBmp(folder.File("empty.bmp")));
  EXPECT_TRUE(folder.Names().empty());
}

// A catalog that cannot be written must stay as it was, and no half-written file may be left.
TEST(BmpSave, RefusedWriteKeepsTheOldFile) {
  ScratchFolder folder;
  const std::string path = folder.File("catalog.bmp");
  bmptest::WriteAll(path, "old catalog bytes");
  DibStream image;
  Fill(image, 8, 8, 8);
  ASSERT_EQ(chmod(folder.Path().c_str(), 0555), 0);
  {
    partwell::test::HonourPermissions honour;
    EXPECT_FALSE(image.SaveBmp(path));
  }
  EXPECT_EQ(bmptest::ReadAll(path), "old catalog bytes");
  EXPECT_EQ(folder.Names(), std::vector<std::string>{"catalog.bmp"});
  EXPECT_FALSE(image.SaveBmp(folder.File("no such folder/catalog.bmp")));

  ASSERT_EQ(chmod(folder.Path().c_str(), 0755), 0);
  EXPECT_TRUE(image.SaveBmp(path));
  DibStream back;
  ASSERT_TRUE(back.LoadBmp(path, kAll));
  ExpectSamePicture(image, back);
}

}  // namespace

namespace {

TEST(BmpSave, HeaderNoPixelBlockCanMatchIsRefused) {
  std::vector<std::uint8_t> pixels(64);
  for (int width : {-3, 0, 0x40000000}) {
    SCOPED_TRACE(width);
    BITMAPINFOHEADER header;
    DibStream::FillHeader(&header, width, 4, 32);
    DibStream image;
    ASSERT_TRUE(image.Adopt(&header, DibBorrowed, pixels.data(), DibBorrowed));
    std::string bytes = "stale";
    EXPECT_FALSE(image.SaveBmpToMemory(bytes));
    EXPECT_TRUE(bytes.empty());
  }
}

}  // namespace
