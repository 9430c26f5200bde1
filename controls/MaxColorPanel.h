// TMaxColorPanel, the composite colour picker: wheel, value bar, swatch, unit box and three number
// edits.
#pragma once

#include <QString>
#include <QWidget>

#include "controls/MaxColor.h"
#include "controls/MaxControl.h"

class QComboBox;
class QLabel;
class TMaxColorBar;
class TMaxColorCircle;
class TMaxNumberEdit;

class TMaxColorPanelSwatch;

class TMaxColorPanel : public TMaxControl<QWidget> {
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
