#include "shape/Loadsuf.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ShapeTestFiles.h"
#include "platform/FrameworkError.h"

namespace {

// " は浮動小数点数ではありません" as the user sees it, in Shift-JIS.
const std::string kNotAFloat =
    "' \x82\xCD\x95\x82\x93\xAE\x8F\xAC\x90\x94\x93\x5F\x90\x94\x82\xC5\x82\xCD\x82\xA0\x82\xE8\x82\xDC\x82\xB9\x82\xF1";

struct Face {
  std::vector<Vec3> vertices;
  Vec3 color;
};

void AddAttribute(const char* name, float r, float g, float b) {
  auto atr = std::make_unique<XAtr>();
  atr->name = name;
  atr->r = r;
  atr->g = g;
  atr->b = b;
  GlobalAttributes.Add(std::move(atr));
}

class SufReader : public ::testing::Test {
 protected:
  void SetUp() override {
    GlobalAttributes.Clear();
    AddAttribute("red", 1, 0, 0);
    AddAttribute("blue", 0, 0, 1);
    AddAttribute("\x95\x5C\x8E\xA6", 0, 1, 0);  // 表示: a name with a 0x5C trail byte
  }
  void TearDown() override { GlobalAttributes.Clear(); }

  // Reads text as a file; returns the warning, fills faces.
  int Read(const std::string& text, std::vector<Face>& faces) {
    XLoaderSuf shape;
    int warning = 99;
    EXPECT_TRUE(ReadSufFile(shape, folder.Write("t.suf", text).c_str(), warning));
    EXPECT_EQ(shape.count, static_cast<int>(shape.faces.size()));
    faces.clear();
    for (const auto& f : shape.faces) {
      EXPECT_EQ(f->count, static_cast<int>(f->vertices.size()));
      faces.push_back({f->vertices, f->color});
    }
    return warning;
  }

  // The text of the error a read throws, or "" when it does not throw; shape keeps what was read.
  std::string ReadError(const std::string& text, XLoaderSuf& shape) {
    int warning = 0;
    try {
      ReadSufFile(shape, folder.Write("e.suf", text).c_str(), warning);
    } catch (const platform::FrameworkError& e) {
      return e.Message();
    }
    return "";
  }

  shapetest::ScratchFolder folder;
};

constexpr Vec3 kWhite{1, 1, 1};
constexpr Vec3 kRed{1, 0, 0};
constexpr Vec3 kBlue{0, 0, 1};

struct SufCase {
  const char* what;
  std::string file;
  int warning;
  std::vector<Face> faces;
};

void ExpectFaces(const std::vector<Face>& got, const std::vector<Face>& expected) {
  ASSERT_EQ(got.size(), expected.size());
  for (std::size_t i = 0; i < got.size(); ++i) {
    ASSERT_EQ(got[i].vertices.size(), expected[i].vertices.size()) << "face " << i;
    for (std::size_t j = 0; j < got[i].vertices.size(); ++j) {
      EXPECT_EQ(got[i].vertices[j].x, expected[i].vertices[j].x) << "face " << i << " vertex " << j;
      EXPECT_EQ(got[i].vertices[j].y, expected[i].vertices[j].y) << "face " << i << " vertex " << j;
      EXPECT_EQ(got[i].vertices[j].z, expected[i].vertices[j].z) << "face " << i << " vertex " << j;
    }
    EXPECT_EQ(got[i].color.x, expected[i].color.x) << "face " << i;
    EXPECT_EQ(got[i].color.y, expected[i].color.y) << "face " << i;
    EXPECT_EQ(got[i].color.z, expected[i].color.z) << "face " << i;
  }
}

const std::string kTriangle = "prim poly ( 0 0 0\n1 0 0\n0 1 0 )\n";
const std::vector<Vec3> kTriangleVertices{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};

TEST_F(SufReader, ObjectsAttributesAndWarnings) {
  const SufCase cases[] = {
      {"one object, known attribute", "obj suf box {\natr red\n" + kTriangle + "}\n", SufWarnNone,
       {{kTriangleVertices, kRed}}},
      {"unknown attribute stays white", "obj suf box {\natr green\n" + kTriangle + "}\n", SufWarnAttribute,
       {{kTriangleVertices, kWhite}}},
      {"attribute names match case-sensitively", "obj suf box {\natr Red\n" + kTriangle + "}\n", SufWarnAttribute,
       {{kTriangleVertices, kWhite}}},
      {"two objects: both read, last event wins", "obj suf a {\natr red\n" + kTriangle + "}\nobj suf b {\n" + kTriangle + "}\n",
       SufWarnObjects, {{kTriangleVertices, kRed}, {kTriangleVertices, kRed}}},
      {"missing attribute after the second object's start", "obj suf a {\n}\nobj suf b {\natr nope\n" + kTriangle + "}\n",
       SufWarnAttribute, {{kTriangleVertices, kWhite}}},
      {"a known name restores the colour, not the warning",
       "obj suf a {\natr nope\n" + kTriangle + "atr blue\n" + kTriangle + "}\n", SufWarnAttribute,
       {{kTriangleVertices, kWhite}, {kTriangleVertices, kBlue}}},
      {"atr outside an object is ignored", "atr nope\natr red\nobj suf a {\n" + kTriangle + "}\n", SufWarnNone,
       {{kTriangleVertices, kWhite}}},
      {"the attribute carries into the next object", "obj suf a {\natr blue\n}\nobj suf b {\n" + kTriangle + "}\n",
       SufWarnObjects, {{kTriangleVertices, kBlue}}},
      {"double-byte attribute name", "obj suf a {\natr \x95\x5C\x8E\xA6\n" + kTriangle + "}\n", SufWarnNone,
       {{kTriangleVertices, Vec3{0, 1, 0}}}},
      {"keywords in any case, CRLF and tabs", "OBJ Suf box {\r\n\tATR red\r\n\tPrim POLY (\t0 0 0\r\n1 0 0\r\n0 1 0\t)\r\n}\r\n",
       SufWarnNone, {{kTriangleVertices, kRed}}},
      {"'{' on the next line opens nothing", "obj suf box\n{\natr red\n" + kTriangle + "}\n", SufWarnNone, {}},
      {"no object at all", kTriangle, SufWarnNone, {}},
      {"empty file", "", SufWarnNone, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<Face> faces;
    EXPECT_EQ(Read(c.file, faces), c.warning);
    ExpectFaces(faces, c.faces);
  }
}

TEST_F(SufReader, VertexLinesAndPrimitiveKinds) {
  const SufCase cases[] = {
      {"two vertices on one line: the second is lost", "obj suf a {\nprim poly (\n0 0 0 5 5 5\n1 1 1\n)\n}\n",
       SufWarnNone, {{{{0, 0, 0}, {1, 1, 1}}, kWhite}}},
      {"a closing parenthesis right after the first vertex closes",
       "obj suf a {\nprim poly ( 1 2 3 ) 4 5 6\n}\n", SufWarnNone, {{{{1, 2, 3}}, kWhite}}},
      {"'( )' adds a face without vertices", "obj suf a {\nprim poly ( )\n" + kTriangle + "}\n", SufWarnNone,
       {{{}, kWhite}, {kTriangleVertices, kWhite}}},
      {"unlisted kind is skipped with its vertex lines", "obj suf a {\nprim line ( 0 0 0\n1 1 1 )\n" + kTriangle + "}\n",
       SufWarnNone, {{kTriangleVertices, kWhite}}},
      {"listed kind without '(' is skipped", "obj suf a {\nprim poly 0 0 0\n1 1 1\n)\n}\n", SufWarnNone, {}},
      {"uvpoly steps over two texture values",
       "obj suf a {\nprim uvpoly ( 1 2 3 0.5 0.5\n4 5 6 u v )\n}\n", SufWarnNone, {{{{1, 2, 3}, {4, 5, 6}}, kWhite}}},
      {"shade steps over the vertex normal", "obj suf a {\nprim shade ( 1 2 3 0 0 1 )\n}\n", SufWarnNone,
       {{{{1, 2, 3}}, kWhite}}},
      {"uvshade steps over five values, whatever they are",
       "obj suf a {\nprim uvshade (\n-1.5e1 +2 .5 n x n y z\n)\n}\n", SufWarnNone, {{{{-15, 2, 0.5f}}, kWhite}}},
      {"a vertex line of too few tokens stays inside the primitive",
       "obj suf a {\nprim poly ( 0 0 0\n}\natr red\n1 1 1 )\n}\n", SufWarnNone, {{{{0, 0, 0}, {1, 1, 1}}, kWhite}}},
      {"a primitive open at the end is dropped", "obj suf a {\n" + kTriangle + "prim poly ( 1 1 1\n", SufWarnNone,
       {{kTriangleVertices, kWhite}}},
      {"tiny values that underflow the float are 0", "obj suf a {\nprim poly ( 1e-50 -1e-50 3.4e38 )\n}\n",
       SufWarnNone, {{{{0, -0.0f, 3.4e38f}}, kWhite}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<Face> faces;
    EXPECT_EQ(Read(c.file, faces), c.warning);
    ExpectFaces(faces, c.faces);
  }
}

TEST_F(SufReader, ConversionErrorNamesTheTokenAndKeepsTheFacesBeforeIt) {
  struct ErrorCase {
    const char* what;
    std::string body;
    std::string token;
  } cases[] = {
      {"a word", "prim poly ( 0 0 zero )\n", "zero"},
      {"several bad tokens: z is converted first", "prim poly (\nx y z\n", "z"},
      {"a comma as decimal separator", "prim poly (\n0 0,5 1\n", ","},
      {"a number followed by letters", "prim poly ( 0 0 1.0f )\n", "1.0f"},
      {"a prim line inside an unclosed primitive", "prim poly ( 0 0 0\nprim poly ( 1 1 1 )\n", "("},
      // A coordinate that would be infinite or not a number is refused, not drawn.
      {"nan", "prim poly ( 0 0 nan )\n", "nan"},
      {"inf", "prim poly ( 0 0 -inf )\n", "-inf"},
      {"beyond the float range", "prim poly ( 0 0 1e39 )\n", "1e39"},
      {"beyond the double range", "prim poly ( 0 0 -1e999 )\n", "-1e999"},
      {"hexadecimal", "prim poly ( 0 0 0x10 )\n", "0x10"},
      {"double-byte text", "prim poly ( 0 0 \x82\x4F )\n", "\x82\x4F"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    XLoaderSuf shape;
    const int open = shapetest::OpenDescriptors();
    const std::string file = "obj suf a {\natr red\n" + kTriangle + c.body + kTriangle + "}\n";
    EXPECT_EQ(ReadError(file, shape), "'" + c.token + kNotAFloat);
    EXPECT_EQ(shapetest::OpenDescriptors(), open);  // the file is closed on the error path too
    ASSERT_EQ(shape.count, 1);
    EXPECT_EQ(shape.faces[0]->color.x, 1.0f);
    EXPECT_EQ(shape.faces[0]->count, 3);
  }
}

TEST_F(SufReader, MissingFileTouchesNeitherShapeNorWarning) {
  XLoaderSuf shape;
  ASSERT_TRUE(shape.AddFace(std::make_unique<XFace>()));
  int warning = 7;
  EXPECT_FALSE(ReadSufFile(shape, (folder.Path() + "/none.suf").c_str(), warning));
  EXPECT_EQ(warning, 7);
  EXPECT_EQ(shape.count, 1);
  // The reader appends: the caller clears between loads.
  const std::string path = folder.Write("one.suf", "obj suf a {\n" + kTriangle + "}\n");
  EXPECT_TRUE(ReadSufFile(shape, path.c_str(), warning));
  EXPECT_EQ(warning, SufWarnNone);
  EXPECT_EQ(shape.count, 2);
}

TEST_F(SufReader, LoadedShapeGetsBoundsAndNormals) {
  XLoaderSuf shape;
  int warning = 0;
  const std::string path =
      folder.Write("quad.suf", "obj suf q {\nprim poly ( -1 -2 0\n3 -2 0\n3 4 0\n-1 4 0 )\nprim poly ( 0 0 5\n0 1 5\n1 0 5 )\n}\n");
  ASSERT_TRUE(ReadSufFile(shape, path.c_str(), warning));
  shape.UpdateBounds();
  shape.UpdateNormals();
  EXPECT_EQ(shape.min.x, -1.0f);
  EXPECT_EQ(shape.min.y, -2.0f);
  EXPECT_EQ(shape.max.y, 4.0f);
  EXPECT_EQ(shape.max.z, 5.0f);
  EXPECT_EQ(shape.faces[0]->normal.z, 1.0f);
  EXPECT_EQ(shape.faces[1]->normal.z, -1.0f);  // listed clockwise seen from +z
}

}  // namespace
