// TMaxColorPanel, the composite colour picker of unit MaxColor.
#include "controls/MaxColorPanel.h"

#include <QComboBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <cmath>

#include "controls/MaxColorBar.h"
#include "controls/MaxColorCircle.h"
#include "controls/MaxNumberEdit.h"
#include "controls/Setter.h"

// The colour swatch: a paint box whose painting the panel does.
class TMaxColorPanelSwatch : public QWidget {
 public:
  explicit TMaxColorPanelSwatch(TMaxColorPanel* owner) : QWidget(owner), owner_(owner) {}

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    owner_->FPaintBoxColorPaint(painter);
  }

 private:
  TMaxColorPanel* owner_;
};

namespace {

struct UnitSetup {
  const char* labels[3];
  double max[3];
};

// Item 0 "HSV", item 1 "RGB". Edit 3's Min is set, edits 1 and 2 keep theirs.
constexpr UnitSetup Units[2] = {
    {{"H", "S", "V"}, {359, 100, 100}},
    {{"R", "G", "B"}, {255, 255, 255}},
};

}  // namespace

TMaxColorPanel::TMaxColorPanel(QWidget* parent)
    : TMaxControl(parent),
      circle_(new TMaxColorCircle(this)),
      swatch_(new TMaxColorPanelSwatch(this)),
      comboUnit_(new QComboBox(this)),
      barV_(new TMaxColorBar(this)) {
  hintHSV_[0] = QStringLiteral("色相");
  hintHSV_[1] = QStringLiteral("彩度");
  hintHSV_[2] = QStringLiteral("明度");
  hintRGB_[0] = QStringLiteral("赤");
  hintRGB_[1] = QStringLiteral("緑");
  hintRGB_[2] = QStringLiteral("青");

  resize(208, 148);
  circle_->setGeometry(0, 0, 127, 127);
  circle_->OnChange = [this](QObject* s) { FColorCircleChange(s); };
  swatch_->setGeometry(136, 3, 72, 38);
  comboUnit_->setGeometry(160, 48, 49, 20);
  comboUnit_->setEditable(false);
  for (int i = 0; i < 3; ++i) {
    edits_[i] = new TMaxNumberEdit(this);
    edits_[i]->setGeometry(144, 76 + 24 * i, 64, 20);
    edits_[i]->OnChange = [this](QObject* s) { FEditColChange(s); };
    labels_[i] = new QLabel(this);
    labels_[i]->setGeometry(128, 79 + 24 * i, 12, 12);
    labels_[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  }
  barV_->setGeometry(0, 132, 127, 16);
  barV_->OnChange = [this](QObject* s) { FBarVChange(s); };

  // What the window's creation does: the value bar's hint, the two units, the first selected.
  barV_->setToolTip(QStringLiteral("明度"));
  comboUnit_->addItem(QStringLiteral("HSV"));
  comboUnit_->addItem(QStringLiteral("RGB"));
  comboUnit_->setCurrentIndex(0);
  connect(comboUnit_, &QComboBox::currentIndexChanged, this, [this] { FComboUnitChange(comboUnit_); });
  UpdateUnit();
}

QWidget* TMaxColorPanel::PaintBoxColor() const { return swatch_; }

void TMaxColorPanel::SetControlColor(TColor c) {
  if (!StoreChanged(this, color_, c)) return;
  // The wheel takes the panel's colour around it.
  circle_->UpdateColor();
}

void TMaxColorPanel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), ToQColor(color_, this));
}

TColor TMaxColorPanel::GetColor() const {
  return HSVToRGB({circle_->GetH(), circle_->GetS(), barV_->GetPosition()});
}

void TMaxColorPanel::SetColor(TColor c) {
  const THSVColor hsv = RGBToHSV(c);
  circle_->SetHSV(hsv);
  barV_->SetPosition(hsv.V);
  barV_->SetMaxColor(circle_->GetColor());
  UpdateColor();
}

void TMaxColorPanel::SetHSV(const THSVColor& hsv) {
  circle_->SetHSV(hsv);
  barV_->SetMaxColor(circle_->GetColor());
}

THSVColor TMaxColorPanel::GetHSV() const { return circle_->GetHSV(); }

void TMaxColorPanel::SetColorFromPosition(int x, int y) {
  circle_->SetColorFromPosition(x, y);
  barV_->SetMaxColor(circle_->GetColor());
}

THSVColor TMaxColorPanel::GetHSVFromPosition(int x, int y) const { return circle_->GetHSVFromPosition(x, y); }

TColor TMaxColorPanel::GetRGBFromPosition(int x, int y) const { return circle_->GetRGBFromPosition(x, y); }

// Runs body with the three edits' OnChange cleared, then gives all three edit 1's handler back.
template <typename F>
void TMaxColorPanel::WithEditEventsCleared(F&& body) {
  TNotifyEvent kept = edits_[0]->OnChange;
  for (TMaxNumberEdit* e : edits_) e->OnChange = nullptr;
  body();
  for (TMaxNumberEdit* e : edits_) e->OnChange = kept;
}

void TMaxColorPanel::UpdateUnit() {
  const int unit = comboUnit_->currentIndex() == 1 ? 1 : 0;
  WithEditEventsCleared([&] {
    for (int i = 0; i < 3; ++i) {
      labels_[i]->setText(QString::fromLatin1(Units[unit].labels[i]));
      edits_[i]->setToolTip(unit == 0 ? hintHSV_[i] : hintRGB_[i]);
      edits_[i]->SetMax(Units[unit].max[i]);
      if (i == 2) edits_[i]->SetMin(0);
      edits_[i]->SetIncrement(1);
      edits_[i]->SetPrintFormat(QStringLiteral("%.0f"));
    }
  });
  UpdateColor();
}

void TMaxColorPanel::UpdateColor() {
  WithEditEventsCleared([&] {
    if (comboUnit_->currentIndex() == 1) {
      const TColor c = GetColor();
      edits_[0]->FSetPosition(GetRValue(c));
      edits_[1]->FSetPosition(GetGValue(c));
      edits_[2]->FSetPosition(GetBValue(c));
    } else {
      edits_[0]->FSetPosition(circle_->GetH());
      edits_[1]->FSetPosition(circle_->GetS() * 100);
      edits_[2]->FSetPosition(barV_->GetPosition() * 100);
    }
  });
  for (TMaxNumberEdit* e : edits_) e->repaint();
  swatch_->repaint();
  if (OnChange) OnChange(this);
}

void TMaxColorPanel::FColorCircleChange(QObject*) {
  barV_->SetMaxColor(circle_->GetColor());
  UpdateColor();
}

void TMaxColorPanel::FBarVChange(QObject*) { UpdateColor(); }

void TMaxColorPanel::FComboUnitChange(QObject*) { UpdateUnit(); }

void TMaxColorPanel::FEditColChange(QObject*) {
  THSVColor hsv;
  if (comboUnit_->currentIndex() == 1) {
    auto channel = [this](int i) { return static_cast<TColor>(std::trunc(edits_[i]->GetPosition())) & 0xFF; };
    hsv = RGBToHSV(channel(0) | channel(1) << 8 | channel(2) << 16);
  } else {
    hsv = {edits_[0]->GetPosition(), edits_[1]->GetPosition() * 0.01, edits_[2]->GetPosition() * 0.01};
  }
  {
    TNotifyEvent kept = std::move(circle_->OnChange);
    circle_->OnChange = nullptr;
    circle_->SetHSV(hsv);
    circle_->OnChange = std::move(kept);
  }
  {
    TNotifyEvent kept = std::move(barV_->OnChange);
    barV_->OnChange = nullptr;
    barV_->SetPosition(hsv.V);
    barV_->OnChange = std::move(kept);
  }
  barV_->SetMaxColor(circle_->GetColor());
  swatch_->repaint();
  if (OnChange) OnChange(this);
}

void TMaxColorPanel::FPaintBoxColorPaint(QPainter& painter) {
  painter.fillRect(swatch_->rect(), ToQColor(GetColor()));
}

