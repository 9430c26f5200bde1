#include "controls/MaxColor.h"

#include <QString>
#include <algorithm>
#include <cmath>

#include "controls/Palette.h"

namespace MaxColor {
void Register(TPaletteList& palette) {
  RegisterComponents(palette, QStringLiteral("MAX"),
                     {"TMaxColorCircle", "TMaxColorBar", "TMaxColorPanel"});
}
}  // namespace MaxColor

// ---- conversions ---------------------------------------------------------------------------------

THSVColor RGBToHSV(TColor c) {
  const double r = (c & 0xFF) / 255.0;
  const double g = ((c >> 8) & 0xFF) / 255.0;
  const double b = ((c >> 16) & 0xFF) / 255.0;
  const double max = std::max({r, g, b});
  const double min = std::min({r, g, b});
  const double delta = max - min;
  THSVColor hsv;
  hsv.V = max;
  hsv.S = max == 0 ? 0 : delta / max;
  if (delta == 0) return hsv;
  double h;
  if (max == r) {
    h = (g - b) / delta;
  } else if (max == g) {
    h = (b - r) / delta + 2;
  } else {
    h = (r - g) / delta + 4;
  }
  h *= 60;
  if (h < 0) h += 360;
  hsv.H = h;
  return hsv;
}

TColor HSVToRGB(const THSVColor& hsv) {
  // A negative hue would split into i = 0 and a negative fraction, and a channel below zero would
  // spill into its neighbours; like any hue past 420 it gives black.
  if (!(hsv.H >= 0) || !std::isfinite(hsv.H)) return 0;
  double whole;
  const double f = std::modf(hsv.H / 60, &whole);
  if (whole > 6) return 0;
  const int i = static_cast<int>(whole);
  const double w = 255 * hsv.V;
  const int v = RoundAway(w);
  const int p = RoundAway((1 - hsv.S) * w);
  const int q = RoundAway((1 - hsv.S * f) * w);
  const int t = RoundAway((1 - (1 - f) * hsv.S) * w);
  switch (i) {
    case 0:
    case 6: return RGB(v, t, p);
    case 1: return RGB(q, v, p);
    case 2: return RGB(p, v, t);
    case 3: return RGB(p, q, v);
    case 4: return RGB(t, p, v);
    case 5: return RGB(v, p, q);
    default: return 0;
  }
}

void CircleSpans(int cx, int cy, int radius, const std::function<void(int, int, int)>& span) {
  // First pass: the rows near the middle, where the circle is steep.
  int x = radius, y = 0, d = radius;
  while (y <= x) {
    span(cx - x, cx + x, cy - y);
    if (y != 0) span(cx - x, cx + x, cy + y);
    d -= 2 * y - 1;
    if (d < 0) {
      d += 2 * (x - 1);
      --x;
    }
    ++y;
  }
  // Second pass: the flat rows at top and bottom, one span each time the row steps.
  x = 0;
  y = radius;
  d = radius;
  while (x < y) {
    d -= 2 * x - 1;
    if (d < 0) {
      span(cx - x, cx + x, cy - y);
      span(cx - x, cx + x, cy + y);
      d += 2 * (y - 1);
      --y;
    }
    ++x;
  }
}
