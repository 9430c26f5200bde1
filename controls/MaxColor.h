// Unit MaxColor: the colour picker's record THSVColor and its conversions. The picker's controls are
// TMaxColorCircle (MaxColorCircle.h), TMaxColorBar (MaxColorBar.h) and TMaxColorPanel
// (MaxColorPanel.h). Colours are 0x00BBGGRR; the "DWord" accessors take and give 0x00RRGGBB.
#pragma once

#include <cmath>
#include <functional>

#include "controls/Colors.h"

// Hue in degrees [0, 360), saturation and value in [0, 1].
struct THSVColor {
  double H = 0;
  double S = 0;
  double V = 0;
};

THSVColor RGBToHSV(TColor c);
TColor HSVToRGB(const THSVColor& hsv);

// Halves away from zero, as the picker's drawing rounds (which std::round does).
inline int RoundAway(double v) { return static_cast<int>(std::round(v)); }

// Rows of a filled circle as spans (x0, x1, y); every row 0 ... 2R is produced exactly once.
void CircleSpans(int cx, int cy, int radius, const std::function<void(int x0, int x1, int y)>& span);
