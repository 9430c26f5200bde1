// Unit MaxFile: non-visual dialog components. TMaxFolderDialog browses for a folder with a title
// above the tree, an optional start on the current directory, a live Folder and a per-folder veto
// of OK; TMaxOpenDialog and TMaxSaveDialog keep their filter as a list of "description|pattern"
// items.
#pragma once

#include <QFileDialog>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

#include "controls/Types.h"

class QDialog;
class QLabel;
class QPushButton;

// The dialog itself is the sender; a handler sets canClose false to grey out OK for that folder.
using TChangeFolderEvent = std::function<void(QObject* sender, bool& canClose)>;
using TCloseQueryEvent = std::function<void(QObject* sender, bool& canClose)>;

class TMaxFolderBrowser;

class TMaxFolderDialog : public QObject {
  Q_OBJECT
  Q_PROPERTY(bool CurrentDir READ GetCurrentDir WRITE SetCurrentDir)
  Q_PROPERTY(QString Folder READ GetFolder WRITE SetFolder)
  Q_PROPERTY(QString Text READ GetText WRITE SetText)
  Q_PROPERTY(QString Title READ GetTitle WRITE SetTitle)
  Q_PROPERTY(bool TextEnabled READ GetTextEnabled WRITE SetTextEnabled)

 public:
  explicit TMaxFolderDialog(QObject* owner = nullptr);
  ~TMaxFolderDialog() override;

  bool GetCurrentDir() const { return currentDir_; }
  void SetCurrentDir(bool v) { currentDir_ = v; }
  QString GetFolder() const { return folder_; }
  void SetFolder(const QString& v) { folder_ = v; }
  QString GetText() const { return text_; }
  void SetText(const QString& v) { text_ = v; }
  QString GetTitle() const { return title_; }
  void SetTitle(const QString& v) { title_ = v; }
  bool GetTextEnabled() const { return textEnabled_; }
  void SetTextEnabled(bool v) { textEnabled_ = v; }

  // Shows the browser modally; true when the user chose a folder with OK (Folder holds it).
  bool Execute();

  // The browser Execute shows, made but not shown, for callers that drive it themselves. It lives
  // until the next CreateBrowser or the dialog's destruction.
  TMaxFolderBrowser* CreateBrowser();

  TChangeFolderEvent OnChangeFolder;

 private:
  friend class TMaxFolderBrowser;
  // A selection change in the browser: Folder follows it, then OnChangeFolder decides on OK.
  bool SelectionChanged(const QString& path);

  bool currentDir_ = false;
  QString folder_;
  QString text_;
  QString title_;
  bool textEnabled_ = false;
  std::unique_ptr<TMaxFolderBrowser> browser_;
};

// Qt's own directory dialog with the instruction title (and the status line) above it.
class TMaxFolderBrowser : public QDialog {
  Q_OBJECT
 public:
  TMaxFolderBrowser(TMaxFolderDialog* owner, QWidget* parentWindow);

  QFileDialog* FileDialog() const { return files_; }
  QLabel* TitleLabel() const { return title_; }
  QLabel* StatusLabel() const { return status_; }
  QPushButton* OkButton() const;
  // The folder the dialog returns when accepted now.
  QString SelectedFolder() const;

 private:
  void Selected(const QString& path);

  TMaxFolderDialog* owner_;
  QFileDialog* files_;
  QLabel* title_;
  QLabel* status_;
  bool canClose_ = true;
};

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

class TMaxSaveDialog : public TMaxOpenDialog {
  Q_OBJECT
 public:
  explicit TMaxSaveDialog(QObject* owner = nullptr) : TMaxOpenDialog(owner) {}

 protected:
  QFileDialog::AcceptMode Mode() const override { return QFileDialog::AcceptSave; }
};
