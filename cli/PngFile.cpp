#include "cli/PngFile.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <cstdlib>

#include "platform/HostFiles.h"

namespace cli {
namespace {

// The rows of a 24-bit DIB (blue, green, red) as top-down RGBA rows.
std::vector<png_byte> RgbaRows(const DibStream& picture, int width, int height) {
  std::vector<png_byte> rgba(static_cast<std::size_t>(width) * height * 4);
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* row = dib::TopRow(picture.header, picture.bits, y);
    png_byte* out = rgba.data() + static_cast<std::size_t>(y) * width * 4;
    for (int x = 0; x < width; ++x) {
      out[4 * x + 0] = row[3 * x + 2];
      out[4 * x + 1] = row[3 * x + 1];
      out[4 * x + 2] = row[3 * x + 0];
      out[4 * x + 3] = 0xFF;
    }
  }
  return rgba;
}

// libpng reports errors by longjmp: nothing with a destructor may live in this frame.
bool WritePng(std::FILE* file, int width, int height, png_bytepp rows, png_textp text, int textCount) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (png == nullptr) return false;
  png_infop info = png_create_info_struct(png);
  if (info == nullptr || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_init_io(png, file);
  png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
               PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_set_text(png, info, text, textCount);
  png_write_info(png, info);
  png_write_image(png, rows);
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  return true;
}

}  // namespace

bool SavePng(const DibStream& picture, const PngText& text, const std::string& hostPath) {
  if (picture.header == nullptr || picture.bits == nullptr || picture.header->biBitCount != 24) return false;
  const int width = picture.header->biWidth;
  const int height = static_cast<int>(dib::AbsHeight(picture.header->biHeight));
  std::vector<png_byte> rgba = RgbaRows(picture, width, height);
  std::vector<png_bytep> rows(static_cast<std::size_t>(height));
  for (int y = 0; y < height; ++y) rows[y] = rgba.data() + static_cast<std::size_t>(y) * width * 4;
  std::vector<png_text> chunks(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    chunks[i].compression = PNG_TEXT_COMPRESSION_NONE;
    chunks[i].key = const_cast<char*>(text[i].first.c_str());
    chunks[i].text = const_cast<char*>(text[i].second.c_str());
    chunks[i].text_length = text[i].second.size();
  }

  // A thumbnail is private to its user, as the thumbnail standard wants: the file is made 0600.
  return platform::WriteHostFilePrivately(hostPath, [&](std::FILE* file) {
    return WritePng(file, width, height, rows.data(), chunks.data(), static_cast<int>(chunks.size()));
  });
}

}  // namespace cli
