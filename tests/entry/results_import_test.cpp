// Quick results entry from a pasted table: preview, refusal by line, all or nothing.
#include "entry/results_import.h"

#include <gtest/gtest.h>

#include "entry_test_support.h"
#include "model/error.h"

namespace drav::entry {
namespace {

// Forty results of five rounds among the three teams plus Delta, header in another order.
std::string FortyResults() {
  std::string text = "Score B,team a,ROUND,Team B,score a,Overtime\r\n";
  const char* teams[] = {"Alpha", "beta", "Gamma", "Delta"};
  for (int i = 0; i < 40; ++i) {
    const int round = i / 2 + 1;  // two games a round, never the same pair twice in one
    const char* a = teams[(i % 2) * 2];
    const char* b = teams[(i % 2) * 2 + 1];
    text += std::to_string(100 + i * 5) + "," + a + "," + std::to_string(round) + "," + b + "," +
            std::to_string(200 + i * 5) + "," + (i == 3 ? "yes" : "") + "\r\n";
  }
  return text;
}

TEST(ResultsImport, ALikelyTeamIsAMistypeOfAKnownNameNotJustTheNearestOne) {
  Tournament t;
  t.Rosters = {{"Harbor Tech"}, {"Lakeview"}, {"Northfield"}};
  const struct {
    const char* typed;
    int team;
  } cases[] = {{"Harbour Tech", 0}, {"lakeveiw", 1}, {"NORTHFIELD", 2}, {"Zebra", -1}, {"", -1}};
  for (const auto& c : cases) EXPECT_EQ(LikelyTeam(t, c.typed), c.team) << c.typed;
  EXPECT_EQ(LikelyTeam(Tournament{}, "Harbor"), -1);
}

TEST(ResultsImport, FortyResultsPreviewAndStoreAsScoreOnlyGames) {
  Tournament t = test::ThreeTeams();
  const ResultsPreview preview = PreviewResults(t, FortyResults(), true);
  ASSERT_TRUE(preview.Ok()) << preview.problems.front();
  ASSERT_EQ(preview.rows.size(), 40u);
  EXPECT_EQ(preview.newTeams, std::vector<std::string>{"Delta"});
  EXPECT_EQ(preview.rows[0].line, 2);
  EXPECT_EQ(preview.rows[0].Meaning(t), "Round 1: Alpha 200, Beta 100");
  EXPECT_EQ(preview.rows[3].Meaning(t), "Round 2: Gamma 215, Delta 115 (overtime)");
  EXPECT_TRUE(t.Games.empty());  // nothing stored before OK
  ApplyResults(t, preview);
  ASSERT_EQ(t.GameCount(), 40);
  EXPECT_EQ(t.TeamName(3), "Delta");
  EXPECT_TRUE(t.Games[39].ScoreOnly);
  EXPECT_EQ(t.Games[39].Round, 20);
  EXPECT_EQ(t.Games[39].ScoreA, 395);
  EXPECT_EQ(t.Games[39].GID, "39");
}

TEST(ResultsImport, BadRowsAreNamedByLineAndNothingIsStored) {
  Tournament t = test::ThreeTeams();
  t.Rosters.push_back({"Delta"});
  t.TeamDivision.push_back(-1);
  t.ExhibitionTeam.push_back(0);
  std::string text = FortyResults();
  // Line 12 gets an unknown team, line 30 a bad number, line 41 repeats line 2's game.
  const auto replaceLine = [&](int line, const std::string& with) {
    std::size_t at = 0;
    for (int l = 1; l < line; ++l) at = text.find("\r\n", at) + 2;
    text.replace(at, text.find("\r\n", at) - at, with);
  };
  replaceLine(12, "150,Alfa,6,Gamma,100,");
  replaceLine(30, "150,Alpha,15,beta,1x0,");
  replaceLine(41, "150,Beta,1,alpha,100,");
  const Tournament before = t;
  const ResultsPreview preview = PreviewResults(t, text, false);
  EXPECT_EQ(preview.problems,
            (std::vector<std::string>{
                "line 12: unknown team \"Alfa\" (closest: Alpha)", "line 30: bad score A \"1x0\"",
                "line 41: duplicate game: Beta and alpha already meet in round 1"}));
  EXPECT_THROW(ApplyResults(t, preview), DravError);
  EXPECT_EQ(t.Games, before.Games);
  EXPECT_EQ(t.Rosters, before.Rosters);
}

TEST(ResultsImport, TabsAndAMissingColumn) {
  Tournament t = test::ThreeTeams();
  const ResultsPreview tabs = PreviewResults(
      t, "round\tteam a\tscore a\tteam b\tscore b\tforfeit\n3\tAlpha\t\tBeta\t\t1\n", false);
  ASSERT_TRUE(tabs.Ok()) << tabs.problems.front();
  EXPECT_EQ(tabs.rows.at(0).Meaning(t), "Round 3: Alpha defeats Beta by forfeit");
  EXPECT_EQ(PreviewResults(t, "round,team a,team b,score b\n1,Alpha,Beta,5\n", false).problems,
            std::vector<std::string>{"line 1: the header has no column \"score A\""});
  EXPECT_FALSE(PreviewResults(t, "", false).Ok());
}

}  // namespace
}  // namespace drav::entry
