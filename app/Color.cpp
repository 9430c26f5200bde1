#include "app/Color.h"

#include <QPushButton>

#include "controls/MaxColorPanel.h"

TDlgColor::TDlgColor(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QString::fromUtf8("色の設定"));
  setFixedSize(208, 195);
  ColorPanel = new TMaxColorPanel(this);
  ColorPanel->setGeometry(0, 0, 208, 148);
  BtnOK = new QPushButton("OK", this);
  BtnOK->setGeometry(16, 160, 75, 25);
  BtnOK->setDefault(true);
  BtnCancel = new QPushButton(QString::fromUtf8("キャンセル"), this);
  BtnCancel->setGeometry(112, 160, 75, 25);
  BtnCancel->setAutoDefault(false);
  connect(BtnOK, &QPushButton::clicked, this, &QDialog::accept);
  connect(BtnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TDlgColor::SetColor(std::uint32_t color) { ColorPanel->SetColor(SwapRedBlue(color)); }

std::uint32_t TDlgColor::GetColor() const { return SwapRedBlue(ColorPanel->GetColor()); }
