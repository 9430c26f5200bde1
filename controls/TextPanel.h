// TTextPanel, the text panel of unit PPanel: a bevelled box with a one-line caption that runs
// horizontally or top to bottom.
#pragma once

#include <QString>
#include <QWidget>

#include "controls/MaxControl.h"

class QPainter;

enum TTextPanelTextStyle { tptsHorizonal, tptsVertical };

class TTextPanel : public TMaxControl<QWidget> {
  Q_OBJECT
  Q_PROPERTY(TAlignment Alignment READ GetAlignment WRITE SetAlignment)
  Q_PROPERTY(TBevelCut BevelInner READ GetBevelInner WRITE SetBevelInner)
  Q_PROPERTY(int TextMargin READ GetTextMargin WRITE SetTextMargin)
  Q_PROPERTY(int TextStyle READ GetTextStyleInt WRITE SetTextStyleInt)
  Q_PROPERTY(QString Caption READ GetCaption WRITE SetCaption)
  Q_PROPERTY(TColor Color READ GetColor WRITE SetColor)

 public:
  explicit TTextPanel(QWidget* parent = nullptr);

  QSize sizeHint() const override { return {96, 17}; }

  TAlignment GetAlignment() const { return alignment_; }
  void SetAlignment(TAlignment v);
  TBevelCut GetBevelInner() const { return bevelInner_; }
  void SetBevelInner(TBevelCut v);
  int GetTextMargin() const { return textMargin_; }
  void SetTextMargin(int v);
  TTextPanelTextStyle GetTextStyle() const { return textStyle_; }
  void SetTextStyle(TTextPanelTextStyle v);
  QString GetCaption() const { return caption_; }
  void SetCaption(const QString& v);
  TColor GetColor() const { return color_; }
  void SetColor(TColor v);

  TNotifyEvent OnPaint;

 protected:
  virtual void Paint(QPainter& painter);
  virtual void PaintText(QPainter& painter);
  virtual void PaintHorizonalText(QPainter& painter);
  virtual void PaintVerticalText(QPainter& painter);

  void paintEvent(QPaintEvent* event) override;

 private:
  int GetTextStyleInt() const { return textStyle_; }
  void SetTextStyleInt(int v) { SetTextStyle(static_cast<TTextPanelTextStyle>(v)); }

  TAlignment alignment_ = taLeftJustify;
  TBevelCut bevelInner_ = bvLowered;
  int textMargin_ = 4;
  TTextPanelTextStyle textStyle_ = tptsHorizonal;
  QString caption_;
  TColor color_ = clBtnFace;
};
