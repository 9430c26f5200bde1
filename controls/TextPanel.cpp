// TTextPanel of unit PPanel: a bevelled box with a one-line caption, horizontal or top to bottom.
#include "controls/TextPanel.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

#include "controls/Drawing.h"
#include "controls/Fonts.h"
#include "controls/Setter.h"

// ---- TTextPanel ----------------------------------------------------------------------------------

TTextPanel::TTextPanel(QWidget* parent) : TMaxControl(parent) { resize(96, 17); }

void TTextPanel::SetAlignment(TAlignment v) { StoreChanged(this, alignment_, v); }

void TTextPanel::SetBevelInner(TBevelCut v) { StoreChanged(this, bevelInner_, v); }

void TTextPanel::SetTextMargin(int v) { StoreChanged(this, textMargin_, v); }

void TTextPanel::SetTextStyle(TTextPanelTextStyle v) { StoreChanged(this, textStyle_, v); }

void TTextPanel::SetCaption(const QString& v) { StoreChanged(this, caption_, v); }

void TTextPanel::SetColor(TColor v) { StoreChanged(this, color_, v); }

void TTextPanel::Paint(QPainter& painter) {
  const int w = width();
  const int h = height();
  if (bevelInner_ == bvLowered || bevelInner_ == bvRaised) {
    const QColor shadow = ToQColor(clBtnShadow, this);
    const QColor highlight = ToQColor(clBtnHighlight, this);
    const bool lowered = bevelInner_ == bvLowered;
    painter.setPen(lowered ? shadow : highlight);
    DrawLine(painter, 0, 0, w, 0);
    DrawLine(painter, 0, 0, 0, h);
    painter.setPen(lowered ? highlight : shadow);
    DrawLine(painter, 0, h - 1, w, h - 1);
    DrawLine(painter, w - 1, 0, w - 1, h);
  }
  painter.fillRect(RectLTRB(1, 1, w - 1, h - 1), ToQColor(color_, this));
  PaintText(painter);
  if (OnPaint) OnPaint(this);
}

void TTextPanel::PaintText(QPainter& painter) {
  switch (textStyle_) {
    case tptsHorizonal: PaintHorizonalText(painter); break;
    case tptsVertical: PaintVerticalText(painter); break;
    default: break;
  }
}

void TTextPanel::PaintHorizonalText(QPainter& painter) {
  const QRect r = RectLTRB(textMargin_ + 1, 1, width() - textMargin_ - 1, height() - 1);
  Qt::Alignment h;
  switch (alignment_) {
    case taLeftJustify: h = Qt::AlignLeft; break;
    case taRightJustify: h = Qt::AlignRight; break;
    default: h = Qt::AlignHCenter; break;
  }
  painter.setFont(font());
  painter.setPen(palette().color(QPalette::WindowText));
  painter.drawText(r, static_cast<int>(h | Qt::AlignVCenter | Qt::TextSingleLine), caption_);
}

void TTextPanel::PaintVerticalText(QPainter& painter) {
  // Turned a quarter clockwise: the text runs downward and the glyph tops face right. The x
  // reference is the right edge of a column of the character height centred across the control
  // (Font.Height is negative, so subtracting it adds the height); C++ division truncates toward
  // zero as the placement wants.
  const int x = (width() - FontHeight(font())) / 2;
  int y;
  const QFontMetrics metrics(font());
  const int textWidth = metrics.horizontalAdvance(caption_);
  int start;  // where the text begins along its run, relative to the reference
  switch (alignment_) {
    case taLeftJustify: y = textMargin_; start = 0; break;
    case taRightJustify: y = height() - textMargin_; start = -textWidth; break;
    case taCenter: y = height() / 2; start = -textWidth / 2; break;
    default: return;
  }
  painter.save();
  painter.setFont(font());
  painter.setPen(palette().color(QPalette::WindowText));
  painter.translate(x, y);
  painter.rotate(90);
  // Top of the character cell at the reference line, like a text drawn from its top-left corner.
  painter.drawText(start, metrics.ascent(), caption_);
  painter.restore();
}

void TTextPanel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  Paint(painter);
}

