#include <ostream>

#include "cli/commands.h"
#include "web/web_report.h"

namespace drav::cli {

int RunReport(const std::vector<std::string>& words, std::ostream& out, std::ostream& err) {
  CliArgs args(words, {});
  args.AllowOnly({"rounds"});
  args.ExpectPositional(2);
  Tournament t = OpenForCli(args.Positional()[0]);
  ApplyRoundsOption(args, t);
  const std::vector<std::string> failed = WriteWebReport(t, args.Positional()[1]);
  if (!failed.empty()) {
    for (const std::string& path : failed) err << "Could not write " << path << "\n";
    return 1;
  }
  out << "Report has been generated\n";
  return 0;
}

}  // namespace drav::cli
