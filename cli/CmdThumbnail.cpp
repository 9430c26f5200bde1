// partwell-cli thumbnail FILE.suf OUT.png SIZE: the thumbnail a file manager shows for a shape. The
// shape is loaded and rendered at 256 x 192 as a registration renders it, then scaled to SIZE pixels
// wide (the 4:3 aspect kept), and written as a PNG with the keys of the freedesktop thumbnail standard.
#include <sys/stat.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "cli/Cli.h"
#include "cli/PngFile.h"
#include "image/DibStream.h"
#include "platform/FrameworkError.h"
#include "shape/Loadsuf.h"
#include "velrast/velrast.h"

namespace {

constexpr int kRenderWidth = 256;  // the registration's render size
constexpr int kRenderHeight = 192;
constexpr int kMaxSize = 1024;     // the standard's largest size, xx-large
// File managers run this on whatever the user browses: a larger file is refused unread, which
// bounds the time (reading and drawing are linear in the file's size).
constexpr long long kMaxFileBytes = 16ll << 20;

int Usage() {
  std::fprintf(stderr, "usage: partwell-cli thumbnail FILE.suf OUT.png SIZE\n");
  return 2;
}

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

bool LoadModel(const std::string& file, XLoaderSuf& model) {
  int warning = SufWarnNone;
  try {
    model.Clear();
    if (!ReadSufFile(model, file.c_str(), warning)) return false;
  } catch (const platform::FrameworkError&) {
    return false;
  }
  model.UpdateBounds();
  model.UpdateNormals();
  return true;
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
  if (context.args.size() != 3) return Usage();
  const std::string& in = context.args[0];
  const std::string& out = context.args[1];
  char* stop = nullptr;
  const long size = std::strtol(context.args[2].c_str(), &stop, 10);
  if (*stop != '\0' || size < 4 || size > kMaxSize) return Usage();

  struct stat st {};
  char* absolute = realpath(in.c_str(), nullptr);
  const std::string inPath = absolute != nullptr ? absolute : in;
  std::free(absolute);
  std::string sjis;
  if (stat(inPath.c_str(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_size > kMaxFileBytes ||
      !cli::ArgToSjis(inPath, sjis)) {
    std::fprintf(stderr, "partwell-cli: cannot read %s\n", in.c_str());
    return 1;
  }
  ReadAtrFile(GlobalAttributes, context.atrFile.c_str());
  XLoaderSuf model;
  if (!LoadModel(sjis, model)) {
    std::fprintf(stderr, "partwell-cli: cannot read %s\n", in.c_str());
    return 1;
  }
  const int width = static_cast<int>(size);
  const int height = static_cast<int>((size * kRenderHeight + kRenderWidth / 2) / kRenderWidth);
  const cli::PngText text = {{"Thumb::URI", FileUri(inPath)},
                             {"Thumb::MTime", std::to_string(static_cast<long long>(st.st_mtime))},
                             {"Thumb::Size", std::to_string(static_cast<long long>(st.st_size))},
                             {"Thumb::Mimetype", "model/x-doga-suf"},
                             {"Software", "Partwell"}};
  if (!WriteThumbnail(model, context.backColor, width, height, text, out)) {
    std::fprintf(stderr, "partwell-cli: cannot write %s\n", out.c_str());
    return 1;
  }
  return 0;
}

}  // namespace

PARTWELL_CLI_COMMAND("thumbnail", "thumbnail FILE.suf OUT.png SIZE", CmdThumbnail)
