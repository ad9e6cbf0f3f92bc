#include <ostream>

#include "cli/commands.h"
#include "entry/check_game.h"
#include "entry/extra_checks.h"

namespace drav::cli {

// The warnings the game entry window would give after storing each game, all seven on;
// with --more, the checks beyond them follow each game's warnings.
int RunCheck(const std::vector<std::string>& words, std::ostream& out, std::ostream&) {
  CliArgs args(words, {"more"});
  args.AllowOnly({"more"});
  args.ExpectPositional(1);
  Tournament t = OpenForCli(args.Positional()[0]);
  TourneyFormat& f = t.Format;
  f.Warning1 = f.Warning2 = f.Warning3 = f.Warning4 = f.Warning5 = f.Warning6 = f.Warning7 = 1;
  const bool more = args.Has("more");
  for (int i = 0; i < t.GameCount(); ++i) {
    for (const std::string& message : entry::CheckGame(t, i))
      out << t.Games[i].GID << ": " << message << "\n";
    if (!more) continue;
    for (const std::string& message : entry::ExtraChecks(t, t.Games[i]))
      out << t.Games[i].GID << ": " << message << "\n";
  }
  return 0;
}

}  // namespace drav::cli
