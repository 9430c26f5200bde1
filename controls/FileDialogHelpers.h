// What the family's file and folder dialogs share: a Qt file dialog that can veto OK, and the window
// a dialog belongs to.
#pragma once

#include <QApplication>
#include <QFileDialog>
#include <QWidget>
#include <functional>

// Qt's file dialog with a say on OK: `allow` runs before the dialog closes with OK.
class VetoFileDialog : public QFileDialog {
 public:
  using QFileDialog::QFileDialog;
  std::function<bool()> allow;

  void accept() override {
    if (!allow || allow()) QFileDialog::accept();
  }
};

// The owner's window when the owner is a widget, else the application's main window.
inline QWidget* OwnerWindow(QObject* owner) {
  if (auto* w = qobject_cast<QWidget*>(owner)) return w->window();
  return QApplication::activeWindow();
}
