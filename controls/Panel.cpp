#include "controls/Panel.h"

#include <algorithm>

#include "controls/Setter.h"

TPanel::TPanel(QWidget* parent) : TMaxControl(parent) {}

void TPanel::SetAlignment(TAlignment v) { StoreChanged(this, alignment_, v); }
void TPanel::SetBevelInner(TBevelCut v) { StoreChanged(this, bevelInner_, v); }
void TPanel::SetBevelOuter(TBevelCut v) { StoreChanged(this, bevelOuter_, v); }
void TPanel::SetBevelWidth(int v) { StoreChanged(this, bevelWidth_, std::max(1, v)); }
void TPanel::SetBorderWidth(int v) { StoreChanged(this, borderWidth_, std::max(0, v)); }
void TPanel::SetCaption(const QString& v) { StoreChanged(this, caption_, v); }
void TPanel::SetColor(TColor v) { StoreChanged(this, color_, v); }

void TPanel::SetBorderStyle(int v) {
  if (v != bsNone && v != bsSingle) return;
  if (StoreChanged(this, borderStyle_, static_cast<TBorderStyle>(v))) FrameChanged();
}

void TPanel::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (OnResize) OnResize(this);
}

void TPanel::focusInEvent(QFocusEvent* event) {
  QWidget::focusInEvent(event);
  if (OnEnter) OnEnter(this);
}

void TPanel::focusOutEvent(QFocusEvent* event) {
  QWidget::focusOutEvent(event);
  if (OnExit) OnExit(this);
}
