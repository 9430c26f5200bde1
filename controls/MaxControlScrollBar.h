// TMaxControlScrollBar: the settings of one scroll bar of a TPaintPanel (range, page, position,
// step), kept in step with the panel's real bar once bound to it.
#pragma once

#include <QObject>
#include <QPointer>

#include "platform/WinApi.h"  // on Windows: the system's macros of our names go first

class TPaintPanel;

// Request codes of a scroll notification (the low 16 bits of its wParam).
enum TScrollCode : unsigned {
  SB_LINEUP = 0,
  SB_LINEDOWN = 1,
  SB_PAGEUP = 2,
  SB_PAGEDOWN = 3,
  SB_THUMBPOSITION = 4,
  SB_THUMBTRACK = 5,
  SB_TOP = 6,
  SB_BOTTOM = 7,
  SB_ENDSCROLL = 8,
};

// The state of one scroll bar of a window, as the window keeps it.
struct TScrollInfo {
  int Min = 0;
  int Max = 100;
  unsigned Page = 0;
  int Pos = 0;
  int TrackPos = 0;
  bool Shown = false;
};

// Settings of one scroll bar of a window. Min, Max, Page and Position are caches of the bound bar:
// while bound and Visible, the getters read the window's bar.
class TMaxControlScrollBar : public QObject {
  Q_OBJECT
  Q_PROPERTY(int Increment READ GetIncrement WRITE SetIncrement)
  Q_PROPERTY(int Min READ GetMin WRITE SetMin)
  Q_PROPERTY(int Max READ GetMax WRITE SetMax)
  Q_PROPERTY(unsigned Page READ GetPage WRITE SetPage)
  Q_PROPERTY(int Position READ GetPosition WRITE SetPosition)
  Q_PROPERTY(bool Tracking READ GetTracking WRITE SetTracking)
  Q_PROPERTY(bool Visible READ GetVisible WRITE SetVisible)

 public:
  explicit TMaxControlScrollBar(QObject* parent = nullptr);

  int GetIncrement() const { return increment_; }
  void SetIncrement(int v) { increment_ = v; }
  int GetMin();
  void SetMin(int v);
  int GetMax();
  void SetMax(int v);
  unsigned GetPage();
  void SetPage(unsigned v);
  int GetPosition();
  void SetPosition(int v);
  bool GetTracking() const { return tracking_; }
  void SetTracking(bool v) { tracking_ = v; }
  bool GetVisible() const { return visible_; }
  void SetVisible(bool v);

  // bar: 0 horizontal, 1 vertical.
  void SetWindow(TPaintPanel* window, int bar);
  TPaintPanel* GetWindow() const { return window_; }
  int GetBar() const { return bar_; }
  void SetScrollInfo();
  // Applies one scroll request; the code is the low 16 bits of wParam.
  void UpdateScrollInfo(long lParam, unsigned wParam);

 private:
  bool Live() const { return window_ && visible_; }
  void ApplyVisibility();

  int increment_ = 8;
  int min_ = 0;
  int max_ = 100;
  unsigned page_ = 0;
  int position_ = 0;
  bool tracking_ = true;
  bool visible_ = false;
  QPointer<TPaintPanel> window_;
  int bar_ = 0;
};
