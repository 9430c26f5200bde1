// partwell-cli render FILE.suf -o OUT.bmp: the shape loaded as the window loads it, turned and zoomed
// by pointer steps as the preview would be, rendered as a thumbnail is and saved as a 24-bit BMP.
#include <climits>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "cli/Library.h"
#include "image/DibStream.h"
#include "velrast/velrast.h"

namespace {

constexpr const char kUsage[] =
    "render FILE.suf -o OUT.bmp [--size WxH] [--drag DX,DY]... [--zoom-drag DX]... [--background 0xRRGGBB]";

struct Request {
  std::vector<std::string> files;  // UTF-8 as given
  std::string out;
  int width = 256;  // a thumbnail's render size
  int height = 192;
  std::uint32_t background = 0;
  bool haveBackground = false;
  std::vector<cli::Drag> drags;
};

bool Parse(const std::vector<std::string>& args, Request& r) {
  cli::Options options;
  options.Text("-o", r.out);
  options.Custom("--size", 1, "WxH with positive W and H", [&r](const std::vector<std::string>& v) {
    return cli::ReadIntPair(v[0], 'x', 1, INT_MAX, r.width, r.height);
  });
  options.Custom("--background", 1, "a colour 0xRRGGBB", [&r](const std::vector<std::string>& v) {
    long long colour = 0;
    if (!cli::ReadNumber(v[0], 0, 0xFFFFFF, colour)) return false;
    r.background = static_cast<std::uint32_t>(colour);
    return r.haveBackground = true;
  });
  cli::DeclareDrags(options, r.drags);
  if (!options.Parse(args, r.files)) return false;
  if (r.files.size() == 1 && !r.out.empty()) return true;
  cli::Misuse(kUsage);
  return false;
}

// Saves the frame the renderer left in velrast, borrowed, as the thumbnail path takes it. A shape
// with no extent leaves no frame: the picture is then the background alone.
bool SaveFrame(const Request& r, const std::string& outSjis) {
  BITMAPINFOHEADER* header = nullptr;
  unsigned char* pixels = nullptr;
  if (!vlrGetDib(&header, &pixels)) {
    if (!vlrInitBuffer(r.width, r.height)) {
      return cli::Refuse("cannot make a picture of " + std::to_string(r.width) + "x" + std::to_string(r.height));
    }
    vlrClear();
    vlrGetDib(&header, &pixels);
  }
  DibStream frame;
  frame.Adopt(header, DibBorrowed, pixels, DibBorrowed);
  if (!frame.SaveBmp(outSjis)) return cli::Refuse("cannot write " + r.out);
  return true;
}

int CmdRender(cli::Context& context) {
  Request r;
  if (!Parse(context.args, r)) return cli::ExitUsage;
  std::string file, out;
  if (!cli::ArgToSjis(r.files[0], file) || !cli::ArgToSjis(r.out, out)) return cli::ExitFailed;
  Workflow& workflow = context.workflow;
  workflow.SetEditFile(file);
  if (!workflow.LoadShape()) {
    std::fprintf(stderr, "partwell-cli: cannot open %s\n", r.files[0].c_str());
    return cli::ExitFailed;
  }
  cli::ApplyDrags(workflow, r.drags);
  vlrSetColor(r.haveBackground ? r.background : workflow.BackColor);
  RenderShape(workflow.Model, nullptr, r.width, r.height);
  const bool saved = SaveFrame(r, out);
  vlrDestroy();
  return saved ? cli::StatusAfterOperations(context) : cli::ExitFailed;
}

}  // namespace

PARTWELL_CLI_COMMAND("render", kUsage, CmdRender)
