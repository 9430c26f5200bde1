// The one shape of the family's property setters, as Qt's own widgets have it: an unchanged value
// returns at once; a new one is stored and the widget is scheduled for repainting with update()
// (never a synchronous repaint()); then the setter raises its event:
//
//   void TMaxCheck::SetChecked(bool v) {
//     if (StoreChanged(this, checked_, v) && OnChange) OnChange(this);
//   }
//
// The family raises an event without a change in four setters only, because what is built on them
// counts on it: TMaxColorBar's SetMinColor, SetMaxColor and SetPosition (the colour panel refreshes
// its edits from the bar's OnChange) and TMaxTrack's Position writer (every step of a drag reports
// the thumb).
#pragma once

#include <QWidget>

// Stores `value` in `field` and schedules `widget` for repainting; false, with nothing done, when
// the value is already there.
template <typename T, typename V>
bool StoreChanged(QWidget* widget, T& field, const V& value) {
  if (field == value) return false;
  field = value;
  widget->update();
  return true;
}
