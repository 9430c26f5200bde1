// Small pictures of every depth (with full, short or no colour tables, either row order, and the
// odd unsupported depth) through a chain of ConvertDepth, Scale and ResizeCanvas. Besides staying
// inside their blocks, the operations must keep what they promise: the requested depth and size,
// the row order, exact colours where a conversion is lossless, and the image untouched on refusal.
//
// Input: depth, width, height (bit 7: top-down), table size, operation count, then 4 bytes an
// operation (kind, three parameters); whatever follows fills the colour table and the pixels.
// Pictures are at most 24 x 24 and resized to at most 31 x 31: still more pixels than the 256
// colours a median cut keeps, so every path is reached, at a fraction of the cost per run.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>

#include "image/DibStream.h"
#include "platform/Memory.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

std::size_t BlockBytes(const BITMAPINFOHEADER* h) {
  return static_cast<std::size_t>(dib::PixelBlockSize(h->biWidth, h->biHeight, h->biBitCount));
}

std::string Snapshot(const DibStream& image) {
  std::string s(reinterpret_cast<const char*>(image.header), 40);
  s.append(reinterpret_cast<const char*>(image.bits), BlockBytes(image.header));
  return s;
}

struct Reader {
  const std::uint8_t* data;
  std::size_t size, at = 0;
  std::uint8_t Next() { return at < size ? data[at++] : static_cast<std::uint8_t>(at++ * 131); }
};

// The picture as 24-bit colours, or empty when it cannot be read.
std::string Colours(const DibStream& image) {
  std::uint8_t* rgb = image.ToRgb24();
  if (!rgb) return {};
  std::string s(reinterpret_cast<const char*>(rgb), 3 * static_cast<std::size_t>(image.header->biWidth) * dib::AbsHeight(image.header->biHeight));
  GlobalFree(rgb);
  return s;
}

std::size_t DistinctColours(const std::string& bgr) {
  std::set<std::uint32_t> seen;
  for (std::size_t i = 0; i + 2 < bgr.size(); i += 3) {
    seen.insert(static_cast<std::uint8_t>(bgr[i]) | static_cast<std::uint8_t>(bgr[i + 1]) << 8 | static_cast<std::uint32_t>(static_cast<std::uint8_t>(bgr[i + 2])) << 16);
  }
  return seen.size();
}

// An image whose info block holds exactly `entries` colours (for indexed depths), built by hand so
// that unsupported depths and short tables can be had as well.
bool MakeImage(DibStream& image, Reader& in, int bitCount, int width, int height, std::uint32_t entries) {
  auto* header = static_cast<BITMAPINFOHEADER*>(DibAllocate(DibGlobalFixed, 40 + 4 * entries));
  if (!header) return false;
  DibStream::FillHeader(header, width, height, 24);
  header->biBitCount = static_cast<WORD>(bitCount);
  header->biSizeImage = dib::Stride(width, bitCount) * dib::AbsHeight(height);
  header->biClrUsed = entries;
  auto* table = reinterpret_cast<std::uint8_t*>(dib::ColorTable(header));
  for (std::size_t i = 0; i < 4 * entries; ++i) table[i] = in.Next();
  std::uint8_t* bits = DibStream::NewBits(header);
  if (!bits) {
    GlobalFree(header);
    return false;
  }
  for (std::size_t i = 0; i < BlockBytes(header); ++i) bits[i] = in.Next();
  return image.Adopt(header, DibGlobalFixed, bits, DibGlobalFixed);
}

bool Supported(int bitCount) {
  return bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 16 || bitCount == 24 || bitCount == 32;
}

void Convert(DibStream& image, int target, int mode) {
  const int depth = image.header->biBitCount;
  const std::int32_t width = image.header->biWidth, height = image.header->biHeight;
  const std::string before = Snapshot(image);
  const std::string colours = Colours(image);
  const bool made = image.ConvertDepth(target, static_cast<DepthMode>(mode));
  if (!Supported(target) || !Supported(depth)) {
    Check(!made && Snapshot(image) == before);
    return;
  }
  Check(made && image.header->biBitCount == target);
  Check(image.header->biWidth == width && image.header->biHeight == height);
  Check(image.header->biSizeImage == BlockBytes(image.header));
  const std::string after = Colours(image);
  const bool exact = target >= 24 || (target == 16 && depth == 16 && mode != 1) ||
                     (mode == 2 && DistinctColours(colours) <= (target == 8 ? 256u : target == 4 ? 16u : 0u));
  if (exact) Check(after == colours);
}

void Resize(DibStream& image, bool canvas, int w, int h, std::uint32_t fill) {
  const int depth = image.header->biBitCount;
  const std::int32_t width = image.header->biWidth, height = image.header->biHeight;
  const std::uint32_t clrUsed = image.header->biClrUsed;
  const std::string before = Snapshot(image);
  const bool done = canvas ? image.ResizeCanvas(w, h, fill) : image.Scale(w, h);
  const bool geometric = depth == 8 || depth == 16 || depth == 24 || depth == 32;
  const bool possible = geometric && (canvas ? w >= 1 && h >= 1 : w >= 2 && h >= 2 && width >= 2 && dib::AbsHeight(height) >= 2);
  Check(done == possible);
  if (!done) {
    Check(Snapshot(image) == before);
    return;
  }
  Check(image.header->biWidth == w && image.header->biHeight == (height < 1 ? -h : h));
  Check(image.header->biBitCount == depth);
  if (depth == 8) Check(image.header->biClrUsed == clrUsed);
  if (!canvas && w == width && h == static_cast<int>(dib::AbsHeight(height))) {
    // Same size: every pixel comes back (padding aside).
    for (std::uint32_t r = 0; r < dib::AbsHeight(height); ++r) {
      const std::size_t stride = dib::Stride(width, depth);
      Check(std::memcmp(image.bits + stride * r, before.data() + 40 + stride * r, static_cast<std::size_t>(width) * depth / 8) == 0);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Reader in{data, size};
  static const int kDepths[8] = {1, 4, 8, 16, 24, 32, 2, 0};
  const int bitCount = kDepths[in.Next() % 8];
  const int width = in.Next() % 24 + 1;
  const std::uint8_t h = in.Next();
  const int height = (h & 0x7F) % 24 + 1;
  const std::uint8_t tableByte = in.Next();
  std::uint32_t entries = 0;
  if (bitCount >= 1 && bitCount <= 8) {
    const std::uint32_t full = 1u << bitCount;
    entries = tableByte == 0 ? full : tableByte % full + 1;
  }
  const int operations = in.Next() % 6 + 1;
  std::uint8_t ops[6][4];
  for (auto& op : ops) {
    for (std::uint8_t& b : op) b = in.Next();
  }
  DibStream image;
  if (!MakeImage(image, in, bitCount, width, (h & 0x80) ? -height : height, entries)) return 0;

  static const int kTargets[8] = {1, 4, 8, 16, 24, 32, 2, 0};
  for (int i = 0; i < operations; ++i) {
    const std::uint8_t* op = ops[i];
    switch (op[0] % 3) {
      case 0: Convert(image, kTargets[op[1] % 8], op[2] % 4); break;
      case 1: Resize(image, false, op[1] % 32, op[2] % 32, 0); break;
      default: Resize(image, true, op[1] % 32, op[2] % 32, op[3] * 0x01010101u); break;
    }
    std::string saved;
    Check(image.SaveBmpToMemory(saved));
  }

  // Padding a picture and cropping it back around the same centre gives it back.
  if (image.header->biBitCount >= 8 && Supported(image.header->biBitCount)) {
    const std::int32_t w = image.header->biWidth;
    const int rows = static_cast<int>(dib::AbsHeight(image.header->biHeight));
    const std::string before = Colours(image);
    Check(image.ResizeCanvas(w + 2 * (ops[0][1] % 5), rows + 2 * (ops[0][2] % 5), 7));
    Check(image.ResizeCanvas(w, rows, 9));
    Check(Colours(image) == before);
  }
  return 0;
}
