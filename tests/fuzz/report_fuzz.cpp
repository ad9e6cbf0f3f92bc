// Opens arbitrary bytes as a tournament file, then computes every statistic (standings,
// individuals, QuickPrint texts, each stage's standings, the final ranking) and writes
// every page of both report styles, and of each stage, to memory. Any sanitizer finding
// (an overflow in a sum, an index out of bounds) stops the run.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "model/error.h"
#include "stats/final_ranking.h"
#include "stats/player_stats.h"
#include "stats/quickprint.h"
#include "stats/stage_standings.h"
#include "stats/stage_view.h"
#include "stats/team_stats.h"
#include "storage/tournament_file.h"
#include "web/web_report.h"

namespace {

std::size_t written = 0;

void WriteBothStyles(drav::Tournament t, const drav::ReportSink& sink) {
  drav::TourneyFormat& f = t.Format;
  f.RoundReports = f.TeamStandings = f.IndividualStandings = f.Scoreboard = f.TeamDetail =
      f.IndividualDetail = f.StatKey = 1;
  f.StyleSheet = 0;  // the only file the report reads
  for (drav::ReportStyle style : {drav::ReportStyle::Classic, drav::ReportStyle::Modern}) {
    t.Extras.Report = style;
    (void)drav::WriteWebReport(t, "fuzz/report", &sink);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  drav::Tournament t;
  try {
    t = drav::ParseTournament(text, drav::Tournament{});
  } catch (const drav::DravError&) {
    return 0;
  }
  const drav::ReportSink sink = [](const std::string& path, const std::string& contents) {
    written += path.size() + contents.size();
  };
  (void)drav::ComputeTeamStats(t);
  (void)drav::ComputePlayerStats(t);
  (void)drav::TeamStandingsLines(t);
  (void)drav::PlayerStandingsLines(t);
  drav::Tournament results = t;
  (void)drav::GameResultsLines(results);
  (void)drav::FinalRankingLines(t);
  for (int stage = 0; stage < static_cast<int>(t.Extras.Stages.size()) && stage < 4; ++stage) {
    (void)drav::StageTeamStandingsLines(t, stage);
    (void)drav::StagePlayerStandingsLines(t, stage);
    WriteBothStyles(drav::StageView(t, stage), sink);
  }
  WriteBothStyles(t, sink);
  return 0;
}
