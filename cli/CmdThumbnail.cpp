// partwell-cli thumbnail FILE.suf OUT.png SIZE: the thumbnail a file manager shows for a shape. The
// shape is loaded and rendered at 256 x 192 as a registration renders it, then scaled to SIZE pixels
// wide (the 4:3 aspect kept), and written as a PNG with the keys of the freedesktop thumbnail standard.
#include <climits>
#include <cstdint>
#include <optional>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "cli/Cli.h"
#include "cli/Options.h"
#include "cli/PngFile.h"
#include "image/DibStream.h"
#include "platform/HostFiles.h"
#include "shape/Loadsuf.h"
#include "velrast/velrast.h"

namespace {

constexpr int kRenderWidth = 256;  // the registration's render size
constexpr int kRenderHeight = 192;
constexpr int kMaxSize = 1024;     // the standard's largest size, xx-large
// File managers run this on whatever the user browses: a larger file is refused unread, which
// bounds the time (reading and drawing are linear in the file's size).
constexpr long long kMaxFileBytes = 16ll << 20;

constexpr const char kUsage[] = "thumbnail FILE.suf OUT.png SIZE";

// file:// URI of an absolute host path; every byte outside the unreserved set and '/' is escaped.
std::string FileUri(const std::string& path) {
  static const char hex[] = "0123456789ABCDEF";
  std::string uri = "file://";
  for (unsigned char c : path) {
    const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                       c == '-' || c == '.' || c == '_' || c == '~' || c == '/';
    if (plain) {
      uri += static_cast<char>(c);
    } else {
      uri += '%';
      uri += hex[c >> 4];
      uri += hex[c & 15];
    }
  }
  return uri;
}

// Draws the 256 x 192 frame on the background colour, scales it to width x height and writes it.
// A shape with no extent leaves no frame: its thumbnail is the background alone. Scale gives the
// picture pixels of its own but keeps rewriting velrast's header, so the PNG is written before the
// frame is released.
bool WriteThumbnail(const XLoaderSuf& model, std::uint32_t background, int width, int height,
                    const cli::PngText& text, const std::string& out) {
  vlrSetColor(background);
  RenderShape(model, nullptr, kRenderWidth, kRenderHeight);
  BITMAPINFOHEADER* header = nullptr;
  unsigned char* pixels = nullptr;
  if (!vlrGetDib(&header, &pixels)) {
    vlrInitBuffer(kRenderWidth, kRenderHeight);
    vlrClear();
    vlrGetDib(&header, &pixels);
  }
  DibStream picture;
  bool ok = header != nullptr && pixels != nullptr && picture.Create(kRenderWidth, kRenderHeight, 24) &&
            picture.Adopt(header, DibBorrowed, pixels, DibBorrowed) && picture.Scale(width, height) &&
            cli::SavePng(picture, text, out);
  vlrDestroy();
  return ok;
}

int CmdThumbnail(cli::Context& context) {
  std::vector<std::string> args;
  int size = 0;
  if (!cli::Options().Parse(context.args, args)) return cli::ExitUsage;
  if (args.size() != 3 || !cli::ReadInt(args[2], 4, kMaxSize, size)) return cli::Misuse(kUsage);
  const std::string& in = args[0];
  const std::string& out = args[1];

  const std::optional<platform::HostFileInfo> file = platform::RegularHostFile(in);
  std::string sjis;
  if (!file || file->size > static_cast<std::uint64_t>(kMaxFileBytes) || !cli::ArgToSjis(file->absolutePath, sjis)) {
    std::fprintf(stderr, "partwell-cli: cannot read %s\n", in.c_str());
    return cli::ExitFailed;
  }
  // Loaded as the window loads it; a coordinate that is not a number ends the command in main.
  context.workflow.SetEditFile(sjis);
  if (!context.workflow.LoadShape()) {
    std::fprintf(stderr, "partwell-cli: cannot read %s\n", in.c_str());
    return cli::ExitFailed;
  }
  const int width = size;
  const int height = (size * kRenderHeight + kRenderWidth / 2) / kRenderWidth;
  const cli::PngText text = {{"Thumb::URI", FileUri(file->absolutePath)},
                             {"Thumb::MTime", std::to_string(static_cast<long long>(file->modified))},
                             {"Thumb::Size", std::to_string(static_cast<long long>(file->size))},
                             {"Thumb::Mimetype", "model/x-doga-suf"},
                             {"Software", "Partwell"}};
  if (!WriteThumbnail(context.workflow.Model, context.workflow.BackColor, width, height, text, out)) {
    std::fprintf(stderr, "partwell-cli: cannot write %s\n", out.c_str());
    return cli::ExitFailed;
  }
  // No shape warning here: a file manager takes any other status for a failed thumbnail.
  return cli::ExitDone;
}

}  // namespace

PARTWELL_CLI_COMMAND("thumbnail", kUsage, CmdThumbnail)
