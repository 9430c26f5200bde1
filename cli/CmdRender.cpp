// partwell-cli render FILE.suf -o OUT.bmp: the shape loaded as the window loads it, turned and zoomed
// by pointer steps as the preview would be, rendered as a thumbnail is and saved as a 24-bit BMP.
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "cli/Cli.h"
#include "image/DibStream.h"
#include "platform/FrameworkError.h"
#include "shape/Loadsuf.h"
#include "velrast/velrast.h"

namespace {

constexpr const char kUsage[] =
    "render FILE.suf -o OUT.bmp [--size WxH] [--drag DX,DY]... [--zoom-drag DX]... [--background 0xRRGGBB]";

constexpr const char kSeveralObjects[] =
    "このSUFファイルには複数のオブジェクトが含まれて\nいます。単一のオブジェクトに変換して下さい。\n";
constexpr const char kUnsupportedAttribute[] =
    "このSUFファイルにはDOGA-L1/2でサポートされない\nアトリビュートが使われている可能性があります。\n";

struct Step {
  bool zoom = false;  // right button: dx only
  int dx = 0;
  int dy = 0;
};

struct Options {
  std::string file, out;  // UTF-8 as given
  int width = 256;
  int height = 192;
  std::uint32_t background = 0;
  bool haveBackground = false;
  std::vector<Step> steps;
};

// A whole decimal int, optionally signed, and nothing after it.
bool ParseInt(const std::string& text, std::size_t begin, std::size_t end, int& out) {
  if (begin >= end) return false;
  const std::string part = text.substr(begin, end - begin);
  char* stop = nullptr;
  errno = 0;
  const long v = std::strtol(part.c_str(), &stop, 10);
  if (errno != 0 || *stop != '\0' || stop == part.c_str() || v < INT32_MIN || v > INT32_MAX) return false;
  out = static_cast<int>(v);
  return true;
}

bool Fail(const std::string& message) {
  std::fprintf(stderr, "partwell-cli: %s\n", message.c_str());
  return false;
}

bool ParseOptions(const std::vector<std::string>& args, Options& o) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    const bool takesValue = a == "-o" || a == "--size" || a == "--drag" || a == "--zoom-drag" || a == "--background";
    if (takesValue && i + 1 >= args.size()) return Fail(a + " needs a value");
    if (a == "-o") {
      o.out = args[++i];
    } else if (a == "--size") {
      const std::string& v = args[++i];
      const std::size_t x = v.find('x');
      if (x == std::string::npos || !ParseInt(v, 0, x, o.width) || !ParseInt(v, x + 1, v.size(), o.height) ||
          o.width <= 0 || o.height <= 0) {
        return Fail("--size takes WxH with positive W and H, not '" + v + "'");
      }
    } else if (a == "--drag") {
      const std::string& v = args[++i];
      const std::size_t comma = v.find(',');
      Step step;
      if (comma == std::string::npos || !ParseInt(v, 0, comma, step.dx) || !ParseInt(v, comma + 1, v.size(), step.dy)) {
        return Fail("--drag takes DX,DY, not '" + v + "'");
      }
      o.steps.push_back(step);
    } else if (a == "--zoom-drag") {
      const std::string& v = args[++i];
      Step step;
      step.zoom = true;
      if (!ParseInt(v, 0, v.size(), step.dx)) return Fail("--zoom-drag takes DX, not '" + v + "'");
      o.steps.push_back(step);
    } else if (a == "--background") {
      const std::string& v = args[++i];
      char* stop = nullptr;
      errno = 0;
      const unsigned long c = std::strtoul(v.c_str(), &stop, 0);
      if (v.empty() || v[0] == '-' || errno != 0 || *stop != '\0' || c > 0xFFFFFFul) {
        return Fail("--background takes a colour 0xRRGGBB, not '" + v + "'");
      }
      o.background = static_cast<std::uint32_t>(c);
      o.haveBackground = true;
    } else if (!a.empty() && a[0] == '-') {
      return Fail("unknown option '" + a + "'");
    } else if (o.file.empty()) {
      o.file = a;
    } else {
      return Fail("one shape file only, not also '" + a + "'");
    }
  }
  if (o.file.empty() || o.out.empty()) {
    std::fprintf(stderr, "usage: partwell-cli %s\n", kUsage);
    return false;
  }
  return true;
}

// Saves the frame the renderer left in velrast, borrowed, as the thumbnail path takes it. A shape
// with no extent leaves no frame: the picture is then the background alone.
bool SaveFrame(const Options& o, const std::string& outSjis) {
  BITMAPINFOHEADER* header = nullptr;
  unsigned char* pixels = nullptr;
  if (!vlrGetDib(&header, &pixels)) {
    if (!vlrInitBuffer(o.width, o.height)) {
      return Fail("cannot make a picture of " + std::to_string(o.width) + "x" + std::to_string(o.height));
    }
    vlrClear();
    vlrGetDib(&header, &pixels);
  }
  DibStream frame;
  frame.Adopt(header, DibBorrowed, pixels, DibBorrowed);
  if (!frame.SaveBmp(outSjis)) return Fail("cannot write " + o.out);
  return true;
}

int CmdRender(cli::Context& context) {
  Options o;
  if (!ParseOptions(context.args, o)) return 2;
  std::string file, out;
  if (!cli::ArgToSjis(o.file, file) || !cli::ArgToSjis(o.out, out)) return 1;
  ReadAtrFile(GlobalAttributes, context.atrFile.c_str());

  XLoaderSuf model;
  int warning = SufWarnNone;
  try {
    model.Clear();
    if (!ReadSufFile(model, file.c_str(), warning)) {
      std::fprintf(stderr, "partwell-cli: cannot open %s\n", o.file.c_str());
      return 1;
    }
  } catch (const platform::FrameworkError& error) {
    cli::PrintSjis(stderr, error.Message() + "\n");
    return 1;
  }
  model.UpdateBounds();
  model.UpdateNormals();
  if (warning == SufWarnObjects) {
    std::fputs(kSeveralObjects, stderr);
  } else if (warning == SufWarnAttribute) {
    std::fputs(kUnsupportedAttribute, stderr);
  }

  // Each step starts from (0, 0), as a press there and one move to (DX, DY) would.
  for (const Step& step : o.steps) {
    if (step.zoom) {
      ZoomView(model, step.dx);
    } else {
      RotateView(model, step.dx, step.dy);
    }
  }

  vlrSetColor(o.haveBackground ? o.background : context.backColor);
  RenderShape(model, nullptr, o.width, o.height);
  const bool saved = SaveFrame(o, out);
  vlrDestroy();
  return saved ? 0 : 1;
}

}  // namespace

PARTWELL_CLI_COMMAND("render", kUsage, CmdRender)
