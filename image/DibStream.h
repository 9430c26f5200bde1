// DibStream: the one in-memory image type. It holds a packed DIB as two blocks: the info block (the
// 40-byte BITMAPINFOHEADER immediately followed by its colour table) and the pixel rows, so the same
// two pointers go unchanged to StretchDIBits. Each block remembers the allocator it came from
// (DibMemory) and is released by that allocator; a borrowed block (DibBorrowed) is never released.
//
// All multi-byte fields are little-endian. Rows are padded to 4 bytes; a positive biHeight stores the
// bottom row first, a negative one the top row first, and the sign is kept by every operation except
// SaveBmp, which always writes bottom-up files.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/Gdi.h"

enum DibMemory : int {
  DibBorrowed = 0,
  DibHeap = 1,
  DibLocalMoveable = 2,
  DibGlobalMoveable = 3,
  DibLocalFixed = 4,
  DibGlobalFixed = 5,
};

// A block of the given kind, or null (also for DibBorrowed and unknown kinds).
void* DibAllocate(DibMemory kind, std::size_t bytes);

// LoadBmp's accept mask: one bit a depth of file; DibAcceptAll takes every depth.
enum DibAccept : int {
  DibAccept1 = 1,
  DibAccept4 = 2,
  DibAccept8 = 4,
  DibAccept16 = 8,
  DibAccept24 = 16,
  DibAccept32 = 32,
  DibAcceptAll = 63,
};

// How ConvertDepth reduces colours. DepthPlain: grey levels at 1, 4 and 8 bits, truncation at 16.
// DepthDither: the dithered 6 x 6 x 6 colour cube at 8 bits, rounding remainders carried at 16 (else
// as plain). DepthMedianCut: the median cut to 16 or 256 colours at 4 and 8 bits (else as plain).
enum DepthMode : int { DepthPlain = 0, DepthDither = 1, DepthMedianCut = 2 };

class DibStream {
 public:
  DibStream();
  virtual ~DibStream();
  DibStream(const DibStream&) = delete;
  DibStream& operator=(const DibStream&) = delete;

  // The two blocks and their kinds; null/DibBorrowed when the object is empty.
  BITMAPINFOHEADER* header = nullptr;
  std::uint8_t* bits = nullptr;
  DibMemory headerMemory = DibBorrowed;
  DibMemory bitsMemory = DibBorrowed;

  void FreeHeader();
  void FreeBits();

  static bool FillHeader(BITMAPINFOHEADER* out, int width, int height, int bitCount);
  static BITMAPINFOHEADER* NewHeader(int width, int height, int bitCount);  // kind DibGlobalFixed
  static std::uint8_t* NewBits(const BITMAPINFOHEADER* header);             // kind DibGlobalFixed

  bool Create(int width, int height, int bitCount);
  bool Adopt(BITMAPINFOHEADER* newHeader, DibMemory newHeaderMemory, std::uint8_t* newBits,
             DibMemory newBitsMemory);

  int RowBytes() const;  // stride of the current image; requires an image
  void SetGrayPalette();

  // acceptMask: DibAccept bits or-ed (bit 0 for 1-bit files, 1 for 4, 2 for 8, 3 for 16, 4 for 24,
  // 5 for 32).
  bool LoadBmp(std::string_view path, int acceptMask);
  bool SaveBmp(std::string_view path) const;
  // The same two on bytes in memory: a whole BMP file in, a whole BMP file out (false and out left
  // empty for an empty object).
  bool LoadBmpFromMemory(const void* data, std::size_t size, int acceptMask);
  bool SaveBmpToMemory(std::string& out) const;

  // Pixel format conversion and geometry. ConvertDepth converts the image to bitCount bits (1, 4, 8,
  // 16, 24 or 32) as mode says; false, and the image unchanged, for another bitCount, an empty image
  // or a failed allocation.
  bool ConvertDepth(int bitCount, DepthMode mode);
  std::uint8_t* ToGray8() const;   // width*height bytes, storage order, DibGlobalFixed; or null
  std::uint8_t* ToRgb24() const;   // width*height*3 bytes (blue, green, red)
  std::uint8_t* ToRgb32() const;   // width*height*4 bytes (blue, green, red, fourth)
  bool Scale(int newWidth, int newHeight);
  bool ResizeCanvas(int newWidth, int newHeight, std::uint32_t fill);

  // Drawing to a device context through StretchDIBits.
  int DrawStretched(HDC dc, int x, int y, int width, int height) const;
  void Draw(HDC dc, int x, int y) const;
};

// Helpers of the layout rules, shared by every unit of the library.
namespace dib {
// ((width * bitCount + 31) / 32) * 4, in unsigned arithmetic.
std::uint32_t Stride(std::int32_t width, int bitCount);
// biClrUsed when non-zero; else 2^bitCount for bitCount <= 8; else 0.
std::uint32_t ColorCount(const BITMAPINFOHEADER* header);
// The colour table, directly after biSize bytes of the header.
RGBQUAD* ColorTable(BITMAPINFOHEADER* header);
const RGBQUAD* ColorTable(const BITMAPINFOHEADER* header);
// Row r counted from the top of the picture, whatever the sign of the height.
std::uint8_t* TopRow(const BITMAPINFOHEADER* header, std::uint8_t* bits, int r);
// abs(height) without the overflow of INT_MIN (which gives 2^31).
std::uint32_t AbsHeight(std::int32_t height);
// The largest pixel block the library makes or reads: 256 MiB.
constexpr std::uint64_t kMaxPixelBytes = 256ull << 20;
// stride x abs(height) computed in 64 bits; 0 for a width <= 0, a height of 0 or INT_MIN, a bit
// count <= 0, or a block larger than kMaxPixelBytes.
std::uint64_t PixelBlockSize(std::int32_t width, std::int32_t height, int bitCount);
}  // namespace dib
