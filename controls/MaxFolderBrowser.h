// TMaxFolderBrowser, the window of TMaxFolderDialog.
#pragma once

#include <QDialog>
#include <QFileDialog>
#include <QString>

class QLabel;
class QPushButton;

class TMaxFolderDialog;

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
