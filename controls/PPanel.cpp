#include "controls/PPanel.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <algorithm>

#include "controls/Drawing.h"
#include "controls/Palette.h"
#include "controls/Setter.h"

namespace PPanel {
void Register(TPaletteList& palette) {
  RegisterComponents(palette, QStringLiteral("MAX"), {"TPaintPanel", "TTextPanel"});
}
}  // namespace PPanel

// ---- TPaintPanel ---------------------------------------------------------------------------------

TPaintPanel::TPaintPanel(QWidget* parent)
    : TPanel(parent),
      horz_(std::make_unique<TMaxControlScrollBar>()),
      vert_(std::make_unique<TMaxControlScrollBar>()) {
  resize(185, 41);
  for (int bar = 0; bar < 2; ++bar) {
    auto* w = new QScrollBar(bar == 0 ? Qt::Horizontal : Qt::Vertical, this);
    w->hide();
    barWidgets_[bar] = w;
    connect(w, &QAbstractSlider::actionTriggered, this, [this, bar](int action) { BarAction(bar, action); });
    connect(w, &QAbstractSlider::sliderReleased, this, [this, bar] {
      SetScrollTrackPos(bar, barWidgets_[bar]->sliderPosition());
      ScrollMessage(bar, SB_THUMBPOSITION);
    });
  }
  CreateWnd();
}

TPaintPanel::~TPaintPanel() = default;

void TPaintPanel::CreateWnd() {
  horz_->SetWindow(this, 0);
  vert_->SetWindow(this, 1);
}

void TPaintPanel::SetHorzScrollBar(std::unique_ptr<TMaxControlScrollBar> bar) {
  if (!bar) return;
  horz_ = std::move(bar);
  horz_->SetWindow(this, 0);
}

void TPaintPanel::SetVertScrollBar(std::unique_ptr<TMaxControlScrollBar> bar) {
  if (!bar) return;
  vert_ = std::move(bar);
  vert_->SetWindow(this, 1);
}

// The bars are laid out inside the frame, whose width follows the border style and Ctl3D.
void TPaintPanel::FrameChanged() { LayoutBars(); }

void TPaintPanel::SetCtl3D(bool v) {
  if (StoreChanged(this, ctl3D_, v)) LayoutBars();
}

// A single border is the sunken two-pixel edge with 3-D looks, one dark line without.
int TPaintPanel::FrameWidth() const {
  if (GetBorderStyle() != bsSingle) return 0;
  return ctl3D_ ? 2 : 1;
}

QRect TPaintPanel::ClientRect() const {
  const int f = FrameWidth();
  QRect r = rect().adjusted(f, f, -f, -f);
  const int extent = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
  if (bars_[1].Shown) r.setRight(r.right() - extent);
  if (bars_[0].Shown) r.setBottom(r.bottom() - extent);
  if (r.width() < 0) r.setWidth(0);
  if (r.height() < 0) r.setHeight(0);
  return r;
}

QPoint TPaintPanel::ToClient(QPoint p) const { return p - ClientRect().topLeft(); }

void TPaintPanel::ClampPos(TScrollInfo& info) {
  const int range = info.Max - info.Min + 1;
  if (range > 0 && info.Page > static_cast<unsigned>(range)) info.Page = static_cast<unsigned>(range);
  const int page = static_cast<int>(std::min<unsigned>(info.Page, 0x7FFFFFFF));
  const int highest = std::max(info.Max - std::max(page - 1, 0), info.Min);
  info.Pos = std::clamp(info.Pos, info.Min, highest);
}

void TPaintPanel::SetScrollRange(int bar, int min, int max) {
  TScrollInfo& info = bars_[bar & 1];
  info.Min = min;
  info.Max = max;
  ClampPos(info);
  SyncBarWidget(bar & 1);
}

void TPaintPanel::SetScrollPage(int bar, unsigned page) {
  TScrollInfo& info = bars_[bar & 1];
  info.Page = page;
  ClampPos(info);
  SyncBarWidget(bar & 1);
}

void TPaintPanel::SetScrollPos(int bar, int pos) {
  TScrollInfo& info = bars_[bar & 1];
  info.Pos = pos;
  ClampPos(info);
  info.TrackPos = info.Pos;
  SyncBarWidget(bar & 1);
}

void TPaintPanel::SetScrollTrackPos(int bar, int trackPos) { bars_[bar & 1].TrackPos = trackPos; }

void TPaintPanel::ShowScrollBar(int bar, bool show) {
  TScrollInfo& info = bars_[bar & 1];
  if (info.Shown == show) return;
  info.Shown = show;
  LayoutBars();
  update();
}

void TPaintPanel::SyncBarWidget(int bar) {
  const TScrollInfo& info = bars_[bar];
  QScrollBar* w = barWidgets_[bar];
  const int page = static_cast<int>(std::min<unsigned>(info.Page, 0x7FFFFFFF));
  syncing_ = true;
  // Qt's maximum is the highest position, which a native bar puts at Max - Page + 1.
  w->setRange(info.Min, std::max(info.Max - std::max(page - 1, 0), info.Min));
  w->setPageStep(std::max(page, 1));
  w->setSliderPosition(info.Pos);
  w->setValue(info.Pos);
  syncing_ = false;
}

void TPaintPanel::LayoutBars() {
  const int f = FrameWidth();
  const int extent = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
  const QRect inner = rect().adjusted(f, f, -f, -f);
  const bool h = bars_[0].Shown;
  const bool v = bars_[1].Shown;
  barWidgets_[0]->setGeometry(inner.left(), inner.bottom() + 1 - extent,
                              std::max(inner.width() - (v ? extent : 0), 0), extent);
  barWidgets_[1]->setGeometry(inner.right() + 1 - extent, inner.top(), extent,
                              std::max(inner.height() - (h ? extent : 0), 0));
  barWidgets_[0]->setVisible(h);
  barWidgets_[1]->setVisible(v);
}

void TPaintPanel::BarAction(int bar, int action) {
  if (syncing_) return;
  unsigned code;
  switch (action) {
    case QAbstractSlider::SliderSingleStepSub: code = SB_LINEUP; break;
    case QAbstractSlider::SliderSingleStepAdd: code = SB_LINEDOWN; break;
    case QAbstractSlider::SliderPageStepSub: code = SB_PAGEUP; break;
    case QAbstractSlider::SliderPageStepAdd: code = SB_PAGEDOWN; break;
    case QAbstractSlider::SliderMove:
      code = SB_THUMBTRACK;
      SetScrollTrackPos(bar, barWidgets_[bar]->sliderPosition());
      break;
    case QAbstractSlider::SliderToMinimum: code = SB_TOP; break;
    case QAbstractSlider::SliderToMaximum: code = SB_BOTTOM; break;
    default: return;
  }
  ScrollMessage(bar, code);
  // Qt moved the slider on its own before telling us; the bar shows what the request made of it.
  if (code != SB_THUMBTRACK) SyncBarWidget(bar);
}

void TPaintPanel::ScrollMessage(int bar, unsigned wParam, long lParam) {
  TMaxControlScrollBar* object = (bar & 1) ? vert_.get() : horz_.get();
  object->UpdateScrollInfo(lParam, wParam);
  if (OnScroll) OnScroll(this);
  // "At once": painted now, not queued; a hidden panel has nothing to paint on.
  if (object->GetTracking() && OnPaint && isVisible()) repaint();
}

namespace {

// Frame3D: `width` nested one-pixel frames, light top and left, dark bottom and right; shrinks r.
void Frame3D(QPainter& p, QRect& r, const QColor& topLeft, const QColor& bottomRight, int width) {
  for (int i = 0; i < width && r.width() > 0 && r.height() > 0; ++i) {
    const int l = r.left(), t = r.top(), rr = r.right() + 1, b = r.bottom() + 1;
    p.setPen(topLeft);
    DrawLine(p, l, b - 1, l, t);
    DrawLine(p, l, t, rr, t);
    p.setPen(bottomRight);
    DrawLine(p, rr - 1, t, rr - 1, b);
    DrawLine(p, l, b - 1, rr - 1, b - 1);
    r.adjust(1, 1, -1, -1);
  }
}

}  // namespace

void TPaintPanel::Paint(QPainter& painter) {
  const QColor highlight = ToQColor(clBtnHighlight, this);
  const QColor shadow = ToQColor(clBtnShadow, this);
  const QColor fill = ToQColor(GetColor(), this);
  QRect r(QPoint(0, 0), ClientRect().size());
  if (GetBevelOuter() == bvRaised || GetBevelOuter() == bvLowered) {
    const bool raised = GetBevelOuter() == bvRaised;
    Frame3D(painter, r, raised ? highlight : shadow, raised ? shadow : highlight, GetBevelWidth());
  }
  Frame3D(painter, r, fill, fill, GetBorderWidth());
  if (GetBevelInner() == bvRaised || GetBevelInner() == bvLowered) {
    const bool raised = GetBevelInner() == bvRaised;
    Frame3D(painter, r, raised ? highlight : shadow, raised ? shadow : highlight, GetBevelWidth());
  }
  painter.fillRect(r, fill);
  if (!GetCaption().isEmpty()) {
    painter.setPen(palette().color(QPalette::WindowText));
    painter.setFont(font());
    const Qt::Alignment h = GetAlignment() == taLeftJustify    ? Qt::AlignLeft
                            : GetAlignment() == taRightJustify ? Qt::AlignRight
                                                           : Qt::AlignHCenter;
    painter.drawText(r, static_cast<int>(h | Qt::AlignVCenter | Qt::TextSingleLine), GetCaption());
  }
  if (OnPaint) {
    canvas_ = &painter;
    handle_ = surface_.Dc();
    OnPaint(this);
    surface_.Finish();
    canvas_ = nullptr;
    handle_ = nullptr;
  }
}

void TPaintPanel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const int f = FrameWidth();
  if (f == 2) {
    QRect r = rect();
    Frame3D(painter, r, ToQColor(clBtnShadow, this), ToQColor(clBtnHighlight, this), 1);
    Frame3D(painter, r, ToQColor(cl3DDkShadow, this), ToQColor(cl3DLight, this), 1);
  } else if (f == 1) {
    QRect r = rect();
    const QColor frame = ToQColor(cl3DDkShadow, this);
    Frame3D(painter, r, frame, frame, 1);
  }
  if (bars_[0].Shown && bars_[1].Shown) {
    const QRect client = ClientRect();
    painter.fillRect(QRect(client.right() + 1, client.bottom() + 1, width(), height()),
                     ToQColor(clBtnFace, this));
  }
  const QRect client = ClientRect();
  if (client.isEmpty()) return;
  surface_.Resize(client.size());
  {
    QPainter canvas(&surface_.Image());
    canvas.setFont(font());
    Paint(canvas);
  }
  painter.drawImage(client.topLeft(), surface_.Image());
}

void TPaintPanel::resizeEvent(QResizeEvent* event) {
  LayoutBars();
  TPanel::resizeEvent(event);
}

namespace {

// The same event with its position moved into client coordinates.
QMouseEvent Moved(const QMouseEvent* e, QPoint offset) {
  return QMouseEvent(e->type(), e->position() - QPointF(offset), e->scenePosition(), e->globalPosition(),
                     e->button(), e->buttons(), e->modifiers(), e->pointingDevice());
}

}  // namespace

void TPaintPanel::mousePressEvent(QMouseEvent* event) {
  const QMouseEvent e = Moved(event, ClientRect().topLeft());
  RaiseMouseDown(this, &e);
}

void TPaintPanel::mouseDoubleClickEvent(QMouseEvent* event) {
  const QMouseEvent e = Moved(event, ClientRect().topLeft());
  RaiseDblClick(this, &e);
}

void TPaintPanel::mouseMoveEvent(QMouseEvent* event) {
  const QMouseEvent e = Moved(event, ClientRect().topLeft());
  RaiseMouseMove(this, &e);
}

void TPaintPanel::mouseReleaseEvent(QMouseEvent* event) {
  const QMouseEvent e = Moved(event, ClientRect().topLeft());
  RaiseMouseUp(this, &e, rect().contains(event->position().toPoint()));
}
