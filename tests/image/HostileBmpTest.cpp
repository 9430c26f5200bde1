// The hostile corpus (made by make_hostile_bmps.py): every refuse_* file is refused before a byte
// is allocated, every safe_* file loads with its run-length writes kept inside the pixel block.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "BmpTestFiles.h"
#include "image/DibStream.h"
#include "platform/Memory.h"

using platform::Allocator;

namespace {

const std::string kFolder = std::string(PARTWELL_TEST_DATA) + "/hostile";

std::vector<std::string> CorpusFiles(const std::string& prefix) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(kFolder)) {
    const std::string name = entry.path().filename().string();
    if (name.rfind(prefix, 0) == 0) names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::uint64_t Allocated() {
  return platform::AllocatedBytes(Allocator::Global) + platform::AllocatedBytes(Allocator::Heap) +
         platform::AllocatedBytes(Allocator::Local);
}

TEST(HostileBmp, EveryRefusalIsRefusedBeforeAnythingIsAllocated) {
  const auto names = CorpusFiles("refuse_");
  ASSERT_GE(names.size(), 30u) << "run tests/image/make_hostile_bmps.py";
  for (const std::string& name : names) {
    SCOPED_TRACE(name);
    DibStream image;
    ASSERT_TRUE(image.Create(2, 2, 8));
    const std::uint64_t before = Allocated();
    const long live = platform::LiveBlocks(Allocator::Global);
    EXPECT_FALSE(image.LoadBmp(kFolder + "/" + name, DibAcceptAll));
    EXPECT_EQ(Allocated() - before, 0u);
    EXPECT_EQ(image.header, nullptr);
    EXPECT_EQ(image.bits, nullptr);
    EXPECT_EQ(platform::LiveBlocks(Allocator::Global), live - 2) << "the old image is gone";
  }
}

TEST(HostileBmp, RunLengthWritesStayInsideThePixelBlock) {
  // The pixel block each file must decode to (stored rows, padding included).
  const std::map<std::string, std::vector<std::uint8_t>> expected = {
      {"safe_rle_run_past_row.bmp", {7, 7, 7, 7, 9, 9, 9, 9}},
      {"safe_rle_literal_past_block.bmp", {1, 2, 3, 4}},
      {"safe_rle_delta_past_block.bmp", {0, 0, 0, 0, 0, 0, 0, 0}},
      {"safe_rle_delta_past_row.bmp", {0, 0, 0, 0, 0, 0, 0, 0}},
      {"safe_rle_too_many_lines.bmp", {1, 0, 0, 0, 2, 0, 0, 0}},
      {"safe_rle_literal_cut.bmp", {3, 3, 0, 0, 0, 0, 0, 0}},
      {"safe_rle_delta_cut.bmp", {3, 3, 0, 0, 0, 0, 0, 0}},
      {"safe_rle_lone_byte.bmp", {3, 3, 0, 0, 0, 0, 0, 0}},
      {"safe_rle_no_end.bmp", {1, 1, 1, 1, 2, 2, 2, 2}},
  };
  const auto names = CorpusFiles("safe_");
  ASSERT_EQ(names.size(), expected.size()) << "corpus and table out of step";
  for (const std::string& name : names) {
    SCOPED_TRACE(name);
    ASSERT_EQ(expected.count(name), 1u);
    const std::vector<std::uint8_t>& block = expected.at(name);
    const std::string file = bmptest::ReadAll(kFolder + "/" + name);
    const std::uint64_t before = Allocated();
    DibStream image;
    ASSERT_TRUE(image.LoadBmp(kFolder + "/" + name, DibAcceptAll));
    // Info block with its 256 entries, the pixel block, and the coded bytes as scratch.
    EXPECT_LE(Allocated() - before, 40 + 1024 + block.size() + file.size());
    ASSERT_EQ(image.header->biSizeImage, block.size());
    EXPECT_EQ(std::vector<std::uint8_t>(image.bits, image.bits + block.size()), block);
  }
}

}  // namespace
