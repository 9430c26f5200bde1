// TMaxColorBar, the colour picker's two-colour gradient with a movable marker (the value slider).
#pragma once

#include <QImage>
#include <QWidget>

#include "controls/MaxControl.h"

enum TMaxColorBarStyle { mbctHorizonal, mbctVertical };

class TMaxColorBar : public TMaxControl<QWidget> {
  Q_OBJECT
  Q_PROPERTY(int BarStyle READ GetBarStyleInt WRITE SetBarStyleInt)
  Q_PROPERTY(int CursorSize READ GetCursorSize WRITE SetCursorSize)
  Q_PROPERTY(TColor MinColor READ GetMinColor WRITE SetMinColor)
  Q_PROPERTY(TColor MaxColor READ GetMaxColor WRITE SetMaxColor)
  Q_PROPERTY(double Position READ GetPosition WRITE SetPosition)
  Q_PROPERTY(TColor PosColor READ GetColor)
  Q_PROPERTY(TColor Color READ GetControlColor WRITE SetControlColor)

 public:
  explicit TMaxColorBar(QWidget* parent = nullptr);

  QSize sizeHint() const override { return {128, 20}; }

  TMaxColorBarStyle GetBarStyle() const { return barStyle_; }
  // A change swaps Width and Height.
  void SetBarStyle(TMaxColorBarStyle v);
  int GetCursorSize() const { return cursorSize_; }
  void SetCursorSize(int v);
  TColor GetMinColor() const { return minColor_; }
  // Redraws the gradient when changed; OnChange in every case.
  void SetMinColor(TColor c);
  TColor GetMaxColor() const { return maxColor_; }
  void SetMaxColor(TColor c);
  double GetPosition() const { return position_; }
  // Clamped to [0, 1]; redraws the marker when changed; OnChange in every case.
  void SetPosition(double v);
  // The colour at Position (PosColor).
  TColor GetColor() const;
  void SetColorFromPosition(int x, int y);
  // The background of the marker strip.
  TColor GetControlColor() const { return color_; }
  void SetControlColor(TColor c);

  // The gradient as drawn (columns for a horizontal bar, rows bottom-up for a vertical one), null
  // when there is nothing to draw.
  QImage GradientImage() const;

  TNotifyEvent OnChange;

 protected:
  void Paint(QPainter& painter);
  void PaintBar(QPainter& painter);
  void PaintCursor(QPainter& painter);
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  int GetBarStyleInt() const { return barStyle_; }
  void SetBarStyleInt(int v) { SetBarStyle(static_cast<TMaxColorBarStyle>(v)); }

  TMaxColorBarStyle barStyle_ = mbctHorizonal;
  int cursorSize_ = 5;
  TColor minColor_ = clBlack;
  TColor maxColor_ = clWhite;
  double position_ = 0;
  TColor color_ = clBtnFace;
};
