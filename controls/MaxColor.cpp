#include "controls/MaxColor.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>
#include <QVariant>
#include <algorithm>
#include <cmath>

namespace MaxColor {
void Register(TPaletteList& palette) {
  RegisterComponents(palette, QStringLiteral("MAX"),
                     {"TMaxColorCircle", "TMaxColorBar", "TMaxColorPanel"});
}
}  // namespace MaxColor

namespace {

constexpr double Pi = 3.14159265358979323846;

// Halves away from zero, which std::round does.
int RoundAway(double v) { return static_cast<int>(std::round(v)); }

}  // namespace

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

// ---- TMaxColorCircle -----------------------------------------------------------------------------

TMaxColorCircle::TMaxColorCircle(QWidget* parent) : QWidget(parent) { resize(127, 127); }

void TMaxColorCircle::SetH(double v) {
  h_ = std::fmod(std::fabs(v), 360.0);
  repaint();
}

void TMaxColorCircle::SetS(double v) {
  s_ = std::clamp(v, 0.0, 1.0);
  repaint();
}

void TMaxColorCircle::SetHSV(const THSVColor& hsv) {
  h_ = hsv.H;
  s_ = hsv.S;
  repaint();
}

void TMaxColorCircle::SetCursorSize(int v) {
  cursorSize_ = v;
  repaint();
}

TColor TMaxColorCircle::GetControlColor() const {
  if (ownColor_) return color_;
  // Parent's colour: a family control publishes it as Color, any other widget by its palette.
  if (QWidget* p = parentWidget()) {
    const QVariant c = p->property("Color");
    if (c.isValid()) return c.value<TColor>();
    return FromQColor(p->palette().color(QPalette::Window));
  }
  return clBtnFace;
}

void TMaxColorCircle::SetControlColor(TColor c) {
  ownColor_ = true;
  color_ = c;
  UpdateColor();
}

int TMaxColorCircle::GetRadius() const { return (std::min(width(), height()) - 1) / 2; }

void TMaxColorCircle::UpdateCircle(bool force) {
  const int r = GetRadius();
  const int size = 2 * r + 1;
  if (force || wheel_.width() != size || wheel_.height() != size) CreateCircle(r, size);
}

void TMaxColorCircle::UpdateColor() {
  UpdateCircle(true);
  repaint();
}

TColor TMaxColorCircle::WheelColor(int x, int y, int r) {
  const float dx = static_cast<float>(x - r);
  const float dy = static_cast<float>(y - r);
  double a;
  if (x - r > 0) {
    a = std::atan(static_cast<double>(dy) / dx);
    if (a < 0) a += 2 * Pi;
  } else if (x - r < 0) {
    a = std::atan(static_cast<double>(dy) / dx) + Pi;
  } else {
    a = y - r > 0 ? Pi / 2 : 3 * Pi / 2;
  }
  const double s = std::min(std::sqrt(static_cast<double>(dx) * dx + static_cast<double>(dy) * dy) / r, 1.0);
  double whole;
  const double f = std::modf(a / (2 * Pi) * 6, &whole);
  const int p = static_cast<int>((1 - s) * 255);
  const int q = static_cast<int>((1 - s * f) * 255);
  const int t = static_cast<int>((1 - (1 - f) * s) * 255);
  switch (static_cast<int>(whole)) {
    case 1: return RGB(q, 255, p);
    case 2: return RGB(p, 255, t);
    case 3: return RGB(p, q, 255);
    case 4: return RGB(t, p, 255);
    case 5: return RGB(255, p, q);
    default: return RGB(255, t, p);
  }
}

void TMaxColorCircle::CreateCircle(int r, int size) {
  if (r <= 0) return;
  // Blue, green, red bytes per pixel, the order of a 24-bit bitmap row.
  wheel_ = QImage(size, size, QImage::Format_BGR888);
  const TColor back = ColorToRGB(GetControlColor(), this);
  const uchar bb = static_cast<uchar>(GetBValue(back));
  const uchar bg = static_cast<uchar>(GetGValue(back));
  const uchar br = static_cast<uchar>(GetRValue(back));
  auto put = [](uchar* px, uchar b, uchar g, uchar rr) {
    px[0] = b;
    px[1] = g;
    px[2] = rr;
  };
  CircleSpans(r, r, r, [&](int x0, int x1, int y) {
    if (y < 0 || y >= size) return;
    // y counts upward from the bottom row of the image.
    uchar* row = wheel_.scanLine(size - 1 - y);
    for (int x = 0; x < size; ++x) {
      uchar* px = row + 3 * x;
      if (x < x0 || x > x1) {
        put(px, bb, bg, br);
      } else {
        const TColor c = WheelColor(x, y, r);
        put(px, static_cast<uchar>(GetBValue(c)), static_cast<uchar>(GetGValue(c)),
            static_cast<uchar>(GetRValue(c)));
      }
    }
  });
}

THSVColor TMaxColorCircle::GetHSVFromPosition(int x, int y) const {
  const int r = GetRadius();
  const int dx = x - r;
  const int dy = y - r;
  double a;
  if (dx > 0) {
    a = -std::atan(static_cast<double>(dy) / dx);
    if (a < 0) a += 2 * Pi;
  } else if (dx < 0) {
    a = Pi - std::atan(static_cast<double>(dy) / dx);
  } else {
    a = dy < 0 ? Pi / 2 : 3 * Pi / 2;
  }
  const double distance = std::sqrt(static_cast<double>(dx) * dx + static_cast<double>(dy) * dy);
  // A wheel of radius 0 has no inside: every point but the centre is at full saturation.
  const double s = r > 0 ? std::min(distance / r, 1.0) : (distance > 0 ? 1.0 : 0.0);
  return {a * 180 / Pi, s, 1};
}

void TMaxColorCircle::SetColorFromPosition(int x, int y) {
  SetHSV(GetHSVFromPosition(x, y));
  if (OnChange) OnChange(this);
}

void TMaxColorCircle::paintEvent(QPaintEvent*) {
  UpdateCircle(false);
  QPainter painter(this);
  if (!wheel_.isNull()) painter.drawImage(0, 0, wheel_);
  const int r = GetRadius();
  const int x = r + RoundAway(r * s_ * std::cos(h_ * Pi / 180));
  const int y = r - RoundAway(r * s_ * std::sin(h_ * Pi / 180));
  const QRect marker = RectLTRB(x - cursorSize_ + 1, y - cursorSize_ + 1, x + cursorSize_, y + cursorSize_);
  if (marker.width() <= 0 || marker.height() <= 0) return;
  painter.fillRect(marker, Qt::white);
  painter.setPen(Qt::black);
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(marker.adjusted(0, 0, -1, -1));
}

void TMaxColorCircle::mousePressEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  if (event->button() == Qt::LeftButton) SetColorFromPosition(p.x(), p.y());
  RaiseMouseDown(this, event);
}

void TMaxColorCircle::mouseDoubleClickEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  if (event->button() == Qt::LeftButton) SetColorFromPosition(p.x(), p.y());
  RaiseDblClick(this, event);
}

void TMaxColorCircle::mouseMoveEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  if (event->buttons() & Qt::LeftButton) SetColorFromPosition(p.x(), p.y());
  RaiseMouseMove(this, event);
}

void TMaxColorCircle::mouseReleaseEvent(QMouseEvent* event) {
  RaiseMouseUp(this, event, rect().contains(event->position().toPoint()));
}

// ---- TMaxColorBar --------------------------------------------------------------------------------

TMaxColorBar::TMaxColorBar(QWidget* parent) : QWidget(parent) { resize(128, 20); }

void TMaxColorBar::SetBarStyle(TMaxColorBarStyle v) {
  if (v == barStyle_) return;
  barStyle_ = v;
  resize(height(), width());
  repaint();
}

void TMaxColorBar::SetCursorSize(int v) {
  if (v == cursorSize_) return;
  cursorSize_ = v;
  repaint();
}

void TMaxColorBar::SetMinColor(TColor c) {
  if (c != minColor_) {
    minColor_ = c;
    repaint();
  }
  if (OnChange) OnChange(this);
}

void TMaxColorBar::SetMaxColor(TColor c) {
  if (c != maxColor_) {
    maxColor_ = c;
    repaint();
  }
  if (OnChange) OnChange(this);
}

void TMaxColorBar::SetPosition(double v) {
  // NaN (a zero-length bar clicked at its end) would stick in every later sum.
  if (v != position_ && !std::isnan(v)) {
    position_ = std::clamp(v, 0.0, 1.0);
    repaint();
  }
  if (OnChange) OnChange(this);
}

void TMaxColorBar::SetControlColor(TColor c) {
  color_ = c;
  repaint();
}

TColor TMaxColorBar::GetColor() const {
  const TColor lo = ColorToRGB(minColor_, this);
  const TColor hi = ColorToRGB(maxColor_, this);
  const double p = position_;
  auto mix = [p](int a, int b) { return RoundAway(a * (1 - p) + b * p); };
  return RGB(mix(GetRValue(lo), GetRValue(hi)), mix(GetGValue(lo), GetGValue(hi)),
             mix(GetBValue(lo), GetBValue(hi)));
}

void TMaxColorBar::SetColorFromPosition(int x, int y) {
  const int cs = cursorSize_;
  if (barStyle_ == mbctHorizonal) {
    SetPosition(static_cast<double>(x - cs) / (width() - 1 - 2 * cs));
  } else {
    SetPosition(static_cast<double>(height() - 1 - cs - y) / (height() - 1 - 2 * cs));
  }
}

namespace {

// One channel of the gradient, stepped with integers only: e carries the remainder of d / n.
struct ChannelStep {
  int v, d, e;
  ChannelStep(int from, int to) : v(from), d(to - from), e((to - from) / 2) {}
  void Step(int n) {
    if (d > 0) {
      e += d;
      while (e > n) {
        e -= n;
        ++v;
      }
    } else if (d < 0) {
      e += d;
      while (e < -n) {
        e += n;
        --v;
      }
    }
  }
};

}  // namespace

QImage TMaxColorBar::GradientImage() const {
  const int cs = cursorSize_;
  const bool horizontal = barStyle_ == mbctHorizonal;
  const int w = width();
  const int h = height();
  if (h < cs) return {};
  const int cols = horizontal ? w - 2 * cs : w - cs - 1;
  const int rows = horizontal ? h - cs - 1 : h - 2 * cs;
  if (cols <= 0 || rows <= 0) return {};
  const int n = horizontal ? cols : rows;
  const TColor lo = ColorToRGB(minColor_, this);
  const TColor hi = ColorToRGB(maxColor_, this);
  ChannelStep red(GetRValue(lo), GetRValue(hi));
  ChannelStep green(GetGValue(lo), GetGValue(hi));
  ChannelStep blue(GetBValue(lo), GetBValue(hi));
  std::vector<QRgb> line(static_cast<size_t>(n));
  for (int i = 0; i < n - 1; ++i) {
    if (horizontal) {
      red.Step(n);
      green.Step(n);
      blue.Step(n);
    }
    line[static_cast<size_t>(i)] = qRgb(red.v, green.v, blue.v);
    if (!horizontal) {
      red.Step(n);
      green.Step(n);
      blue.Step(n);
    }
  }
  line[static_cast<size_t>(n - 1)] = qRgb(GetRValue(hi), GetGValue(hi), GetBValue(hi));

  QImage image(cols, rows, QImage::Format_RGB32);
  if (horizontal) {
    for (int y = 0; y < rows; ++y) std::copy(line.begin(), line.end(), reinterpret_cast<QRgb*>(image.scanLine(y)));
  } else {
    // line[0] is the bottom row.
    for (int y = 0; y < rows; ++y) {
      std::fill_n(reinterpret_cast<QRgb*>(image.scanLine(rows - 1 - y)), cols, line[static_cast<size_t>(y)]);
    }
  }
  return image;
}

void TMaxColorBar::PaintBar(QPainter& painter) {
  const QImage image = GradientImage();
  if (image.isNull()) return;
  if (barStyle_ == mbctHorizonal) {
    painter.drawImage(cursorSize_, 0, image);
  } else {
    painter.drawImage(0, cursorSize_, image);
  }
}

void TMaxColorBar::PaintCursor(QPainter& painter) {
  const int cs = cursorSize_;
  const int w = width();
  const int h = height();
  QPolygon triangle;
  if (barStyle_ == mbctHorizonal) {
    painter.fillRect(RectLTRB(0, h - 1 - cs, w, h), ToQColor(color_, this));
    const int x = cs + RoundAway((w - 1 - 2 * cs) * position_);
    triangle << QPoint(x, h - 1 - cs) << QPoint(x - cs, h - 1) << QPoint(x + cs, h - 1);
  } else {
    painter.fillRect(RectLTRB(w - 1 - cs, 0, w, h), ToQColor(color_, this));
    const int y = h - 1 - cs - RoundAway((h - 1 - 2 * cs) * position_);
    triangle << QPoint(w - 1 - cs, y) << QPoint(w - 1, y - cs) << QPoint(w - 1, y + cs);
  }
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setPen(Qt::black);
  painter.setBrush(Qt::white);
  painter.drawPolygon(triangle);
}

void TMaxColorBar::Paint(QPainter& painter) {
  PaintBar(painter);
  PaintCursor(painter);
}

void TMaxColorBar::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  Paint(painter);
}

void TMaxColorBar::mousePressEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  if (event->button() == Qt::LeftButton) SetColorFromPosition(p.x(), p.y());
  RaiseMouseDown(this, event);
}

void TMaxColorBar::mouseDoubleClickEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  if (event->button() == Qt::LeftButton) SetColorFromPosition(p.x(), p.y());
  RaiseDblClick(this, event);
}

void TMaxColorBar::mouseMoveEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  if (event->buttons() & Qt::LeftButton) SetColorFromPosition(p.x(), p.y());
  RaiseMouseMove(this, event);
}

void TMaxColorBar::mouseReleaseEvent(QMouseEvent* event) {
  RaiseMouseUp(this, event, rect().contains(event->position().toPoint()));
}
