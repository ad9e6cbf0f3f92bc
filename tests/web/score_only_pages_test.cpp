// The standings page says what the figures of teams with score-only games rest on.
#include <gtest/gtest.h>

#include "model/score_only.h"
#include "stats/full_games_note.h"
#include "stats/standings_order.h"
#include "support/cli_runner.h"
#include "support/generated_tournament.h"
#include "web/pages.h"
#include "web/web_report.h"

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

TEST(ScoreOnlyPages, ModernStandingsPageNotesTheFullGamesOnlyWhenSomeGamesAreScoreOnly) {
  const std::string dir = test::MakeTempDir();
  Tournament t = test::GenerateTournament({.seed = 4});
  t.Extras.Report = ReportStyle::Modern;
  ASSERT_TRUE(WriteWebReport(t, dir + "/full").empty());
  EXPECT_EQ(test::ReadFile(dir + "/full_standings.html").find(kFullGamesNoteHeading),
            std::string::npos);
  t.Games[0].ScoreOnly = true;
  ClearBoxScore(t.Games[0]);
  ASSERT_TRUE(WriteWebReport(t, dir + "/mixed").empty());
  const std::string page = test::ReadFile(dir + "/mixed_standings.html");
  EXPECT_NE(page.find(kFullGamesNoteHeading), std::string::npos);
  EXPECT_NE(page.find(" score-only)</li>"), std::string::npos);
}

}  // namespace
}  // namespace drav
