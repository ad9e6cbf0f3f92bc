#include <ostream>

#include "cli/commands.h"
#include "entry/check_all_games.h"
#include "storage/results_csv.h"

namespace drav::cli {

// The warnings the game entry window would give after storing each game, all seven on;
// with --more, the checks beyond them follow each game's warnings.
int RunCheck(const std::vector<std::string>& words, std::ostream& out, std::ostream&) {
  CliArgs args(words, {"more", "results"});
  args.AllowOnly({"more", "results", "registered"});
  args.ExpectPositional(1);
  const Tournament t = OpenForCli(args.Positional()[0]);
  // The pre-flight of `results`: what a results database needs and the tournament lacks.
  if (args.Has("results")) {
    const auto registered = RegisteredNames(args);
    for (const std::string& problem : ResultsPreflight(t, registered ? &*registered : nullptr))
      out << problem << "\n";
    return 0;
  }
  // The same list as the desktop program's Check All Games (which adds the further checks).
  for (const entry::GameWarning& w : entry::CheckAllGames(t, args.Has("more")))
    out << w.gid << ": " << w.message << "\n";
  return 0;
}

}  // namespace drav::cli
