#include <filesystem>
#include <ostream>

#include "cli/commands.h"
#include "model/error.h"
#include "platform/files.h"
#include "web/stage_report.h"
#include "web/web_report.h"

namespace drav::cli {

int RunReport(const std::vector<std::string>& words, std::ostream& out, std::ostream& err) {
  CliArgs args(words, {});
  args.AllowOnly({"rounds", "stage", "style"});
  args.ExpectPositional(2);
  Tournament probe;
  ApplyRoundsOption(args, probe);
  CheckStageOption(args);
  Tournament t = OpenForCli(args.Positional()[0]);
  ApplyRoundsOption(args, t);
  // Without --style the tournament's own report style is used.
  if (auto style = args.Value("style")) {
    if (*style == "classic")
      t.Extras.Report = ReportStyle::Classic;
    else if (*style == "modern")
      t.Extras.Report = ReportStyle::Modern;
    else
      throw UsageError{"--style takes classic or modern"};
  }
  const std::string& basePath = args.Positional()[1];
  // A missing folder would fail every page alike: say it once instead.
  const std::string folder = platform::Utf8FromPath(platform::PathFromUtf8(basePath).parent_path());
  std::error_code error;
  if (!folder.empty() && !std::filesystem::is_directory(platform::PathFromUtf8(folder), error))
    throw DravError("No such folder: " + folder);
  const int stage = StageOption(args, t);
  const std::vector<std::string> failed =
      stage >= 0 ? WriteStageWebReport(t, stage, basePath) : WriteWebReport(t, basePath);
  if (!failed.empty()) {
    for (const std::string& path : failed) err << "Could not write " << path << "\n";
    return 1;
  }
  out << "Report has been generated\n";
  return 0;
}

}  // namespace drav::cli
