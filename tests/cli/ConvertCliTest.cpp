// partwell-cli bmp, run as a script would run it: the operations in order, exit codes, the one-line
// messages, and no output file after a failure.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "image/DibStream.h"
#include "platform/Memory.h"
#include "tests/common/RunProgram.h"
#include "tests/common/ScratchFolder.h"

namespace {

namespace fs = std::filesystem;

std::string Read(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

class ConvertCli : public ::testing::Test {
 protected:
  int Run(const std::string& args) {
    const auto run = partwell::test::RunProgram("'" PARTWELL_CLI "' bmp " + args);
    err = run.err;
    return run.code;
  }
  std::string At(const char* name) const { return "'" + (root / name).string() + "'"; }

  // 200 x 100 at the given depth: four quarters of four colours (or of grey levels below 8 bits).
  void Write(const char* name, int bitCount) {
    DibStream image;
    ASSERT_TRUE(image.Create(200, 100, 24));
    const std::uint8_t colours[4][3] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {40, 80, 120}};
    for (int y = 0; y < 100; ++y) {
      for (int x = 0; x < 200; ++x) std::memcpy(image.bits + 600 * y + 3 * x, colours[(y / 50) * 2 + x / 100], 3);
    }
    if (bitCount != 24) image.ConvertDepth(bitCount, DepthPlain);
    ASSERT_TRUE(image.SaveBmp((root / name).string()));
  }

  partwell::test::ScratchFolder scratch;
  const fs::path root = scratch.Path();
  std::string err;
};

TEST_F(ConvertCli, OperationsRunInTheOrderGiven) {
  Write("in.bmp", 24);
  ASSERT_EQ(Run(At("in.bmp") + " " + At("out.bmp") + " --canvas 512 384 0x00102030 --depth 8 2 --scale 256 192"), 0) << err;
  DibStream out;
  ASSERT_TRUE(out.LoadBmp((root / "out.bmp").string(), 4));
  EXPECT_EQ(out.header->biWidth, 256);
  EXPECT_EQ(out.header->biHeight, 192);
  // Five colours survive the median cut exactly; the canvas fill surrounds the picture.
  std::uint8_t* rgb = out.ToRgb24();
  auto pixel = [&](int x, int storedRow) { return std::string(reinterpret_cast<char*>(rgb + 3 * (256 * storedRow + x)), 3); };
  EXPECT_EQ(pixel(0, 0), "\x30\x20\x10");
  EXPECT_EQ(pixel(255, 191), "\x30\x20\x10");
  // The picture lies at columns 156-355 and stored rows 142-241 of the canvas, half that scaled.
  EXPECT_EQ(pixel(100, 85), std::string("\xFF\x00\x00", 3));   // lower left quarter, bottom-up
  EXPECT_EQ(pixel(150, 110), std::string("\x28\x50\x78", 3));  // upper right
  EXPECT_EQ(pixel(70, 85), "\x30\x20\x10");
  GlobalFree(rgb);

  // Depth before canvas: the order is the command line's, so a 1-bit file can be padded.
  Write("mono.bmp", 1);
  EXPECT_EQ(Run(At("mono.bmp") + " " + At("padded.bmp") + " --depth 24 0 --canvas 300 120 0"), 0) << err;
}

TEST_F(ConvertCli, FailuresWriteNothing) {
  Write("in.bmp", 24);
  Write("mono.bmp", 1);
  std::ofstream(root / "junk.bmp") << "BMjunk";
  struct Case {
    std::string args;
    int code;
    std::string message;
  };
  const Case cases[] = {
      {At("mono.bmp") + " " + At("out.bmp") + " --canvas 512 384 0", 1,
       "partwell-cli: bmp: --canvas 512 384 failed on a 200 x 100 picture of 1 bits\n"},
      {At("in.bmp") + " " + At("out.bmp") + " --depth 8 2 --scale 1 96", 1,
       "partwell-cli: bmp: --scale 1 96 failed on a 200 x 100 picture of 8 bits\n"},
      {At("in.bmp") + " " + At("out.bmp") + " --depth 2 0", 1, "partwell-cli: bmp: --depth 2 0 left the picture at 24 bits\n"},
      {At("in.bmp") + " " + At("out.bmp") + " --accept 4", 1, ""},
      {At("junk.bmp") + " " + At("out.bmp"), 1, ""},
      {At("in.bmp") + " " + At("out.bmp") + " --scale 128", 2, ""},
      {At("in.bmp") + " " + At("out.bmp") + " --canvas 512 384 -1", 2, ""},
      {At("in.bmp") + " " + At("out.bmp") + " --rotate 90", 2, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args);
    EXPECT_EQ(Run(c.args), c.code);
    if (!c.message.empty()) {
      EXPECT_EQ(err, c.message);
    }
    ASSERT_FALSE(err.empty());
    EXPECT_EQ(err.find('\n'), err.size() - 1);  // one line
    EXPECT_FALSE(fs::exists(root / "out.bmp"));
  }
  // A file already there is left as it was.
  std::ofstream(root / "out.bmp") << "keep";
  EXPECT_EQ(Run(At("mono.bmp") + " " + At("out.bmp") + " --scale 100 50"), 1);
  EXPECT_EQ(Read(root / "out.bmp"), "keep");
}

}  // namespace
