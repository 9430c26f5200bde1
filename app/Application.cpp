#include "app/Application.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QScreen>
#include <QTranslator>
#include <memory>

#include "app/WindowText.h"
#include "app/WorkflowView.h"

void ShowException(const std::exception& error) {
  QString text = FromSjis(error.what());
  if (!text.endsWith('.')) text += '.';
  QMessageBox::critical(nullptr, "Partwell!", text);
}

int ShowMessage(QWidget* parent, const QString& title, const QString& text, unsigned flags) {
  QMessageBox box(parent);
  box.setWindowTitle(title);
  box.setText(text);
  switch (flags & MB_ICONMASK) {
    case MB_ICONERROR: box.setIcon(QMessageBox::Critical); break;
    case MB_ICONQUESTION: box.setIcon(QMessageBox::Question); break;
    case MB_ICONEXCLAMATION: box.setIcon(QMessageBox::Warning); break;
    case MB_ICONINFORMATION: box.setIcon(QMessageBox::Information); break;
    default: break;
  }
  if ((flags & MB_TYPEMASK) == MB_YESNO) {
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    return box.exec() == QMessageBox::Yes ? IDYES : IDNO;
  }
  box.setStandardButtons(QMessageBox::Ok);
  box.exec();
  return IDOK;
}

void CentreOnScreen(QWidget& window) {
  const QScreen* screen = window.screen() != nullptr ? window.screen() : QApplication::primaryScreen();
  if (screen == nullptr) return;
  const QRect area = screen->geometry();
  window.move(area.x() + (area.width() - window.width()) / 2, area.y() + (area.height() - window.height()) / 2);
}

bool InstallQtTranslations(QApplication& app) {
  // qt_ja is the catalog that pulls in qtbase_ja and the other modules' texts.
  auto translator = std::make_unique<QTranslator>();
  if (!translator->load(QLocale(QLocale::Japanese, QLocale::Japan), "qt", "_",
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
      !QApplication::installTranslator(translator.get())) {
    return false;
  }
  translator.release()->setParent(&app);  // lives as long as the application
  return true;
}

bool TApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& error) {
    ShowException(error);
  }
  return false;
}
