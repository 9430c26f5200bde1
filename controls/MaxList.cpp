#include "controls/MaxList.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QWheelEvent>
#include <algorithm>

#include "controls/Drawing.h"
#include "controls/Events.h"
#include "controls/Palette.h"

namespace MaxList {
void Register(TPaletteList& palette) { RegisterComponents(palette, QStringLiteral("MAX"), {"TMaxListBox"}); }
}  // namespace MaxList

// Every row goes through the list's DrawItem, so that the margin strip is part of each item.
class TMaxListDelegate : public QStyledItemDelegate {
 public:
  explicit TMaxListDelegate(TMaxListBox* list) : QStyledItemDelegate(list), list_(list) {}

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    list_->DrawItem(*painter, index.row(), option);
  }

  void PaintInherited(QPainter& painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    QStyledItemDelegate::paint(&painter, option, index);
  }

  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    int h = list_->itemHeight_ > 0 ? list_->itemHeight_ : size.height();
    if (list_->OnMeasureItem) list_->OnMeasureItem(list_, index.row(), h);
    size.setHeight(std::max(1, h));
    size.setWidth(size.width() + list_->leftMargin_);
    return size;
  }

 private:
  TMaxListBox* list_;
};

TMaxListBox::TMaxListBox(QWidget* parent) : TMaxControl(parent) {
  setItemDelegate(new TMaxListDelegate(this));
  setUniformItemSizes(false);
  resize(121, 97);
  ApplyColor();
  // Only a user's action on a bar counts as a scroll; programmatic moves do not raise OnScroll.
  connect(verticalScrollBar(), &QScrollBar::actionTriggered, this, [this](int) { ScrollAction(); });
  connect(horizontalScrollBar(), &QScrollBar::actionTriggered, this, [this](int) { ScrollAction(); });
}

QStringList TMaxListBox::GetItems() const {
  QStringList items;
  for (int i = 0; i < count(); ++i) items << item(i)->text();
  return items;
}

void TMaxListBox::SetItems(const QStringList& items) {
  clear();
  addItems(items);
}

void TMaxListBox::SetItemIndex(int v) {
  if (v < 0 || v >= count()) {
    setCurrentRow(-1);
    clearSelection();
    return;
  }
  setCurrentRow(v);
}

void TMaxListBox::SetItemHeight(int v) {
  itemHeight_ = std::max(0, v);
  doItemsLayout();
}

void TMaxListBox::SetSorted(bool v) {
  setSortingEnabled(v);
  if (v) sortItems();
}

void TMaxListBox::SetMultiSelect(bool v) {
  setSelectionMode(v ? QAbstractItemView::MultiSelection : QAbstractItemView::SingleSelection);
}

void TMaxListBox::SetColor(TColor v) {
  color_ = v;
  ApplyColor();
}

void TMaxListBox::ApplyColor() {
  QPalette pal = palette();
  pal.setColor(QPalette::Base, ToQColor(color_, this));
  setPalette(pal);
}

void TMaxListBox::SetLeftMargin(int v) {
  if (v == leftMargin_) return;
  leftMargin_ = std::max(0, v);
  doItemsLayout();
  viewport()->update();
}

void TMaxListBox::SetMarginColor(TColor v) {
  if (v == marginColor_) return;
  marginColor_ = v;
  viewport()->update();
}

QRect TMaxListBox::ItemRect(int index) const {
  if (index < 0 || index >= count()) return {};
  QRect r = visualItemRect(item(index));
  r.setLeft(leftMargin_);
  return r;
}

int TMaxListBox::ItemAtPos(const QPoint& p) const {
  const QModelIndex index = indexAt(QPoint(std::max(p.x(), leftMargin_), p.y()));
  return index.isValid() ? index.row() : -1;
}

void TMaxListBox::DrawItem(QPainter& painter, int index, const QStyleOptionViewItem& option) {
  const QRect r = option.rect;
  painter.fillRect(RectLTRB(0, r.top(), leftMargin_, r.bottom() + 1), ToQColor(marginColor_, this));
  QStyleOptionViewItem shifted(option);
  shifted.rect.setLeft(leftMargin_);
  if (OnDrawItem) {
    painter.save();
    OnDrawItem(this, index, painter, shifted.rect, option.state.testFlag(QStyle::State_Selected));
    painter.restore();
    return;
  }
  auto* delegate = static_cast<TMaxListDelegate*>(itemDelegate());
  delegate->PaintInherited(painter, shifted, model()->index(index, 0));
}

void TMaxListBox::MarginPress(const QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  marginPress_ = true;
  marginIndex_ = ItemAtPos(p);
  if (OnMarginMouseDown && marginIndex_ >= 0) {
    OnMarginMouseDown(this, marginIndex_, mbLeft, ShiftStateOf(event->modifiers(), event->buttons()) | ssLeft,
                      p.x(), p.y());
  }
}

void TMaxListBox::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && event->position().x() < leftMargin_) {
    MarginPress(event);
    return;
  }
  QListWidget::mousePressEvent(event);
  RaiseMouseDown(this, event);
}

void TMaxListBox::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && event->position().x() < leftMargin_) {
    MarginPress(event);
    return;
  }
  QListWidget::mouseDoubleClickEvent(event);
  RaiseDblClick(this, event);
}

void TMaxListBox::mouseMoveEvent(QMouseEvent* event) {
  if (!marginPress_) QListWidget::mouseMoveEvent(event);
  RaiseMouseMove(this, event);
}

void TMaxListBox::mouseReleaseEvent(QMouseEvent* event) {
  if (marginPress_ && event->button() == Qt::LeftButton) {
    marginPress_ = false;
    const QPoint p = event->position().toPoint();
    const bool inMargin = p.x() >= 0 && p.x() < leftMargin_;
    const int index = marginIndex_;
    marginIndex_ = -1;
    if (inMargin && index >= 0 && ItemAtPos(p) == index && OnMarginClick) OnMarginClick(this, index);
    if (OnMouseUp) OnMouseUp(this, mbLeft, ShiftStateOf(event->modifiers(), event->buttons()), p.x(), p.y());
    return;
  }
  QListWidget::mouseReleaseEvent(event);
  RaiseMouseUp(this, event, viewport()->rect().contains(event->position().toPoint()));
}

void TMaxListBox::keyPressEvent(QKeyEvent* event) {
  int key = event->key();
  if (OnKeyDown) {
    OnKeyDown(this, key, ShiftStateOf(event->modifiers()));
    if (key == 0) return event->accept();
  }
  const QString text = event->text();
  if (!text.isEmpty() && text.at(0).isPrint()) {
    QChar ch = text.at(0);
    if (OnKeyPress) OnKeyPress(this, ch);
    // Typed characters would move the selection to the next item starting with them.
    if (ch.isNull() || !enableKeyboard_) return event->accept();
    if (ch != text.at(0)) {
      keyboardSearch(QString(ch));
      return event->accept();
    }
  }
  QListWidget::keyPressEvent(event);
}

void TMaxListBox::keyReleaseEvent(QKeyEvent* event) {
  int key = event->key();
  if (OnKeyUp) OnKeyUp(this, key, ShiftStateOf(event->modifiers()));
  QListWidget::keyReleaseEvent(event);
}

void TMaxListBox::wheelEvent(QWheelEvent* event) {
  bool scroll = mouseWheel_ == mwEnable;
  if (mouseWheel_ == mwOnlyOnControl) scroll = rect().contains(mapFromGlobal(event->globalPosition().toPoint()));
  if (!scroll) {
    // The list stays put and the form's own wheel handling gets the turn instead.
    event->accept();
    QWidget* form = window();
    if (form == this) return;
    const QPointF global = event->globalPosition();
    QWheelEvent forwarded(form->mapFromGlobal(global), global, event->pixelDelta(), event->angleDelta(),
                          event->buttons(), event->modifiers(), event->phase(), event->inverted());
    QApplication::sendEvent(form, &forwarded);
    return;
  }
  wheeling_ = true;
  QListWidget::wheelEvent(event);
  wheeling_ = false;
}

void TMaxListBox::ScrollAction() {
  if (!wheeling_ && OnScroll) OnScroll(this);
}

void TMaxListBox::focusInEvent(QFocusEvent* event) {
  QListWidget::focusInEvent(event);
  if (OnEnter) OnEnter(this);
}

void TMaxListBox::focusOutEvent(QFocusEvent* event) {
  QListWidget::focusOutEvent(event);
  if (OnExit) OnExit(this);
}
