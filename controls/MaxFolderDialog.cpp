#include "controls/MaxFolderDialog.h"

#include "controls/FileDialogHelpers.h"
#include "controls/MaxFolderBrowser.h"

TMaxFolderDialog::TMaxFolderDialog(QObject* owner) : QObject(owner) {}

TMaxFolderDialog::~TMaxFolderDialog() = default;

TMaxFolderBrowser* TMaxFolderDialog::CreateBrowser() {
  browser_.reset();
  browser_ = std::make_unique<TMaxFolderBrowser>(this, OwnerWindow(parent()));
  return browser_.get();
}

bool TMaxFolderDialog::Execute() {
  TMaxFolderBrowser* browser = CreateBrowser();
  const bool chosen = browser->exec() == QDialog::Accepted;
  if (chosen) folder_ = QDir::toNativeSeparators(browser->SelectedFolder());
  browser_.reset();
  return chosen;
}

bool TMaxFolderDialog::SelectionChanged(const QString& path) {
  folder_ = QDir::toNativeSeparators(path);
  bool canClose = true;
  if (OnChangeFolder) OnChangeFolder(this, canClose);
  return canClose;
}
