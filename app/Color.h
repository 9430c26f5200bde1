// TDlgColor: the colour dialog of the settings, one colour picker with OK and Cancel.
#pragma once

#include <QDialog>
#include <cstdint>

class QPushButton;
class TMaxColorPanel;

class TDlgColor : public QDialog {
  Q_OBJECT
 public:
  explicit TDlgColor(QWidget* parent);

  // In the program's order 0x00RRGGBB; the picker itself works in the platform's 0x00BBGGRR.
  void SetColor(std::uint32_t color);
  std::uint32_t GetColor() const;

  TMaxColorPanel* ColorPanel;
  QPushButton* BtnOK;
  QPushButton* BtnCancel;
};
