// Median cut: the colour grid, the box splitting and the decision tree.
//
// The boxes partition the picture's colours: a split divides a box's colours by the split value and
// each half is then tightened around its own colours, so the colours geometrically inside a box are
// exactly the ones it was given. Each box therefore keeps its distinct colours as one stretch of a
// shared list, and a split partitions that stretch in place. Each box also keeps its pixel counts
// per channel value, from which its split value and its tight bounds follow: a split counts the
// lower half while partitioning and leaves the upper half the rest. Histograms and bounds come out
// the same as from scanning every pixel of the grid cells a box overlaps, at a fraction of the work.
#include "image/DibMedian.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "image/DibStream.h"
#include "platform/Memory.h"

namespace dibmedian {

namespace {

inline int CellOf(unsigned blue, unsigned green, unsigned red) {
  return static_cast<int>(256 * (red >> 4) + 16 * (green >> 4) + (blue >> 4));
}

// A colour's place inside its cell: the low 4 bits of each channel.
inline int PlaceOf(unsigned blue, unsigned green, unsigned red) {
  return static_cast<int>(256 * (red & 15) + 16 * (green & 15) + (blue & 15));
}

inline std::uint64_t Load64(const std::uint8_t* p) {
  std::uint64_t v;
  std::memcpy(&v, p, sizeof v);
  return v;
}

}  // namespace

std::size_t RunEnd(const std::uint8_t* bgr, std::size_t at, std::size_t count) {
  const std::uint8_t* colour = bgr + 3 * at;
  std::size_t i = at + 1;
  // Five pixels at once: pixels i to i + 4 each repeat the one before when the 16 bytes from
  // pixel i - 1 on read the same as the 16 bytes one pixel further (the last byte is pixel i + 5's
  // first, which is only compared, not counted).
  while (i + 6 <= count) {
    const std::uint8_t* p = bgr + 3 * i - 3;
    if (Load64(p) != Load64(p + 3) || Load64(p + 8) != Load64(p + 11)) break;
    i += 5;
    if (i >= at + 8) {
      // Pixels at to at + 7 are of the colour, so their 24 bytes are those of any eight pixels of
      // it: a flat area (a catalog's background) goes eight pixels at a time against them.
      const std::uint64_t w0 = Load64(colour), w1 = Load64(colour + 8), w2 = Load64(colour + 16);
      for (const std::uint8_t* q = bgr + 3 * i; i + 8 <= count; i += 8, q += 24) {
        if (Load64(q) != w0 || Load64(q + 8) != w1 || Load64(q + 16) != w2) break;
      }
    }
  }
  for (const std::uint8_t* p = bgr + 3 * i; i < count; ++i, p += 3) {
    if (p[0] != colour[0] || p[1] != colour[1] || p[2] != colour[2]) break;
  }
  return i;
}

namespace {

inline unsigned Channel(const medianentry& e, std::int32_t axis) {
  return axis == coltree::Red ? e.red : axis == coltree::Green ? e.green : e.blue;
}

// Pixel counts of a box by value, one row for each of red, green and blue.
struct Histogram {
  std::uint32_t bins[3][256];
};

void Count(Histogram& h, const medianentry& e) {
  h.bins[0][e.red] += e.pixels;
  h.bins[1][e.green] += e.pixels;
  h.bins[2][e.blue] += e.pixels;
}

// The tight bounds are the first and last values a box's pixels take. A box's pixels lie inside the
// bounds of the box it was split from (`within`), so the scans start there.
void Tighten(medianbox& box, const Histogram& h, const medianbox& within) {
  const std::int32_t from[3] = {within.redMin, within.greenMin, within.blueMin};
  const std::int32_t span[3] = {within.redLength, within.greenLength, within.blueLength};
  std::int32_t lo[3], length[3];
  for (int k = 0; k < 3; ++k) {
    int first = from[k], last = from[k] + span[k] - 1;
    while (first < last && h.bins[k][first] == 0) ++first;
    while (last > first && h.bins[k][last] == 0) --last;
    lo[k] = first;
    length[k] = last - first + 1;
  }
  box.redMin = lo[0], box.greenMin = lo[1], box.blueMin = lo[2];
  box.redLength = length[0], box.greenLength = length[1], box.blueLength = length[2];
}

// The deepest node that every colour of grid cell c reaches.
const coltree* CellNode(const coltree* root, int c) {
  const int lo[3] = {16 * (c >> 8), 16 * (c >> 4 & 15), 16 * (c & 15)};  // red, green, blue
  const coltree* node = root;
  while (node->axis != coltree::Leaf) {
    const int first = lo[node->axis - 1];
    if (first + 15 < node->split) {
      node = node->lower;
    } else if (first >= node->split) {
      node = node->upper;
    } else {
      break;
    }
  }
  return node;
}

// The least and greatest value of each channel (red, green, blue) over some colours: a box's tight
// bounds, since every colour of a box has at least one pixel.
struct Bounds {
  unsigned lo[3] = {255, 255, 255};
  unsigned hi[3] = {0, 0, 0};
  void Take(const medianentry& e) {
    const unsigned v[3] = {e.red, e.green, e.blue};
    for (int k = 0; k < 3; ++k) {
      lo[k] = std::min(lo[k], v[k]);
      hi[k] = std::max(hi[k], v[k]);
    }
  }
  void SetOn(medianbox& box) const {
    box.redMin = static_cast<std::int32_t>(lo[0]), box.greenMin = static_cast<std::int32_t>(lo[1]), box.blueMin = static_cast<std::int32_t>(lo[2]);
    box.redLength = static_cast<std::int32_t>(hi[0] - lo[0] + 1), box.greenLength = static_cast<std::int32_t>(hi[1] - lo[1] + 1),
    box.blueLength = static_cast<std::int32_t>(hi[2] - lo[2] + 1);
  }
};

inline std::int32_t LongestSide(const medianbox& b) {
  return std::max(b.redLength, std::max(b.greenLength, b.blueLength));
}

}  // namespace

medianhist::~medianhist() {
  platform::HeapRelease(entries);
  platform::HeapRelease(runs);
}

mediancut::~mediancut() { platform::HeapRelease(runs); }

bool medianhist::Build(const std::uint8_t* bgr, std::size_t pixelCount) {
  platform::HeapRelease(entries);
  platform::HeapRelease(runs);
  entries = nullptr;
  runs = nullptr;
  distinct = runCount = 0;
  if (pixelCount == 0) return true;

  // 1. Runs of one colour in storage order. Flat areas (a catalog's background, flat-shaded
  //    thumbnails) make them far fewer than the pixels, and everything after this step works per
  //    run. The block is sized for one run a pixel, but only the pages the runs reach are touched.
  //    A bit a cell marks the cells in use, so the later steps visit those alone, in cell order.
  runs = static_cast<medianrun*>(platform::HeapAllocate(pixelCount * sizeof(medianrun)));
  if (!runs) return false;
  std::size_t runsOfCell[kCells];  // of the cells in use, counted from their first run on
  std::uint64_t inUse[kCells / 64] = {};
  for (std::size_t i = 0; i < pixelCount;) {
    const std::size_t end = RunEnd(bgr, i, pixelCount);
    const std::uint8_t* p = bgr + 3 * i;
    const int cell = CellOf(p[0], p[1], p[2]);
    runs[runCount++] = medianrun{static_cast<std::uint16_t>(cell), static_cast<std::uint16_t>(PlaceOf(p[0], p[1], p[2])),
                           static_cast<std::uint32_t>(end - i)};
    const std::uint64_t bit = std::uint64_t{1} << (cell & 63);
    if ((inUse[cell >> 6] & bit) == 0) {
      inUse[cell >> 6] |= bit;
      runsOfCell[cell] = 0;
    }
    ++runsOfCell[cell];
    i = end;
  }
  std::uint16_t used[kCells];
  int usedCount = 0;
  for (int w = 0; w < kCells / 64; ++w) {
    for (std::uint64_t bits = inUse[w]; bits != 0; bits &= bits - 1) {
      used[usedCount++] = static_cast<std::uint16_t>(64 * w + std::countr_zero(bits));
    }
  }

  // 2. Counting sort of the runs by cell, keeping their order within a cell.
  auto* sorted = static_cast<medianrun*>(platform::HeapAllocate(runCount * sizeof(medianrun)));
  auto* list = static_cast<medianentry*>(platform::HeapAllocate(runCount * sizeof(medianentry)));
  if (!sorted || !list) {
    platform::HeapRelease(runs);
    runs = nullptr;
    runCount = 0;
    platform::HeapRelease(sorted);
    platform::HeapRelease(list);
    return false;
  }
  std::size_t fill[kCells];  // of the cells in use: where its next run goes
  std::size_t start = 0;
  for (int u = 0; u < usedCount; ++u) {
    fill[used[u]] = start;
    start += runsOfCell[used[u]];
  }
  for (std::size_t r = 0; r < runCount; ++r) sorted[fill[runs[r].cell]++] = runs[r];

  // 3. Merge the duplicates of each cell; slot[place] is the entry of that colour while seen[place]
  //    names the cell being merged (cell + 1, so a fresh table means "not seen"). A cell's runs end
  //    where its fill position stopped.
  std::uint32_t seen[kCells] = {};
  std::uint32_t slot[kCells];
  std::size_t written = 0, from = 0;
  for (int u = 0; u < usedCount; ++u) {
    const int c = used[u];
    const auto mark = static_cast<std::uint32_t>(c + 1);
    for (std::size_t r = from; r < fill[c]; ++r) {
      const unsigned place = sorted[r].place;
      if (seen[place] == mark) {
        list[slot[place]].pixels += sorted[r].pixels;
        continue;
      }
      seen[place] = mark;
      slot[place] = static_cast<std::uint32_t>(written);
      list[written++] = medianentry{static_cast<std::uint8_t>(16 * (c & 15) + (place & 15)),
                                    static_cast<std::uint8_t>(16 * (c >> 4 & 15) + (place >> 4 & 15)),
                                    static_cast<std::uint8_t>(16 * (c >> 8) + (place >> 8)), sorted[r].pixels};
    }
    from = fill[c];
  }
  platform::HeapRelease(sorted);
  entries = list;
  distinct = written;
  return true;
}

coltree* mediancut::NewLeaf() {
  coltree* node = &nodes_[nodesUsed_++];
  *node = coltree{};
  return node;
}

bool mediancut::Quantize(const std::uint8_t* bgr, int width, int height, int target) {
  root = nullptr;
  boxCount = 0;
  nodesUsed_ = 0;
  if (!bgr || width <= 0 || height <= 0 || target < 1 || target > 256) return false;
  medianhist grid;
  if (!grid.Build(bgr, static_cast<std::size_t>(width) * static_cast<std::size_t>(height))) return false;
  platform::HeapRelease(runs);
  runs = grid.runs;
  runCount = grid.runCount;
  grid.runs = nullptr;
  // One histogram a box. Every box holds at least one distinct colour, so there are never more
  // boxes than the target or the distinct colours; a split gives the parent's histogram to the
  // upper half and takes a free one for the lower.
  const auto mostBoxes = static_cast<int>(std::min<std::size_t>(static_cast<std::size_t>(target), grid.distinct));
  auto* histograms = static_cast<Histogram*>(platform::HeapAllocate(sizeof(Histogram) * static_cast<std::size_t>(mostBoxes)));
  if (!histograms) return false;
  std::int32_t freeHistograms[kMaxBoxes];
  int freeCount = 0;
  for (int i = mostBoxes - 1; i >= 1; --i) freeHistograms[freeCount++] = i;
  medianentry* list = grid.entries;

  medianbox& all = boxes[0];
  all = medianbox{};
  all.first = 0;
  all.entries = grid.distinct;
  all.histogram = 0;
  std::memset(&histograms[0], 0, sizeof(Histogram));
  for (std::size_t i = 0; i < grid.distinct; ++i) Count(histograms[0], list[i]);
  medianbox everything{};
  everything.redLength = everything.greenLength = everything.blueLength = 256;
  Tighten(all, histograms[0], everything);
  root = all.node = NewLeaf();
  boxCount = 1;
  // Each box's longest side, kept beside the table so the choice below compares plain numbers.
  std::int32_t longest[kMaxBoxes];
  longest[0] = LongestSide(all);
  const std::uint64_t pixels = static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height);
  std::uint64_t boxPixels[kMaxBoxes + 1];
  boxPixels[0] = pixels;

  while (boxCount < target) {
    // The box with the longest side; the first in the table wins a tie.
    int chosen = 0;
    for (int i = 1; i < boxCount; ++i) {
      if (longest[i] > longest[chosen]) chosen = i;
    }
    const medianbox parent = boxes[chosen];
    if (longest[chosen] < 2) break;

    // Red wins an equal length over green, green over blue.
    std::int32_t axis, low, length;
    if (parent.redLength >= parent.greenLength && parent.redLength >= parent.blueLength) {
      axis = coltree::Red, low = parent.redMin, length = parent.redLength;
    } else if (parent.greenLength >= parent.blueLength) {
      axis = coltree::Green, low = parent.greenMin, length = parent.greenLength;
    } else {
      axis = coltree::Blue, low = parent.blueMin, length = parent.blueLength;
    }
    const std::int32_t high = low + length - 1;
    Histogram& upperCounts = histograms[parent.histogram];
    const std::uint32_t* counts = upperCounts.bins[axis - 1];
    const std::uint64_t total = boxPixels[parent.histogram];

    // The first value above the minimum with at least half of the pixels below it, at most the
    // maximum, so both halves keep at least one colour.
    std::int32_t split = low + 1;
    std::uint64_t below = counts[low];
    while (split < high && 2 * below < total) below += counts[split++];

    // Partition the box's colours in one pass, counting the lower half as it forms; the upper
    // half's counts are what is left of the parent's. A box with fewer colours than its sides
    // have values counts both halves afresh instead: the same numbers, with less work.
    // Only the counts inside a box's bounds are ever read (both halves lie inside the parent's),
    // so only those are cleared and subtracted.
    const std::int32_t from[3] = {parent.redMin, parent.greenMin, parent.blueMin};
    const std::int32_t span[3] = {parent.redLength, parent.greenLength, parent.blueLength};
    const std::int32_t lowerSlot = freeHistograms[--freeCount];
    Histogram& lowerCounts = histograms[lowerSlot];
    // A box recounted this way also takes its halves' bounds from their colours, which is cheaper
    // than scanning their counts.
    const bool recount = parent.entries < static_cast<std::size_t>(span[0] + span[1] + span[2]);
    Bounds lowerBounds, upperBounds;
    for (int k = 0; k < 3; ++k) {
      const std::size_t bytes = sizeof(std::uint32_t) * static_cast<std::size_t>(span[k]);
      std::memset(&lowerCounts.bins[k][from[k]], 0, bytes);
      if (recount) std::memset(&upperCounts.bins[k][from[k]], 0, bytes);
    }
    std::size_t front = parent.first, back = parent.first + parent.entries;
    const auto cut = static_cast<unsigned>(split);
    while (front < back) {
      if (Channel(list[front], axis) < cut) {
        if (recount) lowerBounds.Take(list[front]);
        Count(lowerCounts, list[front++]);
      } else {
        std::swap(list[front], list[--back]);
        if (recount) {
          Count(upperCounts, list[back]);
          upperBounds.Take(list[back]);
        }
      }
    }
    if (!recount) {
      for (int k = 0; k < 3; ++k) {
        for (int v = from[k]; v < from[k] + span[k]; ++v) upperCounts.bins[k][v] -= lowerCounts.bins[k][v];
      }
    }
    boxPixels[lowerSlot] = below;
    boxPixels[parent.histogram] = total - below;

    boxes[chosen] = boxes[boxCount - 1];
    longest[chosen] = longest[boxCount - 1];
    --boxCount;
    // Each half's colours lie on its own side of the split, and it has at least one there, so
    // its bounds are looked for on that side only.
    medianbox lowerWithin = parent, upperWithin = parent;
    std::int32_t& lowerLength = axis == coltree::Red ? lowerWithin.redLength : axis == coltree::Green ? lowerWithin.greenLength : lowerWithin.blueLength;
    lowerLength = split - low;
    std::int32_t& upperMin = axis == coltree::Red ? upperWithin.redMin : axis == coltree::Green ? upperWithin.greenMin : upperWithin.blueMin;
    std::int32_t& upperLength = axis == coltree::Red ? upperWithin.redLength : axis == coltree::Green ? upperWithin.greenLength : upperWithin.blueLength;
    upperMin = split;
    upperLength = high - split + 1;
    const int lowerAt = boxCount++;
    medianbox& lower = boxes[lowerAt];
    lower = medianbox{};
    lower.first = parent.first;
    lower.entries = front - parent.first;
    lower.histogram = lowerSlot;
    if (recount) {
      lowerBounds.SetOn(lower);
    } else {
      Tighten(lower, lowerCounts, lowerWithin);
    }
    lower.node = NewLeaf();
    longest[lowerAt] = LongestSide(lower);
    const int upperAt = boxCount++;
    medianbox& upper = boxes[upperAt];
    upper = medianbox{};
    upper.first = front;
    upper.entries = parent.first + parent.entries - front;
    upper.histogram = parent.histogram;
    if (recount) {
      upperBounds.SetOn(upper);
    } else {
      Tighten(upper, upperCounts, upperWithin);
    }
    upper.node = NewLeaf();
    longest[upperAt] = LongestSide(upper);
    parent.node->axis = axis;
    parent.node->split = split;
    parent.node->lower = lower.node;
    parent.node->upper = upper.node;
  }
  platform::HeapRelease(histograms);
  for (int i = 0; i < boxCount; ++i) boxes[i].node->index = i;
  return true;
}

int Classify(const coltree* root, const std::uint8_t* bgr) {
  const coltree* node = root;
  while (node->axis != coltree::Leaf) {
    const unsigned value = node->axis == coltree::Red ? bgr[2] : node->axis == coltree::Green ? bgr[1] : bgr[0];
    node = value < static_cast<unsigned>(node->split) ? node->lower : node->upper;
  }
  return node->index;
}

bool BuildImage(const std::uint8_t* bgr, int width, int height, int bitCount, DibStream& result) {
  if (bitCount != 4 && bitCount != 8) return false;
  const std::uint32_t rows = dib::AbsHeight(height);
  if (width <= 0 || rows == 0 || rows > 0x7FFFFFFFu) return false;
  mediancut cut;
  if (!cut.Quantize(bgr, width, static_cast<int>(rows), bitCount == 8 ? 256 : 16)) return false;
  if (!result.Create(width, height, bitCount)) return false;

  // A box's colour is the centre of its bounds; the entries no box uses are black.
  RGBQUAD* table = dib::ColorTable(result.header);
  const int entries = bitCount == 8 ? 256 : 16;
  for (int i = 0; i < entries; ++i) {
    if (i < cut.boxCount) {
      const medianbox& b = cut.boxes[i];
      table[i] = RGBQUAD{static_cast<BYTE>(b.blueMin + b.blueLength / 2), static_cast<BYTE>(b.greenMin + b.greenLength / 2),
                         static_cast<BYTE>(b.redMin + b.redLength / 2), 0};
    } else {
      table[i] = RGBQUAD{0, 0, 0, 0};
    }
  }

  // Each pixel is classified from the deepest node that its whole grid cell reaches, so only the
  // splits that cut through the cell are compared pixel by pixel; the leaf is the one Classify
  // reaches from the root. A cell's node is found the first time one of its colours comes up.
  const coltree* starts[medianhist::kCells] = {};
  // One classification a run of one colour, the runs the quantizer found; a run may go on past
  // the end of a row.
  const std::size_t stride = dib::Stride(width, bitCount);
  const auto columns = static_cast<std::size_t>(width);
  // Every pixel is written below: an 8-bit image needs only its row padding cleared, a 4-bit one
  // is cleared whole since its pixels are ORed in by halves.
  if (bitCount == 8) {
    for (std::size_t y = 0; y < rows; ++y) std::memset(result.bits + stride * y + columns, 0, stride - columns);
  } else {
    std::memset(result.bits, 0, stride * rows);
  }
  std::uint8_t* out = result.bits;
  const std::uint8_t* in = bgr;
  std::size_t x = 0;
  for (std::size_t r = 0; r < cut.runCount; ++r) {
    const medianrun& run = cut.runs[r];
    if (!starts[run.cell]) starts[run.cell] = CellNode(cut.root, run.cell);
    const int index = Classify(starts[run.cell], in);
    in += 3 * static_cast<std::size_t>(run.pixels);
    for (std::size_t left = run.pixels; left > 0;) {
      const std::size_t end = x + std::min(left, columns - x);
      if (bitCount == 8) {
        // Most runs are short: a call to memset would cost more than the stores.
        if (end - x < 16) {
          for (std::size_t i = x; i < end; ++i) out[i] = static_cast<std::uint8_t>(index);
        } else {
          std::memset(out + x, index, end - x);
        }
      } else {
        // Two pixels a byte, the left one in the high nibble.
        for (std::size_t i = x; i < end; ++i) out[i >> 1] = static_cast<std::uint8_t>(out[i >> 1] | ((i & 1) ? index : index << 4));
      }
      left -= end - x;
      x = end;
      if (x == columns) {
        x = 0;
        out += stride;
      }
    }
  }
  return true;
}

}  // namespace dibmedian
