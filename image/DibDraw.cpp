// Drawing a DibStream on a device context, straight from its two blocks.
#include "image/DibStream.h"

int DibStream::DrawStretched(HDC dc, int x, int y, int width, int height) const {
  if (!bits || !header) return 0;
  const int sourceHeight = static_cast<int>(dib::AbsHeight(header->biHeight));
  return StretchDIBits(dc, x, y, width, height, 0, 0, header->biWidth, sourceHeight, bits,
                       reinterpret_cast<const BITMAPINFO*>(header), DIB_RGB_COLORS, SRCCOPY);
}

void DibStream::Draw(HDC dc, int x, int y) const {
  if (!bits || !header) return;
  DrawStretched(dc, x, y, header->biWidth, static_cast<int>(dib::AbsHeight(header->biHeight)));
}
