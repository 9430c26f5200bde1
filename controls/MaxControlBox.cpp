#include "controls/MaxControlBox.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPainter>

TMaxControlBox::TMaxControlBox(QWidget* parent) : TMaxControl(parent) {
  // No background of its own: the parent's pixels show through wherever no child covers them.
  setAutoFillBackground(false);
  resize(64, 64);
}

void TMaxControlBox::paintEvent(QPaintEvent*) {}

void TMaxControlBox::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (OnResize) OnResize(this);
}

void TMaxControlBox::focusInEvent(QFocusEvent* event) {
  QWidget::focusInEvent(event);
  if (OnEnter) OnEnter(this);
}

void TMaxControlBox::focusOutEvent(QFocusEvent* event) {
  QWidget::focusOutEvent(event);
  if (OnExit) OnExit(this);
}

