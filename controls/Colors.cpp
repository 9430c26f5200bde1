#include "controls/Colors.h"

#include <QApplication>
#include <QPalette>
#include <QWidget>

namespace {

QPalette PaletteOf(const QWidget* widget) {
  return widget ? widget->palette() : QApplication::palette();
}

// System colour index -> palette role. Button highlight and shadow are the light and dark edges of a
// 3-D frame, the dark 3-D shadow is the outermost black line.
QColor SystemColor(TColor c, const QPalette& palette) {
  switch (c & 0xFF) {
    // The palette has no scroll-bar role; a track a shade darker than the button face, as the
    // platform draws it (200, 200, 200 beside a face of 240).
    case 0: return palette.color(QPalette::Button).darker(120);
    case 2: return palette.color(QPalette::Active, QPalette::Highlight);
    case 5: return palette.color(QPalette::Base);
    case 8: return palette.color(QPalette::Text);
    case 13: return palette.color(QPalette::Highlight);
    case 14: return palette.color(QPalette::HighlightedText);
    case 15: return palette.color(QPalette::Button);
    case 16: return palette.color(QPalette::Dark);
    case 17: return palette.color(QPalette::Disabled, QPalette::Text);
    case 18: return palette.color(QPalette::ButtonText);
    case 20: return palette.color(QPalette::Light);
    case 21: return palette.color(QPalette::Shadow);
    case 22: return palette.color(QPalette::Midlight);
    default: return palette.color(QPalette::Window);
  }
}

}  // namespace

TColor FromQColor(const QColor& c) { return RGB(c.red(), c.green(), c.blue()); }

QColor ToQColor(TColor c, const QWidget* widget) {
  if (IsSystemColor(c)) return SystemColor(c, PaletteOf(widget));
  return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

TColor ColorToRGB(TColor c, const QWidget* widget) {
  return IsSystemColor(c) ? FromQColor(ToQColor(c, widget)) : (c & 0xFFFFFF);
}
