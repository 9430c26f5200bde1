// Shapes read from files for batch work, and the thumbnail a registration draws of them.
#pragma once

#include <cstdint>
#include <string>

#include "image/DibStream.h"
#include "shape/Loadsuf.h"

// What reading a shape file gave: not opened, a conversion error (its message, Shift-JIS), or read
// with the reader's warning (SufWarnNone, SufWarnAttribute, SufWarnObjects).
struct ShapeFileResult {
  bool opened = false;
  std::string error;
  int warning = SufWarnNone;
  bool Loaded() const { return opened && error.empty(); }
};

// Reads the file into shape as loading a shape does: cleared first, and after a good read its bounds
// and normals computed when forDrawing. The view and zoom of shape stay. After a failure shape is
// empty. Never throws: a conversion error is returned as its message.
ShapeFileResult ReadShapeFile(XLoaderSuf& shape, const std::string& path, bool forDrawing);

// Renders shape at 256 x 192 on backColor, as a registration does, and scales it to one cell: cell
// becomes a 128 x 96 picture at 24 bits with pixels of its own. A shape with no extent gives a cell of
// backColor.
void RenderThumbnailCell(const XLoaderSuf& shape, std::uint32_t backColor, DibStream& cell);
