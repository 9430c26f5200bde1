// Unit MaxColor: the colour picker. TMaxColorCircle is a hue/saturation wheel, TMaxColorBar a
// two-colour gradient with a movable marker (the value slider), TMaxColorPanel the composite picker
// (wheel, value bar, swatch, unit box, three number edits). Colours are 0x00BBGGRR; the "DWord"
// accessors take and give 0x00RRGGBB.
#pragma once

#include <QImage>
#include <QString>
#include <QWidget>
#include <functional>

#include "controls/Types.h"

class QComboBox;
class QLabel;
class TMaxNumberEdit;

// Hue in degrees [0, 360), saturation and value in [0, 1].
struct THSVColor {
  double H = 0;
  double S = 0;
  double V = 0;
};

THSVColor RGBToHSV(TColor c);
TColor HSVToRGB(const THSVColor& hsv);

// Rows of a filled circle as spans (x0, x1, y); every row 0 ... 2R is produced exactly once.
void CircleSpans(int cx, int cy, int radius, const std::function<void(int x0, int x1, int y)>& span);

class TMaxColorCircle : public QWidget, public TMouseEvents {
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
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  double h_ = 0;
  double s_ = 0;
  int cursorSize_ = 3;
  bool ownColor_ = false;
  TColor color_ = clBtnFace;
  QImage wheel_;
};

enum TMaxColorBarStyle { mbctHorizonal, mbctVertical };

class TMaxColorBar : public QWidget, public TMouseEvents {
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
  void mouseReleaseEvent(QMouseEvent* event) override;

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

class TMaxColorPanelSwatch;

class TMaxColorPanel : public QWidget, public TMouseEvents {
  Q_OBJECT
  Q_PROPERTY(TColor Color READ GetControlColor WRITE SetControlColor)

 public:
  explicit TMaxColorPanel(QWidget* parent = nullptr);

  QSize sizeHint() const override { return {208, 148}; }

  TColor GetColor() const;
  void SetColor(TColor c);
  unsigned GetDWordColor() const { return SwapRedBlue(GetColor()); }
  void SetDWordColor(unsigned c) { SetColor(SwapRedBlue(c)); }
  THSVColor GetHSV() const;
  void SetHSV(const THSVColor& hsv);
  void SetColorFromPosition(int x, int y);
  THSVColor GetHSVFromPosition(int x, int y) const;
  TColor GetRGBFromPosition(int x, int y) const;

  void UpdateColor();
  void UpdateUnit();

  TColor GetControlColor() const { return color_; }
  void SetControlColor(TColor c);

  TMaxColorCircle* ColorCircle() const { return circle_; }
  TMaxColorBar* BarV() const { return barV_; }
  QComboBox* ComboUnit() const { return comboUnit_; }
  TMaxNumberEdit* EditCol(int i) const { return edits_[i]; }
  QLabel* LabelCol(int i) const { return labels_[i]; }
  QWidget* PaintBoxColor() const;

  TNotifyEvent OnChange;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void FColorCircleChange(QObject* sender);
  void FBarVChange(QObject* sender);
  void FComboUnitChange(QObject* sender);
  void FEditColChange(QObject* sender);
  void FPaintBoxColorPaint(QPainter& painter);
  template <typename F> void WithEditEventsCleared(F&& body);

  TMaxColorCircle* circle_;
  TMaxColorPanelSwatch* swatch_;
  QComboBox* comboUnit_;
  TMaxNumberEdit* edits_[3];
  QLabel* labels_[3];
  TMaxColorBar* barV_;
  TColor color_ = clBtnFace;
  QString hintHSV_[3];
  QString hintRGB_[3];

  friend class TMaxColorPanelSwatch;
};
