// partwell-cli bmp: reads a BMP file, applies canvas, depth and scale operations in the order given,
// and writes the result. Nothing is written unless every step succeeded.
#include <cstdio>
#include <string>
#include <vector>

#include "cli/Cli.h"
#include "cli/Options.h"
#include "image/DibStream.h"

namespace {

constexpr const char kUsage[] =
    "bmp IN.bmp OUT.bmp [--accept MASK] [--canvas W H FILL] [--depth BITS MODE] [--scale W H]...";

struct Operation {
  enum Kind { Canvas, Depth, Scale } kind;
  long long a = 0, b = 0, c = 0;
};

// Sizes are whole pixels from 1; the operations themselves refuse what they cannot do.
constexpr long long kMaxSide = 0x7FFFFFFF;

// Declares an operation whose values lie in the given ranges, kept in the order given.
void DeclareOperation(cli::Options& options, const char* name, Operation::Kind kind, const char* takes,
                      std::vector<std::pair<long long, long long>> ranges, std::vector<Operation>& operations) {
  const int count = static_cast<int>(ranges.size());
  options.Custom(name, count, takes, [kind, ranges, &operations](const std::vector<std::string>& v) {
    Operation op{kind};
    long long* fields[3] = {&op.a, &op.b, &op.c};
    for (std::size_t k = 0; k < ranges.size(); ++k) {
      if (!cli::ReadNumber(v[k], ranges[k].first, ranges[k].second, *fields[k])) return false;
    }
    operations.push_back(op);
    return true;
  });
}

// MODE 1 and 2 name the dithered and the median-cut reductions; every other value the plain one.
DepthMode ModeOf(long long mode) {
  return mode == DepthDither ? DepthDither : mode == DepthMedianCut ? DepthMedianCut : DepthPlain;
}

bool Apply(DibStream& image, const Operation& op) {
  const int depth = image.header->biBitCount;
  const int width = image.header->biWidth;
  const int height = static_cast<int>(dib::AbsHeight(image.header->biHeight));
  const char* failed = nullptr;
  switch (op.kind) {
    case Operation::Canvas:
      if (!image.ResizeCanvas(static_cast<int>(op.a), static_cast<int>(op.b), static_cast<std::uint32_t>(op.c))) failed = "--canvas";
      break;
    case Operation::Depth:
      if (!image.ConvertDepth(static_cast<int>(op.a), ModeOf(op.b))) {
        std::fprintf(stderr, "partwell-cli: bmp: --depth %lld %lld left the picture at %d bits\n", op.a, op.b, depth);
        return false;
      }
      break;
    case Operation::Scale:
      if (!image.Scale(static_cast<int>(op.a), static_cast<int>(op.b))) failed = "--scale";
      break;
  }
  if (failed == nullptr) return true;
  std::fprintf(stderr, "partwell-cli: bmp: %s %lld %lld failed on a %d x %d picture of %d bits\n", failed, op.a, op.b,
               width, height, depth);
  return false;
}

int CmdBmp(cli::Context& context) {
  int accept = DibAcceptAll;
  std::vector<Operation> operations;
  std::vector<std::string> files;
  cli::Options options;
  options.Number("--accept", 0, DibAcceptAll, accept);
  DeclareOperation(options, "--canvas", Operation::Canvas, "W H FILL (sizes from 1, FILL 0x00RRGGBB)",
                   {{1, kMaxSide}, {1, kMaxSide}, {0, 0xFFFFFFFFll}}, operations);
  DeclareOperation(options, "--depth", Operation::Depth, "BITS MODE", {{0, 64}, {0, 255}}, operations);
  DeclareOperation(options, "--scale", Operation::Scale, "W H (from 1)", {{1, kMaxSide}, {1, kMaxSide}}, operations);
  if (!options.Parse(context.args, files)) return cli::ExitUsage;
  if (files.size() != 2) return cli::Misuse(kUsage);
  std::string in, out;
  if (!cli::ArgToSjis(files[0], in) || !cli::ArgToSjis(files[1], out)) return cli::ExitFailed;
  DibStream image;
  if (!image.LoadBmp(in, accept)) {
    std::fprintf(stderr, "partwell-cli: bmp: cannot read %s as a BMP file of an accepted depth (mask %d)\n", files[0].c_str(), accept);
    return cli::ExitFailed;
  }
  for (const Operation& op : operations) {
    if (!Apply(image, op)) return cli::ExitFailed;
  }
  if (!image.SaveBmp(out)) {
    std::fprintf(stderr, "partwell-cli: bmp: cannot write %s\n", files[1].c_str());
    return cli::ExitFailed;
  }
  return cli::ExitDone;
}

}  // namespace

PARTWELL_CLI_COMMAND("bmp", kUsage, CmdBmp)
