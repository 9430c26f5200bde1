// TMaxSaveDialog, the save dialog of unit MaxFile: an open dialog that asks for a file to write.
#pragma once

#include <QFileDialog>
#include <QObject>

#include "controls/MaxFile.h"

class TMaxSaveDialog : public TMaxOpenDialog {
  Q_OBJECT
 public:
  explicit TMaxSaveDialog(QObject* owner = nullptr) : TMaxOpenDialog(owner) {}

 protected:
  QFileDialog::AcceptMode Mode() const override { return QFileDialog::AcceptSave; }
};
