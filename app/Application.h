// The application object with the exception display of its event dispatch.
#pragma once

#include <QApplication>
#include <exception>

// Shows an error the way the framework's exception display does: its text with a period appended,
// an error icon, the application's title "Partwell!".
void ShowException(const std::exception& error);

class TApplication : public QApplication {
 public:
  using QApplication::QApplication;
  // An error raised while an event is handled ends that event only; the loop goes on.
  bool notify(QObject* receiver, QEvent* event) override;
};
