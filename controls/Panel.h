// TPanel: the panel the family's painted panels are built on (TPaintPanel, TMaxPanel), with the
// standard panel properties (bevels, border, caption, colour) and the resize and focus events. Each
// panel draws these itself; a change of the border calls FrameChanged so that it can lay out again.
#pragma once

#include <QString>
#include <QWidget>

#include "controls/MaxControl.h"

class TPanel : public TMaxControl<QWidget> {
  Q_OBJECT
  Q_PROPERTY(MaxTypes::TAlignment Alignment READ GetAlignment WRITE SetAlignment)
  Q_PROPERTY(MaxTypes::TBevelCut BevelInner READ GetBevelInner WRITE SetBevelInner)
  Q_PROPERTY(MaxTypes::TBevelCut BevelOuter READ GetBevelOuter WRITE SetBevelOuter)
  Q_PROPERTY(int BevelWidth READ GetBevelWidth WRITE SetBevelWidth)
  Q_PROPERTY(int BorderWidth READ GetBorderWidth WRITE SetBorderWidth)
  Q_PROPERTY(MaxTypes::TBorderStyle BorderStyle READ GetBorderStyle WRITE SetBorderStyle)
  Q_PROPERTY(QString Caption READ GetCaption WRITE SetCaption)
  Q_PROPERTY(TColor Color READ GetColor WRITE SetColor)

 public:
  explicit TPanel(QWidget* parent = nullptr);

  QSize sizeHint() const override { return {185, 41}; }

  TAlignment GetAlignment() const { return alignment_; }
  void SetAlignment(TAlignment v);
  TBevelCut GetBevelInner() const { return bevelInner_; }
  void SetBevelInner(TBevelCut v);
  TBevelCut GetBevelOuter() const { return bevelOuter_; }
  void SetBevelOuter(TBevelCut v);
  // At least 1.
  int GetBevelWidth() const { return bevelWidth_; }
  void SetBevelWidth(int v);
  // At least 0.
  int GetBorderWidth() const { return borderWidth_; }
  void SetBorderWidth(int v);
  TBorderStyle GetBorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle v) { SetBorderStyle(static_cast<int>(v)); }
  // A raw style number (from a form file or a script): only bsNone and bsSingle are taken.
  void SetBorderStyle(int v);
  QString GetCaption() const { return caption_; }
  void SetCaption(const QString& v);
  TColor GetColor() const { return color_; }
  void SetColor(TColor v);

  TNotifyEvent OnResize;
  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;

 protected:
  // The frame's width changed (border style); the panel lays out what lies inside it.
  virtual void FrameChanged() {}

  void resizeEvent(QResizeEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  TAlignment alignment_ = taCenter;
  TBevelCut bevelInner_ = bvNone;
  TBevelCut bevelOuter_ = bvRaised;
  int bevelWidth_ = 1;
  int borderWidth_ = 0;
  TBorderStyle borderStyle_ = bsNone;
  QString caption_;
  TColor color_ = clBtnFace;
};
