#include "cli/commands.h"
#include "entry/ordering.h"

namespace drav::cli {

int RunSort(const std::vector<std::string>& words, std::ostream&, std::ostream&) {
  CliArgs args(words, {});
  args.AllowOnly({});
  args.ExpectPositional(3);
  const std::string& what = args.Positional()[0];
  if (what != "games" && what != "teams" && what != "rounds")
    throw UsageError{"sort takes games, teams or rounds"};

  Tournament t = OpenForCli(args.Positional()[1]);
  if (what == "games")
    SortGamesByIdentifier(t);
  else if (what == "rounds")
    GroupRounds(t);
  else
    SortTeams(t);
  SaveForCli(t, args.Positional()[2]);
  return 0;
}

}  // namespace drav::cli
