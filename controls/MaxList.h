// Unit MaxList: TMaxListBox, a list box with a coloured margin strip left of its items, presses in
// that margin reported as their own events, a scroll event, and keyboard and mouse-wheel input that
// can be switched off.
#pragma once

#include <QListWidget>
#include <QStringList>
#include <functional>

#include "controls/Events.h"
#include "controls/MaxControl.h"

class QPainter;
class QStyleOptionViewItem;

namespace MaxListTypes {
Q_NAMESPACE

enum TMaxListMouseWheel { mwEnable, mwDisable, mwOnlyOnControl };
Q_ENUM_NS(TMaxListMouseWheel)

}  // namespace MaxListTypes

using namespace MaxListTypes;

// A press in the margin on item `index`; x and y in client pixels.
using TMarginMouseEvent =
    std::function<void(QObject* sender, int index, TMouseButton button, TShiftState shift, int x, int y)>;
using TMarginClickEvent = std::function<void(QObject* sender, int index)>;
// Draws item `index` in `rect` (already right of the margin); `selected` as the list shows it.
using TDrawItemEvent =
    std::function<void(QObject* sender, int index, QPainter& canvas, const QRect& rect, bool selected)>;
using TMeasureItemEvent = std::function<void(QObject* sender, int index, int& height)>;

class TMaxListBox : public TMaxControl<QListWidget> {
  Q_OBJECT
  Q_PROPERTY(QStringList Items READ GetItems WRITE SetItems)
  Q_PROPERTY(int ItemIndex READ GetItemIndex WRITE SetItemIndex)
  Q_PROPERTY(int ItemHeight READ GetItemHeight WRITE SetItemHeight)
  Q_PROPERTY(bool Sorted READ GetSorted WRITE SetSorted)
  Q_PROPERTY(bool MultiSelect READ GetMultiSelect WRITE SetMultiSelect)
  Q_PROPERTY(TColor Color READ GetColor WRITE SetColor)
  Q_PROPERTY(int LeftMargin READ GetLeftMargin WRITE SetLeftMargin)
  Q_PROPERTY(TColor MarginColor READ GetMarginColor WRITE SetMarginColor)
  Q_PROPERTY(bool EnableKeyboard READ GetEnableKeyboard WRITE SetEnableKeyboard)
  Q_PROPERTY(MaxListTypes::TMaxListMouseWheel MouseWheel READ GetMouseWheel WRITE SetMouseWheel)

 public:
  explicit TMaxListBox(QWidget* parent = nullptr);

  QSize sizeHint() const override { return {121, 97}; }

  QStringList GetItems() const;
  void SetItems(const QStringList& items);
  // -1 when nothing is selected.
  int GetItemIndex() const { return currentRow(); }
  void SetItemIndex(int v);
  // Height of every item in pixels; 0 takes the font's line height.
  int GetItemHeight() const { return itemHeight_; }
  void SetItemHeight(int v);
  bool GetSorted() const { return isSortingEnabled(); }
  void SetSorted(bool v);
  bool GetMultiSelect() const { return selectionMode() == QAbstractItemView::MultiSelection; }
  void SetMultiSelect(bool v);
  TColor GetColor() const { return color_; }
  void SetColor(TColor v);
  int GetLeftMargin() const { return leftMargin_; }
  void SetLeftMargin(int v);
  TColor GetMarginColor() const { return marginColor_; }
  void SetMarginColor(TColor v);
  bool GetEnableKeyboard() const { return enableKeyboard_; }
  void SetEnableKeyboard(bool v) { enableKeyboard_ = v; }
  TMaxListMouseWheel GetMouseWheel() const { return mouseWheel_; }
  void SetMouseWheel(TMaxListMouseWheel v) { mouseWheel_ = v; }

  // The item's rectangle in client pixels, its left edge at LeftMargin; empty for no such item.
  QRect ItemRect(int index) const;
  // The item under a client point, -1 for none.
  int ItemAtPos(const QPoint& p) const;
  // The margin strip beside the item, then the item itself right of it.
  virtual void DrawItem(QPainter& painter, int index, const QStyleOptionViewItem& option);

  TMarginMouseEvent OnMarginMouseDown;
  TMarginClickEvent OnMarginClick;
  TNotifyEvent OnScroll;
  TDrawItemEvent OnDrawItem;
  TMeasureItemEvent OnMeasureItem;
  TKeyEvent OnKeyDown;
  TKeyPressEvent OnKeyPress;
  TKeyEvent OnKeyUp;
  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  friend class TMaxListDelegate;

  void MarginPress(const QMouseEvent* event);
  void ScrollAction();
  void ApplyColor();

  int itemHeight_ = 0;
  TColor color_ = clWindow;
  int leftMargin_ = 0;
  TColor marginColor_ = clWindow;
  bool enableKeyboard_ = true;
  TMaxListMouseWheel mouseWheel_ = mwEnable;
  // A left press in the margin owns the pointer until its release: the list neither selects nor
  // drag-selects meanwhile.
  bool marginPress_ = false;
  int marginIndex_ = -1;
  bool wheeling_ = false;
};
