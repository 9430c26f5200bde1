// The program entry: the application with its exception display, then the main window.
#include "app/Application.h"
#include "app/Main.h"
#include "controls/Fonts.h"
#include "platform/CommandLine.h"

int main(int argc, char** argv) {
  platform::SetCommandLine(argc, argv);
  TApplication app(argc, argv);
  QApplication::setApplicationName("Partwell!");
  // "ＭＳ Ｐゴシック" at 12 pixels, a Japanese gothic face standing in for it off Windows.
  InstallFontSubstitutions();
  QApplication::setFont(DefaultFont());
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
