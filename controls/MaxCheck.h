// TMaxCheck, the check box of unit MaxBtn, drawn in the palette's 3-D colours.
#pragma once

#include <QString>
#include <QWidget>

#include "controls/MaxControl.h"

class TMaxCheck : public TMaxControl<QWidget> {
  Q_OBJECT
  Q_PROPERTY(bool Checked READ GetChecked WRITE SetChecked)
  Q_PROPERTY(QString Caption READ GetCaption WRITE SetCaption)
  Q_PROPERTY(TColor Color READ GetColor WRITE SetColor)

 public:
  explicit TMaxCheck(QWidget* parent = nullptr);

  QSize sizeHint() const override { return {64, 13}; }

  bool GetChecked() const { return checked_; }
  void SetChecked(bool v);
  QString GetCaption() const { return caption_; }
  void SetCaption(const QString& v);
  TColor GetColor() const { return color_; }
  void SetColor(TColor v);

  // A left click released inside: clears the pressed state, inverts Checked, raises OnClick.
  virtual void Click();

  TNotifyEvent OnChange;

 protected:
  virtual void Paint(QPainter& painter);
  void paintEvent(QPaintEvent* event) override;
  void changeEvent(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void Press(const QMouseEvent* event);
  void PaintMark(QPainter& painter, int size, bool greyed);

  bool checked_ = false;
  QString caption_;
  TColor color_ = clBtnFace;
  bool pressed_ = false;
  bool inside_ = false;
};
