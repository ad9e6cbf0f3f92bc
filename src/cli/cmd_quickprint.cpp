#include <ostream>

#include "cli/commands.h"
#include "model/error.h"
#include "stats/final_ranking.h"
#include "stats/quickprint.h"
#include "stats/stage_standings.h"
#include "stats/stage_view.h"

namespace drav::cli {

int RunQuickprint(const std::vector<std::string>& words, std::ostream& out, std::ostream&) {
  CliArgs args(words, {});
  args.AllowOnly({"rounds", "stage"});
  args.ExpectPositional(2);
  const std::string& which = args.Positional()[0];
  if (which != "teams" && which != "individuals" && which != "games" && which != "final")
    throw UsageError{"unknown report '" + which + "' (teams, individuals, games or final)"};
  if (which == "final" && (args.Has("rounds") || args.Has("stage")))
    throw UsageError{"the final ranking takes no --rounds or --stage"};
  Tournament probe;  // a malformed --rounds is a usage error even when FILE is unreadable
  ApplyRoundsOption(args, probe);
  CheckStageOption(args);
  Tournament t = OpenForCli(args.Positional()[1]);
  ApplyRoundsOption(args, t);
  const int stage = StageOption(args, t);
  std::vector<std::string> lines;
  if (which == "final") {
    if (t.Extras.Stages.empty()) throw DravError("The tournament has no stages");
    lines = FinalRankingLines(t);
  } else if (stage >= 0 && which == "teams") {
    lines = StageTeamStandingsLines(t, stage);
  } else if (stage >= 0 && which == "individuals") {
    lines = StagePlayerStandingsLines(t, stage);
  } else if (stage >= 0) {
    Tournament view = StageView(t, stage);
    lines = {StageLabel(t.Extras.Stages[static_cast<std::size_t>(stage)])};
    const std::vector<std::string> games = GameResultsLines(view);
    lines.insert(lines.end(), games.begin(), games.end());
  } else if (which == "teams")
    lines = TeamStandingsLines(t);
  else if (which == "individuals")
    lines = PlayerStandingsLines(t);
  else
    lines = GameResultsLines(t);
  for (const std::string& line : lines) out << line << "\n";
  return 0;
}

}  // namespace drav::cli
