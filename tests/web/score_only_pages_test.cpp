// The standings page says what the figures of teams with score-only games rest on.
#include <gtest/gtest.h>

#include "model/score_only.h"
#include "stats/full_games_note.h"
#include "stats/standings_order.h"
#include "support/generated_tournament.h"
#include "web/pages.h"

namespace drav {
namespace {

std::string StandingsPage(const Tournament& t) {
  std::string page;
  WriteTeamStandingsPage(page, t, ComputeStandings(t).TeamStats, "");
  return page;
}

TEST(ScoreOnlyPages, StandingsPageNotesTheFullGamesOnlyWhenSomeGamesAreScoreOnly) {
  Tournament t = test::GenerateTournament({.seed = 4});
  EXPECT_EQ(StandingsPage(t).find(kFullGamesNoteHeading), std::string::npos);
  t.Games[0].ScoreOnly = true;
  ClearBoxScore(t.Games[0]);
  const std::string page = StandingsPage(t);
  EXPECT_NE(page.find(kFullGamesNoteHeading), std::string::npos);
  EXPECT_NE(page.find(" score-only)"), std::string::npos);
}

}  // namespace
}  // namespace drav
