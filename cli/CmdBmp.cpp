// partwell-cli bmp: reads a BMP file, applies canvas, depth and scale operations in the order given,
// and writes the result. Nothing is written unless every step succeeded.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "cli/Cli.h"
#include "image/DibStream.h"

namespace {

// A whole decimal (or 0x-prefixed hexadecimal) number within [low, high].
bool ParseNumber(const std::string& text, long long low, long long high, long long& value) {
  if (text.empty() || text[0] == ' ' || text[0] == '+') return false;
  errno = 0;
  char* end = nullptr;
  value = std::strtoll(text.c_str(), &end, 0);
  return errno == 0 && *end == '\0' && value >= low && value <= high;
}

struct Operation {
  enum Kind { Canvas, Depth, Scale } kind;
  long long a = 0, b = 0, c = 0;
};

int Misuse(const char* what) {
  std::fprintf(stderr, "partwell-cli: bmp: %s\n", what);
  return 2;
}

int CmdBmp(cli::Context& context) {
  const std::vector<std::string>& args = context.args;
  if (args.size() < 2) return Misuse("IN.bmp and OUT.bmp are needed");
  long long accept = 63;
  std::vector<Operation> operations;
  for (std::size_t i = 2; i < args.size();) {
    const std::string& option = args[i];
    // Sizes are whole pixels from 1; the operations themselves refuse what they cannot do.
    constexpr long long kMaxSide = 0x7FFFFFFF;
    auto take = [&](Operation::Kind kind, std::vector<std::pair<long long, long long>> ranges) -> bool {
      if (i + ranges.size() >= args.size()) return false;
      Operation op{kind};
      long long* fields[3] = {&op.a, &op.b, &op.c};
      for (std::size_t k = 0; k < ranges.size(); ++k) {
        if (!ParseNumber(args[i + 1 + k], ranges[k].first, ranges[k].second, *fields[k])) return false;
      }
      operations.push_back(op);
      i += 1 + ranges.size();
      return true;
    };
    if (option == "--accept") {
      if (i + 1 >= args.size() || !ParseNumber(args[i + 1], 0, 63, accept)) return Misuse("--accept takes a mask of 0 to 63");
      i += 2;
    } else if (option == "--canvas") {
      if (!take(Operation::Canvas, {{1, kMaxSide}, {1, kMaxSide}, {0, 0xFFFFFFFFll}})) return Misuse("--canvas takes W H FILL (sizes from 1, FILL 0x00RRGGBB)");
    } else if (option == "--depth") {
      if (!take(Operation::Depth, {{0, 64}, {0, 255}})) return Misuse("--depth takes BITS MODE");
    } else if (option == "--scale") {
      if (!take(Operation::Scale, {{1, kMaxSide}, {1, kMaxSide}})) return Misuse("--scale takes W H (from 1)");
    } else {
      std::fprintf(stderr, "partwell-cli: bmp: unknown option '%s'\n", option.c_str());
      return 2;
    }
  }

  std::string in, out;
  if (!cli::ArgToSjis(args[0], in) || !cli::ArgToSjis(args[1], out)) return 1;
  DibStream image;
  if (!image.LoadBmp(in, static_cast<int>(accept))) {
    std::fprintf(stderr, "partwell-cli: bmp: cannot read %s as a BMP file of an accepted depth (mask %lld)\n", args[0].c_str(), accept);
    return 1;
  }
  for (const Operation& op : operations) {
    const int depth = image.header->biBitCount;
    const int width = image.header->biWidth;
    const int height = static_cast<int>(dib::AbsHeight(image.header->biHeight));
    switch (op.kind) {
      case Operation::Canvas:
        if (!image.ResizeCanvas(static_cast<int>(op.a), static_cast<int>(op.b), static_cast<std::uint32_t>(op.c))) {
          std::fprintf(stderr, "partwell-cli: bmp: --canvas %lld %lld failed on a %d x %d picture of %d bits\n", op.a, op.b, width, height, depth);
          return 1;
        }
        break;
      case Operation::Depth:
        image.ConvertDepth(static_cast<int>(op.a), static_cast<int>(op.b));
        if (op.a != depth && image.header->biBitCount == depth) {
          std::fprintf(stderr, "partwell-cli: bmp: --depth %lld %lld left the picture at %d bits\n", op.a, op.b, depth);
          return 1;
        }
        break;
      case Operation::Scale:
        if (!image.Scale(static_cast<int>(op.a), static_cast<int>(op.b))) {
          std::fprintf(stderr, "partwell-cli: bmp: --scale %lld %lld failed on a %d x %d picture of %d bits\n", op.a, op.b, width, height, depth);
          return 1;
        }
        break;
    }
  }
  if (!image.SaveBmp(out)) {
    std::fprintf(stderr, "partwell-cli: bmp: cannot write %s\n", args[1].c_str());
    return 1;
  }
  return 0;
}

}  // namespace

PARTWELL_CLI_COMMAND("bmp", "bmp IN.bmp OUT.bmp [--accept MASK] [--canvas W H FILL] [--depth BITS MODE] [--scale W H]...", CmdBmp)
