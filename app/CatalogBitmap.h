// Pixel work on catalog bitmaps shared by registering, deleting and creating folders.
#pragma once

#include <cstdint>
#include <string>

#include "image/DibStream.h"

constexpr int kCatalogWidth = 512;
constexpr int kCatalogHeight = 384;
constexpr int kCellWidth = 128;
constexpr int kCellHeight = 96;

// Brings a catalog as read to 512 x 384 at 24 bits, cut or padded about its centre with black.
// Pictures the canvas operation cannot take (1 and 4 bits) are widened to 24 bits first, so that a
// cell written afterwards always lies inside the picture. False when the result is not that format.
bool NormaliseCatalog(DibStream& catalog);

// Copies a 128 x 96 24-bit picture into cell slot of a normalised catalog.
void PasteCell(DibStream& catalog, int slot, const DibStream& cell);

// Paints cell slot of a normalised catalog in 0x00RRGGBB.
void FillCell(DibStream& catalog, int slot, std::uint32_t color);

// Reduces a normalised catalog to 8 bits with a median-cut palette and writes it; false when the
// reduction or the write failed (the file on disk is then as it was).
bool SaveCatalog(DibStream& catalog, const std::string& path);

// The catalog of a new folder: 512 x 384 at 8 bits, every pixel index 255, entries 0-254 the grey
// ramp and entry 255 the background colour.
bool CreateBlankCatalog(DibStream& catalog, std::uint32_t backColor);
