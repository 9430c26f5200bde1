#include "controls/MouseEvents.h"

#include <QMouseEvent>

#include "controls/Events.h"

void TMouseEvents::RaiseMouseDown(QObject* sender, const QMouseEvent* event) {
  TMouseButton button;
  if (!MouseButtonOf(event->button(), button)) return;
  if (button == mbLeft) clickArmed_ = true;
  const QPoint p = event->position().toPoint();
  if (OnMouseDown) OnMouseDown(sender, button, ShiftStateOf(event->modifiers(), event->buttons()), p.x(), p.y());
}

void TMouseEvents::RaiseDblClick(QObject* sender, const QMouseEvent* event) {
  TMouseButton button;
  if (!MouseButtonOf(event->button(), button)) return;
  if (button == mbLeft && OnDblClick) OnDblClick(sender);
  const QPoint p = event->position().toPoint();
  if (OnMouseDown) {
    OnMouseDown(sender, button, ShiftStateOf(event->modifiers(), event->buttons()) | ssDouble, p.x(), p.y());
  }
}

void TMouseEvents::RaiseMouseMove(QObject* sender, const QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  if (OnMouseMove) OnMouseMove(sender, ShiftStateOf(event->modifiers(), event->buttons()), p.x(), p.y());
}

void TMouseEvents::RaiseMouseUp(QObject* sender, const QMouseEvent* event, bool inside) {
  TMouseButton button;
  if (!MouseButtonOf(event->button(), button)) return;
  if (button == mbLeft) {
    const bool click = clickArmed_ && inside;
    clickArmed_ = false;
    if (click && OnClick) OnClick(sender);
  }
  const QPoint p = event->position().toPoint();
  if (OnMouseUp) OnMouseUp(sender, button, ShiftStateOf(event->modifiers(), event->buttons()), p.x(), p.y());
}
