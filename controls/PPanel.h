// Unit PPanel: TPaintPanel, a panel whose client area its owner paints in OnPaint, with two window
// scroll bars described by TMaxControlScrollBar objects. The unit's text panel is TTextPanel
// (TextPanel.h).
#pragma once

#include <QString>
#include <QWidget>
#include <memory>

#include "controls/MaxControl.h"
#include "controls/MaxControlScrollBar.h"

class QPainter;
class QScrollBar;

class TPaintPanel : public TMaxControl<QWidget> {
  Q_OBJECT
  Q_PROPERTY(TAlignment Alignment READ GetAlignment WRITE SetAlignment)
  Q_PROPERTY(TBevelCut BevelInner READ GetBevelInner WRITE SetBevelInner)
  Q_PROPERTY(TBevelCut BevelOuter READ GetBevelOuter WRITE SetBevelOuter)
  Q_PROPERTY(int BevelWidth READ GetBevelWidth WRITE SetBevelWidth)
  Q_PROPERTY(int BorderWidth READ GetBorderWidth WRITE SetBorderWidth)
  Q_PROPERTY(TBorderStyle BorderStyle READ GetBorderStyle WRITE SetBorderStyle)
  Q_PROPERTY(bool Ctl3D READ GetCtl3D WRITE SetCtl3D)
  Q_PROPERTY(QString Caption READ GetCaption WRITE SetCaption)
  Q_PROPERTY(TColor Color READ GetColor WRITE SetColor)
  Q_PROPERTY(TMaxControlScrollBar* HorzScrollBar READ GetHorzScrollBar)
  Q_PROPERTY(TMaxControlScrollBar* VertScrollBar READ GetVertScrollBar)

 public:
  explicit TPaintPanel(QWidget* parent = nullptr);
  ~TPaintPanel() override;

  QSize sizeHint() const override { return {185, 41}; }

  TAlignment GetAlignment() const { return alignment_; }
  void SetAlignment(TAlignment v);
  TBevelCut GetBevelInner() const { return bevelInner_; }
  void SetBevelInner(TBevelCut v);
  TBevelCut GetBevelOuter() const { return bevelOuter_; }
  void SetBevelOuter(TBevelCut v);
  int GetBevelWidth() const { return bevelWidth_; }
  void SetBevelWidth(int v);
  int GetBorderWidth() const { return borderWidth_; }
  void SetBorderWidth(int v);
  TBorderStyle GetBorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle v);
  bool GetCtl3D() const { return ctl3D_; }
  void SetCtl3D(bool v);
  QString GetCaption() const { return caption_; }
  void SetCaption(const QString& v);
  TColor GetColor() const { return color_; }
  void SetColor(TColor v);

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
  // in client coordinates on GetCanvas(), valid while OnPaint runs.
  QRect ClientRect() const;
  int ClientWidth() const { return ClientRect().width(); }
  int ClientHeight() const { return ClientRect().height(); }
  QPainter* GetCanvas() const { return canvas_; }

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
  TNotifyEvent OnResize;
  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;

 protected:
  // The panel's own painting (bevels, border, fill, caption), then OnPaint.
  virtual void Paint(QPainter& painter);

  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
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

  TAlignment alignment_ = taCenter;
  TBevelCut bevelInner_ = bvNone;
  TBevelCut bevelOuter_ = bvRaised;
  int bevelWidth_ = 1;
  int borderWidth_ = 0;
  TBorderStyle borderStyle_ = bsNone;
  bool ctl3D_ = true;
  QString caption_;
  TColor color_ = clBtnFace;

  std::unique_ptr<TMaxControlScrollBar> horz_;
  std::unique_ptr<TMaxControlScrollBar> vert_;
  TScrollInfo bars_[2];
  QScrollBar* barWidgets_[2] = {};
  bool syncing_ = false;
  QPainter* canvas_ = nullptr;
};
