#include "controls/MaxControlScrollBar.h"

#include <algorithm>

#include "controls/PPanel.h"

TMaxControlScrollBar::TMaxControlScrollBar(QObject* parent) : QObject(parent) {}

int TMaxControlScrollBar::GetMin() {
  if (Live()) min_ = window_->GetScrollInfo(bar_).Min;
  return min_;
}

int TMaxControlScrollBar::GetMax() {
  if (Live()) max_ = window_->GetScrollInfo(bar_).Max;
  return max_;
}

unsigned TMaxControlScrollBar::GetPage() {
  if (Live()) page_ = window_->GetScrollInfo(bar_).Page;
  return page_;
}

int TMaxControlScrollBar::GetPosition() {
  if (Live()) position_ = window_->GetScrollInfo(bar_).Pos;
  return position_;
}

void TMaxControlScrollBar::ApplyVisibility() { window_->ShowScrollBar(bar_, visible_); }

void TMaxControlScrollBar::SetMin(int v) {
  min_ = v;
  if (!window_) return;
  window_->SetScrollRange(bar_, min_, max_);
  ApplyVisibility();
}

void TMaxControlScrollBar::SetMax(int v) {
  max_ = v;
  if (!window_) return;
  window_->SetScrollRange(bar_, min_, max_);
  ApplyVisibility();
}

void TMaxControlScrollBar::SetPage(unsigned v) {
  page_ = v;
  if (!window_) return;
  window_->SetScrollPage(bar_, page_);
  ApplyVisibility();
}

void TMaxControlScrollBar::SetPosition(int v) {
  position_ = v;
  if (window_) window_->SetScrollPos(bar_, position_);
}

void TMaxControlScrollBar::SetVisible(bool v) {
  visible_ = v;
  SetScrollInfo();
}

void TMaxControlScrollBar::SetWindow(TPaintPanel* window, int bar) {
  window_ = window;
  bar_ = bar & 1;
  SetScrollInfo();
}

void TMaxControlScrollBar::SetScrollInfo() {
  if (!window_) return;
  if (visible_) {
    window_->SetScrollRange(bar_, min_, max_);
    window_->SetScrollPage(bar_, page_);
    window_->SetScrollPos(bar_, position_);
    window_->ShowScrollBar(bar_, true);
  } else {
    window_->ShowScrollBar(bar_, false);
  }
}

void TMaxControlScrollBar::UpdateScrollInfo(long, unsigned wParam) {
  if (!window_) return;
  const TScrollInfo info = window_->GetScrollInfo(bar_);
  const int page = static_cast<int>(info.Page);
  int pos = info.Pos;
  switch (wParam & 0xFFFF) {
    case SB_LINEUP: pos -= increment_; break;
    case SB_LINEDOWN: pos += increment_; break;
    case SB_PAGEUP: pos -= page > 0 ? page : increment_; break;
    case SB_PAGEDOWN: pos += page > 0 ? page : increment_; break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: pos = info.TrackPos; break;
    default: break;
  }
  // The cache is left alone: the next GetPosition of a shown bar reads the window's value.
  window_->SetScrollPos(bar_, pos);
}
