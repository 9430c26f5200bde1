// The one shape of the family's property setters, as Qt's own widgets have it: an unchanged value
// returns at once; a new one is stored and the widget is scheduled for repainting with update()
// (never a synchronous repaint()); then the setter raises its event:
//
//   void TMaxCheck::SetChecked(bool v) {
//     if (StoreChanged(this, checked_, v) && OnChange) OnChange(this);
//   }
//
// Three setters raise OnChange without a change, because the controls built on them count on it:
// TMaxColorBar's SetMinColor, SetMaxColor and SetPosition (the colour panel refreshes its edits
// from the bar's OnChange), and TMaxTrack's Position writer (every drag step reports the thumb).
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
