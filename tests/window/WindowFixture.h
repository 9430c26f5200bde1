// What the window tests share: a program folder with its settings beside a DOGA library in a
// temporary folder, a hand that answers message boxes, and a hand for any other modal dialog.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "controls/PPanel.h"
#include "image/DibStream.h"
#include "platform/CommandLine.h"
#include "platform/Sjis.h"
#include "tests/common/ScratchFolder.h"

namespace partwell::test {

inline void Write(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string Read(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline std::string Sjis(const char* utf8) { return platform::Utf8ToSjis(utf8).value(); }

// bin/ holds the program (as the command line names it) and Partwell.ini; DOGACGA/ the library.
struct Installation {
  ScratchFolder scratch;  // removed with everything in it
  std::filesystem::path root = scratch.Path();
  explicit Installation(const std::string& settings = "") {
    std::filesystem::create_directories(root / "bin");
    MakeLibrary(Cga());
    Write(root / "bin" / "Partwell.ini", "[Partwell]\r\nCGAFolder=" + Cga().string() + "\r\n" + settings);
    std::string program = (root / "bin" / "partwell").string();
    char* argv[] = {program.data()};
    platform::SetCommandLine(1, argv);
  }
  std::filesystem::path Cga() const { return root / "DOGACGA"; }
  std::filesystem::path Ini() const { return root / "bin" / "Partwell.ini"; }
  static void MakeLibrary(const std::filesystem::path& cga) {
    std::filesystem::create_directories(cga / "common" / "parts");
    std::filesystem::create_directories(cga / "common" / "catalog");
  }
  // One folder a name: index entries (the same English and Japanese name), part folder, and a
  // catalog filled with one colour (0x00RRGGBB).
  static void WriteFolders(const std::filesystem::path& cga, const std::vector<std::pair<std::string, std::uint32_t>>& folders) {
    std::string english = "[PartsAssembler]\r\nMenuItems=" + std::to_string(folders.size()) + "\r\n";
    std::string japanese = "[PartsAssembler.jpn]\r\n";
    for (std::size_t i = 0; i < folders.size(); ++i) {
      const std::string& name = folders[i].first;
      const std::string line = "Menu" + std::to_string(i + 1) + "=" + name + "," + name + ".BMP," + name + "\\" + name + "\r\n";
      english += line;
      japanese += line;
      std::filesystem::create_directories(cga / "common" / "parts" / name);
      DibStream catalog;
      catalog.Create(512, 384, 24);
      for (int k = 0; k < 512 * 384; ++k) {
        catalog.bits[3 * k] = static_cast<std::uint8_t>(folders[i].second);
        catalog.bits[3 * k + 1] = static_cast<std::uint8_t>(folders[i].second >> 8);
        catalog.bits[3 * k + 2] = static_cast<std::uint8_t>(folders[i].second >> 16);
      }
      catalog.SaveBmp((cga / "common" / "catalog" / (name + ".BMP")).string());
    }
    Write(cga / "common" / "parts" / "parts.ini", english + japanese);
  }
};

// The client area of a picture panel as it paints now, one 0x00RRGGBB value a pixel.
inline std::uint32_t ClientPixel(TPaintPanel* panel, int x, int y) {
  return panel->grab(panel->ClientRect()).toImage().pixel(x, y) & 0xFFFFFFu;
}

// Answers every message box shown while it lives, Yes when offered, else OK, and keeps what it saw.
class Boxes {
 public:
  struct Seen {
    QString title, text, yesText;
    QMessageBox::Icon icon;
  };
  Boxes() {
    timer_.setInterval(0);
    QObject::connect(&timer_, &QTimer::timeout, [this] { Answer(); });
    timer_.start();
  }
  std::vector<Seen> seen;

 private:
  void Answer() {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr || !box->isVisible()) return;
    QAbstractButton* yes = box->button(QMessageBox::Yes);
    seen.push_back({box->windowTitle(), box->text(), yes ? yes->text() : QString(), box->icon()});
    (yes ? yes : box->button(QMessageBox::Ok))->click();
  }
  QTimer timer_;
};

// Runs act on the next modal dialog of type Dialog, once it is up.
template <typename Dialog, typename Act>
void WhenShown(Act act) {
  QTimer::singleShot(0, [act]() mutable {
    auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
    if (dialog != nullptr && dialog->isVisible()) {
      act(dialog);
    } else {
      WhenShown<Dialog>(act);
    }
  });
}

}  // namespace partwell::test
