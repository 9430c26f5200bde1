// TMaxPanel, a panel of unit MaxGroup whose children are scrolled vertically by dragging the panel.
#pragma once

#include <QWidget>

#include "controls/Panel.h"

class TMaxPanel : public TPanel {
  Q_OBJECT

 public:
  explicit TMaxPanel(QWidget* parent = nullptr);
  ~TMaxPanel() override;

  QSize sizeHint() const override { return {185, 41}; }

  bool IsDragging() const { return dragging_; }

 protected:
  virtual void Paint(QPainter& painter);
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void StartDrag(int y);
  void EndDrag();
  void DragTo(int y);

  bool dragging_ = false;
  int lastY_ = 0;
};
