// TMaxColorCircle, the hue/saturation wheel of the colour picker; its value is always 1.
#pragma once

#include <QImage>
#include <QWidget>

#include "controls/MaxColor.h"
#include "controls/MaxControl.h"

class TMaxColorCircle : public TMaxControl<QWidget> {
  Q_OBJECT
  Q_PROPERTY(double H READ GetH WRITE SetH)
  Q_PROPERTY(double S READ GetS WRITE SetS)
  Q_PROPERTY(int CursorSize READ GetCursorSize WRITE SetCursorSize)
  Q_PROPERTY(TColor Color READ GetControlColor WRITE SetControlColor)

 public:
  explicit TMaxColorCircle(QWidget* parent = nullptr);

  QSize sizeHint() const override { return {127, 127}; }

  double GetH() const { return h_; }
  // |v| modulo 360.
  void SetH(double v);
  double GetS() const { return s_; }
  void SetS(double v);
  // H and S taken as they are; V is ignored; no event.
  void SetHSV(const THSVColor& hsv);
  THSVColor GetHSV() const { return {h_, s_, 1}; }
  void SetColor(TColor c) { SetHSV(RGBToHSV(c)); }
  TColor GetColor() const { return HSVToRGB(GetHSV()); }
  void SetDWordColor(unsigned c) { SetColor(SwapRedBlue(c)); }
  unsigned GetDWordColor() const { return SwapRedBlue(GetColor()); }

  // Control coordinates, y downward; points outside the wheel give full saturation.
  THSVColor GetHSVFromPosition(int x, int y) const;
  TColor GetRGBFromPosition(int x, int y) const { return HSVToRGB(GetHSVFromPosition(x, y)); }
  void SetColorFromPosition(int x, int y);

  int GetCursorSize() const { return cursorSize_; }
  void SetCursorSize(int v);
  // The background around the wheel; parent's colour until set.
  TColor GetControlColor() const;
  void SetControlColor(TColor c);

  int GetRadius() const;
  void UpdateCircle(bool force);
  void UpdateColor();
  // The cached wheel image, 24 bits, (2r+1) square; null before the first build.
  const QImage& WheelImage() const { return wheel_; }
  // The wheel colour at (x, y) of an image of radius r, y counted upward from the bottom row.
  static TColor WheelColor(int x, int y, int r);

  TNotifyEvent OnChange;

 protected:
  void CreateCircle(int r, int size);
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  double h_ = 0;
  double s_ = 0;
  int cursorSize_ = 3;
  bool ownColor_ = false;
  TColor color_ = clBtnFace;
  QImage wheel_;
};
