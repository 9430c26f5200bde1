// Which cells of a catalog show a picture. A cell shows none when all its 128 x 96 pixels have one
// colour: a slot never drawn, a cell painted over when its part was deleted (the background colour as
// the catalog's palette keeps it), or the padding of a catalog that had another size.
#pragma once

#include <bitset>

#include "app/PartsFolder.h"
#include "image/DibStream.h"

// True when the catalog as read is what DOGA reads: 512 x 384 at 8 bits.
bool IsCatalogFormat(const DibStream& catalog);

// Bit s set: cell s shows a picture. A catalog of another size or depth is normalised in place
// first (to 512 x 384 at 24 bits); false when that cannot be done.
bool FindPictureCells(DibStream& catalog, std::bitset<kSlotCount>& pictures);
