// TMaxTrack, the track bar of unit MaxBtn: a small horizontal slider over a single-precision range.
#pragma once

#include <QWidget>

#include "controls/MaxControl.h"

class TMaxTrack : public TMaxControl<QWidget> {
  Q_OBJECT
  Q_PROPERTY(float Min READ GetMin WRITE SetMin)
  Q_PROPERTY(float Max READ GetMax WRITE SetMax)
  Q_PROPERTY(float Position READ GetPosition WRITE ChangePosition)
  Q_PROPERTY(TColor Color READ GetColor WRITE SetColor)

 public:
  explicit TMaxTrack(QWidget* parent = nullptr);

  QSize sizeHint() const override { return {64, 13}; }

  float GetMin() const { return min_; }
  // Raises Max to x when needed; moves the position up to x when it lies below.
  void SetMin(float x);
  float GetMax() const { return max_; }
  // Lowers Min to x when needed; moves the position down to x when it lies above.
  void SetMax(float x);
  float GetPosition() const { return position_; }
  // Clamps to [Min, Max] and repaints at once, without OnChange.
  void SetPosition(float v);
  // The Position property's writer: the same clamp and repaint, then OnChange.
  void ChangePosition(float v);
  TColor GetColor() const { return color_; }
  void SetColor(TColor v);

  // Left edge of the thumb in pixels, 0 when the range is empty.
  int ThumbX() const;

  virtual void Click();

  TNotifyEvent OnChange;

 protected:
  virtual void Paint(QPainter& painter);
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  float Clamp(float v) const;
  void Track(int x);

  float min_ = 0.0f;
  float max_ = 1.0f;
  float position_ = 0.0f;
  TColor color_ = clBtnFace;
  bool leftPressed_ = false;
};
