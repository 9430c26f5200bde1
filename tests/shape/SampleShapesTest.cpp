#include "shape/Loadsuf.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The shipped samples read with the shipped attribute file: the polygon counts follow from how the
// generator builds each shape, and only the two files made to warn do so.
TEST(SampleShapes, ReadWithTheShippedAttributesAsBuilt) {
  GlobalAttributes.Clear();
  ASSERT_TRUE(ReadAtrFile(GlobalAttributes, PARTWELL_SOURCE_DIR "/data/_GENIE.ATR"));
  struct Sample {
    const char* file;
    int polygons;
    int warning;
  } samples[] = {
      {"cube.suf", 6, SufWarnNone},
      {"pyramid.suf", 5, SufWarnNone},
      {"cylinder.suf", 24 + 2, SufWarnNone},
      {"torus.suf", 32 * 12, SufWarnNone},
      {"gear.suf", 16 * 4 + 2 * 16 * 4 + 4, SufWarnNone},
      {"arrow.suf", 6 + 2, SufWarnNone},
      {"two_objects.suf", 6 + 4 * 6 + 5, SufWarnObjects},
      {"unknown_attribute.suf", 5, SufWarnAttribute},
  };
  for (const auto& s : samples) {
    SCOPED_TRACE(s.file);
    XLoaderSuf shape;
    int warning = 99;
    const std::string path = std::string(PARTWELL_SOURCE_DIR "/data/samples/") + s.file;
    ASSERT_TRUE(ReadSufFile(shape, path.c_str(), warning));
    EXPECT_EQ(shape.count, s.polygons);
    EXPECT_EQ(warning, s.warning);
    shape.UpdateBounds();
    shape.UpdateNormals();
    EXPECT_LT(shape.min.x, shape.max.x);
    EXPECT_LT(shape.min.z, shape.max.z);
    int white = 0;
    for (const auto& face : shape.faces) {
      EXPECT_GE(face->count, 3);
      if (face->color.x == 1.0f && face->color.y == 1.0f && face->color.z == 1.0f) ++white;
    }
    // The shipped white is not pure white: only the face of the unknown attribute stays (1, 1, 1).
    EXPECT_EQ(white, s.warning == SufWarnAttribute ? 1 : 0);
  }
  GlobalAttributes.Clear();
}

}  // namespace
