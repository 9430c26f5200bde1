// TMaxControlBox, a container of unit MaxGroup that paints nothing: what lies behind it shows
// through until its children cover it.
#pragma once

#include <QWidget>

#include "controls/MaxControl.h"

class TMaxControlBox : public TMaxControl<QWidget> {
  Q_OBJECT
  Q_PROPERTY(TColor Color READ GetColor WRITE SetColor)

 public:
  explicit TMaxControlBox(QWidget* parent = nullptr);

  QSize sizeHint() const override { return {64, 64}; }

  // Kept for the children and the property editor; the box itself never paints it.
  TColor GetColor() const { return color_; }
  void SetColor(TColor v) { color_ = v; }

  TNotifyEvent OnResize;
  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  TColor color_ = clBtnFace;
};
