// Unit MaxBtn: TMaxButton, a flat push or toggle button with three looks, an optional glyph and a
// second caption at its right end, drawn in the palette's 3-D colours. The unit's check box and track
// bar are TMaxCheck (MaxCheck.h) and TMaxTrack (MaxTrack.h).
#pragma once

#include <QImage>
#include <QPixmap>
#include <QString>
#include <QWidget>

#include "controls/MaxControl.h"

namespace MaxBtnTypes {
Q_NAMESPACE

enum TMaxButtonStyle { mbsDefault, mbsGradation, mbsInvert };
Q_ENUM_NS(TMaxButtonStyle)

}  // namespace MaxBtnTypes

using namespace MaxBtnTypes;

class TMaxButton : public TMaxControl<QWidget> {
  Q_OBJECT
  Q_PROPERTY(MaxTypes::TAlignment Alignment READ GetAlignment WRITE SetAlignment)
  Q_PROPERTY(bool AllowAllUp READ GetAllowAllUp WRITE SetAllowAllUp)
  Q_PROPERTY(QString Caption READ GetCaption WRITE SetCaption)
  Q_PROPERTY(QString Caption2 READ GetCaption2 WRITE SetCaption2)
  Q_PROPERTY(TColor Color READ GetColor WRITE SetColor)
  Q_PROPERTY(bool Down READ GetDown WRITE SetDown)
  Q_PROPERTY(QPixmap Glyph READ GetGlyphPixmap WRITE SetGlyphPixmap)
  Q_PROPERTY(int GroupIndex READ GetGroupIndex WRITE SetGroupIndex)
  Q_PROPERTY(MaxBtnTypes::TMaxButtonStyle Style READ GetStyle WRITE SetStyle)

 public:
  explicit TMaxButton(QWidget* parent = nullptr);

  QSize sizeHint() const override { return {64, 16}; }

  TAlignment GetAlignment() const { return alignment_; }
  void SetAlignment(TAlignment v);
  bool GetAllowAllUp() const { return allowAllUp_; }
  void SetAllowAllUp(bool v);
  QString GetCaption() const { return caption_; }
  void SetCaption(const QString& v);
  QString GetCaption2() const { return caption2_; }
  void SetCaption2(const QString& v);
  TColor GetColor() const { return color_; }
  void SetColor(TColor v);
  bool GetDown() const { return down_; }
  void SetDown(bool v);
  // The button keeps its own copy; null removes the glyph.
  const QImage& GetGlyph() const { return glyph_; }
  void SetGlyph(const QImage* glyph);
  // The same as a pixmap, the picture type of property editors.
  QPixmap GetGlyphPixmap() const { return QPixmap::fromImage(glyph_); }
  void SetGlyphPixmap(const QPixmap& glyph);
  int GetGroupIndex() const { return groupIndex_; }
  void SetGroupIndex(int v);
  TMaxButtonStyle GetStyle() const { return style_; }
  void SetStyle(TMaxButtonStyle v);

  // Sends the group notice (GroupIndex, this button) to every sibling button.
  void UpdateExclusive();
  // The group notice: another button of group `groupIndex` went down or changed AllowAllUp.
  void ButtonPressed(int groupIndex, TMaxButton* sender);
  virtual void Click();

  // Whether the button is drawn pushed in (pressed now, or latched down).
  bool IsDrawnDown() const { return state_ != State::Up; }

 protected:
  virtual void Paint(QPainter& painter);
  void paintEvent(QPaintEvent* event) override;
  void changeEvent(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  enum class State { Up, Pressed, Latched };

  void Press(const QMouseEvent* event);
  void PaintFrame(QPainter& painter);
  void PaintGradation(QPainter& painter);
  void PaintGlyph(QPainter& painter);
  void PaintCaptions(QPainter& painter);

  TAlignment alignment_ = taCenter;
  bool allowAllUp_ = false;
  QString caption_;
  QString caption2_;
  TColor color_ = clBtnFace;
  bool down_ = false;
  QImage glyph_;
  int groupIndex_ = 0;
  TMaxButtonStyle style_ = mbsDefault;
  State state_ = State::Up;
  bool dragging_ = false;
};
