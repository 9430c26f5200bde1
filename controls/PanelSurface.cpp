#include "controls/PanelSurface.h"

void TPanelSurface::Resize(QSize size) {
  if (image_.size() == size) return;
  image_ = QImage();  // it may point into the old surface: let go of it first
  if (surface_.Create(size.width(), size.height())) {
    image_ = QImage(reinterpret_cast<uchar*>(surface_.Pixels()), size.width(), size.height(),
                    static_cast<qsizetype>(size.width()) * 4, QImage::Format_RGB32);
  } else {
    image_ = QImage(size, QImage::Format_RGB32);
  }
}
