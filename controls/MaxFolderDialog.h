// TMaxFolderDialog, the folder dialog of unit MaxFile: browses for a folder with a title above the
// tree, an optional start on the current directory, a live Folder and a per-folder veto of OK.
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <memory>

#include "controls/Events.h"

// The dialog itself is the sender; a handler sets canClose false to grey out OK for that folder.
using TChangeFolderEvent = std::function<void(QObject* sender, bool& canClose)>;

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
