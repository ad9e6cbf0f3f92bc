#include <ostream>

#include "cli/commands.h"
#include "stats/quickprint.h"

namespace drav::cli {

int RunQuickprint(const std::vector<std::string>& words, std::ostream& out, std::ostream&) {
  CliArgs args(words, {});
  args.AllowOnly({"rounds"});
  args.ExpectPositional(2);
  const std::string& which = args.Positional()[0];
  if (which != "teams" && which != "individuals" && which != "games")
    throw UsageError{"unknown report '" + which + "' (teams, individuals or games)"};
  Tournament probe;  // a malformed --rounds is a usage error even when FILE is unreadable
  ApplyRoundsOption(args, probe);
  Tournament t = OpenForCli(args.Positional()[1]);
  ApplyRoundsOption(args, t);
  std::vector<std::string> lines;
  if (which == "teams")
    lines = TeamStandingsLines(t);
  else if (which == "individuals")
    lines = PlayerStandingsLines(t);
  else
    lines = GameResultsLines(t);
  for (const std::string& line : lines) out << line << "\n";
  return 0;
}

}  // namespace drav::cli
