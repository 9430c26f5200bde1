#include "shape/SufReader.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "image/StringSeparator.h"
#include "platform/FileSystem.h"
#include "platform/FrameworkError.h"
#include "shape/Atr.h"

namespace {

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

// " は浮動小数点数ではありません" in Shift-JIS, after the quoted token.
constexpr const char kNotAFloat[] =
    "' \x82\xCD\x95\x82\x93\xAE\x8F\xAC\x90\x94\x93\x5F\x90\x94\x82\xC5\x82\xCD\x82\xA0\x82\xE8\x82\xDC\x82\xB9\x82\xF1";

// Tokens one vertex takes on a line: x y z, then what each kind carries after the position.
struct PrimitiveKind {
  const char* keyword;
  int tokensPerVertex;
};
constexpr PrimitiveKind kKinds[] = {{"poly", 3}, {"uvpoly", 5}, {"shade", 6}, {"uvshade", 8}};

// The whole token must be a decimal number; a value beyond the float range is refused as well,
// since an infinite coordinate would poison the bounds and the preview's scale.
float Coordinate(const char* token) {
  std::size_t length = 0;
  const double value = DecimalPrefix(token, &length);
  const float f = static_cast<float>(value);
  if (length == 0 || token[length] != '\0' || !std::isfinite(f)) {
    throw platform::FrameworkError("'" + std::string(token) + kNotAFloat);
  }
  return f;
}

class SufParser {
 public:
  SufParser(AsciiFileString& reader, XLoaderSuf& shape, int& warning)
      : reader_(reader), shape_(shape), warning_(warning) {}

  void Run() {
    for (int n; (n = reader_.ReadLine()) >= 0;) {
      if (n == 0) continue;
      switch (state_) {
        case State::Outside: OutsideLine(); break;
        case State::Object: ObjectLine(n); break;
        case State::Primitive: VertexLine(n, 0); break;
      }
    }
    // A primitive still open at the end is dropped with face_.
  }

 private:
  enum class State { Outside, Object, Primitive };

  void OutsideLine() {
    if (!reader_.FirstIs("obj", 4) || !reader_.TokenIs(1, "suf") || !reader_.TokenIs(3, "{")) return;
    state_ = State::Object;
    if (firstObject_) {
      firstObject_ = false;
    } else {
      warning_ = SufWarnObjects;
    }
  }

  void ObjectLine(int n) {
    if (reader_.FirstIs("atr", 2)) {
      // The attribute lasts until the next "atr" line, across the end of the object.
      attribute_ = GlobalAttributes.Find(reader_.Token(1));
      if (attribute_ == nullptr) warning_ = SufWarnAttribute;
    } else if (reader_.TokenIs(0, "prim")) {
      const PrimitiveKind* kind = nullptr;
      for (const auto& k : kKinds) {
        if (reader_.TokenIs(1, k.keyword)) kind = &k;
      }
      if (kind == nullptr || !reader_.TokenIs(2, "(")) return;
      tokensPerVertex_ = kind->tokensPerVertex;
      face_ = std::make_unique<XFace>();
      state_ = State::Primitive;
      VertexLine(n, 3);
    } else if (reader_.TokenIs(0, "}")) {
      state_ = State::Outside;
    }
  }

  // At most one vertex a line, starting at token p; ")" right after it (or alone) ends the polygon.
  void VertexLine(int n, int p) {
    if (n >= p + 3) {
      // Converted z, y, x: with several bad tokens on a line the error names the z token.
      const float z = Coordinate(reader_.Token(p + 2));
      const float y = Coordinate(reader_.Token(p + 1));
      const float x = Coordinate(reader_.Token(p));
      face_->AddVertex(Vec3{x, y, z});
      p += tokensPerVertex_;
    }
    if (p < n && reader_.TokenIs(p, ")")) {
      if (attribute_ != nullptr) face_->color = Vec3{attribute_->r, attribute_->g, attribute_->b};
      shape_.AddFace(std::move(face_));
      state_ = State::Object;
    }
  }

  AsciiFileString& reader_;
  XLoaderSuf& shape_;
  int& warning_;
  State state_ = State::Outside;
  bool firstObject_ = true;
  const XAtr* attribute_ = nullptr;
  std::unique_ptr<XFace> face_;
  int tokensPerVertex_ = 3;
};

}  // namespace

bool ReadSufFile(XLoaderSuf& shape, const char* path, int& warning) {
  std::unique_ptr<std::FILE, FileCloser> file(platform::OpenForReading(path));
  if (file == nullptr) return false;
  warning = SufWarnNone;
  AsciiFileString reader(file.get());
  SufParser(reader, shape, warning).Run();
  return true;
}
