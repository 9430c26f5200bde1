// Unit MaxGroup: TMaxGroupBox, a group box that collapses to its caption strip and keeps the next
// group of a chain placed below it. The unit's containers are TMaxControlBox (MaxControlBox.h) and
// TMaxPanel (MaxPanel.h).
#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

#include "controls/MaxControl.h"

namespace MaxGroupTypes {
Q_NAMESPACE

enum TMaxGroupBoxStyle { mgbDefault, mgbAlias };
Q_ENUM_NS(TMaxGroupBoxStyle)

}  // namespace MaxGroupTypes

using namespace MaxGroupTypes;

class TMaxGroupBox : public TMaxControl<QWidget> {
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
