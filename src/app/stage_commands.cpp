#include "app/stage_commands.h"

#include "stats/final_ranking.h"
#include "stats/stage_standings.h"

namespace drav::app {

namespace {

bool ValidStage(const Tournament& t, int stage) {
  return stage >= 0 && stage < static_cast<int>(t.Extras.Stages.size());
}

}  // namespace

void QuickPrintStage(const Tournament& t, int stage, MainHost& host) {
  if (!ValidStage(t, stage)) return;
  host.ShowTextWindow(
      "QuickPrint Team Standings: " + t.Extras.Stages[static_cast<std::size_t>(stage)].Name,
      StageTeamStandingsLines(t, stage));
}

void QuickPrintStageIndividuals(const Tournament& t, int stage, MainHost& host) {
  if (!ValidStage(t, stage)) return;
  host.ShowTextWindow(
      "QuickPrint Individual Standings: " + t.Extras.Stages[static_cast<std::size_t>(stage)].Name,
      StagePlayerStandingsLines(t, stage));
}

void QuickPrintFinalRanking(const Tournament& t, MainHost& host) {
  if (t.Extras.Stages.empty()) {
    host.ShowMessage("The tournament has no stages", "Final Ranking");
    return;
  }
  host.ShowTextWindow("QuickPrint Final Ranking", FinalRankingLines(t));
}

}  // namespace drav::app
