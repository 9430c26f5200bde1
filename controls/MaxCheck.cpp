// TMaxCheck of unit MaxBtn.
#include "controls/MaxCheck.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPainter>

#include "controls/Drawing.h"
#include "controls/Events.h"
#include "controls/Fonts.h"
#include "controls/Setter.h"

TMaxCheck::TMaxCheck(QWidget* parent) : TMaxControl(parent) { resize(64, 13); }

void TMaxCheck::SetChecked(bool v) {
  if (StoreChanged(this, checked_, v) && OnChange) OnChange(this);
}

void TMaxCheck::SetCaption(const QString& v) { StoreChanged(this, caption_, v); }

void TMaxCheck::SetColor(TColor v) { StoreChanged(this, color_, v); }

void TMaxCheck::Click() {
  pressed_ = false;
  inside_ = false;
  SetChecked(!checked_);
  if (OnClick) OnClick(this);
}

void TMaxCheck::changeEvent(QEvent* event) {
  if (event->type() == QEvent::EnabledChange || event->type() == QEvent::FontChange) {
    // A check box disabled in the middle of a press must not finish it later.
    if (!isEnabled()) pressed_ = inside_ = false;
    update();
  }
  QWidget::changeEvent(event);
}

void TMaxCheck::Press(const QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !isEnabled()) return;
  pressed_ = true;
  inside_ = true;
  repaint();
}

void TMaxCheck::mousePressEvent(QMouseEvent* event) {
  Press(event);
  RaiseMouseDown(this, event);
}

void TMaxCheck::mouseDoubleClickEvent(QMouseEvent* event) {
  Press(event);
  RaiseDblClick(this, event);
}

void TMaxCheck::mouseMoveEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  const bool inside = p.x() >= 0 && p.x() < width() && p.y() >= 0 && p.y() < height();
  if (isEnabled() && inside != inside_) {
    inside_ = inside;
    repaint();
  }
  RaiseMouseMove(this, event);
}

void TMaxCheck::mouseReleaseEvent(QMouseEvent* event) {
  const bool left = event->button() == Qt::LeftButton;
  const bool inside = rect().contains(event->position().toPoint());
  // The click comes first and clears the pressed flag, so one click inverts Checked once.
  if (left && isEnabled() && pressed_ && inside) Click();
  if (left && isEnabled()) {
    if (pressed_ && inside) SetChecked(!checked_);
    const bool repaintNeeded = pressed_ || inside_;
    pressed_ = inside_ = false;
    if (repaintNeeded) update();
  }
  TMouseButton button;
  if (OnMouseUp && MouseButtonOf(event->button(), button)) {
    const QPoint p = event->position().toPoint();
    OnMouseUp(this, button, ShiftStateOf(event->modifiers(), event->buttons()), p.x(), p.y());
  }
}

void TMaxCheck::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  Paint(painter);
}

// A sunken square with a 7 x 7 tick, the classic 13-pixel check box scaled by its frame only.
void TMaxCheck::PaintMark(QPainter& p, int size, bool greyed) {
  if (size < 4) return;
  const QColor shadow = ToQColor(clBtnShadow, this), light = ToQColor(clBtnHighlight, this);
  const QColor dark = ToQColor(cl3DDkShadow, this), mid = ToQColor(cl3DLight, this);
  p.fillRect(RectLTRB(2, 2, size - 2, size - 2), ToQColor(greyed ? clBtnFace : clWindow, this));
  const auto line = [&](const QColor& c, int x0, int y0, int x1, int y1) {
    p.setPen(c);
    DrawLine(p, x0, y0, x1, y1);
  };
  line(shadow, 0, 0, size - 1, 0);
  line(shadow, 0, 0, 0, size - 1);
  line(light, 0, size - 1, size, size - 1);
  line(light, size - 1, 0, size - 1, size);
  line(dark, 1, 1, size - 2, 1);
  line(dark, 1, 1, 1, size - 2);
  line(mid, 1, size - 2, size - 1, size - 2);
  line(mid, size - 2, 1, size - 2, size - 1);
  if (!checked_) return;
  // Tick columns: the top row of each three-pixel stroke, left to right.
  static constexpr int kTop[7] = {2, 3, 4, 3, 2, 1, 0};
  const int ox = (size - 7) / 2, oy = (size - 7) / 2;
  const QColor ink = ToQColor(greyed ? clBtnShadow : clWindowText, this);
  for (int c = 0; c < 7; ++c) p.fillRect(ox + c, oy + kTop[c], 1, 3, ink);
}

void TMaxCheck::Paint(QPainter& p) {
  const int w = width(), h = height();
  PaintMark(p, h, !isEnabled() || (pressed_ && inside_));
  p.fillRect(RectLTRB(h, 0, w, h), ToQColor(color_, this));
  if (caption_.isEmpty()) return;
  p.setFont(font());
  // Font.Height is negative, so y is the top of a text line centred in the control.
  const int y = (FontHeight(font()) + h) / 2;
  const int baseline = y + p.fontMetrics().ascent();
  if (isEnabled()) {
    p.setPen(palette().color(QPalette::WindowText));
    p.drawText(h + 4, baseline, caption_);
    return;
  }
  p.setPen(ToQColor(clBtnHighlight, this));
  p.drawText(h + 5, baseline + 1, caption_);
  p.setPen(ToQColor(clBtnShadow, this));
  p.drawText(h + 4, baseline, caption_);
}
