// The program entry: the application with its exception display, then the main window.
#include <QFileInfo>
#include <QTimer>
#include <QUrl>

#include "app/Application.h"
#include "app/Main.h"
#include "controls/Fonts.h"
#include "platform/CommandLine.h"

int main(int argc, char** argv) {
  platform::SetCommandLine(argc, argv);
  TApplication app(argc, argv);
  QApplication::setApplicationName("Partwell!");
  InstallQtTranslations(app);
  // "ＭＳ Ｐゴシック" at 12 pixels, a Japanese gothic face standing in for it off Windows.
  InstallFontSubstitutions();
  QApplication::setFont(DefaultFont());
  // An error that escapes the start itself is shown the same way; the process then ends with 0.
  try {
    TFormMain form;
    form.show();
    // "partwell FILE.suf" (the launcher's %f) takes the file as a drop of that one file would, as the
    // first event of the loop, so that an error in the file is shown like any other and the window stays.
    const QStringList args = QApplication::arguments();
    if (args.size() > 1) {
      const QUrl file = QUrl::fromLocalFile(QFileInfo(args.at(1)).absoluteFilePath());
      QTimer::singleShot(0, &form, [&form, file] { form.DropUrls({file}); });
    }
    return app.exec();
  } catch (const std::exception& error) {
    ShowException(error);
  }
  return 0;
}
