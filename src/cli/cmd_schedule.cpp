#include <ostream>

#include "cli/commands.h"
#include "schedule/random_schedule.h"
#include "schedule/round_robin.h"
#include "schedule/swiss.h"
#include "stats/stage_view.h"

namespace drav::cli {

int RunSchedule(const std::vector<std::string>& words, std::ostream& out, std::ostream&) {
  CliArgs args(words, {"no-repeat-avoidance", "swiss-by-ppg"});
  args.AllowOnly({"rounds", "stage", "rr-rooms", "random-rooms", "random-rounds",
                  "no-repeat-avoidance", "swiss-by-ppg", "times"});
  args.ExpectPositional(2);
  const std::string& which = args.Positional()[0];
  if (which != "round-robin" && which != "swiss" && which != "random")
    throw UsageError{"unknown schedule '" + which + "' (round-robin, swiss or random)"};
  // Every option is checked before the file is read, so a bad one is a usage error.
  Tournament probe;
  ApplyRoundsOption(args, probe);
  CheckStageOption(args);
  const auto rrRooms = args.IntValue("rr-rooms");
  const auto randomRooms = args.IntValue("random-rooms");
  const auto randomRounds = args.IntValue("random-rounds");
  const int times = args.IntValue("times").value_or(1);
  if (times < 1) throw UsageError{"--times needs a count of at least 1"};

  Tournament t = OpenForCli(args.Positional()[1]);
  ApplyRoundsOption(args, t);
  // Inside a stage the brackets take the divisions' place, and Swiss pairs on its standings.
  if (const int stage = StageOption(args, t); stage >= 0) t = StageView(t, stage);
  TourneyFormat& f = t.Format;
  if (rrRooms) {
    f.RRNoLimit = 0;
    f.RRRooms = *rrRooms;
  }
  if (randomRooms) {
    f.RandomNoLimit = 0;
    f.RandomRooms = *randomRooms;
  }
  if (randomRounds) f.RandomRounds = *randomRounds;
  if (args.Has("no-repeat-avoidance")) f.RepeatAvoidance = 0;
  if (args.Has("swiss-by-ppg")) f.SwissTUH = 0;

  RandomSource random;  // one per run of the program, as in the desktop program
  for (int k = 0; k < times; ++k) {
    std::vector<std::string> lines;
    if (which == "round-robin")
      lines = RoundRobinLines(t);
    else if (which == "swiss")
      lines = SwissPairLines(t).lines;
    else
      lines = RandomScheduleLines(t, random).lines;
    for (const std::string& line : lines) out << line << "\n";
    out.flush();
  }
  return 0;
}

}  // namespace drav::cli
