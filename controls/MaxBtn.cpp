#include "controls/MaxBtn.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <algorithm>

#include "controls/Drawing.h"
#include "controls/Events.h"
#include "controls/Palette.h"
#include "controls/Setter.h"

namespace MaxBtn {
void Register(TPaletteList& palette) {
  RegisterComponents(palette, QStringLiteral("MAX"), {"TMaxButton", "TMaxCheck", "TMaxTrack"});
}
}  // namespace MaxBtn

namespace {

void Line(QPainter& p, const QColor& c, int x0, int y0, int x1, int y1) {
  p.setPen(c);
  DrawLine(p, x0, y0, x1, y1);
}

// A brush of alternating button-face and button-highlight pixels, anchored at the widget origin.
QBrush DitherBrush(const QWidget* w) {
  QImage tile(8, 8, QImage::Format_RGB32);
  const QRgb face = ToQColor(clBtnFace, w).rgb();
  const QRgb light = ToQColor(clBtnHighlight, w).rgb();
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x) tile.setPixel(x, y, ((x + y) & 1) ? light : face);
  }
  return QBrush(QPixmap::fromImage(tile));
}

int TextFlags(TAlignment a) {
  const int h = a == taLeftJustify ? Qt::AlignLeft : a == taRightJustify ? Qt::AlignRight : Qt::AlignHCenter;
  return h | Qt::AlignVCenter | Qt::TextSingleLine;
}

// Drawn clipped to `r`, as a single-line text box would be.
void Text(QPainter& p, const QRect& r, int flags, const QString& text, const QColor& c) {
  if (r.isEmpty() || text.isEmpty()) return;
  p.save();
  p.setClipRect(r, Qt::IntersectClip);
  p.setPen(c);
  p.drawText(r, flags, text);
  p.restore();
}

}  // namespace

TMaxButton::TMaxButton(QWidget* parent) : TMaxControl(parent) { resize(64, 16); }

void TMaxButton::SetAlignment(TAlignment v) { StoreChanged(this, alignment_, v); }

void TMaxButton::SetStyle(TMaxButtonStyle v) { StoreChanged(this, style_, v); }

void TMaxButton::SetCaption(const QString& v) { StoreChanged(this, caption_, v); }

void TMaxButton::SetCaption2(const QString& v) { StoreChanged(this, caption2_, v); }

void TMaxButton::SetColor(TColor v) { StoreChanged(this, color_, v); }

void TMaxButton::SetGlyph(const QImage* glyph) {
  StoreChanged(this, glyph_, glyph ? glyph->copy() : QImage());
}

void TMaxButton::SetGlyphPixmap(const QPixmap& glyph) {
  const QImage image = glyph.toImage();
  SetGlyph(image.isNull() ? nullptr : &image);
}

void TMaxButton::SetGroupIndex(int v) {
  if (v == groupIndex_) return;
  groupIndex_ = v;
  // Out of every group a button cannot be down, and SetDown could never release it any more.
  if (v == 0 && down_) {
    down_ = false;
    state_ = State::Up;
    update();
  }
  UpdateExclusive();
}

void TMaxButton::SetAllowAllUp(bool v) {
  if (v == allowAllUp_) return;
  allowAllUp_ = v;
  UpdateExclusive();
}

void TMaxButton::SetDown(bool v) {
  if (groupIndex_ == 0) v = false;
  if (v == down_) return;
  // A latched button of a group without AllowAllUp goes up only when another one goes down.
  if (down_ && !allowAllUp_) return;
  down_ = v;
  if (v) {
    if (state_ == State::Up) update();
    state_ = State::Latched;
    UpdateExclusive();
  } else {
    state_ = State::Up;
    update();
  }
}

void TMaxButton::UpdateExclusive() {
  if (groupIndex_ == 0 || !parentWidget()) return;
  const QList<TMaxButton*> siblings =
      parentWidget()->findChildren<TMaxButton*>(Qt::FindDirectChildrenOnly);
  for (TMaxButton* b : siblings) b->ButtonPressed(groupIndex_, this);
}

void TMaxButton::ButtonPressed(int groupIndex, TMaxButton* sender) {
  if (groupIndex != groupIndex_ || !sender || sender == this) return;
  if (sender->down_ && down_) {
    down_ = false;
    state_ = State::Up;
    update();
  }
  allowAllUp_ = sender->allowAllUp_;
}

void TMaxButton::Click() {
  if (OnClick) OnClick(this);
}

void TMaxButton::changeEvent(QEvent* event) {
  if (event->type() == QEvent::FontChange || event->type() == QEvent::EnabledChange ||
      event->type() == QEvent::PaletteChange) {
    update();
  }
  QWidget::changeEvent(event);
}

void TMaxButton::Press(const QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !isEnabled()) return;
  if (!down_) {
    state_ = State::Pressed;
    update();
  }
  dragging_ = true;
}

void TMaxButton::mousePressEvent(QMouseEvent* event) {
  RaiseMouseDown(this, event);
  Press(event);
}

void TMaxButton::mouseDoubleClickEvent(QMouseEvent* event) {
  RaiseDblClick(this, event);
  Press(event);
}

void TMaxButton::mouseMoveEvent(QMouseEvent* event) {
  RaiseMouseMove(this, event);
  if (!dragging_) return;
  const bool inside = rect().contains(event->position().toPoint());
  State next = down_ ? State::Latched : State::Up;
  if (inside) next = down_ ? State::Latched : State::Pressed;
  if (next != state_) {
    state_ = next;
    update();
  }
}

void TMaxButton::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && dragging_) {
    dragging_ = false;
    const bool inside = rect().contains(event->position().toPoint());
    const State before = state_;
    if (groupIndex_ == 0) {
      state_ = State::Up;
      if (inside || state_ != before) update();
    } else if (inside) {
      SetDown(!down_);
      if (down_) repaint();
    } else {
      // Released outside without a move first: the button must not stay drawn pressed.
      state_ = down_ ? State::Latched : State::Up;
      repaint();
    }
    if (inside) Click();
  }
  TMouseButton button;
  if (OnMouseUp && MouseButtonOf(event->button(), button)) {
    const QPoint p = event->position().toPoint();
    OnMouseUp(this, button, ShiftStateOf(event->modifiers(), event->buttons()), p.x(), p.y());
  }
}

void TMaxButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  Paint(painter);
}

void TMaxButton::Paint(QPainter& painter) {
  if (style_ == mbsGradation) {
    PaintGradation(painter);
  } else {
    PaintFrame(painter);
  }
  if (!glyph_.isNull()) {
    PaintGlyph(painter);
  } else {
    PaintCaptions(painter);
  }
}

// Two-pixel push-button frame: raised when up, sunken when pushed in.
void TMaxButton::PaintFrame(QPainter& p) {
  const int w = width(), h = height();
  const QColor light = ToQColor(clBtnHighlight, this), dark = ToQColor(cl3DDkShadow, this);
  const QColor shadow = ToQColor(clBtnShadow, this), mid = ToQColor(cl3DLight, this);
  const bool pushed = state_ != State::Up;
  p.fillRect(RectLTRB(0, 0, w, h), ToQColor(clBtnFace, this));
  const QColor& outerTL = pushed ? dark : light;
  const QColor& outerBR = pushed ? light : dark;
  const QColor& innerTL = pushed ? shadow : mid;
  const QColor& innerBR = pushed ? mid : shadow;
  Line(p, outerTL, 0, 0, w - 1, 0);
  Line(p, outerTL, 0, 0, 0, h - 1);
  Line(p, outerBR, 0, h - 1, w, h - 1);
  Line(p, outerBR, w - 1, 0, w - 1, h);
  Line(p, innerTL, 1, 1, w - 2, 1);
  Line(p, innerTL, 1, 1, 1, h - 2);
  Line(p, innerBR, 1, h - 2, w - 1, h - 2);
  Line(p, innerBR, w - 2, 1, w - 2, h - 1);
  if (state_ == State::Latched && !dragging_) p.fillRect(RectLTRB(2, 2, w - 2, h - 2), DitherBrush(this));
}

void TMaxButton::PaintGradation(QPainter& p) {
  const int w = width(), h = height();
  if (h <= 0 || w <= 0) return;
  TColor base = ColorToRGB(color_, this);
  if (IsSystemColor(color_)) {
    const auto raise = [](int c) { return std::min(255, c + c / 4); };
    base = RGB(raise(GetRValue(base)), raise(GetGValue(base)), raise(GetBValue(base)));
  }
  const QColor shadow = ToQColor(clBtnShadow, this), light = ToQColor(clBtnHighlight, this);
  const QColor dark = ToQColor(cl3DDkShadow, this);
  // Channel scaling runs in int: H up to a few thousand pixels keeps 255 * 3H far from overflow.
  const auto shade = [&](int num, int den) {
    return QColor(GetRValue(base) * num / den, GetGValue(base) * num / den, GetBValue(base) * num / den);
  };
  if (state_ == State::Pressed || down_) {
    Line(p, shadow, 1, 1, w, 1);
    Line(p, shadow, 1, 1, 1, h);
    Line(p, light, 0, h - 1, w, h - 1);
    Line(p, light, w - 1, 0, w - 1, h);
    Line(p, dark, 0, 0, w, 0);
    Line(p, dark, 0, 0, 0, h);
    for (int i = 0; i < h - 3; ++i) p.fillRect(RectLTRB(2, i + 2, w - 1, i + 3), shade(2 * h + i, 3 * h));
  } else {
    Line(p, shadow, 0, h - 2, w - 1, h - 2);
    Line(p, shadow, w - 2, 0, w - 2, h - 1);
    Line(p, light, 0, 0, w, 0);
    Line(p, light, 0, 0, 0, h);
    Line(p, dark, 0, h - 1, w, h - 1);
    Line(p, dark, w - 1, 0, w - 1, h);
    for (int i = 0; i < h - 3; ++i) p.fillRect(RectLTRB(1, i + 1, w - 2, i + 2), shade(3 * h - i, 3 * h));
  }
}

void TMaxButton::PaintGlyph(QPainter& p) {
  int x = (width() - glyph_.width()) / 2;
  int y = (height() - glyph_.height()) / 2;
  const bool in = state_ != State::Up;
  if (in && style_ == mbsInvert) {
    QImage inverted = glyph_.convertToFormat(QImage::Format_ARGB32);
    inverted.invertPixels(QImage::InvertRgb);
    p.drawImage(x, y, inverted);
    return;
  }
  if (in) ++x, ++y;
  p.drawImage(x, y, glyph_);
}

void TMaxButton::PaintCaptions(QPainter& p) {
  p.setFont(font());
  const int w2 = caption2_.isEmpty() ? 0 : p.fontMetrics().horizontalAdvance(caption2_);
  QRect r = RectLTRB(3, 1, width() - 3 - w2, height() - 2);
  if (alignment_ == taCenter) r.adjust(-1, 0, 1, 0);
  if (state_ == State::Pressed || down_) r.translate(2, 2);
  const int flags = TextFlags(alignment_);
  const QRect r2 = RectLTRB(r.right() + 1, r.top(), r.right() + 1 + w2, r.bottom() + 1);
  if (isEnabled()) {
    const QColor c = palette().color(QPalette::ButtonText);
    Text(p, r, flags, caption_, c);
    Text(p, r2, flags, caption2_, c);
    return;
  }
  const QColor light = ToQColor(clBtnHighlight, this), shadow = ToQColor(clBtnShadow, this);
  Text(p, r.translated(1, 1), flags, caption_, light);
  Text(p, r, flags, caption_, shadow);
  Text(p, r2.translated(1, 1), flags, caption2_, light);
  Text(p, r2, flags, caption2_, shadow);
}
