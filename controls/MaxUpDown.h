// TMaxUpDown, the up-down button pair of TMaxNumberEdit.
#pragma once

#include <QWidget>

class TMaxNumberEdit;

// The up-down button pair of TMaxNumberEdit: upper half steps up, lower half down, on the press.
class TMaxUpDown : public QWidget {
  Q_OBJECT
 public:
  explicit TMaxUpDown(TMaxNumberEdit* owner);
  // The half under the pointer while the left button is held: 1 upper, -1 lower, 0 none.
  int PressedHalf() const { return pressedHalf_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  TMaxNumberEdit* owner_;
  int pressedHalf_ = 0;
};
