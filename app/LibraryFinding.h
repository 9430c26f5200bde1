// One thing the library check found, and what a repair did about it. Texts are Shift-JIS bytes;
// folder and slot are counted from 1 as the cli shows them, 0 when the finding is not about one.
#pragma once

#include <string>

enum class FindingKind {
  IndexMissing,      // parts.ini is not there
  EmptyField,        // an index entry with an empty name, catalog or prefix
  UnusablePath,      // a catalog or prefix that would lead outside common\catalog\ or common\parts\ .
  CatalogMissing,
  CatalogUnreadable,
  CatalogFormat,     // readable, but not 512 x 384 at 8 bits
  FolderMissing,     // the directory of the part prefix
  BlankCell,         // a part file whose cell shows no picture
  OrphanCell,        // a cell with a picture and no part file
  StrayFile,         // a file in a part folder that is no slot's part file
  UnindexedFolder,   // a directory of common\parts that no entry names
  UnindexedCatalog,  // a bitmap of common\catalog that no entry names
  StaleTemp,         // a temporary file of an atomic write that never finished
  PartUnreadable,    // a part file that cannot be opened or read (conversion error)
  PartWarning,       // a part file that loads with a warning (several objects, unknown attribute)
};

// The word scripts see: "blank-cell", "stale-temp", ...
const char* FindingKindName(FindingKind kind);

struct LibraryFinding {
  FindingKind kind;
  int folder = 0;     // 1-based index entry, 0: none
  int slot = 0;       // 1 to 16, 0: none
  std::string path;   // the file or directory concerned (Windows-style, Shift-JIS), may be empty
  std::string text;   // one line for a person
};
