#include "model/tournament.h"

#include <gtest/gtest.h>

namespace drav {
namespace {

TEST(Tournament, StartsWithTheStartUpValues) {
  Tournament t;
  EXPECT_EQ(t.QuestionValues, (std::array<int, 4>{0, 0, 0, 0}));
  EXPECT_EQ(t.Format.Warning1, 0);
  EXPECT_EQ(t.Format.AllRounds, 0);
  EXPECT_EQ(t.Format.RoundsMin, 0);
  EXPECT_EQ(t.Format.RoundsMax, 0);
  EXPECT_EQ(t.Format.Paths, 1);
  EXPECT_EQ(t.Format.SortCriterion, 1);
  EXPECT_EQ(t.Format.StandingsFile, "_standings.html");
  EXPECT_EQ(t.Format.QuickPrintFontSize, 10);
  EXPECT_EQ(t.Format.RandomRounds, 5);
  EXPECT_TRUE(t.Rosters.empty());
  EXPECT_EQ(t.SavedGameCount, 0);
  GameStats g;
  EXPECT_EQ(g.PlayerA[0], -1);
  EXPECT_EQ(g.PlayerB[7], -1);
  EXPECT_EQ(g.GPA[3], 0.0);
}

TEST(Tournament, LooksUpNamesOnlyInsideTheLists) {
  Tournament t;
  t.Rosters = {{"Alpha", "Ann", "Bob"}, {}};
  EXPECT_EQ(t.TeamName(0), "Alpha");
  EXPECT_EQ(t.TeamName(1), "");
  EXPECT_EQ(t.TeamName(2), "");
  EXPECT_EQ(t.TeamName(-1), "");
  EXPECT_EQ(t.PlayerName(0, 1), "Bob");
  EXPECT_EQ(t.PlayerName(0, 2), "");
  EXPECT_EQ(t.PlayerName(0, -1), "");
  EXPECT_EQ(t.PlayerCount(1), 0);
  EXPECT_EQ(t.DivisionOf(5), -1);
  EXPECT_FALSE(t.IsExhibition(5));
}

TEST(GameOrder, ComparesRoundsAsNumbersAndIdentifiersAsBytes) {
  GameStats a, b;
  a.Round = 2;
  b.Round = 10;
  a.GID = "10";
  b.GID = "9";
  EXPECT_TRUE(GameBefore(a, b, 1));
  EXPECT_FALSE(GameBefore(b, a, 1));
  EXPECT_TRUE(GameBefore(a, b, 0));  // "10" before "9" as text
  a.GID = "B";
  b.GID = "a";
  EXPECT_TRUE(GameBefore(a, b, 0));
  a.GID = "ab";
  b.GID = "abc";
  EXPECT_TRUE(GameBefore(a, b, 0));
  a.GID = "\xe9";
  b.GID = "z";
  EXPECT_TRUE(GameBefore(b, a, 0));  // bytes compare unsigned
}

TEST(GameOrder, SortGamesMovesEveryFieldWithItsGame) {
  std::vector<GameStats> games(3);
  games[0].Round = 3;
  games[0].ScoreA = 300;
  games[1].Round = 1;
  games[1].ScoreA = 100;
  games[2].Round = 2;
  games[2].ScoreA = 200;
  SortGames(games, 1);
  EXPECT_EQ(games[0].ScoreA, 100);
  EXPECT_EQ(games[1].ScoreA, 200);
  EXPECT_EQ(games[2].ScoreA, 300);
}

}  // namespace
}  // namespace drav
