// Unit MaxFile: TMaxOpenDialog, the non-visual open dialog that keeps its filter as a list of
// "description|pattern" items. The unit's other dialogs are TMaxSaveDialog (MaxSaveDialog.h) and
// TMaxFolderDialog (MaxFolderDialog.h).
#pragma once

#include <QFileDialog>
#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

#include "controls/Events.h"

using TCloseQueryEvent = std::function<void(QObject* sender, bool& canClose)>;

// Open-dialog options kept by the component.
enum TOpenOption : unsigned {
  ofReadOnly = 1u << 0,
  ofOverwritePrompt = 1u << 1,
  ofHideReadOnly = 1u << 2,
  ofAllowMultiSelect = 1u << 3,
  ofFileMustExist = 1u << 4,
  ofEnableSizing = 1u << 5,
};
using TOpenOptions = unsigned;

class TMaxOpenDialog : public QObject {
  Q_OBJECT
  Q_PROPERTY(QString DefaultExt READ GetDefaultExt WRITE SetDefaultExt)
  Q_PROPERTY(QString FileName READ GetFileName WRITE SetFileName)
  Q_PROPERTY(int FilterIndex READ GetFilterIndex WRITE SetFilterIndex)
  Q_PROPERTY(QString InitialDir READ GetInitialDir WRITE SetInitialDir)
  Q_PROPERTY(unsigned Options READ GetOptions WRITE SetOptions)
  Q_PROPERTY(QString Title READ GetTitle WRITE SetTitle)
  Q_PROPERTY(QStringList Filters READ GetFilters WRITE SetFilters)

 public:
  explicit TMaxOpenDialog(QObject* owner = nullptr);
  ~TMaxOpenDialog() override;

  QString GetDefaultExt() const { return defaultExt_; }
  void SetDefaultExt(const QString& v) { defaultExt_ = v; }
  QString GetFileName() const { return fileName_; }
  void SetFileName(const QString& v) { fileName_ = v; }
  // 1-based, as the filter pairs are counted.
  int GetFilterIndex() const { return filterIndex_; }
  void SetFilterIndex(int v) { filterIndex_ = v; }
  QString GetInitialDir() const { return initialDir_; }
  void SetInitialDir(const QString& v) { initialDir_ = v; }
  TOpenOptions GetOptions() const { return options_; }
  void SetOptions(TOpenOptions v) { options_ = v; }
  QString GetTitle() const { return title_; }
  void SetTitle(const QString& v) { title_ = v; }

  // The dialog keeps its own copy of the list; every change rebuilds the filter text.
  QStringList GetFilters() const { return filters_; }
  void SetFilters(const QStringList& list);
  void AddFilter(const QString& item);
  void ClearFilters();
  // The platform's filter text: the items joined by "|".
  QString GetFilter() const { return filter_; }
  // The same as Qt name filters, one "description (patterns)" per description|pattern pair.
  static QStringList QtNameFilters(const QString& filter);

  virtual bool Execute();
  // The dialog Execute shows, made but not shown (for callers that drive it themselves); it lives
  // until the next CreateFileDialog or the component's destruction.
  QFileDialog* CreateFileDialog();
  // Takes the result of an accepted dialog made by CreateFileDialog.
  void TakeResult(QFileDialog* dialog);

  TCloseQueryEvent OnCanClose;
  TNotifyEvent OnFolderChange;
  TNotifyEvent OnSelectionChange;
  TNotifyEvent OnTypeChange;

 protected:
  void ChangeFilters(QObject* sender);
  void UpdateFilter();
  virtual QFileDialog::AcceptMode Mode() const { return QFileDialog::AcceptOpen; }

 private:
  QString defaultExt_;
  QString fileName_;
  int filterIndex_ = 1;
  QString initialDir_;
  TOpenOptions options_ = ofHideReadOnly | ofEnableSizing;
  QString title_;
  QStringList filters_;
  QString filter_;
  std::unique_ptr<QFileDialog> dialog_;
};
