// A workflow view for benchmarks: no window, every question answered Yes, the folder line kept.
#pragma once

#include <string>

#include "app/WorkflowView.h"

class QuietView : public WorkflowView {
 public:
  int selected = 0;
  int MessageBox(const std::string&, const std::string&, unsigned flags) override {
    return (flags & MB_TYPEMASK) == MB_YESNO ? IDYES : IDOK;
  }
  void SetEditFileText(const std::string&) override {}
  void SetPolyCountCaption(const std::string&) override {}
  void SetPartsNameCaption(const std::string&) override {}
  void SetRegisterEnabled(bool) override {}
  void SetDeleteEnabled(bool) override {}
  void BeginFolderUpdate() override {}
  void EndFolderUpdate() override {}
  void ClearFolderList() override {}
  void AddFolderLine(const std::string&) override {}
  void SelectFolderLine(int line) override { selected = line; }
  void ReplaceFolderLine(int, const std::string&) override {}
  int SelectedFolderLine() const override { return selected; }
  HDC BeginPaintThumbnail() override { return nullptr; }
  void EndPaintThumbnail() override {}
  HDC BeginPaintPreview() override { return nullptr; }
  void EndPaintPreview() override {}
  void InvalidatePreview() override {}
  bool RunFolderDialog(FolderDialogState&) override { return false; }
};
