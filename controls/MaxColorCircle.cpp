#include "controls/MaxColorCircle.h"

#include <QMouseEvent>
#include <QPainter>
#include <QVariant>
#include <algorithm>
#include <cmath>
#include <numbers>

#include "controls/Drawing.h"
#include "controls/Setter.h"

TMaxColorCircle::TMaxColorCircle(QWidget* parent) : TMaxControl(parent) { resize(127, 127); }

void TMaxColorCircle::SetH(double v) { StoreChanged(this, h_, std::fmod(std::fabs(v), 360.0)); }

void TMaxColorCircle::SetS(double v) { StoreChanged(this, s_, std::clamp(v, 0.0, 1.0)); }

void TMaxColorCircle::SetHSV(const THSVColor& hsv) {
  if (hsv.H == h_ && hsv.S == s_) return;
  h_ = hsv.H;
  s_ = hsv.S;
  update();
}

void TMaxColorCircle::SetCursorSize(int v) { StoreChanged(this, cursorSize_, v); }

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
  if (ownColor_ && c == color_) return;
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
  update();
}

TColor TMaxColorCircle::WheelColor(int x, int y, int r) {
  const float dx = static_cast<float>(x - r);
  const float dy = static_cast<float>(y - r);
  double a;
  if (x - r > 0) {
    a = std::atan(static_cast<double>(dy) / dx);
    if (a < 0) a += 2 * std::numbers::pi;
  } else if (x - r < 0) {
    a = std::atan(static_cast<double>(dy) / dx) + std::numbers::pi;
  } else {
    a = y - r > 0 ? std::numbers::pi / 2 : 3 * std::numbers::pi / 2;
  }
  const double s = std::min(std::sqrt(static_cast<double>(dx) * dx + static_cast<double>(dy) * dy) / r, 1.0);
  double whole;
  const double f = std::modf(a / (2 * std::numbers::pi) * 6, &whole);
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
    if (a < 0) a += 2 * std::numbers::pi;
  } else if (dx < 0) {
    a = std::numbers::pi - std::atan(static_cast<double>(dy) / dx);
  } else {
    a = dy < 0 ? std::numbers::pi / 2 : 3 * std::numbers::pi / 2;
  }
  const double distance = std::sqrt(static_cast<double>(dx) * dx + static_cast<double>(dy) * dy);
  // A wheel of radius 0 has no inside: every point but the centre is at full saturation.
  const double s = r > 0 ? std::min(distance / r, 1.0) : (distance > 0 ? 1.0 : 0.0);
  return {a * 180 / std::numbers::pi, s, 1};
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
  const int x = r + RoundAway(r * s_ * std::cos(h_ * std::numbers::pi / 180));
  const int y = r - RoundAway(r * s_ * std::sin(h_ * std::numbers::pi / 180));
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

