// Geometry: resampling (Scale) and cropping or padding around the centre (ResizeCanvas). Both keep
// the info block, and with it the colour table, writing the new header over its first 40 bytes, and
// replace the pixel block. Nothing is changed until the new pixel block is complete.
#include <cstring>

#include "image/DibStream.h"
#include "platform/Memory.h"

namespace {

// One entry of a resampling table: the source column (or stored row) and the weights out of 256 of
// it and of the one after it.
struct Tap {
  std::int32_t index;
  std::int32_t w0;
  std::int32_t w1;
};

// n entries stepping evenly from source position 0 to `from` - 1, with smoothstep weights
// 3f^2 - 2f^3 scaled by 256. The last entry takes the last source sample fully. from and n are at
// least 2.
void FillTaps(Tap* taps, std::int32_t from, std::int32_t n) {
  const double step = static_cast<double>(from - 1) / static_cast<double>(n - 1);
  double p = 0;
  for (std::int32_t i = 0; i < n; ++i) {
    auto index = static_cast<std::int32_t>(p);
    const double f = p - index;
    auto w1 = static_cast<std::int32_t>((-2 * f + 3) * f * f * 256);
    if (index > from - 2) {
      // Only reachable through rounding of a very long accumulation; reading index + 1 would then
      // pass the last sample, which is what the entry stands for anyway.
      index = from - 2;
      w1 = 256;
    }
    taps[i] = Tap{index, 256 - w1, w1};
    p += step;
  }
  taps[n - 1] = Tap{from - 2, 0, 256};
}

// The new header for a geometry change: the source's row order, and for an indexed picture the
// source's colour count, since the info block (and so the table) stays as it is and may be shorter
// than a full table.
bool GeometryHeader(const BITMAPINFOHEADER* source, int width, int height, BITMAPINFOHEADER& out) {
  if (!DibStream::FillHeader(&out, width, source->biHeight < 1 ? -height : height, source->biBitCount)) return false;
  if (out.biBitCount <= 8) out.biClrUsed = source->biClrUsed;
  return true;
}

void TakeBlock(DibStream& image, const BITMAPINFOHEADER& header, std::uint8_t* bits) {
  std::memcpy(image.header, &header, sizeof header);
  image.FreeBits();
  image.bits = bits;
  image.bitsMemory = DibGlobalFixed;
}

// One output row of a 24- or 32-bit picture: every byte of the pixel, the fourth of 32 bits
// included, blended on its own from the two stored rows; the largest sum is 255 x 256 x 256.
template <std::size_t Bytes>
void BlendRow(std::uint8_t* out, const std::uint8_t* row0, const std::uint8_t* row1, const Tap* columns, std::int32_t newWidth,
              const Tap& ty) {
  const auto wy0 = static_cast<std::uint32_t>(ty.w0), wy1 = static_cast<std::uint32_t>(ty.w1);
  for (std::int32_t i = 0; i < newWidth; ++i) {
    const Tap& tx = columns[i];
    const auto wx0 = static_cast<std::uint32_t>(tx.w0), wx1 = static_cast<std::uint32_t>(tx.w1);
    const std::size_t at = Bytes * static_cast<std::size_t>(tx.index);
    for (std::size_t k = 0; k < Bytes; ++k) {
      const std::uint32_t top = wx0 * row0[at + k] + wx1 * row0[at + Bytes + k];
      const std::uint32_t bottom = wx0 * row1[at + k] + wx1 * row1[at + Bytes + k];
      out[Bytes * static_cast<std::size_t>(i) + k] = static_cast<std::uint8_t>((top * wy0 + bottom * wy1) / 65536);
    }
  }
}

bool Geometric(int bitCount) { return bitCount == 8 || bitCount == 16 || bitCount == 24 || bitCount == 32; }

}  // namespace

bool DibStream::Scale(int newWidth, int newHeight) {
  if (!header || !bits) return false;
  BITMAPINFOHEADER made;
  if (!GeometryHeader(header, newWidth, newHeight, made)) return false;
  if (!Geometric(header->biBitCount)) return false;
  const std::int32_t width = header->biWidth;
  const std::uint32_t rows = dib::AbsHeight(header->biHeight);
  // Two samples are needed on each side, both ways: the last entries blend column W - 2 with W - 1.
  if (width < 2 || rows < 2 || rows > 0x7FFFFFFFu || newWidth < 2 || newHeight < 2) return false;
  if (dib::PixelBlockSize(header->biWidth, header->biHeight, header->biBitCount) == 0) return false;
  if (dib::PixelBlockSize(made.biWidth, made.biHeight, made.biBitCount) == 0) return false;

  const std::size_t tapCount = static_cast<std::size_t>(newWidth) + static_cast<std::size_t>(newHeight);
  auto* taps = static_cast<Tap*>(platform::HeapAllocate(tapCount * sizeof(Tap)));
  if (!taps) return false;
  Tap* columns = taps;
  Tap* rowTaps = taps + newWidth;
  FillTaps(columns, width, newWidth);
  FillTaps(rowTaps, static_cast<std::int32_t>(rows), newHeight);

  std::uint8_t* scaled = NewBits(&made);
  if (!scaled) {
    platform::HeapRelease(taps);
    return false;
  }
  const std::size_t bytesPerPixel = header->biBitCount / 8u;
  const std::size_t stride = dib::Stride(width, header->biBitCount);
  const std::size_t newStride = dib::Stride(newWidth, header->biBitCount);
  for (std::int32_t j = 0; j < newHeight; ++j) {
    const Tap& ty = rowTaps[j];
    std::uint8_t* out = scaled + newStride * static_cast<std::size_t>(j);
    std::memset(out, 0, newStride);
    const std::uint8_t* row0 = bits + stride * static_cast<std::size_t>(ty.index);
    const std::uint8_t* row1 = row0 + stride;
    if (bytesPerPixel >= 3) {
      if (bytesPerPixel == 3) {
        BlendRow<3>(out, row0, row1, columns, newWidth, ty);
      } else {
        BlendRow<4>(out, row0, row1, columns, newWidth, ty);
      }
    } else {
      // Indices and packed words cannot be blended: the nearer sample is copied whole.
      const std::uint8_t* from = ty.w0 >= 128 ? row0 : row1;
      for (std::int32_t i = 0; i < newWidth; ++i) {
        const Tap& tx = columns[i];
        const std::size_t column = static_cast<std::size_t>(tx.index) + (tx.w0 >= 128 ? 0 : 1);
        std::memcpy(out + bytesPerPixel * static_cast<std::size_t>(i), from + bytesPerPixel * column, bytesPerPixel);
      }
    }
  }
  platform::HeapRelease(taps);
  TakeBlock(*this, made, scaled);
  return true;
}

bool DibStream::ResizeCanvas(int newWidth, int newHeight, std::uint32_t fill) {
  if (!header || !bits || newWidth < 1 || newHeight < 1) return false;
  BITMAPINFOHEADER made;
  if (!GeometryHeader(header, newWidth, newHeight, made)) return false;
  if (!Geometric(header->biBitCount)) return false;
  if (dib::PixelBlockSize(header->biWidth, header->biHeight, header->biBitCount) == 0) return false;
  std::uint8_t* canvas = NewBits(&made);
  if (!canvas) return false;

  const std::size_t bytesPerPixel = header->biBitCount / 8u;
  const auto width = static_cast<std::size_t>(header->biWidth);
  const std::size_t rows = dib::AbsHeight(header->biHeight);
  const auto newW = static_cast<std::size_t>(newWidth);
  const std::size_t newRows = dib::AbsHeight(made.biHeight);
  const std::size_t stride = dib::Stride(header->biWidth, header->biBitCount);
  const std::size_t newStride = dib::Stride(newWidth, header->biBitCount);

  // fill is 0x00RRGGBB: its bytes in memory order are blue, green, red, and the fourth for 32 bits.
  // An 8-bit fill is its low byte, a 16-bit fill its low word. Where the copy below covers every
  // pixel (a crop, or the same size), only the row padding is filled: with the fill's byte at 8
  // bits, with zeros otherwise, as the whole fill would have left it.
  const std::size_t pixelBytes = bytesPerPixel * newW;
  if (newW <= width && newRows <= rows) {
    for (std::size_t y = 0; y < newRows; ++y) {
      std::memset(canvas + newStride * y + pixelBytes, bytesPerPixel == 1 ? static_cast<int>(fill & 0xFF) : 0, newStride - pixelBytes);
    }
  } else if (bytesPerPixel == 1) {
    std::memset(canvas, static_cast<int>(fill & 0xFF), newStride * newRows);
  } else {
    const std::uint8_t bytes[4] = {static_cast<std::uint8_t>(fill & 0xFF), static_cast<std::uint8_t>(fill >> 8 & 0xFF),
                                   static_cast<std::uint8_t>(fill >> 16 & 0xFF), static_cast<std::uint8_t>(fill >> 24 & 0xFF)};
    for (std::size_t y = 0; y < newRows; ++y) {
      std::uint8_t* out = canvas + newStride * y;
      std::memset(out, 0, newStride);
      for (std::size_t x = 0; x < newW; ++x) std::memcpy(out + bytesPerPixel * x, bytes, bytesPerPixel);
    }
  }

  // Centred both ways: the larger side starts half the difference (rounded toward zero) in.
  const std::size_t fromX = newW < width ? (width - newW) / 2 : 0;
  const std::size_t toX = newW < width ? 0 : (newW - width) / 2;
  const std::size_t fromY = newRows < rows ? (rows - newRows) / 2 : 0;
  const std::size_t toY = newRows < rows ? 0 : (newRows - rows) / 2;
  const std::size_t copyRows = newRows < rows ? newRows : rows;
  const std::size_t copyBytes = bytesPerPixel * (newW < width ? newW : width);
  for (std::size_t r = 0; r < copyRows; ++r) {
    std::memcpy(canvas + newStride * (toY + r) + bytesPerPixel * toX, bits + stride * (fromY + r) + bytesPerPixel * fromX, copyBytes);
  }
  TakeBlock(*this, made, canvas);
  return true;
}
