// The picture a TPaintPanel paints its client area into, over the pixels of a memory device context,
// so that what OnPaint draws on the canvas and what it draws through the handle land together.
#pragma once

#include <QImage>
#include <QSize>

#include "platform/Surface.h"

class TPanelSurface {
 public:
  // Makes the picture size pixels large (its contents undefined) unless it already is.
  void Resize(QSize size);
  QImage& Image() { return image_; }
  // Valid until the next Resize; null when the system gave no device context (the canvas still works).
  HDC Dc() const { return surface_.Dc(); }
  // After drawing through Dc(): the picture holds it all, opaque.
  void Finish() { surface_.Finish(); }

 private:
  platform::MemorySurface surface_;
  QImage image_;  // over surface_'s pixels, or a picture of its own when there is no surface
};
