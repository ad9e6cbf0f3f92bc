#include <ostream>

#include "cli/commands.h"
#include "web/stage_report.h"
#include "web/web_report.h"

namespace drav::cli {

int RunReport(const std::vector<std::string>& words, std::ostream& out, std::ostream& err) {
  CliArgs args(words, {});
  args.AllowOnly({"rounds", "stage"});
  args.ExpectPositional(2);
  Tournament probe;
  ApplyRoundsOption(args, probe);
  CheckStageOption(args);
  Tournament t = OpenForCli(args.Positional()[0]);
  ApplyRoundsOption(args, t);
  const int stage = StageOption(args, t);
  const std::vector<std::string> failed = stage >= 0
                                              ? WriteStageWebReport(t, stage, args.Positional()[1])
                                              : WriteWebReport(t, args.Positional()[1]);
  if (!failed.empty()) {
    for (const std::string& path : failed) err << "Could not write " << path << "\n";
    return 1;
  }
  out << "Report has been generated\n";
  return 0;
}

}  // namespace drav::cli
