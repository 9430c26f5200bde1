// Colour reduction by median cut. The colour-space box around a picture's pixels is split again and
// again at the median of its longest side; the splits form a two-way decision tree that maps every
// colour to its box, and a box's colour is the centre of its tight bounds.
//
// Colours here are 3 bytes in buffer order: blue, green, red.
#pragma once

#include <cstddef>
#include <cstdint>

class DibStream;

namespace dibmedian {

// One distinct colour of the picture and how many of its pixels have it.
struct medianentry {
  std::uint8_t blue, green, red;
  std::uint32_t pixels;
};

// A run of pixels of one colour in storage order: its grid cell, its place in the cell (the low 4
// bits of red, green and blue as 256 x red + 16 x green + blue) and its length.
struct medianrun {
  std::uint16_t cell;
  std::uint16_t place;
  std::uint32_t pixels;
};

// The grid: 4096 cells of 16 x 16 x 16 values, numbered 256 x (red / 16) + 16 x (green / 16) +
// blue / 16. Every pixel lands in its cell, duplicates merged into one entry with a pixel count, so
// the grid is the picture's colour histogram sorted coarsely by colour: one list, cell after cell.
struct medianhist {
  static constexpr int kCells = 4096;
  // Every cell's list, one after the other in cell order, from the program heap. The quantizer
  // reorders it as it splits, after which the cells' lists no longer hold.
  medianentry* entries = nullptr;
  std::size_t distinct = 0;        // distinct colours over all cells
  // The picture's runs of one colour in storage order, from the program heap: the classification
  // of the pixels takes them over rather than finding them again.
  medianrun* runs = nullptr;
  std::size_t runCount = 0;

  medianhist() = default;
  ~medianhist();
  medianhist(const medianhist&) = delete;
  medianhist& operator=(const medianhist&) = delete;

  // False (and the grid empty) when the scratch memory cannot be had.
  bool Build(const std::uint8_t* bgr, std::size_t pixelCount);
};

// A node of the decision tree. A colour whose channel on the axis is below split goes to lower,
// otherwise to upper.
struct coltree {
  enum : std::int32_t { Leaf = 0, Red = 1, Green = 2, Blue = 3 };
  std::int32_t axis = Leaf;
  std::int32_t split = 0;
  coltree* lower = nullptr;
  coltree* upper = nullptr;
  std::int32_t index = 0;  // a leaf's colour table index
};

// A box of colour space, always tight around the pixels inside it: each minimum and maximum is taken
// by at least one of them. A length is maximum - minimum + 1. Its distinct colours are the entries
// first to first + entries - 1 of the quantizer's colour list; histogram names the quantizer's
// per-channel pixel counts of the box.
struct medianbox {
  std::int32_t redMin, greenMin, blueMin;
  std::int32_t redLength, greenLength, blueLength;
  coltree* node;
  std::size_t first;
  std::size_t entries;
  std::int32_t histogram;
};

struct mediancut {
  static constexpr int kMaxBoxes = 260;

  coltree* root = nullptr;
  medianbox boxes[kMaxBoxes];
  std::int32_t boxCount = 0;

  // The runs of one colour of the picture last quantized (see medianhist), kept for its
  // classification; released with the object.
  medianrun* runs = nullptr;
  std::size_t runCount = 0;

  mediancut() = default;
  ~mediancut();
  mediancut(const mediancut&) = delete;
  mediancut& operator=(const mediancut&) = delete;

  // Splits the box around the width x height pixels of bgr (3 bytes each, no row padding) until
  // there are target boxes (1 to 256) or every box holds a single colour, and numbers the leaves by
  // their boxes' places in the table. False when there are no pixels, the target is out of range or
  // the scratch memory cannot be had.
  bool Quantize(const std::uint8_t* bgr, int width, int height, int target);

 private:
  // Every node ever made lives here, so the tree needs no freeing of its own: two new leaves a
  // split, at most 255 splits, plus the root.
  coltree nodes_[2 * kMaxBoxes];
  int nodesUsed_ = 0;
  coltree* NewLeaf();
};

// The first pixel after pixel `at` of the count BGR pixels of bgr whose colour differs from it, or
// count: the end of the run of one colour that starts at `at`.
std::size_t RunEnd(const std::uint8_t* bgr, std::size_t at, std::size_t count);

// The colour table index of the leaf the colour reaches from root.
int Classify(const coltree* root, const std::uint8_t* bgr);

// The median cut of a picture given as width x abs(height) BGR pixels in storage order into an
// image of bitCount 8 (256 colours) or 4 (16): result is created with that width, height (sign
// kept) and depth. False when the depth is not 4 or 8 or an allocation fails.
bool BuildImage(const std::uint8_t* bgr, int width, int height, int bitCount, DibStream& result);

}  // namespace dibmedian
