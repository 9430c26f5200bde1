// Reads a shape file (SUF) into an XLoaderSuf: one XFace per polygon primitive, vertex positions in
// file order, the colour of the polygon's attribute taken from GlobalAttributes. Per-vertex normals
// and texture coordinates are stepped over; every line outside the grammar is skipped.
#pragma once

#include "shape/Shape.h"

// The warning written through ReadSufFile's out-parameter; each event overwrites it, so after a read
// it names the last event in file order.
constexpr int SufWarnNone = 0;
constexpr int SufWarnAttribute = -1;  // an "atr" line names an attribute GlobalAttributes lacks
constexpr int SufWarnObjects = -2;    // a second (or later) object begins

// Appends the polygons of the file (path in Shift-JIS) to shape; the caller has cleared it. False
// when the file cannot be opened (shape and warning untouched), true when it was read to its end.
// A coordinate that is not a decimal number, or whose value does not fit a float, throws
// platform::FrameworkError with "'TOKEN' は浮動小数点数ではありません" (Shift-JIS); the faces
// completed before it stay in shape.
bool ReadSufFile(XLoaderSuf& shape, const char* path, int& warning);
