// TMaxGroupBox of unit MaxGroup.
#include "controls/MaxGroup.h"

#include <QEvent>
#include <QMouseEvent>
#include <QMoveEvent>
#include <QPainter>
#include <QPolygon>
#include <QRegion>
#include <algorithm>

#include "controls/Drawing.h"
#include "controls/Fonts.h"
#include "controls/Palette.h"
#include "controls/Setter.h"

namespace MaxGroup {
void Register(TPaletteList& palette) {
  RegisterComponents(palette, QStringLiteral("MAX"), {"TMaxControlBox", "TMaxPanel", "TMaxGroupBox"});
}
}  // namespace MaxGroup

TMaxGroupBox::TMaxGroupBox(QWidget* parent) : TMaxControl(parent) {
  resize(185, 105);
  maxHeight_ = height();
}

void TMaxGroupBox::SetCaption(const QString& v) { StoreChanged(this, caption_, v); }

void TMaxGroupBox::SetColor(TColor v) { StoreChanged(this, color_, v); }

void TMaxGroupBox::SetStyle(TMaxGroupBoxStyle v) {
  if (v == style_) return;
  style_ = v;
  UpdateHitArea();
  update();
}

// Collapsed, the box is its caption strip: the character height plus 2 (Font.Height is negative).
void TMaxGroupBox::SetMinimized(bool v) {
  if (v == minimized_) return;
  minimized_ = v;
  if (v) {
    maxHeight_ = height();
    resize(width(), 2 - FontHeight(font()));
  } else {
    resize(width(), maxHeight_);
  }
  // A hidden box gets its resize event only when shown; the chain below must follow now.
  if (!isVisible()) {
    UpdateChildPanel();
    UpdateNextGroup();
  }
}

void TMaxGroupBox::SetMaxHeight(int v) {
  maxHeight_ = v;
  if (!minimized_) resize(width(), std::max(0, v));
}

void TMaxGroupBox::SetChildPanel(QWidget* c) {
  if (c && c->parentWidget() != this) return;
  childPanel_ = c;
}

void TMaxGroupBox::SetNextGroup(QWidget* c) {
  if (c) {
    if (c == this || c->parentWidget() != parentWidget()) return;
    for (QWidget* link = c; link;) {
      auto* box = qobject_cast<TMaxGroupBox*>(link);
      if (!box) break;
      link = box->nextGroup_;
      if (link == this) return;
    }
  }
  nextGroup_ = c;
  UpdateNextGroup();
}

void TMaxGroupBox::SetNextOffset(int v) {
  nextOffset_ = v;
  UpdateNextGroup();
}

void TMaxGroupBox::UpdateChildPanel() {
  if (!childPanel_) return;
  const int h = FontHeight(font());
  childPanel_->setGeometry(2, -h, std::max(0, width() - 4), std::max(0, h + maxHeight_ - 2));
  childPanel_->setVisible(!minimized_);
}

void TMaxGroupBox::UpdateNextGroup() {
  if (!nextGroup_ || nextGroup_->parentWidget() != parentWidget()) return;
  nextGroup_->move(nextGroup_->x(), y() + height() + nextOffset_);
  // A hidden box hears of its move only when shown; pass the restack on now.
  if (auto* next = qobject_cast<TMaxGroupBox*>(nextGroup_.data()); next && !next->isVisible()) {
    next->UpdateNextGroup();
  }
}

void TMaxGroupBox::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (!minimized_) maxHeight_ = height();
  UpdateChildPanel();
  UpdateNextGroup();
  UpdateHitArea();
  update();
}

void TMaxGroupBox::moveEvent(QMoveEvent* event) {
  QWidget::moveEvent(event);
  UpdateNextGroup();
}

void TMaxGroupBox::changeEvent(QEvent* event) {
  if (event->type() == QEvent::EnabledChange) update();
  if (event->type() == QEvent::FontChange) {
    UpdateHitArea();
    update();
  }
  QWidget::changeEvent(event);
}

// The alias look's caption tab ends in a slanted edge; right of it the box lets clicks through to
// whatever lies below: the points with W - x + y < 2 - Font.Height.
void TMaxGroupBox::UpdateHitArea() {
  if (style_ != mgbAlias) {
    clearMask();
    return;
  }
  const int w = width(), h = FontHeight(font());
  QRegion area(rect());
  for (int y = 0; y <= -h && y < height(); ++y) {
    const int first = std::max(0, w + y + h - 1);
    if (first < w) area -= QRegion(first, y, w - first, 1);
  }
  setMask(area);
}

void TMaxGroupBox::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && event->position().y() < kCaptionStrip) {
    captionPress_ = true;
    SetMinimized(!minimized_);
    return;
  }
  RaiseMouseDown(this, event);
}

void TMaxGroupBox::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && event->position().y() < kCaptionStrip) {
    captionPress_ = true;
    SetMinimized(!minimized_);
    return;
  }
  RaiseDblClick(this, event);
}

void TMaxGroupBox::mouseReleaseEvent(QMouseEvent* event) {
  // The release of a collapse press belongs to that press: no click, no OnMouseUp.
  if (captionPress_ && event->button() == Qt::LeftButton) {
    captionPress_ = false;
    return;
  }
  RaiseMouseUp(this, event, rect().contains(event->position().toPoint()));
}

void TMaxGroupBox::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  Paint(painter);
}

void TMaxGroupBox::Paint(QPainter& p) {
  p.fillRect(rect(), ToQColor(color_, this));
  p.setFont(font());
  if (style_ == mgbAlias) {
    PaintAlias(p);
  } else {
    PaintDefault(p);
  }
}

namespace {

void Outline(QPainter& p, const QColor& c, int l, int t, int r, int b) {
  p.setPen(c);
  DrawLine(p, l, t, r - 1, t);
  DrawLine(p, r - 1, t, r - 1, b - 1);
  DrawLine(p, r - 1, b - 1, l, b - 1);
  DrawLine(p, l, b - 1, l, t);
}

void Caption(QPainter& p, const QRect& r, const QString& text, const QColor& c, const QColor* back) {
  if (text.isEmpty() || r.isEmpty()) return;
  p.save();
  // Clipped across only: a face taller than its nominal pixel height keeps its descenders.
  p.setClipRect(QRect(r.left(), 0, r.width(), r.bottom() + 8), Qt::IntersectClip);
  p.setPen(c);
  if (back) {
    p.setBackgroundMode(Qt::OpaqueMode);
    p.setBackground(*back);
  }
  p.drawText(r, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
  p.restore();
}

}  // namespace

void TMaxGroupBox::PaintDefault(QPainter& p) {
  const int w = width(), hgt = height(), t = -FontHeight(font()) / 2;
  const QColor light = ToQColor(clBtnHighlight, this), shadow = ToQColor(clBtnShadow, this);
  const QColor dark = ToQColor(cl3DDkShadow, this);
  Outline(p, light, 1, t, w, hgt);
  Outline(p, shadow, 0, t - 1, w - 1, hgt - 1);
  // Collapse box: a minus, with a vertical stroke making it a plus while collapsed.
  p.fillRect(RectLTRB(8, t - 4, 17, t + 5), light);
  Outline(p, dark, 8, t - 4, 17, t + 5);
  p.setPen(dark);
  DrawLine(p, 10, t, 15, t);
  if (minimized_) DrawLine(p, 12, t - 2, 12, t + 2);
  const QRect r = RectLTRB(18, 0, w - 4, -FontHeight(font()));
  if (isEnabled()) {
    const QColor back = ToQColor(color_, this);
    Caption(p, r, caption_, palette().color(QPalette::WindowText), &back);
    return;
  }
  Caption(p, r.translated(1, 1), caption_, light, nullptr);
  Caption(p, r, caption_, shadow, nullptr);
}

void TMaxGroupBox::PaintAlias(QPainter& p) {
  const int w = width(), hgt = height(), h = FontHeight(font());
  const QColor light = ToQColor(clBtnHighlight, this), shadow = ToQColor(clBtnShadow, this);
  Outline(p, light, 1, 1 - h, w, hgt);
  Outline(p, shadow, 0, -h, w - 1, hgt - 1);
  const QColor tab = ToQColor(clActiveCaption, this);
  p.setPen(tab);
  p.setBrush(tab);
  p.drawPolygon(QPolygon({QPoint(0, 0), QPoint(w + h - 2, 0), QPoint(w - 1, 1 - h), QPoint(0, 1 - h)}));
  p.setBrush(Qt::NoBrush);
  const QRect r = RectLTRB(3, 1, w + h - 2, -h);
  if (isEnabled()) {
    Caption(p, r, caption_, palette().color(QPalette::Active, QPalette::HighlightedText), nullptr);
    return;
  }
  Caption(p, r.translated(1, 1), caption_, light, nullptr);
  Caption(p, r, caption_, shadow, nullptr);
}
