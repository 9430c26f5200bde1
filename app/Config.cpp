#include "app/Config.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "app/Application.h"
#include "app/Color.h"
#include "app/WindowText.h"
#include "app/Workflow.h"
#include "controls/MaxFolderDialog.h"
#include "controls/PPanel.h"

TDlgConfig::TDlgConfig(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QString::fromUtf8("環境設定"));
  setFixedSize(312, 169);
  Label1 = new QLabel(QString::fromUtf8("DOGACGAフォルダ"), this);
  Label1->move(16, 16);
  EditFolder = new QLineEdit(this);
  EditFolder->setGeometry(24, 32, 232, 20);
  BtnLoad = new QPushButton(QString::fromUtf8("参照"), this);
  BtnLoad->setGeometry(256, 32, 41, 20);
  BtnLoad->setAutoDefault(false);
  LabelBkColor = new QLabel(QString::fromUtf8("背景色"), this);
  LabelBkColor->move(16, 72);
  PanelColor = new TPaintPanel(this);
  PanelColor->SetBevelOuter(bvNone);
  PanelColor->SetBorderStyle(bsSingle);
  PanelColor->setGeometry(64, 72, 65, 33);
  Button2 = new QPushButton("OK", this);
  Button2->setGeometry(72, 128, 75, 25);
  Button2->setDefault(true);
  Button3 = new QPushButton(QString::fromUtf8("キャンセル"), this);
  Button3->setGeometry(160, 128, 75, 25);
  Button3->setAutoDefault(false);
  FolderDlg = new TMaxFolderDialog(this);

  setTabOrder(Button2, Button3);
  setTabOrder(Button3, EditFolder);
  setTabOrder(EditFolder, BtnLoad);  // the colour panel takes no focus: a click opens the picker
  Button2->setFocus();

  connect(BtnLoad, &QPushButton::clicked, this, [this] { BtnLoadClick(); });
  connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
  connect(Button3, &QPushButton::clicked, this, &QDialog::reject);
  PanelColor->OnClick = [this](QObject*) { PanelColorClick(); };
  SetColor(0);
  CentreOnScreen(*this);
}

// The panel is a platform colour control: red in the low byte.
void TDlgConfig::SetColor(std::uint32_t color) {
  color_ = color;
  PanelColor->SetColor(SwapRedBlue(color));
}

// The folder is taken as typed or chosen; whether it exists is the parts index's concern.
void TDlgConfig::BtnLoadClick() {
  if (FolderDlg->Execute()) EditFolder->setText(FolderDlg->GetFolder());
}

void TDlgConfig::PanelColorClick() {
  TDlgColor dialog(this);
  dialog.SetColor(color_);
  if (dialog.exec() == QDialog::Accepted) SetColor(dialog.GetColor());
}

// Partwell.ini and every DOGA path are Shift-JIS: a folder that has no such form could be neither
// stored nor opened, so it is refused and left in the field as typed.
void TDlgConfig::Button2Click() {
  auto folder = ToSjis(EditFolder->text());
  if (!folder) {
    ShowMessage(this, "Partwell!", FromSjis(Workflow::NoSjisFormText()), MB_ICONEXCLAMATION);
    return;
  }
  folder_ = *folder;
  accept();
}
