// Helpers of the widget-family tests: fixed palettes, grabs, and where the ink of a text lies.
#pragma once

#include <QApplication>
#include <QImage>
#include <QPalette>
#include <QRect>
#include <QWidget>

namespace controls_test {

// A palette whose 3-D colours differ from each other and from every fill the tests use.
inline QPalette TestPalette() {
  QPalette p = QApplication::palette();
  p.setColor(QPalette::Light, QColor(255, 255, 255));
  p.setColor(QPalette::Dark, QColor(128, 128, 128));
  p.setColor(QPalette::Shadow, QColor(0, 0, 0));
  p.setColor(QPalette::Midlight, QColor(223, 223, 223));
  p.setColor(QPalette::Button, QColor(192, 192, 192));
  p.setColor(QPalette::Window, QColor(255, 0, 255));
  p.setColor(QPalette::WindowText, QColor(0, 0, 0));
  return p;
}

// A magenta form to put a widget on, so that pixels a widget leaves alone show as magenta.
class Form : public QWidget {
 public:
  Form() {
    setPalette(TestPalette());
    setAutoFillBackground(true);
    resize(300, 300);
  }
  QImage Grab(QWidget* w) { return grab(w->geometry()).toImage().convertToFormat(QImage::Format_RGB32); }
};

// Bounding box of the pixels of `image` inside `area` that differ from `background`.
inline QRect InkBox(const QImage& image, QRgb background, QRect area = QRect()) {
  if (area.isNull()) area = image.rect();
  int left = INT_MAX, top = INT_MAX, right = -1, bottom = -1;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      if ((image.pixel(x, y) & 0xFFFFFF) == (background & 0xFFFFFF)) continue;
      left = std::min(left, x);
      right = std::max(right, x);
      top = std::min(top, y);
      bottom = std::max(bottom, y);
    }
  }
  if (right < 0) return {};
  return QRect(QPoint(left, top), QPoint(right, bottom));
}

inline QRgb Rgb(int r, int g, int b) { return qRgb(r, g, b); }

}  // namespace controls_test
