// TMaxTrack of unit MaxBtn.
#include "controls/MaxTrack.h"

#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "controls/Drawing.h"
#include "controls/Events.h"
#include "controls/Setter.h"

TMaxTrack::TMaxTrack(QWidget* parent) : TMaxControl(parent) { resize(64, 13); }

// Against Max first, then Min. A NaN (from a script or a property editor) is taken as Min, so the
// thumb and the stored value stay numbers.
float TMaxTrack::Clamp(float v) const {
  if (std::isnan(v)) return min_;
  if (v > max_) v = max_;
  if (v < min_) v = min_;
  return v;
}

void TMaxTrack::SetPosition(float v) { StoreChanged(this, position_, Clamp(v)); }

void TMaxTrack::ChangePosition(float v) {
  StoreChanged(this, position_, Clamp(v));
  if (OnChange) OnChange(this);
}

void TMaxTrack::SetMax(float x) {
  if (std::isnan(x)) return;
  if (min_ > x) min_ = x;
  max_ = x;
  if (x < position_) {
    SetPosition(x);
  } else {
    update();
  }
}

void TMaxTrack::SetMin(float x) {
  if (std::isnan(x)) return;
  if (max_ < x) max_ = x;
  min_ = x;
  if (x <= position_) {
    update();
  } else {
    SetPosition(x);
  }
}

void TMaxTrack::SetColor(TColor v) { StoreChanged(this, color_, v); }

void TMaxTrack::Click() {
  if (OnClick) OnClick(this);
}

int TMaxTrack::ThumbX() const {
  if (max_ == min_) return 0;
  const int span = width() - 6;
  float x = (position_ - min_) * static_cast<float>(span) / (max_ - min_);
  // An infinite range gives inf / inf; such a thumb sits at the left end.
  if (!(x >= 0.0f)) x = 0.0f;
  if (x > static_cast<float>(std::max(span, 0))) x = static_cast<float>(std::max(span, 0));
  return static_cast<int>(x);
}

void TMaxTrack::Track(int x) {
  const int span = width() - 6;
  // A track narrower than its thumb has no travel: every press lands on Min.
  const float t = span > 0 ? static_cast<float>(x - 2) / static_cast<float>(span) : 0.0f;
  ChangePosition(min_ + t * (max_ - min_));
}

void TMaxTrack::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    leftPressed_ = true;
    Track(event->position().toPoint().x());
  }
  RaiseMouseDown(this, event);
}

void TMaxTrack::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    leftPressed_ = true;
    Track(event->position().toPoint().x());
  }
  RaiseDblClick(this, event);
}

void TMaxTrack::mouseMoveEvent(QMouseEvent* event) {
  if (event->buttons() & Qt::LeftButton) Track(event->position().toPoint().x());
  RaiseMouseMove(this, event);
}

// A left press released inside is a click, reported through Click before OnMouseUp.
void TMaxTrack::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  if (event->button() == Qt::LeftButton) {
    const bool click = leftPressed_ && rect().contains(p);
    leftPressed_ = false;
    if (click) Click();
  }
  TMouseButton button;
  if (OnMouseUp && MouseButtonOf(event->button(), button)) {
    OnMouseUp(this, button, ShiftStateOf(event->modifiers(), event->buttons()), p.x(), p.y());
  }
}

void TMaxTrack::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  Paint(painter);
}

void TMaxTrack::Paint(QPainter& painter) {
  const int w = width(), h = height();
  if (w <= 0 || h <= 0) return;
  // Drawn off screen first, so that a drag repaints without flicker.
  QImage picture(w, h, QImage::Format_RGB32);
  QPainter p(&picture);
  p.fillRect(RectLTRB(0, 0, w, h), ToQColor(color_, this));
  const QColor shadow = ToQColor(clBtnShadow, this), light = ToQColor(clBtnHighlight, this);
  const QColor dark = ToQColor(cl3DDkShadow, this), face = ToQColor(clBtnFace, this);
  const auto line = [&](const QColor& c, int x0, int y0, int x1, int y1) {
    p.setPen(c);
    DrawLine(p, x0, y0, x1, y1);
  };
  const int c = h / 2;
  line(shadow, 2, c - 3, w - 2, c - 3);
  line(shadow, 2, c - 3, 2, c + 4);
  line(light, 2, c + 3, w - 2, c + 3);
  line(light, w - 3, c - 3, w - 3, c + 4);
  line(dark, 3, c - 2, w - 3, c - 2);
  line(dark, 3, c - 2, 3, c + 3);
  line(face, 3, c + 2, w - 3, c + 2);
  line(face, w - 4, c - 2, w - 4, c + 3);
  const int x = ThumbX();
  p.fillRect(RectLTRB(x, 0, x + 6, h), face);
  line(light, x, 0, x + 6, 0);
  line(light, x, 0, x, h);
  line(shadow, x, h - 1, x + 6, h - 1);
  line(shadow, x + 5, 0, x + 5, h);
  p.end();
  painter.drawImage(0, 0, picture);
}
