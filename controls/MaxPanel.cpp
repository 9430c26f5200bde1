#include "controls/MaxPanel.h"

#include <QEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <climits>

#include "controls/Drawing.h"

namespace {

// `width` nested frames inside `r` (right and bottom exclusive): top and left in `top`, bottom and
// right in `bottom`, the top-right and bottom-left corners going to `bottom`. Returns what is left.
QRect Frame3D(QPainter& p, QRect r, const QColor& top, const QColor& bottom, int width) {
  for (; width > 0 && r.width() > 0 && r.height() > 0; --width) {
    const int l = r.left(), t = r.top(), rr = r.right(), b = r.bottom();
    p.setPen(top);
    DrawLine(p, l, b, l, t);
    DrawLine(p, l, t, rr, t);
    p.setPen(bottom);
    DrawLine(p, rr, t, rr, b);
    DrawLine(p, rr, b, l - 1, b);
    r.adjust(1, 1, -1, -1);
  }
  return r;
}

}  // namespace

TMaxPanel::TMaxPanel(QWidget* parent) : TPanel(parent) { resize(185, 41); }

TMaxPanel::~TMaxPanel() {
  // A panel destroyed in the middle of a drag still owes the application its cursor.
  if (dragging_) QGuiApplication::restoreOverrideCursor();
}

void TMaxPanel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  Paint(painter);
}

void TMaxPanel::Paint(QPainter& p) {
  QRect r = rect();
  if (GetBorderStyle() == bsSingle) r = Frame3D(p, r, Qt::black, Qt::black, 1);
  const QColor light = ToQColor(clBtnHighlight, this), shadow = ToQColor(clBtnShadow, this);
  const QColor fill = ToQColor(GetColor(), this);
  if (GetBevelOuter() == bvRaised || GetBevelOuter() == bvLowered) {
    const bool raised = GetBevelOuter() == bvRaised;
    r = Frame3D(p, r, raised ? light : shadow, raised ? shadow : light, GetBevelWidth());
  }
  r = Frame3D(p, r, fill, fill, GetBorderWidth());
  if (GetBevelInner() == bvRaised || GetBevelInner() == bvLowered) {
    const bool raised = GetBevelInner() == bvRaised;
    r = Frame3D(p, r, raised ? light : shadow, raised ? shadow : light, GetBevelWidth());
  }
  p.fillRect(r, fill);
  if (GetCaption().isEmpty()) return;
  const int h = GetAlignment() == taLeftJustify ? Qt::AlignLeft
                : GetAlignment() == taRightJustify ? Qt::AlignRight : Qt::AlignHCenter;
  p.setFont(font());
  p.setPen(palette().color(QPalette::WindowText));
  p.drawText(r, h | Qt::AlignVCenter | Qt::TextSingleLine, GetCaption());
}

void TMaxPanel::StartDrag(int y) {
  lastY_ = y;
  if (dragging_) return;
  dragging_ = true;
  // The override stack keeps whatever cursor was shown before, and gives it back on release.
  QGuiApplication::setOverrideCursor(QCursor(Qt::SizeVerCursor));
}

void TMaxPanel::EndDrag() {
  if (!dragging_) return;
  dragging_ = false;
  QGuiApplication::restoreOverrideCursor();
}

// The content follows the pointer until the topmost child's top reaches 8 (moving down) or the
// lowest child's bottom reaches 8 above the panel's bottom (moving up).
void TMaxPanel::DragTo(int y) {
  const int dy = lastY_ - y;
  const QList<QWidget*> children = findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
  int step = 0;
  if (y > lastY_) {
    int d = 0;
    for (const QWidget* c : children) d = std::min(d, c->y() - 8);
    step = std::max(d, dy);
  } else if (y < lastY_) {
    int d = 0;
    for (const QWidget* c : children) d = std::max(d, c->y() + c->height() - height() + 8);
    step = std::min(dy, d);
  }
  if (step != 0) {
    for (QWidget* c : children) {
      if (!c->isWindow()) c->move(c->x(), c->y() - step);
    }
  }
  lastY_ = y;
}

void TMaxPanel::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) StartDrag(event->position().toPoint().y());
  RaiseMouseDown(this, event);
}

void TMaxPanel::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) StartDrag(event->position().toPoint().y());
  RaiseDblClick(this, event);
}

void TMaxPanel::mouseMoveEvent(QMouseEvent* event) {
  if (dragging_) DragTo(event->position().toPoint().y());
  RaiseMouseMove(this, event);
}

// Hidden or disabled in the middle of a drag, the panel never sees the release: end the drag now so
// that the cursor does not stay a resize arrow.
void TMaxPanel::hideEvent(QHideEvent* event) {
  EndDrag();
  QWidget::hideEvent(event);
}

void TMaxPanel::changeEvent(QEvent* event) {
  if (event->type() == QEvent::EnabledChange && !isEnabled()) EndDrag();
  QWidget::changeEvent(event);
}

void TMaxPanel::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) EndDrag();
  RaiseMouseUp(this, event, rect().contains(event->position().toPoint()));
}
