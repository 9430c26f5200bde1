#include "shape/Loadsuf.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "ShapeTestFiles.h"
#include "tests/common/RunProgram.h"

namespace {

// The shipped samples read with the shipped attribute file: the polygon counts follow from how the
// generator builds each shape, and only the two files made to warn do so.
TEST(SampleShapes, ReadWithTheShippedAttributesAsBuilt) {
  GlobalAttributes.Clear();
  ASSERT_TRUE(ReadAtrFile(GlobalAttributes, PARTWELL_SOURCE_DIR "/data/_GENIE.ATR"));
  struct Sample {
    const char* file;
    int polygons;
    int warning;
  } samples[] = {
      {"cube.suf", 6, SufWarnNone},
      {"pyramid.suf", 5, SufWarnNone},
      {"cylinder.suf", 24 + 2, SufWarnNone},
      {"torus.suf", 32 * 12, SufWarnNone},
      {"gear.suf", 16 * 4 + 2 * 16 * 4 + 4, SufWarnNone},
      {"arrow.suf", 6 + 2, SufWarnNone},
      {"two_objects.suf", 6 + 4 * 6 + 5, SufWarnObjects},
      {"unknown_attribute.suf", 5, SufWarnAttribute},
  };
  for (const auto& s : samples) {
    SCOPED_TRACE(s.file);
    XLoaderSuf shape;
    int warning = 99;
    const std::string path = std::string(PARTWELL_SOURCE_DIR "/data/samples/") + s.file;
    ASSERT_TRUE(ReadSufFile(shape, path.c_str(), warning));
    EXPECT_EQ(shape.count, s.polygons);
    EXPECT_EQ(warning, s.warning);
    shape.UpdateBounds();
    shape.UpdateNormals();
    EXPECT_LT(shape.min.x, shape.max.x);
    EXPECT_LT(shape.min.z, shape.max.z);
    int white = 0;
    for (const auto& face : shape.faces) {
      EXPECT_GE(face->count, 3);
      if (face->color.x == 1.0f && face->color.y == 1.0f && face->color.z == 1.0f) ++white;
    }
    // The shipped white is not pure white: only the face of the unknown attribute stays (1, 1, 1).
    EXPECT_EQ(white, s.warning == SufWarnAttribute ? 1 : 0);
  }
  GlobalAttributes.Clear();
}

}  // namespace

namespace {

std::string FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// The committed sample data is what the generator writes today, byte for byte: a change to the
// script without its output (or an output edited by hand) shows up here.
TEST(SampleData, CommittedFilesAreTheGeneratorsOutput) {
  shapetest::ScratchFolder folder;
  const auto run = partwell::test::RunProgram("python3 '" PARTWELL_SOURCE_DIR "/data/make_sample_library.py' '" + folder.Path() + "'");
  ASSERT_EQ(run.code, 0) << run.err;
  int files = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder.Path())) {
    if (!entry.is_regular_file()) continue;
    const std::string relative = std::filesystem::relative(entry.path(), folder.Path()).string();
    EXPECT_EQ(FileBytes(entry.path().string()), FileBytes(PARTWELL_SOURCE_DIR "/data/" + relative)) << relative;
    ++files;
  }
  EXPECT_GE(files, 14);
}

TEST(SampleData, PartsIndexIsShiftJisWithCrlfAndBackslashTrailBytes) {
  const std::string index = FileBytes(PARTWELL_SOURCE_DIR "/data/library/common/parts/parts.ini");
  ASSERT_FALSE(index.empty());
  for (std::size_t i = 0; i < index.size(); ++i) {
    if (index[i] == '\n') {
      ASSERT_TRUE(i > 0 && index[i - 1] == '\r') << "bare LF at " << i;
    }
  }
  EXPECT_EQ(index[0], ';');
  EXPECT_NE(index.find("\r\n\r\n[PartsAssembler]\r\nMenuItems=3\r\n"), std::string::npos);
  EXPECT_NE(index.find("Menu2=Machine Parts,machine.BMP,machine\\machine\r\n"), std::string::npos);
  // 基本ソリッド, 機能パーツ, 表示記号: ソ, 能 and 表 end in 0x5C.
  EXPECT_NE(index.find("Menu1=\x8A\xEE\x96\x7B\x83\x5C\x83\x8A\x83\x62\x83\x68,basic.BMP,basic\\basic\r\n"), std::string::npos);
  EXPECT_NE(index.find("Menu2=\x8B\x40\x94\x5C\x83\x70\x81\x5B\x83\x63,machine.BMP,machine\\machine\r\n"), std::string::npos);
  EXPECT_NE(index.find("Menu3=\x95\x5C\x8E\xA6\x8B\x4C\x8D\x86,signs.BMP,signs\\signs\r\n"), std::string::npos);
}

}  // namespace
