// A copy of the sample DOGA library in a scratch folder, with a blank catalog for each of its
// folders, and partwell-cli run on it the way scripts run it.
#pragma once

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "tests/common/RunProgram.h"
#include "tests/common/ScratchFolder.h"

namespace partwell::test {

inline std::string Read(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void Write(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// A new folder's catalog: 512 x 384 at 8 bits, grey ramp with entry 255 the background, all pixels 255.
inline std::string BlankCatalog(std::uint32_t back = 7555739) {
  auto le = [](std::string& out, std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
  };
  const std::uint32_t offset = 14 + 40 + 1024, size = 512 * 384;
  std::string bmp = "BM";
  le(bmp, offset + size, 4), le(bmp, 0, 4), le(bmp, offset, 4);
  le(bmp, 40, 4), le(bmp, 512, 4), le(bmp, 384, 4), le(bmp, 1, 2), le(bmp, 8, 2), le(bmp, 0, 4), le(bmp, size, 4);
  le(bmp, 0, 4), le(bmp, 0, 4), le(bmp, 256, 4), le(bmp, 0, 4);
  for (std::uint32_t i = 0; i < 255; ++i) le(bmp, i | i << 8 | i << 16, 4);
  le(bmp, back, 4);
  return bmp + std::string(size, '\xff');
}

using Result = ProgramRun;

class CliLibraryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::copy(std::string(PARTWELL_SOURCE_DIR) + "/data/library", root / "lib",
                          std::filesystem::copy_options::recursive);
    for (const char* name : {"basic", "machine", "signs"}) Write(Catalogs() / (std::string(name) + ".BMP"), BlankCatalog());
    std::filesystem::copy_file(std::string(PARTWELL_SOURCE_DIR) + "/data/_GENIE.ATR", root / "_GENIE.ATR");
  }
  // Runs partwell-cli on the copied library, with no terminal on standard input; before, when
  // given, goes in front of the program (setpriv, strace).
  Result Run(const std::string& args, const std::string& before = "") {
    return RunProgram("ASAN_OPTIONS=detect_leaks=" + std::string(before.empty() ? "1 " : "0 ") + before + " " +
                      PARTWELL_CLI + " --cga '" + (root / "lib").string() + "' --atr '" +
                      (root / "_GENIE.ATR").string() + "' " + args);
  }

  // Every name below folder with its bytes ("-> target" for a link, "/" for a folder).
  static std::map<std::string, std::string> Snapshot(const std::filesystem::path& folder) {
    std::map<std::string, std::string> state;
    for (auto it = std::filesystem::recursive_directory_iterator(folder); it != decltype(it)(); ++it) {
      const std::string rel = std::filesystem::relative(it->path(), folder).string();
      if (it->is_symlink()) {
        state[rel] = "-> " + std::filesystem::read_symlink(it->path()).string();
      } else if (it->is_directory()) {
        state[rel] = "/";
      } else {
        state[rel] = Read(it->path());
      }
    }
    return state;
  }

  std::string Samples() const { return std::string(PARTWELL_SOURCE_DIR) + "/data/samples/"; }
  std::filesystem::path Parts() const { return root / "lib" / "common" / "parts"; }
  std::filesystem::path Catalogs() const { return root / "lib" / "common" / "catalog"; }
  ScratchFolder scratch;
  const std::filesystem::path root = scratch.Path();
};

}  // namespace partwell::test
