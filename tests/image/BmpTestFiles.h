// Helpers of the BMP tests: hand-made BMP files, a scratch folder, and reading files back.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "image/DibStream.h"
#include "tests/common/ScratchFolder.h"

namespace bmptest {

inline void Put16(std::string& out, std::uint32_t v) {
  out.push_back(static_cast<char>(v & 0xFF));
  out.push_back(static_cast<char>(v >> 8 & 0xFF));
}
inline void Put32(std::string& out, std::uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}
inline std::uint32_t Get32(const std::string& s, std::size_t at) {
  return static_cast<std::uint8_t>(s[at]) | static_cast<std::uint8_t>(s[at + 1]) << 8 |
         static_cast<std::uint8_t>(s[at + 2]) << 16 | static_cast<std::uint32_t>(static_cast<std::uint8_t>(s[at + 3])) << 24;
}

// A BMP file spelled out field by field; table and pixels are written as given.
struct BmpFile {
  std::int32_t width = 4;
  std::int32_t height = 2;
  int bitCount = 8;
  std::uint32_t compression = 0;
  std::uint32_t clrUsed = 0;
  std::uint32_t sizeImage = 0;
  std::int32_t xPels = 2835;
  std::int32_t yPels = 1417;
  std::uint32_t clrImportant = 0;
  std::uint32_t offset = 0xFFFFFFFF;  // 0xFFFFFFFF: directly behind the table
  std::vector<std::uint8_t> table;    // 4 bytes an entry
  std::vector<std::uint8_t> pixels;

  std::string Bytes() const {
    std::string info;
    Put32(info, 40);
    Put32(info, static_cast<std::uint32_t>(width));
    Put32(info, static_cast<std::uint32_t>(height));
    Put16(info, 1);
    Put16(info, static_cast<std::uint32_t>(bitCount));
    Put32(info, compression);
    Put32(info, sizeImage);
    Put32(info, static_cast<std::uint32_t>(xPels));
    Put32(info, static_cast<std::uint32_t>(yPels));
    Put32(info, clrUsed);
    Put32(info, clrImportant);
    info.append(table.begin(), table.end());
    const std::uint32_t at = offset == 0xFFFFFFFF ? static_cast<std::uint32_t>(14 + info.size()) : offset;
    std::string out = "BM";
    Put32(out, static_cast<std::uint32_t>(14 + info.size() + pixels.size()));
    Put32(out, 0);
    Put32(out, at);
    out += info;
    if (at > out.size() && at < 4096) out.append(at - out.size(), '\x55');  // filler between table and pixels
    out.append(pixels.begin(), pixels.end());
    return out;
  }
};

// Entry i = (blue, green, red) derived from i, so that every entry differs.
inline std::vector<std::uint8_t> Table(int entries) {
  std::vector<std::uint8_t> t;
  for (int i = 0; i < entries; ++i) {
    t.push_back(static_cast<std::uint8_t>(i * 3 + 1));
    t.push_back(static_cast<std::uint8_t>(255 - i));
    t.push_back(static_cast<std::uint8_t>(i * 7 + 5));
    t.push_back(0);
  }
  return t;
}

inline std::vector<std::uint8_t> Pattern(std::size_t bytes, unsigned seed = 1) {
  std::vector<std::uint8_t> p(bytes);
  for (std::size_t i = 0; i < bytes; ++i) p[i] = static_cast<std::uint8_t>(i * 37 + seed * 101 + (i >> 8));
  return p;
}

inline std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteAll(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

using partwell::test::ScratchFolder;

// The stored bytes of an image's picture row r counted from the top.
inline std::vector<std::uint8_t> TopRowBytes(const DibStream& image, int r) {
  const std::uint8_t* row = dib::TopRow(image.header, image.bits, r);
  return std::vector<std::uint8_t>(row, row + image.RowBytes());
}

}  // namespace bmptest
