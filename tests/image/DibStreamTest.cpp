// The bitmap object: memory kinds, headers, Create, Adopt, the grey palette.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "image/DibStream.h"
#include "platform/Memory.h"

using platform::Allocator;

namespace {

struct Counts {
  long heap = platform::LiveBlocks(Allocator::Heap);
  long local = platform::LiveBlocks(Allocator::Local);
  long global = platform::LiveBlocks(Allocator::Global);
  long misused = platform::MisusedBlocks();
  long Of(Allocator a) const { return a == Allocator::Heap ? heap : a == Allocator::Local ? local : global; }
};

// Each kind's block goes back to the allocator the kind names, and only to it.
TEST(DibMemory, EveryKindIsReleasedByItsOwnAllocator) {
  struct Case {
    DibMemory kind;
    Allocator allocator;
  };
  const Case cases[] = {{DibHeap, Allocator::Heap},
                        {DibLocalMoveable, Allocator::Local},
                        {DibGlobalMoveable, Allocator::Global},
                        {DibLocalFixed, Allocator::Local},
                        {DibGlobalFixed, Allocator::Global}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.kind);
    const Counts before;
    {
      DibStream image;
      auto* header = static_cast<BITMAPINFOHEADER*>(DibAllocate(c.kind, 40 + 8));
      auto* bits = static_cast<std::uint8_t*>(DibAllocate(c.kind, 4));
      ASSERT_NE(header, nullptr);
      ASSERT_NE(bits, nullptr);
      // The addresses must be usable as they come: locked, never the handle of a moveable block.
      if (c.kind == DibLocalMoveable) {
        EXPECT_NE(LocalHandle(header), header);
      }
      if (c.kind == DibGlobalMoveable) {
        EXPECT_NE(GlobalHandle(header), header);
      }
      std::memset(header, 0, 48);
      std::memset(bits, 0xAB, 4);
      ASSERT_TRUE(image.Adopt(header, c.kind, bits, c.kind));
      EXPECT_EQ(Counts().Of(c.allocator) - before.Of(c.allocator), 2);
    }
    const Counts after;
    EXPECT_EQ(after.heap, before.heap);
    EXPECT_EQ(after.local, before.local);
    EXPECT_EQ(after.global, before.global);
    EXPECT_EQ(after.misused, before.misused);
  }
}

TEST(DibMemory, FailedAllocationOrLockGivesNull) {
  EXPECT_EQ(DibAllocate(DibBorrowed, 16), nullptr);
  EXPECT_EQ(DibAllocate(static_cast<DibMemory>(6), 16), nullptr);
  const Counts before;
  platform::FailAllocations(Allocator::Local, 0, 1);
  EXPECT_EQ(DibAllocate(DibLocalMoveable, 16), nullptr);
  platform::FailAllocations(Allocator::Global, 0, 1);
  EXPECT_EQ(DibAllocate(DibGlobalFixed, 16), nullptr);
  platform::FailAllocations(Allocator::Heap, 0, 1);
  EXPECT_EQ(DibAllocate(DibHeap, 16), nullptr);
  EXPECT_EQ(platform::LiveBlocks(Allocator::Local), before.local);
  EXPECT_EQ(platform::LiveBlocks(Allocator::Global), before.global);
}

TEST(DibMemory, BorrowedBlocksAreNeverReleased) {
  std::vector<std::uint8_t> headerBytes(40 + 1024);
  std::vector<std::uint8_t> pixels(64, 0x5A);
  auto* header = reinterpret_cast<BITMAPINFOHEADER*>(headerBytes.data());
  ASSERT_TRUE(DibStream::FillHeader(header, 8, 8, 8));
  const Counts before;
  {
    DibStream image;
    ASSERT_TRUE(image.Adopt(header, DibBorrowed, pixels.data(), DibBorrowed));
    image.SetGrayPalette();  // may write into the borrowed header
    // Replacing the image must forget, not free, the borrowed blocks.
    ASSERT_TRUE(image.Create(2, 2, 24));
  }
  const Counts after;
  EXPECT_EQ(after.misused, before.misused);
  EXPECT_EQ(after.global, before.global);
  EXPECT_EQ(pixels[63], 0x5A);
  EXPECT_EQ(header->biWidth, 8);
}

TEST(DibStreamAdopt, NullPointerLeavesTheImageInPlace) {
  DibStream image;
  ASSERT_TRUE(image.Create(3, 3, 24));
  BITMAPINFOHEADER* header = image.header;
  std::uint8_t* bits = image.bits;
  BITMAPINFOHEADER* other = DibStream::NewHeader(1, 1, 8);
  EXPECT_FALSE(image.Adopt(other, DibBorrowed, nullptr, DibBorrowed));
  EXPECT_FALSE(image.Adopt(nullptr, DibBorrowed, bits, DibBorrowed));
  EXPECT_EQ(image.header, header);
  EXPECT_EQ(image.bits, bits);
  EXPECT_EQ(image.headerMemory, DibGlobalFixed);
  GlobalFree(other);
}

TEST(DibStreamAdopt, ReadoptingItsOwnBlocksKeepsThem) {
  const long global = platform::LiveBlocks(Allocator::Global);
  DibStream image;
  ASSERT_TRUE(image.Create(3, 3, 8));
  ASSERT_TRUE(image.Adopt(image.header, DibGlobalFixed, image.bits, DibGlobalFixed));
  image.bits[0] = 7;  // still ours: ASan would see a freed block
  image.FreeHeader();
  image.FreeBits();
  EXPECT_EQ(platform::LiveBlocks(Allocator::Global), global);
}

TEST(DibStreamHeader, FillHeaderByDepth) {
  struct Case {
    int width, height, bitCount;
    std::uint32_t sizeImage, clrUsed;
  };
  const Case cases[] = {{1, 1, 1, 4, 2},  {1, 1, 24, 4, 0},  {33, 2, 1, 16, 2},           {7, -3, 4, 12, 16},
                        {3, 2, 16, 16, 0}, {5, -2, 24, 32, 0}, {512, 384, 8, 196608, 256}, {3, 3, 32, 36, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << "x" << c.bitCount);
    BITMAPINFOHEADER h;
    std::memset(&h, 0xEE, sizeof h);
    ASSERT_TRUE(DibStream::FillHeader(&h, c.width, c.height, c.bitCount));
    const BITMAPINFOHEADER want{40, c.width, c.height, 1, static_cast<WORD>(c.bitCount), 0, c.sizeImage, 0, 0,
                                c.clrUsed, 0};
    EXPECT_EQ(std::memcmp(&h, &want, sizeof h), 0);
  }
  BITMAPINFOHEADER h;
  for (int bad : {0, 2, 3, 12, 64}) EXPECT_FALSE(DibStream::FillHeader(&h, 4, 4, bad)) << bad;
}

TEST(DibStreamHeader, NewHeaderTables) {
  BITMAPINFOHEADER* one = DibStream::NewHeader(8, 1, 1);
  BITMAPINFOHEADER* eight = DibStream::NewHeader(8, 1, 8);
  ASSERT_NE(one, nullptr);
  ASSERT_NE(eight, nullptr);
  EXPECT_EQ(std::memcmp(dib::ColorTable(one), "\0\0\0\0\xFF\xFF\xFF\0", 8), 0);
  const auto* t8 = reinterpret_cast<const std::uint8_t*>(dib::ColorTable(eight));
  for (int i = 0; i < 1024; ++i) ASSERT_EQ(t8[i], i % 4 == 3 ? 0 : i / 4) << "byte " << i;
  EXPECT_EQ(DibStream::NewHeader(8, 1, 2), nullptr);
  GlobalFree(one);
  GlobalFree(eight);
}

// Sizes whose 32-bit stride x height wraps (to 0 or to something small) must not give a block.
TEST(DibStreamHeader, NewBitsRefusesSizesThatCannotBeHeld) {
  struct Case {
    int width, height, bitCount;
    bool made;
  };
  const Case cases[] = {{1, 1, 24, true},           {1, -1, 1, true},           {0, 5, 8, false},
                        {-4, 5, 8, false},          {4, 0, 8, false},           {4, INT32_MIN, 8, false},
                        {0x40000000, 1, 32, false}, {65536, 65536, 8, false},   {0x40000001, 2, 32, false},
                        {16384, 16384, 8, true},    {16384, 16385, 8, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << "x" << c.bitCount);
    BITMAPINFOHEADER h;
    DibStream::FillHeader(&h, c.width, c.height, c.bitCount);
    std::uint8_t* bits = DibStream::NewBits(&h);
    EXPECT_EQ(bits != nullptr, c.made);
    if (bits) GlobalFree(bits);
  }
}

TEST(DibStreamCreate, MakesBothBlocksOfKindGlobalFixed) {
  DibStream image;
  ASSERT_TRUE(image.Create(1, 1, 1));
  EXPECT_EQ(image.RowBytes(), 4);
  EXPECT_EQ(image.headerMemory, DibGlobalFixed);
  EXPECT_EQ(image.bitsMemory, DibGlobalFixed);
  EXPECT_NE(GlobalHandle(image.bits), nullptr);
  ASSERT_TRUE(image.Create(512, -384, 8));
  EXPECT_EQ(image.RowBytes(), 512);
  EXPECT_EQ(image.header->biHeight, -384);
  // The last byte of the block is writable (ASan would see an overrun).
  image.bits[512 * 384 - 1] = 1;
}

TEST(DibStreamCreate, FailureLeavesTheObjectEmptyAndNothingAllocated) {
  const long global = platform::LiveBlocks(Allocator::Global);
  DibStream image;
  ASSERT_TRUE(image.Create(4, 4, 8));
  EXPECT_FALSE(image.Create(4, 4, 7));
  EXPECT_EQ(image.header, nullptr);
  EXPECT_EQ(image.bits, nullptr);
  ASSERT_TRUE(image.Create(4, 4, 8));
  platform::FailAllocations(Allocator::Global, 1, 1);  // the header is made, the pixels are not
  EXPECT_FALSE(image.Create(4, 4, 24));
  EXPECT_EQ(image.header, nullptr);
  EXPECT_EQ(image.bits, nullptr);
  EXPECT_EQ(platform::LiveBlocks(Allocator::Global), global);
}

TEST(DibStreamPalette, GreyRampsByDepth) {
  for (int bitCount : {1, 4, 8}) {
    SCOPED_TRACE(bitCount);
    DibStream image;
    ASSERT_TRUE(image.Create(4, 4, bitCount));
    std::memset(dib::ColorTable(image.header), 0x77, 4u << bitCount);
    image.SetGrayPalette();
    const int entries = 1 << bitCount;
    const RGBQUAD* t = dib::ColorTable(image.header);
    EXPECT_EQ(t[entries - 1].rgbRed, 255);
    for (int i = 0; i < entries; ++i) {
      const int v = i * 255 / (entries - 1);
      ASSERT_EQ(t[i].rgbBlue, v) << i;
      ASSERT_EQ(t[i].rgbGreen, v) << i;
      ASSERT_EQ(t[i].rgbRed, v) << i;
      ASSERT_EQ(t[i].rgbReserved, 0) << i;
    }
  }
}

TEST(DibStreamPalette, ShortTableIsNotOverrunAndDirectDepthsAreLeftAlone) {
  // 8 bits with a table of 20 entries: the info block is 40 + 80 bytes and ends there.
  auto* header = static_cast<BITMAPINFOHEADER*>(DibAllocate(DibGlobalFixed, 40 + 80));
  DibStream::FillHeader(header, 2, 2, 8);
  header->biClrUsed = 20;
  DibStream image;
  ASSERT_TRUE(image.Adopt(header, DibGlobalFixed, DibStream::NewBits(header), DibGlobalFixed));
  image.SetGrayPalette();  // ASan reports any write past byte 120
  EXPECT_EQ(dib::ColorTable(image.header)[19].rgbGreen, 19);

  DibStream direct;
  ASSERT_TRUE(direct.Create(2, 2, 24));
  const BITMAPINFOHEADER before = *direct.header;
  direct.SetGrayPalette();
  EXPECT_EQ(std::memcmp(&before, direct.header, 40), 0);
}

}  // namespace
