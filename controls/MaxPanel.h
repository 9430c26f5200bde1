// TMaxPanel, a panel of unit MaxGroup whose children are scrolled vertically by dragging the panel.
#pragma once

#include <QString>
#include <QWidget>

#include "controls/MaxControl.h"


class TMaxPanel : public TMaxControl<QWidget> {
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
  explicit TMaxPanel(QWidget* parent = nullptr);
  ~TMaxPanel() override;

  QSize sizeHint() const override { return {185, 41}; }

  TAlignment GetAlignment() const { return alignment_; }
  void SetAlignment(TAlignment v);
  TBevelCut GetBevelInner() const { return bevelInner_; }
  void SetBevelInner(TBevelCut v);
  TBevelCut GetBevelOuter() const { return bevelOuter_; }
  void SetBevelOuter(TBevelCut v);
  int GetBevelWidth() const { return bevelWidth_; }
  void SetBevelWidth(int v);
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

  bool IsDragging() const { return dragging_; }

  TNotifyEvent OnResize;
  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;

 protected:
  virtual void Paint(QPainter& painter);
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void StartDrag(int y);
  void EndDrag();
  void DragTo(int y);

  TAlignment alignment_ = taCenter;
  TBevelCut bevelInner_ = bvNone;
  TBevelCut bevelOuter_ = bvRaised;
  int bevelWidth_ = 1;
  int borderWidth_ = 0;
  TBorderStyle borderStyle_ = bsNone;
  QString caption_;
  TColor color_ = clBtnFace;
  bool dragging_ = false;
  int lastY_ = 0;
};
