#include "app/NewFolder.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "app/Application.h"
#include "app/WindowText.h"
#include "app/Workflow.h"

TDlgNewFolder::TDlgNewFolder(FolderDialogState& state, Check check, QWidget* parent)
    : QDialog(parent), state_(state), check_(std::move(check)) {
  setWindowTitle(FromSjis(state.caption));
  setFixedSize(351, 211);
  auto field = [this](const char* caption, int top, const std::string& text) {
    auto* label = new QLabel(QString::fromUtf8(caption), this);
    label->move(24, top);
    auto* edit = new QLineEdit(FromSjis(text), this);
    edit->setGeometry(24, top + 16, 305, 20);
    return edit;
  };
  EditFolder = field("フォルダ名", 16, state.folder);
  EditName = field("英語表示名", 64, state.name);
  EditJpnName = field("日本語表示名", 112, state.jpnName);
  EditFolder->setReadOnly(state.folderReadOnly);
  EditFolder->setEnabled(!state.folderReadOnly);
  BtnOK = new QPushButton("OK", this);
  BtnOK->setGeometry(88, 168, 75, 25);
  BtnOK->setDefault(true);
  BtnCancel = new QPushButton(QString::fromUtf8("キャンセル"), this);
  BtnCancel->setGeometry(184, 168, 75, 25);
  connect(BtnOK, &QPushButton::clicked, this, [this] { BtnOKClick(); });
  connect(BtnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TDlgNewFolder::BtnOKClick() {
  FolderDialogState typed = state_;
  auto folder = ToSjis(EditFolder->text());
  auto name = ToSjis(EditName->text());
  auto jpnName = ToSjis(EditJpnName->text());
  if (!folder || !name || !jpnName) {
    ShowMessage(this, "Partwell!", FromSjis(Workflow::NoSjisFormText()), MB_ICONEXCLAMATION);
    return;
  }
  if (!state_.folderReadOnly) typed.folder = *folder;
  typed.name = *name;
  typed.jpnName = *jpnName;
  if (!check_(typed)) return;
  state_ = typed;
  accept();
}
