// TMaxControl: what every control of the family is, a Qt widget (QWidget, QLineEdit, QListWidget)
// that publishes the family's mouse and click events. Its Qt mouse handlers only raise those events;
// a control with pointer behaviour of its own overrides a handler and raises the event itself.
#pragma once

#include <QMouseEvent>

#include "controls/Colors.h"
#include "controls/MaxTypes.h"
#include "controls/MouseEvents.h"

template <typename Widget>
class TMaxControl : public Widget, public TMouseEvents {
 public:
  using Widget::Widget;

 protected:
  void mousePressEvent(QMouseEvent* event) override { RaiseMouseDown(this, event); }
  void mouseDoubleClickEvent(QMouseEvent* event) override { RaiseDblClick(this, event); }
  void mouseMoveEvent(QMouseEvent* event) override { RaiseMouseMove(this, event); }
  void mouseReleaseEvent(QMouseEvent* event) override {
    RaiseMouseUp(this, event, this->rect().contains(event->position().toPoint()));
  }
};
