// The workflow of the main window without any window: its state and every operation of settings,
// parts index, catalog, parts and folders. Whatever it asks of a window goes through WorkflowView.
// Texts and paths are Shift-JIS bytes; paths are Windows-style (the file services map them).
//
// The two framework errors (a refused profile write, a malformed number in a shape file) are thrown as
// platform::FrameworkError and end the running operation; the caller's event dispatch shows them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/LibraryFinding.h"
#include "app/PartsFolder.h"
#include "app/WorkflowView.h"
#include "image/DibStream.h"
#include "platform/Profile.h"
#include "shape/Loadsuf.h"

// Pointer buttons: the one a press names, or the set a move holds (or-ed).
enum PointerButton : unsigned { PointerLeft = 1, PointerRight = 2, PointerMiddle = 4 };

struct WorkflowPoint {
  std::int32_t x = 0;
  std::int32_t y = 0;
};

class Workflow {
 public:
  explicit Workflow(WorkflowView& view);
  ~Workflow();
  Workflow(const Workflow&) = delete;
  Workflow& operator=(const Workflow&) = delete;

  // The preview's background until the settings name another: red 115, green 74, blue 155.
  static constexpr std::uint32_t kDefaultBackColor = 0x734A9B;

  // State, in the order the main window keeps it.
  std::string ProgramFolder;        // ends in a backslash, or empty
  std::string CGAFolder;            // DOGA folder, no trailing backslash
  std::uint32_t BackColor = 0;      // 0x00RRGGBB
  std::int32_t MenuItems = 0;       // folder count as read from parts.ini
  std::int32_t SelectedSlot = 0;    // 0 to 15
  std::vector<PartsFolder> Folders; // index order; record k is Menu(k+1) and list line k
  DibStream Catalog;                // the selected folder's catalog as shown: 256 x 192, 24 bits
  XLoaderSuf Model;                 // the loaded shape with the preview's rotation and zoom
  WorkflowPoint LastPoint;          // last pointer position over the preview
  std::string EditFile;             // the text of the shape-file field
  int ShapeWarning = SufWarnNone;   // the reader's warning about the shape LoadShape read last
  int ShapeWarnings = 0;            // warning boxes shown about shapes (several objects, unknown attribute)

  // Start-up: program folder from the command line, settings, the attribute file, the parts index.
  void Construct();
  // The start every front end shares, without the parts index: the program folder, the settings and
  // the attribute file (atrFile, or the program's _GENIE.ATR when empty). False when the attribute
  // file could not be read (every attribute name is then unknown).
  bool StartUp(const std::string& programFolder, const std::string& atrFile = "");
  void LoadSettings();
  void SaveSettings(const std::string& newFolder, std::uint32_t newColor);
  void SetEditFile(const std::string& path);  // the field's text changed (open dialog, drop, cli)
  void DropFiles(const std::vector<std::string>& names);
  // Paths of the settings file and of a file that ships with the program (_GENIE.ATR, partwell.htm).
  std::string SettingsPath() const;
  std::string ProgramFile(const char* name) const;
  // The help page a front end opens: its path, or "" after the warning that it is not there.
  // HelpNotShown gives the same warning when a front end could not open the page it was named.
  std::string HelpFile();
  void HelpNotShown();
  // A name a front end was given (a chosen or dropped file, a typed folder) that has no Shift-JIS
  // form: every front end refuses it with this one text, RefuseName as a warning box.
  static std::string NoSjisFormText();
  void RefuseName();

  // The parts index.
  void ReadPartsIndex();
  // Count and both entries in one replace of the file. False (after a warning) when the index was
  // there before but cannot be read now; nothing is written then.
  bool WriteFolderEntry(int n, const PartsFolder& folder);
  void ClearFolders();
  std::string PartsIndexPath() const;

  // Catalog and slots.
  std::string SlotFileName(const PartsFolder& folder, int slot) const;
  std::string CatalogPath(const PartsFolder& folder) const;
  void ShowCatalog();
  void PaintCatalog();
  void SelectSlot(int x, int y, unsigned button);  // only PointerLeft selects
  void UpdatePartsName();
  const PartsFolder* SelectedFolder() const;
  // Whether the folder's part files and catalog lie inside common\parts\ and common\catalog\.
  static bool HasContainedParts(const PartsFolder& folder);
  static bool HasContainedCatalog(const PartsFolder& folder);

  // Shapes and parts. LoadShape reads EditFile into Model; false when it cannot be opened (nothing
  // is shown then). A conversion error throws; a reader's warning is shown and the shape kept.
  bool LoadShape();
  static std::string ShapeWarningText(int warning);  // SufWarnObjects or SufWarnAttribute
  void RenderPreview();
  void PressPreview(int x, int y, unsigned button);
  // A pointer move over the preview with the buttons held: the left button turns the view, the right
  // one zooms it (both held: the turn takes the step, the zoom sees none).
  void MovePreview(int x, int y, unsigned held);
  void RotatePreview(int x, int y);
  void ZoomPreview(int x, int y);
  void RegisterPart();
  void DeletePart();

  // The catalog panel: which slot a point of the half-size catalog lies in, the arrow keys, the
  // tooltip (the slot's part file, or "" for an empty slot) and shape files dropped onto a cell.
  static int SlotAt(int x, int y);
  void MoveSlot(int dx, int dy);
  std::string SlotToolTip(int x, int y) const;
  void DropFilesOnSlot(int x, int y, const std::vector<std::string>& names);

  // Library care. The check reads every entry, catalog and part file and writes nothing. The repair
  // mends what needs no guess, in every folder (folder -1) or folder index folder, after one
  // question; it returns what it did. Retake draws the selected folder's thumbnails again with the
  // preview's view (slot -1: every slot with a part file); RegisterNextFree puts several shape files
  // into the selected folder's free slots and returns the slots used. Each writes a catalog once.
  std::vector<LibraryFinding> CheckLibrary() const;
  struct RepairResult {
    std::vector<LibraryFinding> mended;
    bool declined = false;  // the question was answered No: nothing was written
    bool failed = false;    // a write or a delete failed (and was reported)
  };
  RepairResult RepairLibrary(int folder);
  bool RetakeThumbnails(int slot);
  std::vector<int> RegisterNextFree(const std::vector<std::string>& files);

  // Folders.
  void CreateFolder();
  void RenameFolder();
  // The OK check of the folder dialog; shows its own warnings. True: the dialog may close with OK.
  bool CheckFolderDialog(const FolderDialogState& state);

  // Message texts the view and the tests share.
  static std::string Text(const char* utf8);  // a constant UTF-8 text in Shift-JIS

 private:
  enum ThumbnailResult { ThumbnailWritten, ThumbnailNoCatalog, ThumbnailWriteFailed };
  ThumbnailResult DrawThumbnailInto(const PartsFolder& folder);

  bool WriteIndexEntry(int n, const PartsFolder& folder, int count, bool newEntry);
  bool CanAddIndexEntry(int n);  // before a new folder's files are made; warns as the write would
  bool CheckIndexEntry(const platform::ProfileFile& index, int n, bool newEntry);
  // Warns "%s は使えないパスです。" for the first of prefix and catalog file that would leave the library.
  bool CheckEntryPaths(const PartsFolder& folder);
  bool MakeFolderOnDisk(const PartsFolder& record, const std::string& directory);

  WorkflowView& view_;
  bool indexExisted_ = false;  // parts.ini was there when the index was last read or written
  int Warn(const std::string& text, const char* title = "Partwell!");
  void WarnAboutShape(const std::string& text);  // a Warn counted in ShapeWarnings
};
