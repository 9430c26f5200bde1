// Unit PPanel: TPaintPanel, a panel whose client area its owner paints in OnPaint, with two window
// scroll bars described by TMaxControlScrollBar objects. The unit's text panel is TTextPanel
// (TextPanel.h).
#pragma once

#include <QWidget>
#include <memory>

#include "controls/MaxControlScrollBar.h"
#include "controls/Panel.h"
#include "controls/PanelSurface.h"
#include "platform/Gdi.h"

class QPainter;
class QScrollBar;

class TPaintPanel : public TPanel {
  Q_OBJECT
  Q_PROPERTY(bool Ctl3D READ GetCtl3D WRITE SetCtl3D)
  Q_PROPERTY(TMaxControlScrollBar* HorzScrollBar READ GetHorzScrollBar)
  Q_PROPERTY(TMaxControlScrollBar* VertScrollBar READ GetVertScrollBar)

 public:
  explicit TPaintPanel(QWidget* parent = nullptr);
  ~TPaintPanel() override;

  bool GetCtl3D() const { return ctl3D_; }
  void SetCtl3D(bool v);

  TMaxControlScrollBar* GetHorzScrollBar() const { return horz_.get(); }
  TMaxControlScrollBar* GetVertScrollBar() const { return vert_.get(); }
  // Takes ownership and destroys the present object. Our window exists as long as the panel, so
  // the new object is bound and applied at once.
  void SetHorzScrollBar(std::unique_ptr<TMaxControlScrollBar> bar);
  void SetVertScrollBar(std::unique_ptr<TMaxControlScrollBar> bar);

  // Binds the two scroll bar objects (horizontal first) and applies their settings; runs when the
  // window is made and again whenever it is remade.
  void CreateWnd();

  // The client area: inside the border, less the room of shown scroll bars. OnPaint handlers draw
  // in client coordinates on GetCanvas() or through GetHandle(), both valid only while OnPaint runs.
  // The two draw on the same client pixels, in the order the handler draws.
  QRect ClientRect() const;
  int ClientWidth() const { return ClientRect().width(); }
  int ClientHeight() const { return ClientRect().height(); }
  QPainter* GetCanvas() const { return canvas_; }
  // The device context of the client area for the platform's drawing calls (StretchDIBits), or null
  // outside OnPaint.
  HDC GetHandle() const { return handle_; }

  // The window's own scroll bars (bar 0 horizontal, 1 vertical). Positions are kept within
  // [Min, Max - max(Page - 1, 0)] as a native bar keeps them.
  TScrollInfo GetScrollInfo(int bar) const { return bars_[bar & 1]; }
  void SetScrollRange(int bar, int min, int max);
  void SetScrollPage(int bar, unsigned page);
  void SetScrollPos(int bar, int pos);
  void SetScrollTrackPos(int bar, int trackPos);
  void ShowScrollBar(int bar, bool show);
  QScrollBar* ScrollBarWidget(int bar) const { return barWidgets_[bar & 1]; }

  // A scroll notification of the window (bar 0 horizontal, 1 vertical): the bar object applies
  // the request, then OnScroll, then OnPaint at once when the bar tracks.
  void ScrollMessage(int bar, unsigned wParam, long lParam = 0);

  TNotifyEvent OnPaint;
  TNotifyEvent OnScroll;

 protected:
  // The panel's own painting (bevels, border, fill, caption), then OnPaint.
  virtual void Paint(QPainter& painter);

  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void FrameChanged() override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  int FrameWidth() const;
  void ClampPos(TScrollInfo& info);
  void SyncBarWidget(int bar);
  void LayoutBars();
  void BarAction(int bar, int action);
  QPoint ToClient(QPoint p) const;

  bool ctl3D_ = true;

  std::unique_ptr<TMaxControlScrollBar> horz_;
  std::unique_ptr<TMaxControlScrollBar> vert_;
  TScrollInfo bars_[2];
  QScrollBar* barWidgets_[2] = {};
  bool syncing_ = false;
  QPainter* canvas_ = nullptr;
  // The client area is painted into this picture, then copied to the screen.
  TPanelSurface surface_;
  HDC handle_ = nullptr;
};
