// Colours of the widget family: 0x00BBGGRR values, the system colours resolved through a widget's
// palette, and the swap to and from the program's own 0x00RRGGBB order.
#pragma once

#include <QColor>
#include <cstdint>

#include "platform/WinApi.h"  // on Windows: the system's macros of our names go first

class QWidget;

// 0x00BBGGRR: red in bits 0-7, green 8-15, blue 16-23. Values with the top bit set name a system
// colour (low byte = index below), resolved through the palette of the widget that paints it.
using TColor = std::uint32_t;

constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clGray = 0x808080;

constexpr TColor clSystemColor = 0x80000000u;
constexpr TColor clScrollBar = clSystemColor | 0;
constexpr TColor clActiveCaption = clSystemColor | 2;
constexpr TColor clWindow = clSystemColor | 5;
constexpr TColor clWindowText = clSystemColor | 8;
constexpr TColor clHighlight = clSystemColor | 13;
constexpr TColor clHighlightText = clSystemColor | 14;
constexpr TColor clBtnFace = clSystemColor | 15;
constexpr TColor clBtnShadow = clSystemColor | 16;
constexpr TColor clGrayText = clSystemColor | 17;
constexpr TColor clBtnText = clSystemColor | 18;
constexpr TColor clBtnHighlight = clSystemColor | 20;
constexpr TColor cl3DDkShadow = clSystemColor | 21;
constexpr TColor cl3DLight = clSystemColor | 22;

constexpr bool IsSystemColor(TColor c) { return (c & clSystemColor) != 0; }

constexpr int GetRValue(TColor c) { return static_cast<int>(c & 0xFF); }
constexpr int GetGValue(TColor c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int GetBValue(TColor c) { return static_cast<int>((c >> 16) & 0xFF); }
constexpr TColor RGB(int r, int g, int b) {
  return static_cast<TColor>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}

// 0x00BBGGRR <-> 0x00RRGGBB (the program's own colour order); the same swap works both ways.
constexpr TColor SwapRedBlue(TColor c) {
  return (c & 0xFF00u) | ((c & 0xFFu) << 16) | ((c >> 16) & 0xFFu);
}

// The real 0x00BBGGRR value of c; a system colour comes from the palette of `widget` (the
// application's palette when null).
TColor ColorToRGB(TColor c, const QWidget* widget = nullptr);
QColor ToQColor(TColor c, const QWidget* widget = nullptr);
TColor FromQColor(const QColor& c);
