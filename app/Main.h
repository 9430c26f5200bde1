// TFormMain: the main window. It owns the workflow and is its view; it translates Qt's events into
// the workflow's operations and shows what the workflow asks it to show.
#pragma once

#include <QMainWindow>
#include <QUrl>
#include <functional>
#include <memory>
#include <optional>

#include "app/Workflow.h"

class QAction;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class TPaintPanel;

class TFormMain : public QMainWindow, public WorkflowView {
  Q_OBJECT
 public:
  explicit TFormMain(QWidget* parent = nullptr);
  ~TFormMain() override;

  Workflow& State() { return *workflow_; }
  // Files dropped from the shell: the first one is loaded.
  void DropUrls(const QList<QUrl>& urls);

  // WorkflowView
  int MessageBox(const std::string& text, const std::string& title, unsigned flags) override;
  void SetEditFileText(const std::string& text) override;
  void SetPolyCountCaption(const std::string& text) override;
  void SetPartsNameCaption(const std::string& text) override;
  void SetRegisterEnabled(bool enabled) override;
  void SetDeleteEnabled(bool enabled) override;
  void BeginFolderUpdate() override;
  void EndFolderUpdate() override;
  void ClearFolderList() override;
  void AddFolderLine(const std::string& text) override;
  void SelectFolderLine(int index) override;
  void ReplaceFolderLine(int index, const std::string& text) override;
  int SelectedFolderLine() const override;
  HDC BeginPaintThumbnail() override;
  void EndPaintThumbnail() override;
  HDC BeginPaintPreview() override;
  void EndPaintPreview() override;
  void InvalidatePreview() override;
  bool RunFolderDialog(FolderDialogState& state) override;

  // Controls and menu items, named as the window's design names them.
  QLabel* LabelFile;
  QLineEdit* EditFile;
  QPushButton* BtnLoad;
  QLabel* LabelPolygon;
  QLabel* LabelPolyCount;
  TPaintPanel* PanelRend;
  QLabel* LabelFolder;
  QListWidget* ListFolder;
  QLabel* LabelCatalog;
  QLabel* LabelPartsName;
  TPaintPanel* PanelThumbnail;
  QPushButton* BtnNewFolder;
  QPushButton* BtnSetFolder;
  QPushButton* BtnRegister;
  QPushButton* BtnDelete;
  QAction* MenuConfig;
  QAction* MenuExit;
  QAction* MenuIndex;
  QAction* MenuAbout;
  // The open dialog of 読込: the chosen file's path, empty when the user cancelled.
  std::function<QString()> OpenDlg;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  // The catalog panel's tooltip and keys, passed to the workflow.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildMenu();
  void BuildControls();
  void ConnectEvents();
  void BtnLoadClick();
  void ListFolderClick(int line);
  void MenuConfigClick();
  void MenuIndexClick();
  void MenuAboutClick();
  std::optional<std::vector<std::string>> DroppedNames(const QList<QUrl>& urls);

  std::unique_ptr<Workflow> workflow_;
  // The folder line the workflow works on: the line it selected, or the one the user moved to.
  int selectedLine_ = -1;
};
