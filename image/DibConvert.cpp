// Pixel format conversion: the three flat pixel buffers (grey, BGR, BGRA) and ConvertDepth to every
// supported bit count. Every conversion builds its result in a scratch object and only takes it
// over once it is complete, so a failed allocation leaves the image as it was.
#include <algorithm>
#include <cstring>

#include "image/DibMedian.h"
#include "image/DibStream.h"
#include "platform/Memory.h"

namespace {

// The flat buffers have 1, 3 or 4 bytes a pixel and no row padding; a 1-bit picture of the largest
// pixel block would need 8 GiB at 4 bytes a pixel, so they are bounded on their own.
constexpr std::uint64_t kMaxBufferBytes = 4 * dib::kMaxPixelBytes;

struct Layout {
  std::size_t width = 0;
  std::size_t rows = 0;
  std::size_t stride = 0;
  int bitCount = 0;
  std::uint8_t* Row(std::uint8_t* bits, std::size_t r) const { return bits + stride * r; }
};

bool SupportedDepth(int bitCount) {
  return bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 16 || bitCount == 24 || bitCount == 32;
}

// The geometry of a readable image of a supported depth.
bool LayoutOf(const DibStream& image, Layout& layout) {
  if (!image.header || !image.bits) return false;
  const BITMAPINFOHEADER* h = image.header;
  if (!SupportedDepth(h->biBitCount)) return false;
  if (dib::PixelBlockSize(h->biWidth, h->biHeight, h->biBitCount) == 0) return false;
  layout.width = static_cast<std::size_t>(h->biWidth);
  layout.rows = dib::AbsHeight(h->biHeight);
  layout.stride = dib::Stride(h->biWidth, h->biBitCount);
  layout.bitCount = h->biBitCount;
  return true;
}

std::uint8_t* NewBuffer(const Layout& layout, std::size_t bytesPerPixel) {
  const std::uint64_t bytes = static_cast<std::uint64_t>(layout.width) * layout.rows * bytesPerPixel;
  if (bytes == 0 || bytes > kMaxBufferBytes) return nullptr;
  return static_cast<std::uint8_t*>(DibAllocate(DibGlobalFixed, static_cast<std::size_t>(bytes)));
}

void FreeBuffer(void* buffer) {
  if (buffer) GlobalFree(buffer);
}

// Weights out of 256 of red, green and blue.
inline std::uint8_t Grey(unsigned red, unsigned green, unsigned blue) {
  return static_cast<std::uint8_t>((73 * red + 146 * green + 37 * blue) / 256);
}

// 1 bit: leftmost pixel in the most significant bit; 4 bits: left pixel in the high nibble.
inline unsigned IndexAt(const std::uint8_t* row, std::size_t x, int bitCount) {
  switch (bitCount) {
    case 1: return row[x >> 3] >> (7 - (x & 7)) & 1u;
    case 4: return (x & 1) ? row[x >> 1] & 15u : row[x >> 1] >> 4;
    default: return row[x];
  }
}

// The colour table widened to every index the depth can hold. A corrupt picture may use indices at
// or beyond the table's count; they read entry 0 rather than whatever follows the info block.
void IndexedColours(const BITMAPINFOHEADER* header, RGBQUAD (&out)[256]) {
  const std::uint32_t slots = 1u << header->biBitCount;
  const std::uint32_t held = std::min(dib::ColorCount(header), slots);
  const RGBQUAD* table = dib::ColorTable(header);
  for (std::uint32_t i = 0; i < slots; ++i) out[i] = i < held ? table[i] : table[0];
}

// Calls put(blue, green, red, fourth) for every pixel in storage order. The fourth byte is 255
// except for a 32-bit source, where it is the stored one. The layout must be readable.
template <class Put>
void ReadPixels(const DibStream& image, const Layout& layout, Put put) {
  if (layout.bitCount <= 8) {
    RGBQUAD colours[256];
    IndexedColours(image.header, colours);
    for (std::size_t y = 0; y < layout.rows; ++y) {
      const std::uint8_t* row = layout.Row(image.bits, y);
      for (std::size_t x = 0; x < layout.width; ++x) {
        const RGBQUAD& c = colours[IndexAt(row, x, layout.bitCount)];
        put(c.rgbBlue, c.rgbGreen, c.rgbRed, std::uint8_t{255});
      }
    }
    return;
  }
  for (std::size_t y = 0; y < layout.rows; ++y) {
    const std::uint8_t* row = layout.Row(image.bits, y);
    switch (layout.bitCount) {
      case 16:
        // Little-endian words, red in bits 10-14, green 5-9, blue 0-4; bit 15 is ignored.
        for (std::size_t x = 0; x < layout.width; ++x) {
          const unsigned word = row[2 * x] | row[2 * x + 1] << 8;
          put(static_cast<std::uint8_t>((word & 31) << 3), static_cast<std::uint8_t>((word >> 5 & 31) << 3),
              static_cast<std::uint8_t>((word >> 10 & 31) << 3), std::uint8_t{255});
        }
        break;
      case 24:
        for (std::size_t x = 0; x < layout.width; ++x) put(row[3 * x], row[3 * x + 1], row[3 * x + 2], std::uint8_t{255});
        break;
      default:
        for (std::size_t x = 0; x < layout.width; ++x) put(row[4 * x], row[4 * x + 1], row[4 * x + 2], row[4 * x + 3]);
        break;
    }
  }
}

// ToRgb24 of the two common depths, without the per-pixel calls of ReadPixels: a 24-bit row is
// copied whole, and an 8-bit pixel is one lookup in a table of the three bytes and a 4-byte store,
// whose fourth byte the next pixel overwrites (the buffer's very last pixel is stored in 3 bytes).
void CopyRgb24(const DibStream& image, const Layout& layout, std::uint8_t* buffer) {
  const std::size_t rowBytes = 3 * layout.width;
  if (layout.bitCount == 24) {
    for (std::size_t y = 0; y < layout.rows; ++y) std::memcpy(buffer + rowBytes * y, layout.Row(image.bits, y), rowBytes);
    return;
  }
  RGBQUAD colours[256];
  IndexedColours(image.header, colours);
  std::uint32_t words[256];
  for (int i = 0; i < 256; ++i) {
    // Built from the bytes, so the store order does not depend on the host's.
    const std::uint8_t bytes[4] = {colours[i].rgbBlue, colours[i].rgbGreen, colours[i].rgbRed, 0};
    std::memcpy(&words[i], bytes, 4);
  }
  std::uint8_t* out = buffer;
  for (std::size_t y = 0; y < layout.rows; ++y) {
    const std::uint8_t* row = layout.Row(image.bits, y);
    const std::size_t wide = y + 1 < layout.rows ? layout.width : layout.width - 1;
    // Four pixels a step: the stores stay in order, each one's fourth byte overwritten by the next.
    std::size_t x = 0;
    for (; x + 4 <= wide; x += 4, out += 12) {
      std::memcpy(out, &words[row[x]], 4);
      std::memcpy(out + 3, &words[row[x + 1]], 4);
      std::memcpy(out + 6, &words[row[x + 2]], 4);
      std::memcpy(out + 9, &words[row[x + 3]], 4);
    }
    for (; x < wide; ++x, out += 3) std::memcpy(out, &words[row[x]], 4);
  }
  const std::uint8_t last = layout.Row(image.bits, layout.rows - 1)[layout.width - 1];
  out[0] = colours[last].rgbBlue;
  out[1] = colours[last].rgbGreen;
  out[2] = colours[last].rgbRed;
}

// Frees the buffers of one conversion whatever way it ends.
struct Scratch {
  std::uint8_t* buffer = nullptr;
  void* heap = nullptr;
  ~Scratch() {
    FreeBuffer(buffer);
    platform::HeapRelease(heap);
  }
};

bool CreateLike(const DibStream& source, DibStream& result, int bitCount) {
  return result.Create(source.header->biWidth, source.header->biHeight, bitCount);
}

// Error diffusion to black and white over three rows, with weights out of 42:
//            .   .   X   8   4
//            2   4   8   4   2
//            1   2   4   2  (rest)
// The accumulators hold 42 x the error, so the remainder of a / 42 is passed on instead of lost;
// whatever a missing neighbour would have taken goes to the rest as well.
bool ToBilevel(const DibStream& source, const Layout& layout, DibStream& result) {
  Scratch scratch;
  scratch.buffer = source.ToRgb32();
  if (!scratch.buffer) return false;
  const std::size_t width = layout.width;
  scratch.heap = platform::HeapAllocate(3 * width * sizeof(std::int32_t));
  if (!scratch.heap || !CreateLike(source, result, 1)) return false;
  const std::size_t stride = dib::Stride(result.header->biWidth, 1);
  std::memset(result.bits, 0, stride * layout.rows);

  auto* lines = static_cast<std::int32_t*>(scratch.heap);
  std::memset(lines, 0, 3 * width * sizeof(std::int32_t));
  std::int32_t* current = lines;
  std::int32_t* next = lines + width;
  std::int32_t* after = lines + 2 * width;
  const auto columns = static_cast<std::ptrdiff_t>(width);

  for (std::size_t y = 0; y < layout.rows; ++y) {
    std::uint8_t* out = result.bits + stride * y;
    const std::uint8_t* in = scratch.buffer + 4 * width * y;
    const bool haveNext = y + 1 < layout.rows;
    const bool haveAfter = y + 2 < layout.rows;
    for (std::ptrdiff_t x = 0; x < columns; ++x) {
      const std::int32_t a = current[x];
      const std::uint8_t* p = in + 4 * x;
      std::int32_t value = a / 42 + Grey(p[2], p[1], p[0]);
      if (value >= 128) {
        out[x >> 3] = static_cast<std::uint8_t>(out[x >> 3] | 0x80u >> (x & 7));
        value -= 255;
      }
      std::int32_t amount = a % 42 + 42 * value;
      auto give = [&](std::int32_t* line, bool rowExists, std::ptrdiff_t column, std::int32_t weight) {
        if (!rowExists || column < 0 || column >= columns) return;
        line[column] += weight * value;
        amount -= weight * value;
      };
      give(current, true, x + 1, 8);
      give(current, true, x + 2, 4);
      give(next, haveNext, x - 2, 2);
      give(next, haveNext, x - 1, 4);
      give(next, haveNext, x, 8);
      give(next, haveNext, x + 1, 4);
      give(next, haveNext, x + 2, 2);
      give(after, haveAfter, x - 2, 1);
      give(after, haveAfter, x - 1, 2);
      give(after, haveAfter, x, 4);
      give(after, haveAfter, x + 1, 2);
      if (haveAfter && x + 2 < columns) after[x + 2] += amount;
    }
    std::int32_t* done = current;
    current = next;
    next = after;
    after = done;
    std::memset(after, 0, width * sizeof(std::int32_t));
  }
  return true;
}

bool ToGreyLevels(const DibStream& source, const Layout& layout, DibStream& result, int bitCount) {
  Scratch scratch;
  scratch.buffer = source.ToGray8();
  if (!scratch.buffer || !CreateLike(source, result, bitCount)) return false;
  result.SetGrayPalette();
  const std::size_t stride = dib::Stride(result.header->biWidth, bitCount);
  for (std::size_t y = 0; y < layout.rows; ++y) {
    std::uint8_t* out = result.bits + stride * y;
    const std::uint8_t* grey = scratch.buffer + layout.width * y;
    std::memset(out, 0, stride);
    if (bitCount == 8) {
      std::memcpy(out, grey, layout.width);
    } else {
      // Two pixels a byte, the left one in the high nibble; an odd last pixel leaves the low one 0.
      for (std::size_t x = 0; x < layout.width; ++x) {
        const unsigned level = grey[x] >> 4;
        out[x >> 1] = static_cast<std::uint8_t>(out[x >> 1] | ((x & 1) ? level : level << 4));
      }
    }
  }
  return true;
}

// The 8 x 8 Bayer matrix scaled to 0..50 (M x 51 / 64, truncated), indexed [row][column].
constexpr std::uint8_t kDither[8][8] = {
    {0, 25, 6, 31, 1, 27, 7, 33},   {38, 12, 44, 19, 39, 14, 46, 20}, {9, 35, 3, 28, 11, 36, 4, 30},
    {47, 22, 41, 15, 49, 23, 43, 17}, {2, 27, 8, 34, 0, 26, 7, 32},   {40, 15, 47, 21, 39, 13, 45, 19},
    {11, 37, 5, 31, 10, 35, 3, 29}, {50, 24, 43, 18, 48, 23, 42, 16}};

// The 6 x 6 x 6 cube in entries 0-215 (index 36 x blue + 6 x green + red, levels of 51); the grey
// ramp of a new 8-bit table stays in 216-255.
bool ToColourCube(const DibStream& source, const Layout& layout, DibStream& result) {
  Scratch scratch;
  scratch.buffer = source.ToRgb24();
  if (!scratch.buffer || !CreateLike(source, result, 8)) return false;
  RGBQUAD* table = dib::ColorTable(result.header);
  for (int b = 0; b < 6; ++b) {
    for (int g = 0; g < 6; ++g) {
      for (int r = 0; r < 6; ++r) {
        table[36 * b + 6 * g + r] = RGBQUAD{static_cast<BYTE>(51 * b), static_cast<BYTE>(51 * g), static_cast<BYTE>(51 * r), 0};
      }
    }
  }
  const std::size_t stride = dib::Stride(result.header->biWidth, 8);
  for (std::size_t y = 0; y < layout.rows; ++y) {
    std::uint8_t* out = result.bits + stride * y;
    const std::uint8_t* in = scratch.buffer + 3 * layout.width * y;
    std::memset(out, 0, stride);
    for (std::size_t x = 0; x < layout.width; ++x) {
      const unsigned threshold = kDither[y & 7][x & 7];
      auto level = [threshold](unsigned v) { return v / 51 + (threshold < v % 51 ? 1u : 0u); };
      out[x] = static_cast<std::uint8_t>(36 * level(in[3 * x]) + 6 * level(in[3 * x + 1]) + level(in[3 * x + 2]));
    }
  }
  return true;
}

// 5 bits a channel. With carries, each channel's truncation remainder (0-7) goes to the same
// channel of the next pixel in storage order, across row ends.
bool ToHighColour(const DibStream& source, const Layout& layout, DibStream& result, bool carry) {
  Scratch scratch;
  scratch.buffer = source.ToRgb32();
  if (!scratch.buffer || !CreateLike(source, result, 16)) return false;
  const std::size_t stride = dib::Stride(result.header->biWidth, 16);
  unsigned carries[3] = {0, 0, 0};  // blue, green, red
  for (std::size_t y = 0; y < layout.rows; ++y) {
    std::uint8_t* out = result.bits + stride * y;
    const std::uint8_t* in = scratch.buffer + 4 * layout.width * y;
    std::memset(out, 0, stride);
    for (std::size_t x = 0; x < layout.width; ++x) {
      unsigned five[3];
      for (int c = 0; c < 3; ++c) {
        unsigned v = in[4 * x + c];
        if (carry) {
          v = std::min(v + carries[c], 255u);
          carries[c] = v % 8;
        }
        five[c] = v / 8;
      }
      const unsigned word = five[2] << 10 | five[1] << 5 | five[0];
      out[2 * x] = static_cast<std::uint8_t>(word & 0xFF);
      out[2 * x + 1] = static_cast<std::uint8_t>(word >> 8);
    }
  }
  return true;
}

bool ToTrueColour(const DibStream& source, const Layout& layout, DibStream& result) {
  Scratch scratch;
  scratch.buffer = source.ToRgb24();
  if (!scratch.buffer || !CreateLike(source, result, 24)) return false;
  const std::size_t stride = dib::Stride(result.header->biWidth, 24);
  for (std::size_t y = 0; y < layout.rows; ++y) {
    std::uint8_t* out = result.bits + stride * y;
    std::memset(out, 0, stride);
    std::memcpy(out, scratch.buffer + 3 * layout.width * y, 3 * layout.width);
  }
  return true;
}

// A 32-bit row is exactly width x 4 bytes, so the BGRA buffer itself becomes the pixel block.
bool ToTrueColourWithFourth(const DibStream& source, DibStream& result) {
  std::uint8_t* buffer = source.ToRgb32();
  if (!buffer) return false;
  BITMAPINFOHEADER* header = DibStream::NewHeader(source.header->biWidth, source.header->biHeight, 32);
  if (!header) {
    FreeBuffer(buffer);
    return false;
  }
  return result.Adopt(header, DibGlobalFixed, buffer, DibGlobalFixed);
}

bool ToMedianCut(const DibStream& source, DibStream& result, int bitCount) {
  Scratch scratch;
  scratch.buffer = source.ToRgb24();
  if (!scratch.buffer) return false;
  return dibmedian::BuildImage(scratch.buffer, source.header->biWidth, source.header->biHeight, bitCount, result);
}

}  // namespace

std::uint8_t* DibStream::ToGray8() const {
  Layout layout;
  if (!LayoutOf(*this, layout)) return nullptr;
  std::uint8_t* buffer = NewBuffer(layout, 1);
  if (!buffer) return nullptr;
  std::uint8_t* out = buffer;
  if (layout.bitCount <= 8) {
    // Grey of each table entry; indices beyond the table's count are black.
    const std::uint32_t slots = 1u << layout.bitCount;
    const std::uint32_t held = std::min(dib::ColorCount(header), slots);
    const RGBQUAD* table = dib::ColorTable(header);
    std::uint8_t greys[256] = {};
    for (std::uint32_t i = 0; i < held; ++i) greys[i] = Grey(table[i].rgbRed, table[i].rgbGreen, table[i].rgbBlue);
    for (std::size_t y = 0; y < layout.rows; ++y) {
      const std::uint8_t* row = layout.Row(bits, y);
      for (std::size_t x = 0; x < layout.width; ++x) *out++ = greys[IndexAt(row, x, layout.bitCount)];
    }
  } else {
    ReadPixels(*this, layout, [&out](std::uint8_t b, std::uint8_t g, std::uint8_t r, std::uint8_t) { *out++ = Grey(r, g, b); });
  }
  return buffer;
}

std::uint8_t* DibStream::ToRgb24() const {
  Layout layout;
  if (!LayoutOf(*this, layout)) return nullptr;
  std::uint8_t* buffer = NewBuffer(layout, 3);
  if (!buffer) return nullptr;
  if (layout.bitCount == 8 || layout.bitCount == 24) {
    CopyRgb24(*this, layout, buffer);
    return buffer;
  }
  std::uint8_t* out = buffer;
  ReadPixels(*this, layout, [&out](std::uint8_t b, std::uint8_t g, std::uint8_t r, std::uint8_t) {
    out[0] = b;
    out[1] = g;
    out[2] = r;
    out += 3;
  });
  return buffer;
}

std::uint8_t* DibStream::ToRgb32() const {
  Layout layout;
  if (!LayoutOf(*this, layout)) return nullptr;
  std::uint8_t* buffer = NewBuffer(layout, 4);
  if (!buffer) return nullptr;
  if (layout.bitCount == 32) {
    std::memcpy(buffer, bits, layout.stride * layout.rows);
    return buffer;
  }
  std::uint8_t* out = buffer;
  ReadPixels(*this, layout, [&out](std::uint8_t b, std::uint8_t g, std::uint8_t r, std::uint8_t fourth) {
    out[0] = b;
    out[1] = g;
    out[2] = r;
    out[3] = fourth;
    out += 4;
  });
  return buffer;
}

bool DibStream::ConvertDepth(int bitCount, DepthMode mode) {
  Layout layout;
  if (!LayoutOf(*this, layout)) return false;
  DibStream result;
  bool made = false;
  switch (bitCount) {
    case 1: made = ToBilevel(*this, layout, result); break;
    case 4: made = mode == DepthMedianCut ? ToMedianCut(*this, result, 4) : ToGreyLevels(*this, layout, result, 4); break;
    case 8:
      made = mode == DepthDither      ? ToColourCube(*this, layout, result)
             : mode == DepthMedianCut ? ToMedianCut(*this, result, 8)
                                      : ToGreyLevels(*this, layout, result, 8);
      break;
    case 16: made = ToHighColour(*this, layout, result, mode == DepthDither); break;
    case 24: made = ToTrueColour(*this, layout, result); break;
    case 32: made = ToTrueColourWithFourth(*this, result); break;
    default: return false;
  }
  if (!made) return false;
  FreeHeader();
  FreeBits();
  header = result.header;
  headerMemory = result.headerMemory;
  bits = result.bits;
  bitsMemory = result.bitsMemory;
  result.header = nullptr;
  result.bits = nullptr;
  result.headerMemory = DibBorrowed;
  result.bitsMemory = DibBorrowed;
  return true;
}
