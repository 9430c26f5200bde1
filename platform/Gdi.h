// The few GDI types and the one drawing call the program uses. On Windows they are the system's; on
// other hosts a device context is a plain 32-bit image (0xAARRGGBB words, top row first) that the
// window layer then paints from, and StretchDIBits draws DIB rows into it.
#pragma once

#ifdef _WIN32
#include "platform/WinApi.h"
#else
#include <cstdint>

using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using LONG = std::int32_t;
using UINT = unsigned int;

struct BITMAPINFOHEADER {
  DWORD biSize;
  LONG biWidth;
  LONG biHeight;
  WORD biPlanes;
  WORD biBitCount;
  DWORD biCompression;
  DWORD biSizeImage;
  LONG biXPelsPerMeter;
  LONG biYPelsPerMeter;
  DWORD biClrUsed;
  DWORD biClrImportant;
};
static_assert(sizeof(BITMAPINFOHEADER) == 40);

struct RGBQUAD {
  BYTE rgbBlue;
  BYTE rgbGreen;
  BYTE rgbRed;
  BYTE rgbReserved;
};
static_assert(sizeof(RGBQUAD) == 4);

struct BITMAPINFO {
  BITMAPINFOHEADER bmiHeader;
  RGBQUAD bmiColors[1];
};

// A drawing surface: width x height pixels of 0xAARRGGBB (the alpha byte is written as 0xFF), row y
// at pixels + y * pixelsPerRow.
struct DeviceContext {
  std::uint32_t* pixels = nullptr;
  int width = 0;
  int height = 0;
  int pixelsPerRow = 0;
};
using HDC = DeviceContext*;

constexpr UINT DIB_RGB_COLORS = 0;
constexpr DWORD SRCCOPY = 0x00CC0020;
constexpr DWORD BI_RGB = 0;
constexpr DWORD BI_RLE8 = 1;

// Draws the source rectangle of the DIB (xSrc, ySrc counted from the bottom-left for bottom-up
// DIBs, as Windows does, and from the top-left for top-down ones) stretched to the destination
// rectangle by nearest-neighbour sampling, clipped to the surface; negative extents mirror. Honours
// the colour table (1, 4, 8 bits; an index at or beyond the table's count reads entry 0), 5-5-5
// pixels at 16 bits, and the sign of biHeight. Uncompressed DIBs, DIB_RGB_COLORS and SRCCOPY only.
// Returns the number of source scan lines taken (whatever the clipping of the destination), 0 on
// failure.
int StretchDIBits(HDC dc, int xDest, int yDest, int destWidth, int destHeight, int xSrc, int ySrc,
                  int srcWidth, int srcHeight, const void* bits, const BITMAPINFO* info, UINT usage,
                  DWORD rop);
#endif

#include <cstdint>

namespace platform {

// Fills the rectangle x0 <= x < x1, y0 <= y < y1, clipped to the surface, with colour 0x00RRGGBB.
void FillSolidRect(HDC dc, int x0, int y0, int x1, int y1, std::uint32_t rgb);

// Fills the whole surface (on Windows, everything inside the clipping region) with 0x00RRGGBB.
void FillSurface(HDC dc, std::uint32_t rgb);

}  // namespace platform
