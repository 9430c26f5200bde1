// The application object with the exception display of its event dispatch, and the few window
// conventions every window of the program shares.
#pragma once

#include <QApplication>
#include <QString>
#include <exception>

// Shows an error the way the framework's exception display does: its text with a period appended,
// an error icon, the application's title "Partwell!".
void ShowException(const std::exception& error);

// A modal message box with the platform's flags (an icon in MB_ICONMASK, MB_OK or MB_YESNO in
// MB_TYPEMASK); returns IDOK, IDYES or IDNO.
int ShowMessage(QWidget* parent, const QString& title, const QString& text, unsigned flags);

// Places a window that is about to be shown in the middle of its screen.
void CentreOnScreen(QWidget& window);

// Qt's own texts (file dialogs, はい/いいえ, edit context menus) in Japanese, as the program speaks.
// False when the system has no Japanese translation of Qt.
bool InstallQtTranslations(QApplication& app);

class TApplication : public QApplication {
 public:
  using QApplication::QApplication;
  // An error raised while an event is handled ends that event only; the loop goes on.
  bool notify(QObject* receiver, QEvent* event) override;
};
