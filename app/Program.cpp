// The program entry: the application with its exception display, then the main window.
#include <QFont>

#include "app/Application.h"
#include "app/Main.h"
#include "platform/CommandLine.h"

int main(int argc, char** argv) {
  platform::SetCommandLine(argc, argv);
  TApplication app(argc, argv);
  QApplication::setApplicationName("Partwell!");
  QFont::insertSubstitution(QString::fromUtf8("ＭＳ Ｐゴシック"), "IPAPGothic");
  QFont font(QString::fromUtf8("ＭＳ Ｐゴシック"));
  font.setPixelSize(12);
  QApplication::setFont(font);
  // An error that escapes the start itself is shown the same way; the process then ends with 0.
  try {
    TFormMain form;
    form.show();
    return app.exec();
  } catch (const std::exception& error) {
    ShowException(error);
  }
  return 0;
}
