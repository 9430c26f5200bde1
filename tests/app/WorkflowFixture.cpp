#include "tests/app/WorkflowFixture.h"

#include <cstdlib>
#include <cstring>

namespace partwell::test {

TempLibrary::TempLibrary() : root(scratch.Path()) {
  std::filesystem::create_directories(Parts());
  std::filesystem::create_directories(Catalogs());
}

void TempLibrary::WriteFile(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string TempLibrary::ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string CubeSuf(const char* attribute) {
  std::string suf = "obj suf cube {\r\n  atr " + std::string(attribute) + "\r\n";
  // Six quads, one vertex a line, the first on the prim line and ")" after the last.
  const char* quads[6][4] = {{"0 0 0", "1 0 0", "1 1 0", "0 1 0"}, {"0 0 1", "0 1 1", "1 1 1", "1 0 1"},
                             {"0 0 0", "0 0 1", "1 0 1", "1 0 0"}, {"0 1 0", "1 1 0", "1 1 1", "0 1 1"},
                             {"0 0 0", "0 1 0", "0 1 1", "0 0 1"}, {"1 0 0", "1 0 1", "1 1 1", "1 1 0"}};
  for (const auto& quad : quads) {
    suf += std::string("  prim poly ( ") + quad[0] + "\r\n    " + quad[1] + "\r\n    " + quad[2] + "\r\n    " +
           quad[3] + " )\r\n";
  }
  return suf + "}\r\n";
}

void WorkflowTest::SetUp() {
  view.workflow = &workflow;
  workflow.CGAFolder = library.Cga();
  workflow.BackColor = 7555739;
}

void WorkflowTest::WriteThreeFolders() {
  library.WriteIndex(Sjis("; our sample index\r\n[PartsAssembler]\r\nMenuItems=3\r\n"
                          "Menu1=Cars,cars.BMP,cars\\cars\r\nMenu2=Solids,solid.BMP,solid\\solid\r\n"
                          "Menu3=Signs,signs.BMP,signs\\signs\r\n\r\n[PartsAssembler.jpn]\r\n"
                          "Menu1=自動車,cars.BMP,cars\\cars\r\nMenu2=ソリッド,solid.BMP,solid\\solid\r\n"
                          "Menu3=表示,signs.BMP,signs\\signs\r\n"));
  for (const char* folder : {"cars", "solid", "signs"}) std::filesystem::create_directory(library.Parts() / folder);
}

void WorkflowTest::Open() { workflow.ReadPartsIndex(); }

namespace {
std::uint32_t Le32(const std::string& b, std::size_t at) {
  return static_cast<std::uint8_t>(b[at]) | static_cast<std::uint8_t>(b[at + 1]) << 8 |
         static_cast<std::uint8_t>(b[at + 2]) << 16 | static_cast<std::uint32_t>(static_cast<std::uint8_t>(b[at + 3])) << 24;
}
}  // namespace

// An independent reader of the uncompressed 8- and 24-bit files the program writes.
Picture ReadPicture(const std::filesystem::path& path) {
  Picture picture;
  std::string b = TempLibrary::ReadFile(path);
  if (b.size() < 54 || b[0] != 'B' || b[1] != 'M') return picture;
  std::uint32_t offset = Le32(b, 10);
  picture.width = static_cast<std::int32_t>(Le32(b, 18));
  picture.storedHeight = static_cast<std::int32_t>(Le32(b, 22));
  picture.height = std::abs(picture.storedHeight);
  picture.bitCount = static_cast<std::uint8_t>(b[28]) | static_cast<std::uint8_t>(b[29]) << 8;
  std::size_t stride = ((static_cast<std::size_t>(picture.width) * picture.bitCount + 31) / 32) * 4;
  if (b.size() < offset + stride * picture.height) return Picture{};
  picture.pixels.resize(static_cast<std::size_t>(picture.width) * picture.height);
  for (int y = 0; y < picture.height; ++y) {
    int stored = picture.storedHeight > 0 ? picture.height - 1 - y : y;
    const char* row = b.data() + offset + stride * stored;
    for (int x = 0; x < picture.width; ++x) {
      std::uint32_t c = 0;
      if (picture.bitCount == 24) {
        c = Le32(std::string(row + 3 * x, 3) + '\0', 0);
      } else if (picture.bitCount == 8) {
        c = Le32(b, 54 + 4 * static_cast<std::uint8_t>(row[x])) & 0xFFFFFF;
      }
      picture.pixels[static_cast<std::size_t>(y) * picture.width + x] = c;
    }
  }
  return picture;
}

void WritePicture24(const std::filesystem::path& path, int width, int height, std::uint32_t (*color)(int, int)) {
  std::size_t stride = ((static_cast<std::size_t>(width) * 24 + 31) / 32) * 4;
  std::string b(54 + stride * height, '\0');
  auto put32 = [&b](std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<char>(v >> (8 * i));
  };
  b[0] = 'B';
  b[1] = 'M';
  put32(2, static_cast<std::uint32_t>(b.size()));
  put32(10, 54);
  put32(14, 40);
  put32(18, static_cast<std::uint32_t>(width));
  put32(22, static_cast<std::uint32_t>(height));
  b[26] = 1;
  b[28] = 24;
  for (int y = 0; y < height; ++y) {
    char* row = b.data() + 54 + stride * (height - 1 - y);
    for (int x = 0; x < width; ++x) {
      std::uint32_t c = color(x, y);
      row[3 * x] = static_cast<char>(c);
      row[3 * x + 1] = static_cast<char>(c >> 8);
      row[3 * x + 2] = static_cast<char>(c >> 16);
    }
  }
  TempLibrary::WriteFile(path, b);
}

}  // namespace partwell::test
