// A DOGA library in a temporary folder and a view that records what the workflow shows.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/Workflow.h"
#include "platform/Sjis.h"
#include "tests/common/ScratchFolder.h"
#include "tests/common/TestSurface.h"

namespace partwell::test {

// Shift-JIS bytes of a UTF-8 literal.
inline std::string Sjis(const char* utf8) {
  auto sjis = platform::Utf8ToSjis(utf8);
  EXPECT_TRUE(sjis.has_value()) << utf8;
  return sjis.value_or("");
}

struct Message {
  std::string text;
  std::string title;
  unsigned flags;
};

class RecordingView : public WorkflowView {
 public:
  std::vector<Message> messages;
  std::vector<int> answers;  // answers to questions, in order; IDNO when none is left
  std::string editFile, polyCount, partsName;
  bool registerEnabled = false, deleteEnabled = false;
  std::vector<std::string> lines;
  int selected = -1;
  int previewInvalidations = 0;
  FolderDialogState typed;       // what the user "types" into the folder dialog
  FolderDialogState shown;       // what the dialog was opened with
  bool dialogCancels = false;
  Workflow* workflow = nullptr;  // for the dialog's OK check
  TestSurface thumbnail{256, 192};
  TestSurface preview{128, 96};
  int thumbnailPaints = 0;

  int MessageBox(const std::string& text, const std::string& title, unsigned flags) override {
    messages.push_back({text, title, flags});
    if ((flags & MB_TYPEMASK) != MB_YESNO) return IDOK;
    if (answers.empty()) return IDNO;
    int answer = answers.front();
    answers.erase(answers.begin());
    return answer;
  }
  void SetEditFileText(const std::string& text) override { editFile = text; }
  void SetPolyCountCaption(const std::string& text) override { polyCount = text; }
  void SetPartsNameCaption(const std::string& text) override { partsName = text; }
  void SetRegisterEnabled(bool enabled) override { registerEnabled = enabled; }
  void SetDeleteEnabled(bool enabled) override { deleteEnabled = enabled; }
  void BeginFolderUpdate() override {}
  void EndFolderUpdate() override {}
  void ClearFolderList() override {
    lines.clear();
    selected = -1;
  }
  void AddFolderLine(const std::string& text) override { lines.push_back(text); }
  void SelectFolderLine(int index) override { selected = index; }
  void ReplaceFolderLine(int index, const std::string& text) override { lines.at(index) = text; }
  int SelectedFolderLine() const override { return selected; }
  HDC BeginPaintThumbnail() override { return thumbnail.Dc(); }
  void EndPaintThumbnail() override { ++thumbnailPaints; }
  HDC BeginPaintPreview() override { return preview.Dc(); }
  void EndPaintPreview() override {}
  void InvalidatePreview() override { ++previewInvalidations; }
  bool catalogPanel = true;
  bool ShowsCatalog() const override { return catalogPanel; }
  bool RunFolderDialog(FolderDialogState& state) override {
    shown = state;
    if (dialogCancels) return false;
    if (!state.folderReadOnly) state.folder = typed.folder;
    state.name = typed.name;
    state.jpnName = typed.jpnName;
    return workflow->CheckFolderDialog(state);
  }

  std::uint32_t ThumbnailPixel(int x, int y) { return thumbnail.Pixel(x, y); }
};

// A temporary DOGA folder with common\parts and common\catalog, removed afterwards.
class TempLibrary {
 public:
  TempLibrary();
  ScratchFolder scratch;  // the library's folder, removed with everything in it
  std::filesystem::path root;
  std::string Cga() const { return root.string(); }  // a host path: the file services take it as is
  std::filesystem::path Parts() const { return root / "common" / "parts"; }
  std::filesystem::path Catalogs() const { return root / "common" / "catalog"; }
  void WriteIndex(const std::string& sjisBytes) const { WriteFile(Parts() / "parts.ini", sjisBytes); }
  std::string ReadIndex() const { return ReadFile(Parts() / "parts.ini"); }

  static void WriteFile(const std::filesystem::path& path, const std::string& bytes);
  static std::string ReadFile(const std::filesystem::path& path);
};

// A unit cube of six quads in attribute "red", as a SUF file.
std::string CubeSuf(const char* attribute = "red");

// A fixture with the view, the library and a workflow on it (not yet constructed).
class WorkflowTest : public ::testing::Test {
 protected:
  void SetUp() override;
  // Three folders; Menu2's Japanese name holds ソ (trail byte 0x5C).
  void WriteThreeFolders();
  // Settings as the constructor would read them, then the index.
  void Open();

  RecordingView view;
  TempLibrary library;
  Workflow workflow{view};
};

// A BMP file as read back: the header fields and every pixel as 0x00RRGGBB, top row first.
struct Picture {
  int width = 0, height = 0, bitCount = 0;
  std::int32_t storedHeight = 0;
  std::vector<std::uint32_t> pixels;
  std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};
Picture ReadPicture(const std::filesystem::path& path);
// Writes a 24-bit BMP whose pixel (x, y) from the top is color(x, y).
void WritePicture24(const std::filesystem::path& path, int width, int height,
                    std::uint32_t (*color)(int x, int y));

}  // namespace partwell::test
