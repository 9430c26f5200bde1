// The picture a TPaintPanel paints its client area into, and a device context over the same pixels,
// so that what OnPaint draws on the canvas and what it draws through the handle land together. On
// Windows the device context is a memory DC with a top-down 32-bit DIB section selected, and the
// picture wraps the section's bits; elsewhere it is the stand-in device context over the picture.
#pragma once

#include <cstdint>

#include <QImage>
#include <QSize>

#include "platform/Gdi.h"

class TPanelSurface {
 public:
  TPanelSurface() = default;
  ~TPanelSurface();
  TPanelSurface(const TPanelSurface&) = delete;
  TPanelSurface& operator=(const TPanelSurface&) = delete;

  // Makes the picture size pixels large (its contents undefined) unless it already is.
  void Resize(QSize size);
  QImage& Image() { return image_; }
  // Valid until the next Resize; null when the system gave no device context.
  HDC Dc() { return dc_; }
  // After drawing through Dc(): what the system still holds back is drawn, and the picture is opaque.
  void Finish();

 private:
  void Release();

  QImage image_;
  HDC dc_ = nullptr;
#ifdef _WIN32
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ previous_ = nullptr;
  std::uint32_t* bits_ = nullptr;  // the section's pixels, the picture's too
#else
  DeviceContext context_;
#endif
};
