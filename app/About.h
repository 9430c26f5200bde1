// TDlgAbout: the about box, the program's name and the version it was built as.
#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;

class TDlgAbout : public QDialog {
  Q_OBJECT
 public:
  explicit TDlgAbout(QWidget* parent);

  QFrame* Bevel1;
  QLabel* LabelTitle;
  QLabel* LabelVersion;
  QPushButton* Button1;
};
