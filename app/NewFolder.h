// TDlgNewFolder: the folder dialog for creating a folder and for renaming one.
#pragma once

#include <QDialog>
#include <functional>

#include "app/WorkflowView.h"

class QLineEdit;
class QPushButton;

class TDlgNewFolder : public QDialog {
  Q_OBJECT
 public:
  using Check = std::function<bool(const FolderDialogState&)>;
  TDlgNewFolder(FolderDialogState& state, Check check, QWidget* parent);

  QLineEdit* EditFolder;
  QLineEdit* EditName;
  QLineEdit* EditJpnName;
  QPushButton* BtnOK;
  QPushButton* BtnCancel;

 private:
  void BtnOKClick();
  FolderDialogState& state_;
  Check check_;
};
