// The attribute table: the colour of each named attribute, read from attribute files, so that every
// polygon shows in the colour of the attribute its shape file names. Names are Shift-JIS bytes and
// match byte for byte (letter case counts).
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

class XAtr {
 public:
  virtual ~XAtr();
  // Back to the empty name and white.
  void Reset();

  std::string name;
  float r = 1.0f;
  float g = 1.0f;
  float b = 1.0f;
};

class XLoaderAtr {
 public:
  XLoaderAtr() = default;
  ~XLoaderAtr();
  XLoaderAtr(const XLoaderAtr&) = delete;
  XLoaderAtr& operator=(const XLoaderAtr&) = delete;

  // Takes ownership. False (the entry is dropped) only when the count would pass the int range.
  bool Add(std::unique_ptr<XAtr> atr);
  // The first entry added with exactly this name, or null.
  const XAtr* Find(std::string_view name) const;
  // Deletes every entry (the table the program reads once at start-up is never cleared; tests and
  // the command-line front end reread it).
  void Clear();

  int count = 0;
  std::vector<std::unique_ptr<XAtr>> items;  // exactly count entries, insertion order
};

// The program's one attribute table, filled from _GENIE.ATR at start-up and only read afterwards.
extern XLoaderAtr GlobalAttributes;

// Appends one entry per attribute block of the file (path in Shift-JIS) to table, which is not
// cleared first. False only when the file cannot be opened; the table then is unchanged.
bool ReadAtrFile(XLoaderAtr& table, const char* path);
