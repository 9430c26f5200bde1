// Unit PPanel: TPaintPanel, a panel whose client area its owner paints in OnPaint, with two window
// scroll bars described by TMaxControlScrollBar objects; TTextPanel, a bevelled box with a one-line
// caption that runs horizontally or top to bottom.
#pragma once

#include <QImage>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <memory>

#include "controls/Types.h"
#include "platform/Gdi.h"

class QPainter;
class QScrollBar;
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

class TPaintPanel : public QWidget, public TMouseEvents {
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
  // The client area is painted into this picture, then copied to the screen, so that canvas and
  // device context draw on the same pixels.
  QImage surface_;
#ifndef _WIN32
  DeviceContext surfaceDc_;
#endif
  HDC handle_ = nullptr;
};

enum TTextPanelTextStyle { tptsHorizonal, tptsVertical };

class TTextPanel : public QWidget, public TMouseEvents {
  Q_OBJECT
  Q_PROPERTY(TAlignment Alignment READ GetAlignment WRITE SetAlignment)
  Q_PROPERTY(TBevelCut BevelInner READ GetBevelInner WRITE SetBevelInner)
  Q_PROPERTY(int TextMargin READ GetTextMargin WRITE SetTextMargin)
  Q_PROPERTY(int TextStyle READ GetTextStyleInt WRITE SetTextStyleInt)
  Q_PROPERTY(QString Caption READ GetCaption WRITE SetCaption)
  Q_PROPERTY(TColor Color READ GetColor WRITE SetColor)

 public:
  explicit TTextPanel(QWidget* parent = nullptr);

  QSize sizeHint() const override { return {96, 17}; }

  TAlignment GetAlignment() const { return alignment_; }
  void SetAlignment(TAlignment v);
  TBevelCut GetBevelInner() const { return bevelInner_; }
  void SetBevelInner(TBevelCut v);
  int GetTextMargin() const { return textMargin_; }
  void SetTextMargin(int v);
  TTextPanelTextStyle GetTextStyle() const { return textStyle_; }
  void SetTextStyle(TTextPanelTextStyle v);
  QString GetCaption() const { return caption_; }
  void SetCaption(const QString& v);
  TColor GetColor() const { return color_; }
  void SetColor(TColor v);

  TNotifyEvent OnPaint;

 protected:
  virtual void Paint(QPainter& painter);
  virtual void PaintText(QPainter& painter);
  virtual void PaintHorizonalText(QPainter& painter);
  virtual void PaintVerticalText(QPainter& painter);

  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  int GetTextStyleInt() const { return textStyle_; }
  void SetTextStyleInt(int v) { SetTextStyle(static_cast<TTextPanelTextStyle>(v)); }

  TAlignment alignment_ = taLeftJustify;
  TBevelCut bevelInner_ = bvLowered;
  int textMargin_ = 4;
  TTextPanelTextStyle textStyle_ = tptsHorizonal;
  QString caption_;
  TColor color_ = clBtnFace;
};
