// Everything the workflow of the main window asks of a window. TFormMain implements it with Qt;
// the tests and partwell-cli implement it without one. All texts are Shift-JIS bytes.
#pragma once

#include <string>
#include <vector>

#include "platform/Gdi.h"

// Message box flags and answers, the platform's values (on Windows <windows.h>, which Gdi.h brings,
// defines them itself).
#ifndef _WIN32
constexpr unsigned MB_OK = 0x00;
constexpr unsigned MB_YESNO = 0x04;
constexpr unsigned MB_ICONERROR = 0x10;
constexpr unsigned MB_ICONQUESTION = 0x20;
constexpr unsigned MB_ICONEXCLAMATION = 0x30;
constexpr unsigned MB_ICONINFORMATION = 0x40;
constexpr unsigned MB_TYPEMASK = 0x0F;  // the buttons: MB_OK or MB_YESNO
constexpr unsigned MB_ICONMASK = 0xF0;  // the icon
constexpr int IDOK = 1;
constexpr int IDYES = 6;
constexpr int IDNO = 7;
#endif

// What the folder dialog shows and, after OK, what the user typed.
struct FolderDialogState {
  std::string caption;
  std::string folder;                         // EditFolder
  std::string name;                           // EditName
  std::string jpnName;                        // EditJpnName
  bool folderReadOnly = false;                // renaming: the folder field shows the prefix
  std::vector<std::string> existingPrefixes;  // filled only when creating
  std::vector<std::string> existingCatalogs;  // the same folders' catalog files, when creating
  std::string catalogFile;                    // renaming: the folder's catalog file
};

class WorkflowView {
 public:
  virtual ~WorkflowView() = default;

  // A modal message box; returns IDOK, IDYES or IDNO.
  virtual int MessageBox(const std::string& text, const std::string& title, unsigned flags) = 0;

  virtual void SetEditFileText(const std::string& text) = 0;
  virtual void SetPolyCountCaption(const std::string& text) = 0;
  virtual void SetPartsNameCaption(const std::string& text) = 0;
  virtual void SetRegisterEnabled(bool enabled) = 0;
  virtual void SetDeleteEnabled(bool enabled) = 0;

  // The folder list. Selecting a line from here never raises the list's click event.
  virtual void BeginFolderUpdate() = 0;
  virtual void EndFolderUpdate() = 0;
  virtual void ClearFolderList() = 0;
  virtual void AddFolderLine(const std::string& text) = 0;
  virtual void SelectFolderLine(int index) = 0;
  virtual void ReplaceFolderLine(int index, const std::string& text) = 0;
  virtual int SelectedFolderLine() const = 0;  // -1 when no line is selected

  // The two panels. A device context stays valid until the matching ...Painted() call; null when
  // the panel cannot be drawn on now (the drawing is then skipped).
  virtual HDC BeginPaintThumbnail() = 0;  // 256 x 192
  virtual void EndPaintThumbnail() = 0;
  virtual HDC BeginPaintPreview() = 0;  // 128 x 96
  virtual void EndPaintPreview() = 0;
  virtual void InvalidatePreview() = 0;
  // Whether the view has a catalog panel at all. One without (the command line) is not made to read
  // and scale the catalog each time the folder, slot or a part changes.
  virtual bool ShowsCatalog() const { return true; }

  // Runs the folder dialog modally. The view calls Workflow::CheckFolderDialog when the user presses
  // OK and closes only when it returns true. Returns true when the dialog ended with OK.
  virtual bool RunFolderDialog(FolderDialogState& state) = 0;
};
