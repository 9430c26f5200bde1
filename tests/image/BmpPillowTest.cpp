// Files written by SaveBmp, read back by Python's Pillow: every pixel must come out as we hold it.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "BmpTestFiles.h"
#include "image/DibStream.h"
#include "tests/common/RunProgram.h"

namespace {

// Debian's interpreter, which is the one python3-pil (installed by scripts/setup-deps) belongs to.
std::string Python() { return std::filesystem::exists("/usr/bin/python3") ? "/usr/bin/python3" : "python3"; }

int IndexAt(const DibStream& image, int x, int r) {
  const std::uint8_t* row = dib::TopRow(image.header, image.bits, r);
  switch (image.header->biBitCount) {
    case 1: return row[x / 8] >> (7 - x % 8) & 1;
    case 4: return x % 2 ? row[x / 2] & 15 : row[x / 2] >> 4;
    default: return row[x];
  }
}

// 5-bit channels: compare the values the file holds, whatever widening each reader uses.
std::uint32_t Quantise5(std::uint32_t rgb) {
  std::uint32_t out = 0;
  for (int shift : {16, 8, 0}) out = out << 8 | (((rgb >> shift & 255) * 31 + 127) / 255);
  return out;
}

void ExpectPillowSees(const DibStream& image, const std::string& path) {
  const auto run = partwell::test::RunProgram(Python() + " " + PARTWELL_SOURCE_DIR + "/tests/image/pillow_read_bmp.py '" + path + "'");
  ASSERT_EQ(run.code, 0) << run.err;
  const std::string& seen = run.out;
  std::istringstream in(seen);
  int width = 0, height = 0;
  std::string mode;
  in >> width >> height >> mode;
  ASSERT_EQ(width, image.header->biWidth) << seen.substr(0, 300);
  ASSERT_EQ(height, static_cast<int>(dib::AbsHeight(image.header->biHeight)));

  // What our image shows, drawn by our own StretchDIBits (tested on its own in DibDrawTest).
  std::vector<std::uint32_t> shown(static_cast<std::size_t>(width * height));
  DeviceContext dc{shown.data(), width, height, width};
  image.Draw(&dc, 0, 0);
  const bool sixteen = image.header->biBitCount == 16;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      std::string hex;
      in >> hex;
      std::uint32_t pillow = static_cast<std::uint32_t>(std::stoul(hex, nullptr, 16));
      std::uint32_t ours = shown[static_cast<std::size_t>(y * width + x)] & 0xFFFFFF;
      if (sixteen) {
        pillow = Quantise5(pillow);
        ours = Quantise5(ours);
      }
      ASSERT_EQ(pillow, ours) << "pixel " << x << "," << y << " (mode " << mode << ")";
    }
  }
  if (mode == "P") {
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        int index = -1;
        in >> index;
        ASSERT_EQ(index, IndexAt(image, x, y)) << "index at " << x << "," << y;
      }
    }
  }
}

TEST(BmpPillow, SavedFilesReadBackIdentically) {
  bmptest::ScratchFolder folder;
  struct Case {
    int width, height, bitCount;
  };
  // Odd widths give row padding; negative heights are top-down in memory and bottom-up on disk.
  const Case cases[] = {{13, 5, 1}, {9, -4, 1}, {7, 3, 4}, {6, -3, 4},   {11, 4, 8},
                        {5, -6, 8}, {7, 3, 16}, {3, -3, 16}, {9, 2, 24}, {5, -5, 24},
                        {4, 3, 32}, {3, -2, 32}, {512, 384, 8}};
  int n = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << "x" << c.bitCount);
    DibStream image;
    ASSERT_TRUE(image.Create(c.width, c.height, c.bitCount));
    if (const std::uint32_t entries = dib::ColorCount(image.header)) {
      const auto table = bmptest::Table(static_cast<int>(entries));
      std::memcpy(dib::ColorTable(image.header), table.data(), table.size());
    }
    const auto pixels = bmptest::Pattern(image.header->biSizeImage, static_cast<unsigned>(n));
    std::memcpy(image.bits, pixels.data(), pixels.size());
    if (c.bitCount == 32) {  // Pillow may take the fourth byte for alpha; ours is opaque
      for (std::size_t i = 3; i < pixels.size(); i += 4) image.bits[i] = 255;
    }
    const std::string path = folder.File("saved" + std::to_string(n++) + ".bmp");
    ASSERT_TRUE(image.SaveBmp(path));
    ExpectPillowSees(image, path);
  }
}

TEST(BmpPillow, ShortTableAndRunLengthFilesSurviveOurRewrite) {
  bmptest::ScratchFolder folder;
  // 20 colours at 8 bits (every index below 20), and a run-length coded file; both are read by us
  // and written back as our catalogs are.
  bmptest::BmpFile shortTable;
  shortTable.width = 6;
  shortTable.height = 3;
  shortTable.clrUsed = 20;
  shortTable.table = bmptest::Table(20);
  for (int i = 0; i < 24; ++i) shortTable.pixels.push_back(static_cast<std::uint8_t>(i % 20));
  bmptest::BmpFile coded;
  coded.width = 8;
  coded.height = 2;
  coded.compression = 1;
  coded.table = bmptest::Table(256);
  coded.pixels = {3, 200, 0, 3, 1, 2, 3, 0, 0, 0, 0, 2, 0, 5, 9, 0, 1};
  coded.sizeImage = static_cast<std::uint32_t>(coded.pixels.size());
  int n = 0;
  for (const bmptest::BmpFile* f : {&shortTable, &coded}) {
    const std::string bytes = f->Bytes();
    DibStream image;
    ASSERT_TRUE(image.LoadBmpFromMemory(bytes.data(), bytes.size(), DibAcceptAll));
    const std::string path = folder.File("rewritten" + std::to_string(n++) + ".bmp");
    ASSERT_TRUE(image.SaveBmp(path));
    ExpectPillowSees(image, path);
  }
}

}  // namespace
