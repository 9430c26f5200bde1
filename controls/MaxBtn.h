// Unit MaxBtn: TMaxButton, a flat push or toggle button with three looks, an optional glyph and a
// second caption at its right end; TMaxCheck, a check box; TMaxTrack, a small horizontal slider over
// a single-precision range. All three are drawn in the palette's 3-D colours.
#pragma once

#include <QImage>
#include <QPixmap>
#include <QString>
#include <QWidget>

#include "controls/Types.h"

namespace MaxBtnTypes {
Q_NAMESPACE

enum TMaxButtonStyle { mbsDefault, mbsGradation, mbsInvert };
Q_ENUM_NS(TMaxButtonStyle)

}  // namespace MaxBtnTypes

using namespace MaxBtnTypes;

class TMaxButton : public QWidget, public TMouseEvents {
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

class TMaxCheck : public QWidget, public TMouseEvents {
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

class TMaxTrack : public QWidget, public TMouseEvents {
  Q_OBJECT
  Q_PROPERTY(float Min READ GetMin WRITE SetMin)
  Q_PROPERTY(float Max READ GetMax WRITE SetMax)
  Q_PROPERTY(float Position READ GetPosition WRITE ChangePosition)
  Q_PROPERTY(TColor Color READ GetColor WRITE SetColor)

 public:
  explicit TMaxTrack(QWidget* parent = nullptr);

  QSize sizeHint() const override { return {64, 13}; }

  float GetMin() const { return min_; }
  // Raises Max to x when needed; moves the position up to x when it lies below.
  void SetMin(float x);
  float GetMax() const { return max_; }
  // Lowers Min to x when needed; moves the position down to x when it lies above.
  void SetMax(float x);
  float GetPosition() const { return position_; }
  // Clamps to [Min, Max] and repaints at once, without OnChange.
  void SetPosition(float v);
  // The Position property's writer: the same clamp and repaint, then OnChange.
  void ChangePosition(float v);
  TColor GetColor() const { return color_; }
  void SetColor(TColor v);

  // Left edge of the thumb in pixels, 0 when the range is empty.
  int ThumbX() const;

  virtual void Click();

  TNotifyEvent OnChange;

 protected:
  virtual void Paint(QPainter& painter);
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  float Clamp(float v) const;
  void Track(int x);

  float min_ = 0.0f;
  float max_ = 1.0f;
  float position_ = 0.0f;
  TColor color_ = clBtnFace;
  bool leftPressed_ = false;
};
