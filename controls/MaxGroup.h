// Unit MaxGroup: TMaxControlBox, a container that paints nothing; TMaxPanel, a panel whose children
// are scrolled vertically by dragging the panel; TMaxGroupBox, a group box that collapses to its
// caption strip and keeps the next group of a chain placed below it.
#pragma once

#include <QCursor>
#include <QPointer>
#include <QString>
#include <QWidget>

#include "controls/Types.h"

namespace MaxGroupTypes {
Q_NAMESPACE

enum TMaxGroupBoxStyle { mgbDefault, mgbAlias };
Q_ENUM_NS(TMaxGroupBoxStyle)

}  // namespace MaxGroupTypes

using namespace MaxGroupTypes;

class TMaxControlBox : public QWidget, public TMouseEvents {
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
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  TColor color_ = clBtnFace;
};

class TMaxPanel : public QWidget, public TMouseEvents {
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

class TMaxGroupBox : public QWidget, public TMouseEvents {
  Q_OBJECT
  Q_PROPERTY(QString Caption READ GetCaption WRITE SetCaption)
  Q_PROPERTY(TColor Color READ GetColor WRITE SetColor)
  Q_PROPERTY(MaxGroupTypes::TMaxGroupBoxStyle Style READ GetStyle WRITE SetStyle)
  Q_PROPERTY(bool Minimized READ GetMinimized WRITE SetMinimized)
  Q_PROPERTY(int MaxHeight READ GetMaxHeight WRITE SetMaxHeight)
  Q_PROPERTY(QWidget* ChildPanel READ GetChildPanel WRITE SetChildPanel)
  Q_PROPERTY(QWidget* NextGroup READ GetNextGroup WRITE SetNextGroup)
  Q_PROPERTY(int NextOffset READ GetNextOffset WRITE SetNextOffset)

 public:
  explicit TMaxGroupBox(QWidget* parent = nullptr);

  QSize sizeHint() const override { return {185, 105}; }

  QString GetCaption() const { return caption_; }
  void SetCaption(const QString& v);
  TColor GetColor() const { return color_; }
  void SetColor(TColor v);
  TMaxGroupBoxStyle GetStyle() const { return style_; }
  void SetStyle(TMaxGroupBoxStyle v);
  bool GetMinimized() const { return minimized_; }
  void SetMinimized(bool v);
  int GetMaxHeight() const { return maxHeight_; }
  void SetMaxHeight(int v);
  QWidget* GetChildPanel() const { return childPanel_; }
  // Only a child of this box (or null); laid out at the next size change.
  void SetChildPanel(QWidget* c);
  QWidget* GetNextGroup() const { return nextGroup_; }
  // Only a sibling of this box (or null). Refused as well when the chain would lead back to this
  // box: a loop would move its boxes for ever.
  void SetNextGroup(QWidget* c);
  int GetNextOffset() const { return nextOffset_; }
  void SetNextOffset(int v);

  void UpdateChildPanel();
  void UpdateNextGroup();

  // Height of the caption strip that takes the collapse press, in pixels.
  static constexpr int kCaptionStrip = 12;

 protected:
  virtual void Paint(QPainter& painter);
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void changeEvent(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void PaintDefault(QPainter& painter);
  void PaintAlias(QPainter& painter);
  void UpdateHitArea();

  QString caption_;
  TColor color_ = clBtnFace;
  TMaxGroupBoxStyle style_ = mgbDefault;
  bool minimized_ = false;
  int maxHeight_ = 105;
  QPointer<QWidget> childPanel_;
  QPointer<QWidget> nextGroup_;
  int nextOffset_ = 8;
  bool captionPress_ = false;
};
