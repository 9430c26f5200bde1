#include "controls/MaxUpDown.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <QStyleOptionButton>

#include "controls/MaxNumberEdit.h"

TMaxUpDown::TMaxUpDown(TMaxNumberEdit* owner) : QWidget(owner), owner_(owner) {
  setFocusPolicy(Qt::NoFocus);
}

void TMaxUpDown::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const int half = height() / 2;
  const QRect halves[2] = {QRect(0, 0, width(), half), QRect(0, half, width(), height() - half)};
  for (int i = 0; i < 2; ++i) {
    QStyleOptionButton button;
    button.initFrom(this);
    button.rect = halves[i];
    if (pressedHalf_ == (i == 0 ? 1 : -1)) button.state |= QStyle::State_Sunken;
    else button.state |= QStyle::State_Raised;
    style()->drawControl(QStyle::CE_PushButtonBevel, &button, &painter, this);
    QStyleOption arrow;
    arrow.initFrom(this);
    arrow.rect = halves[i].adjusted(3, 2, -3, -2);
    style()->drawPrimitive(i == 0 ? QStyle::PE_IndicatorArrowUp : QStyle::PE_IndicatorArrowDown,
                           &arrow, &painter, this);
  }
}

void TMaxUpDown::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  owner_->UpDownMouseDown(event);
  pressedHalf_ = event->position().y() < height() / 2 ? 1 : -1;
  repaint();
  owner_->UpDownClick(pressedHalf_ > 0);
}

void TMaxUpDown::mouseMoveEvent(QMouseEvent* event) { owner_->UpDownMouseMove(event); }

void TMaxUpDown::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    pressedHalf_ = 0;
    update();
  }
  owner_->UpDownMouseUp(event);
}
