#include "controls/MaxFile.h"

#include <QDir>

#include "controls/FileDialogHelpers.h"
#include "controls/Palette.h"

namespace MaxFile {
void Register(TPaletteList& palette) {
  RegisterComponents(palette, QStringLiteral("MAX"),
                     {"TMaxOpenDialog", "TMaxSaveDialog", "TMaxFolderDialog"});
}
}  // namespace MaxFile

namespace {

// The index of the filter the dialog reports as chosen. With the patterns hidden, Qt reports the
// filter without its last parenthesised group.
qsizetype FilterIndexOf(const QStringList& filters, const QString& chosen) {
  const qsizetype exact = filters.indexOf(chosen);
  if (exact >= 0) return exact;
  for (qsizetype i = 0; i < filters.size(); ++i) {
    if (filters[i].startsWith(chosen + QStringLiteral(" ("))) return i;
  }
  return -1;
}

}  // namespace

// ---- TMaxOpenDialog ------------------------------------------------------------------------------

TMaxOpenDialog::TMaxOpenDialog(QObject* owner) : QObject(owner) {}

TMaxOpenDialog::~TMaxOpenDialog() = default;

void TMaxOpenDialog::SetFilters(const QStringList& list) {
  filters_ = list;
  ChangeFilters(this);
}

void TMaxOpenDialog::AddFilter(const QString& item) {
  filters_.append(item);
  ChangeFilters(this);
}

void TMaxOpenDialog::ClearFilters() {
  filters_.clear();
  ChangeFilters(this);
}

void TMaxOpenDialog::ChangeFilters(QObject*) { UpdateFilter(); }

void TMaxOpenDialog::UpdateFilter() { filter_ = filters_.join(u'|'); }

QStringList TMaxOpenDialog::QtNameFilters(const QString& filter) {
  QStringList result;
  if (filter.isEmpty()) return result;
  const QStringList parts = filter.split(u'|');
  // Pairs of description and patterns; a description without patterns at the end is dropped.
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString description = parts[i].trimmed();
    QStringList patterns;
    for (const QString& p : parts[i + 1].split(u';', Qt::SkipEmptyParts)) {
      const QString trimmed = p.trimmed();
      if (!trimmed.isEmpty()) patterns << trimmed;
    }
    if (patterns.isEmpty()) continue;
    // Patterns match without regard to case, as they do on Windows, and "*.*" means every file.
    QStringList folded;
    for (const QString& p : patterns) {
      if (p == QStringLiteral("*.*")) {
        folded << QStringLiteral("*");
        continue;
      }
      QString f;
      for (QChar c : p) {
        if (c.isLetter() && c.toLower() != c.toUpper()) {
          f += u'[';
          f += c.toLower();
          f += c.toUpper();
          f += u']';
        } else {
          f += c;
        }
      }
      folded << f;
    }
    if (description.isEmpty()) description = patterns.join(u';');
    // The dialog is told to hide the last parenthesised group, so the user sees the description
    // exactly as written.
    result << description + QStringLiteral(" (") + folded.join(u' ') + u')';
  }
  return result;
}

QFileDialog* TMaxOpenDialog::CreateFileDialog() {
  dialog_.reset();
  auto* d = new VetoFileDialog(OwnerWindow(parent()));
  dialog_.reset(d);
  d->allow = [this] {
    bool canClose = true;
    if (OnCanClose) OnCanClose(this, canClose);
    return canClose;
  };
  d->setOption(QFileDialog::DontUseNativeDialog, true);
  d->setOption(QFileDialog::HideNameFilterDetails, true);
  d->setAcceptMode(Mode());
  if (Mode() == QFileDialog::AcceptSave) {
    d->setFileMode(QFileDialog::AnyFile);
    d->setOption(QFileDialog::DontConfirmOverwrite, !(options_ & ofOverwritePrompt));
  } else {
    d->setFileMode((options_ & ofAllowMultiSelect) ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
  }
  if (!title_.isEmpty()) d->setWindowTitle(title_);
  if (!initialDir_.isEmpty()) d->setDirectory(QDir::fromNativeSeparators(initialDir_));
  if (!defaultExt_.isEmpty()) d->setDefaultSuffix(defaultExt_);
  const QStringList nameFilters = QtNameFilters(filter_);
  if (!nameFilters.isEmpty()) {
    d->setNameFilters(nameFilters);
    if (filterIndex_ >= 1 && filterIndex_ <= nameFilters.size()) d->selectNameFilter(nameFilters[filterIndex_ - 1]);
  }
  if (!fileName_.isEmpty()) d->selectFile(QDir::fromNativeSeparators(fileName_));
  connect(d, &QFileDialog::directoryEntered, this, [this] {
    if (OnFolderChange) OnFolderChange(this);
  });
  connect(d, &QFileDialog::currentChanged, this, [this] {
    if (OnSelectionChange) OnSelectionChange(this);
  });
  connect(d, &QFileDialog::filterSelected, this, [this, d](const QString& selected) {
    filterIndex_ = static_cast<int>(FilterIndexOf(d->nameFilters(), selected)) + 1;
    if (OnTypeChange) OnTypeChange(this);
  });
  return d;
}

void TMaxOpenDialog::TakeResult(QFileDialog* dialog) {
  const QStringList files = dialog->selectedFiles();
  if (!files.isEmpty()) fileName_ = QDir::toNativeSeparators(files.first());
  const qsizetype index = FilterIndexOf(dialog->nameFilters(), dialog->selectedNameFilter());
  if (index >= 0) filterIndex_ = static_cast<int>(index) + 1;
}

bool TMaxOpenDialog::Execute() {
  QFileDialog* dialog = CreateFileDialog();
  const bool chosen = dialog->exec() == QDialog::Accepted;
  if (chosen) TakeResult(dialog);
  dialog_.reset();
  return chosen;
}
