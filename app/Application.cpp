#include "app/Application.h"

#include <QMessageBox>

#include "app/Main.h"

void ShowException(const std::exception& error) {
  QString text = FromSjis(error.what());
  if (!text.endsWith('.')) text += '.';
  QMessageBox::critical(nullptr, "Partwell!", text);
}

bool TApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& error) {
    ShowException(error);
  }
  return false;
}
