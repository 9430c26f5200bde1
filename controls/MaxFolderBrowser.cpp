#include "controls/MaxFolderBrowser.h"

#include <QAbstractItemView>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "controls/FileDialogHelpers.h"
#include "controls/MaxFolderDialog.h"

TMaxFolderBrowser::TMaxFolderBrowser(TMaxFolderDialog* owner, QWidget* parentWindow)
    : QDialog(parentWindow), owner_(owner) {
  setWindowTitle(QStringLiteral("フォルダの参照"));
  auto* layout = new QVBoxLayout(this);
  title_ = new QLabel(owner->GetTitle(), this);
  title_->setWordWrap(true);
  title_->setVisible(!owner->GetTitle().isEmpty());
  layout->addWidget(title_);
  status_ = new QLabel(this);
  status_->setVisible(owner->GetTextEnabled());
  layout->addWidget(status_);

  auto* files = new VetoFileDialog(this);
  files->allow = [this] { return canClose_; };
  files_ = files;
  files_->setWindowFlags(Qt::Widget);
  files_->setOption(QFileDialog::DontUseNativeDialog, true);
  files_->setOption(QFileDialog::ShowDirsOnly, true);
  files_->setFileMode(QFileDialog::Directory);
  layout->addWidget(files_);
  connect(files_, &QFileDialog::accepted, this, &QDialog::accept);
  connect(files_, &QFileDialog::rejected, this, &QDialog::reject);
  connect(files_, &QFileDialog::currentChanged, this, &TMaxFolderBrowser::Selected);
  connect(files_, &QFileDialog::directoryEntered, this, &TMaxFolderBrowser::Selected);
  // currentChanged misses selections made by name (typed, or selectFile); the list's selection and
  // the name box catch those.
  const auto selectionMoved = [this] { Selected(files_->selectedFiles().value(0)); };
  if (auto* list = files_->findChild<QAbstractItemView*>(QStringLiteral("listView")); list && list->selectionModel()) {
    connect(list->selectionModel(), &QItemSelectionModel::selectionChanged, this, selectionMoved);
  }
  if (auto* name = files_->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) {
    connect(name, &QLineEdit::textChanged, this, selectionMoved);
  }

  if (owner->GetCurrentDir()) {
    // Shown selected inside its parent folder, the way a tree shows the folder it starts on.
    const QString current = QDir::currentPath();
    QDir parent(current);
    if (parent.cdUp()) {
      files_->setDirectory(parent);
      files_->selectFile(current);
    } else {
      files_->setDirectory(current);
    }
    Selected(current);
  } else {
    files_->setDirectory(QDir::homePath());
  }
}

QPushButton* TMaxFolderBrowser::OkButton() const {
  auto* box = files_->findChild<QDialogButtonBox*>();
  return box ? box->button(QDialogButtonBox::Open) : nullptr;
}

QString TMaxFolderBrowser::SelectedFolder() const {
  const QStringList selected = files_->selectedFiles();
  return selected.isEmpty() ? files_->directory().absolutePath() : selected.first();
}

void TMaxFolderBrowser::Selected(const QString& path) {
  // Items that are not folders on disk change nothing.
  if (path.isEmpty() || !QFileInfo(path).isDir()) return;
  canClose_ = owner_->SelectionChanged(QFileInfo(path).absoluteFilePath());
  if (QPushButton* ok = OkButton()) ok->setEnabled(canClose_);
  // Qt's dialog re-enables its button after each selection change of its own; a veto is applied
  // again once that has run.
  auto apply = [self = QPointer<TMaxFolderBrowser>(this)] {
    if (!self || self->canClose_) return;
    if (QPushButton* ok = self->OkButton()) ok->setEnabled(false);
  };
  QTimer::singleShot(0, this, apply);
}
