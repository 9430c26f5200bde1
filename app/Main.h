// TFormMain: the main window. It owns the workflow and is its view; Qt texts are converted from and
// to Shift-JIS only here, at the window's border.
#pragma once

#include <QImage>
#include <QMainWindow>
#include <QFrame>
#include <QUrl>
#include <functional>
#include <memory>
#include <optional>

#include "app/Workflow.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

// A sunken panel whose client area is a fixed-size picture the workflow draws into through a
// device context; the picture is kept, so an expose only copies it to the screen.
class TSurfacePanel : public QFrame {
  Q_OBJECT
 public:
  TSurfacePanel(int clientWidth, int clientHeight, QWidget* parent);
  HDC BeginPaint();
  void EndPaint();
  std::function<void(TSurfacePanel*)> OnPaint;  // asked to draw afresh (first show, invalidation)
  std::function<void(TSurfacePanel*, int x, int y, Qt::MouseButton, Qt::MouseButtons)> OnMouseDown;
  std::function<void(TSurfacePanel*, int x, int y, Qt::MouseButtons)> OnMouseMove;
  void Invalidate();
  const QImage& Picture() const { return picture_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  QImage picture_;
  DeviceContext dc_;
  bool stale_ = true;
  bool inPaint_ = false;
};

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

  // Controls, named as the window's design names them.
  QLabel* LabelFile;
  QLineEdit* EditFile;
  QPushButton* BtnLoad;
  QLabel* LabelPolygon;
  QLabel* LabelPolyCount;
  TSurfacePanel* PanelRend;
  QLabel* LabelFolder;
  QListWidget* ListFolder;
  QLabel* LabelCatalog;
  QLabel* LabelPartsName;
  TSurfacePanel* PanelThumbnail;
  QPushButton* BtnNewFolder;
  QPushButton* BtnSetFolder;
  QPushButton* BtnRegister;
  QPushButton* BtnDelete;

 protected:
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  // The catalog panel's tooltip and keys, passed to the workflow.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildControls();
  void BtnLoadClick();
  void MenuIndexClick();

  std::unique_ptr<Workflow> workflow_;
};

// Shift-JIS bytes to and from Qt's text.
QString FromSjis(const std::string& sjis);
std::optional<std::string> ToSjis(const QString& text);  // nullopt: no Shift-JIS form
