// The results CSV layout and its pre-flight check.
#include "storage/results_csv.h"

#include <gtest/gtest.h>

namespace drav {
namespace {

Tournament TwoTeams() {
  Tournament t;
  t.Rosters = {{"Lakeview"}, {"North, \"A\""}};
  t.TeamDivision = {-1, -1};
  t.ExhibitionTeam = {0, 0};
  t.PacketNames = {"Packet 1"};
  return t;
}

GameStats Game(int round, int a, int b, int forfeit = 0, int overtime = 0) {
  GameStats g;
  g.TeamA = 0;
  g.TeamB = 1;
  g.ScoreA = a;
  g.ScoreB = b;
  g.Round = round;
  g.Forfeit = forfeit;
  g.Overtime = overtime;
  return g;
}

TEST(ResultsCsv, OneLineAGameInRoundOrderWithQuotedNamesAndEmptyForfeitScores) {
  Tournament t = TwoTeams();
  t.Games = {Game(2, 0, 0, 1), Game(1, 230, 120), Game(1, 150, 140, 0, 1)};
  t.Games[2].ScoreOnly = true;
  EXPECT_EQ(ResultsCsv(t),
            "Round,Packet,Team A,Score A,Team B,Score B,Forfeit,Overtime\r\n"
            "1,Packet 1,Lakeview,230,\"North, \"\"A\"\"\",120,0,0\r\n"
            "1,Packet 1,Lakeview,150,\"North, \"\"A\"\"\",140,0,1\r\n"
            "2,,Lakeview,,\"North, \"\"A\"\"\",,1,0\r\n");
}

TEST(ResultsCsv, NamesInWindows1252BecomeUtf8) {
  Tournament t = TwoTeams();
  t.Rosters[0][0] = "Caf\xE9";
  t.Games = {Game(1, 10, 20)};
  EXPECT_NE(ResultsCsv(t).find("1,Packet 1,Caf\xC3\xA9,10,"), std::string::npos);
}

TEST(ResultsPreflight, NamesEachGapOnce) {
  Tournament t = TwoTeams();
  t.Games = {Game(1, 230, 120), Game(0, 100, 90), Game(1, -1, 50), Game(3, 0, 0, 1)};
  t.Games.push_back(Game(3, 0, 0));
  t.Games.back().TeamA = 7;
  const std::vector<std::string> registered = {"Lakeview", "North"};
  EXPECT_EQ(
      ResultsPreflight(t, &registered),
      (std::vector<std::string>{"Game 2 (Lakeview vs. North, \"A\") has no round",
                                "Game 3 (Lakeview vs. North, \"A\") has no score",
                                "Game 3 (Lakeview vs. North, \"A\") repeats a game of round 1",
                                "Game 5 ( vs. North, \"A\") names a team that is not in the list",
                                "Team North, \"A\" is not named as registered"}));
  t.Games.resize(1);
  EXPECT_TRUE(ResultsPreflight(t).empty());
}

}  // namespace
}  // namespace drav
