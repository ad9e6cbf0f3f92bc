// Damaged or hostile tournament data must give pages, never reads outside a list or
// arithmetic overflow (the sanitizer build runs these too).
#include <gtest/gtest.h>

#include <climits>
#include <filesystem>

#include "support/cli_runner.h"
#include "web/web_report.h"
#include "web_fixture.h"

namespace drav {
namespace {

namespace fs = std::filesystem;

Tournament Hostile(int extreme) {
  Tournament t = test::WebFixture();
  TourneyFormat& f = t.Format;
  f.RoundReports = 1;
  f.Sixty = 1;
  f.BonusMode = 3;
  f.Divisions = 1;
  f.SortCriterion = 3;
  t.Rosters.push_back({});                      // a team without even a name
  t.TeamDivision = {extreme, -extreme - 1, 1};  // shorter than the team list
  t.ExhibitionTeam = {extreme};
  t.QuestionValues = {extreme, 10, extreme, -5};
  for (GameStats g : std::vector<GameStats>(t.Games)) {
    g.Round = extreme;
    g.TUH = extreme;
    g.ScoreA = extreme;
    g.ScoreB = -extreme - 1;
    g.BHA = g.BPA = g.BHB = g.BPB = extreme;
    g.BncBkA = g.BncBkPtsA = g.BncBkB = g.BncBkPtsB = extreme;
    g.SixtyA = g.SixtyB = extreme;
    for (int j = 0; j < kRows; ++j) {
      g.GPA[j] = j % 2 ? 1e308 : 0.75;
      g.GPB[j] = 1;
      g.PlayerA[j] = j % 3 ? extreme : 0;
      g.PlayerB[j] = -extreme - 1;
      for (int k = 0; k < kColumns; ++k) g.QA(k, j) = g.QB(k, j) = extreme;
      g.PtsA[j] = g.PtsB[j] = extreme;
    }
    t.Games.push_back(g);
  }
  t.Games.push_back(test::MakeGame("x", 1, 5, INT_MIN, 1, 2));
  t.Games.push_back(test::MakeGame("y", 1, INT_MAX, 5, 1, 2));
  return t;
}

TEST(HostileInput, ExtremeValuesStillGiveEveryPage) {
  const std::string dir = test::MakeTempDir();
  for (ReportStyle style : {ReportStyle::Classic, ReportStyle::Modern}) {
    for (int extreme : {INT_MAX, INT_MIN + 1, -1, 0}) {
      Tournament t = Hostile(extreme);
      t.Extras.Report = style;
      t.Extras.Stages = {{"S", INT_MIN, extreme, true, {{"B", {0, 1}}}}};
      const auto games = t.Games;
      EXPECT_TRUE(WriteWebReport(t, dir + "/h").empty()) << extreme;
      EXPECT_EQ(t.Games, games);
      EXPECT_TRUE(fs::exists(dir + "/h_rounds.html"));
    }
  }
  fs::remove_all(dir);
}

}  // namespace
}  // namespace drav
