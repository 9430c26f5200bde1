// partwell-gallery: shows every widget of the family at its default size and state.
//   partwell-gallery            a window with all of them
//   partwell-gallery --grab DIR one PNG per class, DIR/<class>.png, without a display, then exits
#include <QApplication>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QTextStream>
#include <QVBoxLayout>
#include <cstdio>
#include <functional>
#include <vector>

#include "controls/Fonts.h"
#include "controls/MaxBtn.h"
#include "controls/MaxCheck.h"
#include "controls/MaxColorBar.h"
#include "controls/MaxColorCircle.h"
#include "controls/MaxColorPanel.h"
#include "controls/MaxControlBox.h"
#include "controls/MaxEdit.h"
#include "controls/MaxFile.h"
#include "controls/MaxFolderDialog.h"
#include "controls/MaxGroup.h"
#include "controls/MaxList.h"
#include "controls/MaxNumberEdit.h"
#include "controls/MaxPanel.h"
#include "controls/MaxSaveDialog.h"
#include "controls/MaxTrack.h"
#include "controls/PPanel.h"
#include "controls/TextPanel.h"

namespace {

struct GalleryEntry {
  const char* className;
  std::function<QWidget*(QWidget* parent)> make;
};

// One line per widget class, in palette order. A designer names a dropped control after its class
// and numbers it, and gives captions that name; the entries do the same where a class has a text.
const std::vector<GalleryEntry>& Entries() {
  static const std::vector<GalleryEntry> entries = {
      {"TPaintPanel", [](QWidget* p) { auto* w = new TPaintPanel(p); w->SetCaption("PaintPanel1"); return w; }},
      {"TTextPanel", [](QWidget* p) { auto* w = new TTextPanel(p); w->SetCaption("TextPanel1"); return w; }},
      {"TMaxColorCircle", [](QWidget* p) { return new TMaxColorCircle(p); }},
      {"TMaxColorBar", [](QWidget* p) { return new TMaxColorBar(p); }},
      {"TMaxColorPanel", [](QWidget* p) { return new TMaxColorPanel(p); }},
      {"TMaxButton", [](QWidget* p) { auto* w = new TMaxButton(p); w->SetCaption("MaxButton1"); return w; }},
      {"TMaxCheck", [](QWidget* p) { auto* w = new TMaxCheck(p); w->SetCaption("MaxCheck1"); return w; }},
      {"TMaxTrack", [](QWidget* p) { return new TMaxTrack(p); }},
      {"TMaxEdit", [](QWidget* p) { auto* w = new TMaxEdit(p); w->resize(121, 20); w->SetText("MaxEdit1"); return w; }},
      {"TMaxNumberEdit", [](QWidget* p) { return new TMaxNumberEdit(p); }},
      {"TMaxControlBox", [](QWidget* p) { return new TMaxControlBox(p); }},
      {"TMaxPanel", [](QWidget* p) { auto* w = new TMaxPanel(p); w->SetCaption("MaxPanel1"); return w; }},
      {"TMaxGroupBox", [](QWidget* p) { auto* w = new TMaxGroupBox(p); w->SetCaption("MaxGroupBox1"); return w; }},
      {"TMaxListBox", [](QWidget* p) { return new TMaxListBox(p); }},
  };
  return entries;
}

int Grab(const QString& dir) {
  if (!QDir().mkpath(dir)) {
    std::fprintf(stderr, "partwell-gallery: cannot make %s\n", qPrintable(dir));
    return 1;
  }
  int failed = 0;
  for (const GalleryEntry& entry : Entries()) {
    // A plain parent gives the widget the look it has on a form (parent colour and font).
    QWidget form;
    form.setAutoFillBackground(true);
    QWidget* widget = entry.make(&form);
    widget->move(0, 0);
    form.resize(widget->size());
    const QString path = QDir(dir).filePath(QString::fromLatin1(entry.className) + ".png");
    if (!widget->grab().save(path)) {
      std::fprintf(stderr, "partwell-gallery: cannot write %s\n", qPrintable(path));
      ++failed;
    }
  }
  return failed == 0 ? 0 : 1;
}

QWidget* Window() {
  auto* window = new QWidget;
  window->setWindowTitle("partwell-gallery");
  auto* outer = new QVBoxLayout(window);
  auto* grid = new QGridLayout;
  outer->addLayout(grid);
  int i = 0;
  for (const GalleryEntry& entry : Entries()) {
    auto* box = new QGroupBox(QString::fromLatin1(entry.className));
    QWidget* widget = entry.make(box);
    box->setMinimumSize(widget->width() + 16, widget->height() + 28);
    widget->move(8, 20);
    grid->addWidget(box, i / 3, i % 3);
    ++i;
  }
  // The non-visual dialogs, each behind a button.
  auto* buttons = new QHBoxLayout;
  outer->addLayout(buttons);
  auto* folder = new TMaxFolderDialog(window);
  folder->SetTitle("フォルダを選択してください");
  folder->SetCurrentDir(true);
  auto* open = new TMaxOpenDialog(window);
  open->SetFilters({"SUF File (*.suf)|*.suf", "All Files (*.*)|*.*"});
  auto* save = new TMaxSaveDialog(window);
  save->SetFilters({"SUF File (*.suf)|*.suf"});
  auto* result = new QLabel;
  const auto add = [&](const char* name, std::function<QString()> run) {
    auto* b = new QPushButton(name);
    QObject::connect(b, &QPushButton::clicked, window, [result, run] { result->setText(run()); });
    buttons->addWidget(b);
  };
  add("TMaxFolderDialog", [folder] { return folder->Execute() ? folder->GetFolder() : QString("(cancel)"); });
  add("TMaxOpenDialog", [open] { return open->Execute() ? open->GetFileName() : QString("(cancel)"); });
  add("TMaxSaveDialog", [save] { return save->Execute() ? save->GetFileName() : QString("(cancel)"); });
  outer->addWidget(result);
  return window;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  InstallFontSubstitutions();
  QApplication::setFont(DefaultFont());
  const QStringList args = QApplication::arguments();
  const qsizetype grab = args.indexOf("--grab");
  if (grab >= 0) {
    if (grab + 1 >= args.size()) {
      std::fprintf(stderr, "usage: partwell-gallery [--grab DIR]\n");
      return 2;
    }
    return Grab(args[grab + 1]);
  }
  QWidget* window = Window();
  window->show();
  const int rc = QApplication::exec();
  delete window;
  return rc;
}
