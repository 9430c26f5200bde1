// The program entry: the application with its exception display, then the main window.
#include <QApplication>
#include <QFont>
#include <QMessageBox>

#include "app/Main.h"
#include "platform/CommandLine.h"
#include "platform/FrameworkError.h"

namespace {

// Shows an error the way the framework's exception display does: its text with a period, an error
// icon, the application's title.
void ShowException(const std::exception& error) {
  QString text = FromSjis(error.what());
  if (!text.endsWith('.')) text += '.';
  QMessageBox::critical(nullptr, "Partwell!", text);
}

class TApplication : public QApplication {
 public:
  using QApplication::QApplication;
  // An error raised while an event is handled ends that event only; the loop goes on.
  bool notify(QObject* receiver, QEvent* event) override {
    try {
      return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
      ShowException(error);
    }
    return false;
  }
};

}  // namespace

int main(int argc, char** argv) {
  platform::SetCommandLine(argc, argv);
  TApplication app(argc, argv);
  QApplication::setApplicationName("Partwell!");
  QFont::insertSubstitution(QString::fromUtf8("ＭＳ Ｐゴシック"), "IPAPGothic");
  QFont font(QString::fromUtf8("ＭＳ Ｐゴシック"));
  font.setPixelSize(12);
  QApplication::setFont(font);
  try {
    TFormMain form;
    form.show();
    return app.exec();
  } catch (const std::exception& error) {
    ShowException(error);
  }
  return 0;
}
