// partwell-cli render, run as a user runs it: the BMP it writes against the same shape rendered
// here with the same steps, and its exit codes and messages.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "image/DibStream.h"
#include "shape/Loadsuf.h"
#include "tests/common/RunProgram.h"
#include "tests/common/ScratchFolder.h"
#include "velrast/velrast.h"

namespace {

struct CliRun {
  int exit = -1;
  std::string err;
};

constexpr const char kTetra[] =
    "obj suf t {\natr plain\n"
    "prim poly ( 0 0 0\n2 0 0\n0 1.5 0 )\nprim poly ( 0 0 0\n0 1.5 0\n0.5 0.5 1.8 )\n"
    "prim poly ( 0 0 0\n0.5 0.5 1.8\n2 0 0 )\nprim poly ( 2 0 0\n0.5 0.5 1.8\n0 1.5 0 )\n}\n";

class RenderCli : public ::testing::Test {
 protected:
  CliRun Cli(const std::string& args) {
    const std::string atr = folder.Path() + "/none.atr";  // missing: every polygon white
    const auto run = partwell::test::RunProgram("'" PARTWELL_CLI "' --atr '" + atr + "' " + args);
    return {run.code, run.err};
  }

  partwell::test::ScratchFolder folder;
};

// Rows of a 24-bit picture from the top, without padding.
std::vector<std::string> TopDownRows(const DibStream& dib) {
  std::vector<std::string> rows;
  const int height = static_cast<int>(dib::AbsHeight(dib.header->biHeight));
  for (int y = 0; y < height; ++y) {
    rows.emplace_back(reinterpret_cast<const char*>(dib::TopRow(dib.header, dib.bits, y)), dib.header->biWidth * 3);
  }
  return rows;
}

TEST_F(RenderCli, WritesTheThumbnailOfTheTurnedShape) {
  const std::string suf = folder.Write("tetra.suf", kTetra);
  const std::string out = folder.Path() + "/out.bmp";
  CliRun run = Cli("render '" + suf + "' -o '" + out + "' --size 96x64 --drag 12,-5 --zoom-drag -15 --drag 0,9 --background 0x102030");
  ASSERT_EQ(run.exit, 3) << run.err;  // drawn; "plain" is not in the attribute file

  XLoaderSuf model;
  GlobalAttributes.Clear();
  int warning = 0;
  ASSERT_TRUE(ReadSufFile(model, suf.c_str(), warning));
  model.UpdateBounds();
  model.UpdateNormals();
  RotateView(model, 12, -5);
  ZoomView(model, -15);
  RotateView(model, 0, 9);
  vlrSetColor(0x102030);
  RenderShape(model, nullptr, 96, 64);
  BITMAPINFOHEADER* header = nullptr;
  unsigned char* pixels = nullptr;
  ASSERT_EQ(vlrGetDib(&header, &pixels), 1);
  DibStream frame;
  frame.Adopt(header, DibBorrowed, pixels, DibBorrowed);
  const std::vector<std::string> expected = TopDownRows(frame);
  vlrDestroy();

  DibStream written;
  ASSERT_TRUE(written.LoadBmp(out, 16));
  ASSERT_EQ(written.header->biWidth, 96);
  ASSERT_EQ(written.header->biHeight, 64);
  EXPECT_EQ(TopDownRows(written), expected);
  // The corner is background, and the shape is in the picture.
  EXPECT_EQ(std::string(TopDownRows(written)[0], 0, 3), std::string("\x30\x20\x10"));
  int shapePixels = 0;
  for (const std::string& row : expected)
    for (std::size_t x = 0; x < row.size(); x += 3) shapePixels += row.compare(x, 3, "\x30\x20\x10") != 0;
  EXPECT_GT(shapePixels, 300);
}

TEST_F(RenderCli, ShapeWithoutExtentGivesTheBackgroundAlone) {
  const std::string suf = folder.Write("point.suf", "obj suf p {\natr plain\nprim poly ( 1 1 1\n1 1 1\n1 1 1 )\n}\n");
  const std::string out = folder.Path() + "/out.bmp";
  ASSERT_EQ(Cli("render '" + suf + "' -o '" + out + "' --size 5x3 --background 0xABCDEF").exit, 3);
  DibStream written;
  ASSERT_TRUE(written.LoadBmp(out, 16));
  for (const std::string& row : TopDownRows(written)) EXPECT_EQ(row, std::string("\xEF\xCD\xAB\xEF\xCD\xAB\xEF\xCD\xAB\xEF\xCD\xAB\xEF\xCD\xAB"));
}

TEST_F(RenderCli, FailuresAndTheirMessages) {
  const std::string out = folder.Path() + "/out.bmp";
  // A file that cannot be opened: one line naming it, exit 1, nothing written.
  CliRun run = Cli("render '" + folder.Path() + "/missing.suf' -o '" + out + "'");
  EXPECT_EQ(run.exit, 1);
  EXPECT_NE(run.err.find("missing.suf"), std::string::npos) << run.err;
  EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;
  EXPECT_FALSE(std::filesystem::exists(out));

  // A malformed number: the reader's own text, in UTF-8, exit 1, nothing written.
  const std::string bad = folder.Write("bad.suf", "obj suf b {\natr plain\nprim poly ( 0 0 0\n1 x7 0\n0 1 0 )\n}\n");
  run = Cli("render '" + bad + "' -o '" + out + "'");
  EXPECT_EQ(run.exit, 1);
  EXPECT_NE(run.err.find("'x7' は浮動小数点数ではありません"), std::string::npos) << run.err;
  EXPECT_FALSE(std::filesystem::exists(out));

  // Malformed options: usage errors, exit 2.
  const std::string suf = folder.Write("tetra.suf", kTetra);
  for (const std::string& options : {std::string(""), std::string("--size 10"), std::string("--size 0x5"),
                                     std::string("--drag 3"), std::string("--zoom-drag 1,2"),
                                     std::string("--background 0x1000000"), std::string("--frobnicate")}) {
    run = Cli("render '" + suf + "' " + (options.empty() ? "" : "-o '" + out + "' ") + options);
    EXPECT_EQ(run.exit, 2) << options << ": " << run.err;
    EXPECT_FALSE(run.err.empty()) << options;
  }
  EXPECT_FALSE(std::filesystem::exists(out));

  // An output that cannot be written.
  run = Cli("render '" + suf + "' -o '" + folder.Path() + "/no/such/folder/out.bmp'");
  EXPECT_EQ(run.exit, 1);
  EXPECT_NE(run.err.find("cannot write"), std::string::npos) << run.err;
}

}  // namespace
