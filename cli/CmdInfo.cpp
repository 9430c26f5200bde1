// partwell-cli info FILE.suf: a shape loaded as the window loads it, summed up.
#include <cstdint>
#include <cstdio>
#include <string>

#include "cli/Cli.h"
#include "cli/Options.h"

namespace {

void PrintVec(const char* label, const Vec3& v) {
  std::printf("%s\t%g\t%g\t%g\n", label, static_cast<double>(v.x), static_cast<double>(v.y), static_cast<double>(v.z));
}

int CmdInfo(cli::Context& context) {
  std::vector<std::string> files;
  if (!cli::Options().Parse(context.args, files)) return cli::ExitUsage;
  if (files.size() != 1) return cli::Misuse("[--atr FILE] info FILE.suf");
  std::string path;
  if (!cli::ArgToSjis(files[0], path)) return cli::ExitFailed;
  Workflow& workflow = context.workflow;
  workflow.SetEditFile(path);
  if (!workflow.LoadShape()) {
    std::fprintf(stderr, "partwell-cli: cannot open %s\n", files[0].c_str());
    return cli::ExitFailed;
  }
  const XLoaderSuf& shape = workflow.Model;
  std::int64_t vertices = 0;
  for (const auto& face : shape.faces) vertices += face->count;
  std::printf("polygons\t%d\n", shape.count);
  std::printf("vertices\t%lld\n", static_cast<long long>(vertices));
  PrintVec("min", shape.min);
  PrintVec("max", shape.max);
  std::printf("warning\t%d\n", workflow.ShapeWarning);
  return cli::StatusAfterOperations(context);
}

}  // namespace

PARTWELL_CLI_COMMAND("info", "info FILE.suf", CmdInfo)
