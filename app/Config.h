// TDlgConfig: the settings dialog, the DOGA folder (typed or browsed) and the background colour.
#pragma once

#include <QDialog>
#include <cstdint>
#include <string>

class QLabel;
class QLineEdit;
class QPushButton;
class TMaxFolderDialog;
class TPaintPanel;

class TDlgConfig : public QDialog {
  Q_OBJECT
 public:
  explicit TDlgConfig(QWidget* parent);

  // The dialog's colour, 0x00RRGGBB; setting it also colours PanelColor.
  std::uint32_t GetColor() const { return color_; }
  void SetColor(std::uint32_t color);
  // The folder text as Shift-JIS, set when the dialog closed with OK.
  const std::string& GetFolder() const { return folder_; }

  QLabel* Label1;
  QLineEdit* EditFolder;
  QPushButton* BtnLoad;
  QLabel* LabelBkColor;
  TPaintPanel* PanelColor;
  QPushButton* Button2;
  QPushButton* Button3;
  TMaxFolderDialog* FolderDlg;

 private:
  void BtnLoadClick();
  void PanelColorClick();
  void Button2Click();

  std::uint32_t color_ = 0;
  std::string folder_;
};
