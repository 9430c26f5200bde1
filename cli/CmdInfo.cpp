// partwell-cli info FILE.suf: a shape loaded as the window loads it, summed up.
#include <cstdint>
#include <cstdio>
#include <string>

#include "cli/Cli.h"
#include "platform/FrameworkError.h"
#include "shape/Loadsuf.h"

namespace {

// The window's texts for the two reader warnings (UTF-8 here, for the terminal).
constexpr const char kSeveralObjects[] =
    "このSUFファイルには複数のオブジェクトが含まれて\nいます。単一のオブジェクトに変換して下さい。\n";
constexpr const char kUnsupportedAttribute[] =
    "このSUFファイルにはDOGA-L1/2でサポートされない\nアトリビュートが使われている可能性があります。\n";

void PrintVec(const char* label, const Vec3& v) {
  std::printf("%s\t%g\t%g\t%g\n", label, static_cast<double>(v.x), static_cast<double>(v.y), static_cast<double>(v.z));
}

int CmdInfo(cli::Context& context) {
  if (context.args.size() != 1) {
    std::fprintf(stderr, "usage: partwell-cli [--atr FILE] info FILE.suf\n");
    return 2;
  }
  std::string path;
  if (!cli::ArgToSjis(context.args[0], path)) return 1;
  // As at start-up: without an attribute file every polygon is white and every name unknown.
  ReadAtrFile(GlobalAttributes, context.atrFile.c_str());

  XLoaderSuf shape;
  int warning = SufWarnNone;
  try {
    if (!ReadSufFile(shape, path.c_str(), warning)) {
      std::fprintf(stderr, "partwell-cli: cannot open %s\n", context.args[0].c_str());
      return 1;
    }
  } catch (const platform::FrameworkError& error) {
    cli::PrintSjis(stderr, error.Message() + "\n");
    return 1;
  }
  shape.UpdateBounds();
  shape.UpdateNormals();

  std::int64_t vertices = 0;
  for (const auto& face : shape.faces) vertices += face->count;
  std::printf("polygons\t%d\n", shape.count);
  std::printf("vertices\t%lld\n", static_cast<long long>(vertices));
  PrintVec("min", shape.min);
  PrintVec("max", shape.max);
  std::printf("warning\t%d\n", warning);
  if (warning == SufWarnObjects) {
    std::fputs(kSeveralObjects, stderr);
  } else if (warning == SufWarnAttribute) {
    std::fputs(kUnsupportedAttribute, stderr);
  }
  return 0;
}

}  // namespace

PARTWELL_CLI_COMMAND("info", "info FILE.suf", CmdInfo)
