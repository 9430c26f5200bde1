// Rectangle fills on a real device context. StretchDIBits itself is gdi32's.
#ifdef _WIN32

#include "platform/Gdi.h"

namespace platform {
namespace {

// Our colours are 0x00RRGGBB; GDI's COLORREF is 0x00BBGGRR.
COLORREF ToColorRef(std::uint32_t rgb) { return (rgb >> 16 & 0xFF) | (rgb & 0xFF00) | (rgb & 0xFF) << 16; }

}  // namespace

void FillSolidRect(HDC dc, int x0, int y0, int x1, int y1, std::uint32_t rgb) {
  if (!dc || x1 <= x0 || y1 <= y0) return;
  HBRUSH brush = CreateSolidBrush(ToColorRef(rgb));
  if (!brush) return;
  const RECT rect{x0, y0, x1, y1};
  ::FillRect(dc, &rect, brush);
  DeleteObject(brush);
}

void FillSurface(HDC dc, std::uint32_t rgb) {
  RECT box;
  if (dc && GetClipBox(dc, &box) != ERROR) FillSolidRect(dc, box.left, box.top, box.right, box.bottom, rgb);
}

}  // namespace platform

#endif
