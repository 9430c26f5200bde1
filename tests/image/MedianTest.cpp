// Median cut: box choice, axis ties, split values, table order, tightening, and whole pictures
// checked against a slow pixel-by-pixel reading of the method.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <vector>

#include "image/DibMedian.h"
#include "image/DibStream.h"
#include "platform/Memory.h"

namespace {

struct Colour {
  std::uint8_t b, g, r;
};

// A 24-bit top-down picture from colours in reading order.
void MakePicture(DibStream& image, int width, int height, const std::vector<Colour>& pixels) {
  ASSERT_TRUE(image.Create(width, -height, 24));
  const std::size_t stride = dib::Stride(width, 24);
  std::memset(image.bits, 0, stride * height);
  for (int i = 0; i < width * height; ++i) std::memcpy(image.bits + stride * (i / width) + 3 * (i % width), &pixels[i], 3);
}

RGBQUAD Entry(const DibStream& image, int i) { return dib::ColorTable(image.header)[i]; }

// The palette and indexes of an 8-bit (or 4-bit) result, indexes in storage order.
std::vector<int> Indexes(const DibStream& image) {
  const int width = image.header->biWidth;
  const int rows = static_cast<int>(dib::AbsHeight(image.header->biHeight));
  const std::size_t stride = dib::Stride(width, image.header->biBitCount);
  std::vector<int> out;
  for (int y = 0; y < rows; ++y) {
    for (int x = 0; x < width; ++x) {
      const std::uint8_t byte = image.bits[stride * y + (image.header->biBitCount == 8 ? x : x / 2)];
      out.push_back(image.header->biBitCount == 8 ? byte : (x & 1) ? byte & 15 : byte >> 4);
    }
  }
  return out;
}

// The method read literally: every box is found by scanning all pixels, the histogram and the
// tight bounds likewise. Slow, but it shares nothing with the library's data structures.
struct Reference {
  struct Box {
    int lo[3], hi[3];  // red, green, blue
    int node;
  };
  struct Node {
    int axis = 0, split = 0, lower = -1, upper = -1, index = 0;
  };
  std::vector<Box> boxes;
  std::vector<Node> nodes;

  static int Ch(const Colour& c, int k) { return k == 0 ? c.r : k == 1 ? c.g : c.b; }
  static bool Inside(const Box& box, const Colour& c) {
    for (int k = 0; k < 3; ++k) {
      if (Ch(c, k) < box.lo[k] || Ch(c, k) > box.hi[k]) return false;
    }
    return true;
  }
  static Box Tighten(const Box& region, const std::vector<Colour>& pixels) {
    Box t{{255, 255, 255}, {0, 0, 0}, -1};
    for (const Colour& c : pixels) {
      if (!Inside(region, c)) continue;
      for (int k = 0; k < 3; ++k) {
        t.lo[k] = std::min(t.lo[k], Ch(c, k));
        t.hi[k] = std::max(t.hi[k], Ch(c, k));
      }
    }
    return t;
  }
  static int Longest(const Box& b) {
    return std::max({b.hi[0] - b.lo[0] + 1, b.hi[1] - b.lo[1] + 1, b.hi[2] - b.lo[2] + 1});
  }

  void Run(const std::vector<Colour>& pixels, int target) {
    Box all = Tighten(Box{{0, 0, 0}, {255, 255, 255}, -1}, pixels);
    nodes.push_back({});
    all.node = 0;
    boxes.push_back(all);
    while (static_cast<int>(boxes.size()) < target) {
      std::size_t chosen = 0;
      for (std::size_t i = 1; i < boxes.size(); ++i) {
        if (Longest(boxes[i]) > Longest(boxes[chosen])) chosen = i;
      }
      const Box box = boxes[chosen];
      if (Longest(box) < 2) break;
      int axis = 0;
      for (int k = 1; k < 3; ++k) {
        if (box.hi[k] - box.lo[k] > box.hi[axis] - box.lo[axis]) axis = k;
      }
      std::vector<long> counts(256, 0);
      long total = 0;
      for (const Colour& c : pixels) {
        if (Inside(box, c)) ++counts[Ch(c, axis)], ++total;
      }
      int s = box.lo[axis] + 1;
      long sum = counts[box.lo[axis]];
      while (s < box.hi[axis] && 2 * sum < total) sum += counts[s++];
      boxes[chosen] = boxes.back();
      boxes.pop_back();
      Box lower = box, upper = box;
      lower.hi[axis] = s - 1;
      upper.lo[axis] = s;
      lower = Tighten(lower, pixels);
      upper = Tighten(upper, pixels);
      lower.node = static_cast<int>(nodes.size());
      nodes.push_back({});
      upper.node = static_cast<int>(nodes.size());
      nodes.push_back({});
      nodes[box.node] = Node{axis + 1, s, lower.node, upper.node, 0};
      boxes.push_back(lower);
      boxes.push_back(upper);
    }
    for (std::size_t i = 0; i < boxes.size(); ++i) nodes[boxes[i].node].index = static_cast<int>(i);
  }
  int Classify(const Colour& c) const {
    int n = 0;
    while (nodes[n].axis != 0) n = Ch(c, nodes[n].axis - 1) < nodes[n].split ? nodes[n].lower : nodes[n].upper;
    return nodes[n].index;
  }
};

void ExpectLikeReference(const std::vector<Colour>& pixels, int width, int height, int bitCount) {
  DibStream image;
  MakePicture(image, width, height, pixels);
  image.ConvertDepth(bitCount, DepthMedianCut);
  ASSERT_EQ(image.header->biBitCount, bitCount);
  Reference ref;
  ref.Run(pixels, bitCount == 8 ? 256 : 16);
  for (int i = 0; i < (bitCount == 8 ? 256 : 16); ++i) {
    const RGBQUAD e = Entry(image, i);
    if (i >= static_cast<int>(ref.boxes.size())) {
      EXPECT_EQ(e.rgbRed | e.rgbGreen | e.rgbBlue | e.rgbReserved, 0) << "entry " << i;
      continue;
    }
    const Reference::Box& b = ref.boxes[i];
    EXPECT_EQ(e.rgbRed, b.lo[0] + (b.hi[0] - b.lo[0] + 1) / 2) << "entry " << i;
    EXPECT_EQ(e.rgbGreen, b.lo[1] + (b.hi[1] - b.lo[1] + 1) / 2) << "entry " << i;
    EXPECT_EQ(e.rgbBlue, b.lo[2] + (b.hi[2] - b.lo[2] + 1) / 2) << "entry " << i;
  }
  const std::vector<int> indexes = Indexes(image);
  int wrong = 0;
  for (std::size_t i = 0; i < pixels.size(); ++i) wrong += indexes[i] != ref.Classify(pixels[i]);
  EXPECT_EQ(wrong, 0);
}

TEST(MedianCut, SmallPicturesWithKnownBoxes) {
  {  // One colour: one box, entry 0 the colour, the rest black.
    DibStream image;
    MakePicture(image, 3, 2, std::vector<Colour>(6, Colour{30, 60, 90}));
    image.ConvertDepth(8, DepthMedianCut);
    EXPECT_EQ(Entry(image, 0).rgbBlue, 30);
    EXPECT_EQ(Entry(image, 0).rgbGreen, 60);
    EXPECT_EQ(Entry(image, 0).rgbRed, 90);
    for (int i = 1; i < 256; ++i) EXPECT_EQ(Entry(image, i).rgbRed | Entry(image, i).rgbBlue | Entry(image, i).rgbGreen, 0);
    EXPECT_EQ(Indexes(image), std::vector<int>(6, 0));
  }
  {  // Blue 10 and 200, half each: the first split is on blue at 11.
    const std::vector<Colour> pixels = {{10, 0, 0}, {200, 0, 0}, {10, 0, 0}, {200, 0, 0}};
    std::vector<std::uint8_t> bgr;
    for (const Colour& c : pixels) bgr.insert(bgr.end(), {c.b, c.g, c.r});
    dibmedian::mediancut cut;
    ASSERT_TRUE(cut.Quantize(bgr.data(), 2, 2, 256));
    ASSERT_EQ(cut.boxCount, 2);
    EXPECT_EQ(cut.root->axis, dibmedian::coltree::Blue);
    EXPECT_EQ(cut.root->split, 11);
    EXPECT_EQ(cut.boxes[0].blueMin, 10);
    EXPECT_EQ(cut.boxes[0].blueLength, 1);
    EXPECT_EQ(cut.boxes[1].blueMin, 200);
    EXPECT_EQ(cut.boxes[1].blueLength, 1);
    const std::uint8_t blue199[] = {199, 0, 0}, blue11[] = {11, 0, 0}, blue10[] = {10, 0, 0};
    EXPECT_EQ(dibmedian::Classify(cut.root, blue10), 0);
    EXPECT_EQ(dibmedian::Classify(cut.root, blue11), 1);  // equal to the split value goes up
    EXPECT_EQ(dibmedian::Classify(cut.root, blue199), 1);
  }
  {  // Red and green both 0..100 (equal lengths): red is split first.
    const std::vector<std::uint8_t> bgr = {0, 0, 0, 0, 100, 100, 0, 0, 100, 0, 100, 0};
    dibmedian::mediancut cut;
    ASSERT_TRUE(cut.Quantize(bgr.data(), 4, 1, 2));
    EXPECT_EQ(cut.root->axis, dibmedian::coltree::Red);
    // Green and blue equal and longest: green before blue.
    const std::vector<std::uint8_t> gb = {0, 0, 5, 50, 50, 5};
    ASSERT_TRUE(cut.Quantize(gb.data(), 2, 1, 2));
    EXPECT_EQ(cut.root->axis, dibmedian::coltree::Green);
  }
  {  // The split value walks past empty values; the lower box is tightened to blue 10..20.
    const std::vector<std::uint8_t> bgr = {10, 0, 0, 20, 0, 0, 30, 0, 0, 30, 0, 0};
    dibmedian::mediancut cut;
    ASSERT_TRUE(cut.Quantize(bgr.data(), 4, 1, 2));
    EXPECT_EQ(cut.root->split, 21);
    EXPECT_EQ(cut.boxes[0].blueMin, 10);
    EXPECT_EQ(cut.boxes[0].blueLength, 11);
    EXPECT_EQ(cut.boxes[1].blueMin, 30);
    // Going on, {10, 20} is split at 11 and leaves the table to {30}: 30, then 10, then 20.
    DibStream image;
    MakePicture(image, 4, 1, {{10, 0, 0}, {20, 0, 0}, {30, 0, 0}, {30, 0, 0}});
    image.ConvertDepth(4, DepthMedianCut);
    EXPECT_EQ(Entry(image, 0).rgbBlue, 30);
    EXPECT_EQ(Entry(image, 1).rgbBlue, 10);
    EXPECT_EQ(Entry(image, 2).rgbBlue, 20);
    EXPECT_EQ(Indexes(image), (std::vector<int>{1, 2, 0, 0}));
    EXPECT_EQ(image.bits[0], 0x12);
    EXPECT_EQ(image.bits[1], 0x00);
  }
  {  // The split box leaves the table and the last box takes its place: C, then A and B.
    const Colour a{0, 0, 0}, b{0, 200, 0}, c{0, 0, 255};
    DibStream image;
    MakePicture(image, 3, 1, {a, b, c});
    image.ConvertDepth(8, DepthMedianCut);
    EXPECT_EQ(Entry(image, 0).rgbRed, 255);
    EXPECT_EQ(Entry(image, 1).rgbGreen, 0);
    EXPECT_EQ(Entry(image, 2).rgbGreen, 200);
    EXPECT_EQ(Indexes(image), (std::vector<int>{1, 2, 0}));
  }
}

TEST(MedianCut, FewerColoursThanTheTargetAreKeptExactly) {
  const std::vector<Colour> colours = {{1, 2, 3}, {250, 2, 3}, {1, 250, 3}, {1, 2, 250}, {128, 128, 128}, {7, 77, 177}, {9, 9, 10}};
  for (int bitCount : {8, 4}) {
    std::vector<Colour> pixels;
    for (int i = 0; i < 35; ++i) pixels.push_back(colours[(i * 3) % 7]);
    DibStream image;
    MakePicture(image, 7, 5, pixels);
    image.ConvertDepth(bitCount, DepthMedianCut);
    ASSERT_EQ(image.header->biBitCount, bitCount);
    const std::vector<int> indexes = Indexes(image);
    for (std::size_t i = 0; i < pixels.size(); ++i) {
      const RGBQUAD e = Entry(image, indexes[i]);
      EXPECT_EQ(e.rgbBlue, pixels[i].b);
      EXPECT_EQ(e.rgbGreen, pixels[i].g);
      EXPECT_EQ(e.rgbRed, pixels[i].r);
    }
    for (int i = 7; i < (bitCount == 8 ? 256 : 16); ++i) EXPECT_EQ(Entry(image, i).rgbRed | Entry(image, i).rgbBlue, 0);
  }
}

TEST(MedianCut, ACatalogOfAtMost256ColoursKeepsEveryColour) {
  std::mt19937 random(5);
  std::vector<Colour> colours(256);
  for (Colour& c : colours) c = Colour{static_cast<std::uint8_t>(random()), static_cast<std::uint8_t>(random()), static_cast<std::uint8_t>(random())};
  DibStream image;
  ASSERT_TRUE(image.Create(512, 384, 24));
  for (int y = 0; y < 384; ++y) {
    for (int x = 0; x < 512; ++x) std::memcpy(image.bits + 1536 * y + 3 * x, &colours[(x / 32 + 16 * (y / 24)) & 255], 3);
  }
  std::uint8_t* before = image.ToRgb24();
  image.ConvertDepth(8, DepthMedianCut);
  ASSERT_EQ(image.header->biBitCount, 8);
  std::uint8_t* after = image.ToRgb24();
  EXPECT_EQ(std::memcmp(before, after, 512 * 384 * 3), 0);
  GlobalFree(before);
  GlobalFree(after);
}

TEST(MedianCut, PalettesAndIndexesMatchThePixelByPixelReading) {
  std::mt19937 random(11);
  auto byte = [&random](int range) { return static_cast<std::uint8_t>(random() % range); };
  struct Picture {
    const char* name;
    int width, height;
    std::vector<Colour> pixels;
  };
  std::vector<Picture> pictures;
  Picture noise{"noise", 40, 30, {}};
  for (int i = 0; i < 1200; ++i) noise.pixels.push_back({byte(256), byte(256), byte(256)});
  pictures.push_back(noise);
  Picture ramp{"ramp", 48, 32, {}};
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 48; ++x) ramp.pixels.push_back({static_cast<std::uint8_t>(x * 5), static_cast<std::uint8_t>(y * 8), static_cast<std::uint8_t>(x * 2 + y * 3)});
  }
  pictures.push_back(ramp);
  // Few levels with many duplicates: ties in lengths and counts everywhere.
  Picture levels{"levels", 33, 21, {}};
  for (int i = 0; i < 33 * 21; ++i) levels.pixels.push_back({static_cast<std::uint8_t>(byte(4) * 85), static_cast<std::uint8_t>(byte(3) * 127), static_cast<std::uint8_t>(byte(5) * 60)});
  pictures.push_back(levels);
  // Narrow cluster inside one grid cell plus a few far colours.
  Picture cluster{"cluster", 30, 20, {}};
  for (int i = 0; i < 600; ++i) cluster.pixels.push_back(i % 50 ? Colour{static_cast<std::uint8_t>(96 + byte(16)), static_cast<std::uint8_t>(32 + byte(16)), static_cast<std::uint8_t>(200 + byte(3))} : Colour{byte(256), byte(256), byte(256)});
  pictures.push_back(cluster);
  for (const Picture& p : pictures) {
    for (int bitCount : {8, 4}) {
      SCOPED_TRACE(testing::Message() << p.name << " at " << bitCount << " bits");
      ExpectLikeReference(p.pixels, p.width, p.height, bitCount);
    }
  }
}

TEST(MedianCut, ThePixelOrderDoesNotChangeTheResult) {
  std::mt19937 random(3);
  std::vector<Colour> pixels;
  for (int i = 0; i < 64 * 48; ++i) pixels.push_back({static_cast<std::uint8_t>(random() % 200), static_cast<std::uint8_t>(random() % 64), static_cast<std::uint8_t>(random() % 256)});
  std::vector<Colour> shuffled = pixels;
  std::shuffle(shuffled.begin(), shuffled.end(), random);
  DibStream one, two;
  MakePicture(one, 64, 48, pixels);
  MakePicture(two, 64, 48, shuffled);
  one.ConvertDepth(8, DepthMedianCut);
  two.ConvertDepth(8, DepthMedianCut);
  EXPECT_EQ(std::memcmp(dib::ColorTable(one.header), dib::ColorTable(two.header), 1024), 0);
}

TEST(MedianCut, RefusesWhatItCannotQuantize) {
  dibmedian::mediancut cut;
  const std::uint8_t bgr[12] = {};
  EXPECT_FALSE(cut.Quantize(bgr, 0, 4, 256));
  EXPECT_FALSE(cut.Quantize(bgr, 2, 2, 0));
  EXPECT_FALSE(cut.Quantize(bgr, 2, 2, 257));
  EXPECT_EQ(cut.root, nullptr);
  platform::FailAllocations(platform::Allocator::Heap, 0, 1);
  EXPECT_FALSE(cut.Quantize(bgr, 2, 2, 256));
  platform::FailAllocations(platform::Allocator::Heap, 0, 0);
  EXPECT_EQ(cut.boxCount, 0);
  EXPECT_TRUE(cut.Quantize(bgr, 2, 2, 256));
  EXPECT_EQ(cut.boxCount, 1);
}

}  // namespace
