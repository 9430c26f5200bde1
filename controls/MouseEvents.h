// TMouseEvents: the mouse and click events every control of the family publishes.
#pragma once

#include "controls/Events.h"

class QMouseEvent;

// The mouse and click events every control of the family publishes, with the order in which they are
// raised: a press raises OnMouseDown; a double press OnDblClick then OnMouseDown with ssDouble; a left
// release raises OnClick first when the left press started inside and ends inside, then OnMouseUp.
// Controls derive from it through TMaxControl (MaxControl.h), which forwards the Qt mouse handlers to
// the Raise functions.
class TMouseEvents {
 public:
  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TMouseEvent OnMouseDown;
  TMouseMoveEvent OnMouseMove;
  TMouseEvent OnMouseUp;

 protected:
  void RaiseMouseDown(QObject* sender, const QMouseEvent* event);
  void RaiseDblClick(QObject* sender, const QMouseEvent* event);
  void RaiseMouseMove(QObject* sender, const QMouseEvent* event);
  // `inside` tells whether the release point lies in the control's client area.
  void RaiseMouseUp(QObject* sender, const QMouseEvent* event, bool inside);

 private:
  bool clickArmed_ = false;
};
