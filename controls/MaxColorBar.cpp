#include "controls/MaxColorBar.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>
#include <algorithm>
#include <cmath>

#include "controls/Drawing.h"
#include "controls/MaxColor.h"
#include "controls/Setter.h"

TMaxColorBar::TMaxColorBar(QWidget* parent) : TMaxControl(parent) { resize(128, 20); }

void TMaxColorBar::SetBarStyle(TMaxColorBarStyle v) {
  if (v == barStyle_) return;
  barStyle_ = v;
  resize(height(), width());
  update();
}

void TMaxColorBar::SetCursorSize(int v) { StoreChanged(this, cursorSize_, v); }

void TMaxColorBar::SetMinColor(TColor c) {
  StoreChanged(this, minColor_, c);
  if (OnChange) OnChange(this);
}

void TMaxColorBar::SetMaxColor(TColor c) {
  StoreChanged(this, maxColor_, c);
  if (OnChange) OnChange(this);
}

void TMaxColorBar::SetPosition(double v) {
  // NaN (a zero-length bar clicked at its end) would stick in every later sum.
  if (!std::isnan(v)) StoreChanged(this, position_, std::clamp(v, 0.0, 1.0));
  if (OnChange) OnChange(this);
}

void TMaxColorBar::SetControlColor(TColor c) { StoreChanged(this, color_, c); }

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

