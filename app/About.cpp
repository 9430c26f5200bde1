#include "app/About.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include "app/Application.h"

#ifndef PARTWELL_VERSION
#error "PARTWELL_VERSION comes from the project version in CMakeLists.txt"
#endif

TDlgAbout::TDlgAbout(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QString::fromUtf8("Partwell!について"));
  setFixedSize(257, 209);
  Bevel1 = new QFrame(this);
  Bevel1->setFrameStyle(QFrame::Box | QFrame::Sunken);  // the lowered, etched frame
  Bevel1->setGeometry(8, 8, 241, 153);
  LabelTitle = new QLabel("Partwell!", this);
  QFont title("Times New Roman");
  title.setPixelSize(48);
  LabelTitle->setFont(title);
  LabelTitle->move(24, 24);
  LabelTitle->adjustSize();
  LabelVersion = new QLabel(QString::fromUtf8("バージョン ") + PARTWELL_VERSION, this);
  LabelVersion->move(32, LabelTitle->geometry().bottom() + 16);
  LabelVersion->adjustSize();
  Button1 = new QPushButton("OK", this);
  Button1->setGeometry(91, 176, 75, 25);
  Button1->setDefault(true);
  // Default and cancel button: Enter and Escape both close the box.
  connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
  CentreOnScreen(*this);
}
