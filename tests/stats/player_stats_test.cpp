#include "stats/player_stats.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <climits>

#include "stats/stats_fixture.h"

namespace drav {
namespace {

using test::AddGame;
using test::MakeTourney;
using test::SetRow;

TEST(PlayerStats, RowsAddUpIncludingTwoRowsOfOnePlayer) {
  Tournament t = MakeTourney({"X", "Y"}, 2);
  GameStats& g = AddGame(t, 0, 1, 300, 200);
  SetRow(g, true, 0, 1, 1, 2, 3, 1);
  SetRow(g, true, 4, 1, 0.5, 1, 0, 0, 2);
  SetRow(g, false, 7, 0, 1, 0, 4, 0);
  const auto stats = ComputePlayerStats(t);
  const Individuals& x2 = stats[1];
  EXPECT_DOUBLE_EQ(x2.GP, 1.5);
  EXPECT_EQ(x2.TossUps, (std::array<std::int64_t, 4>{3, 3, 1, 2}));
  EXPECT_EQ(x2.Points, 55 + 15);
  EXPECT_EQ(x2.TUH, 30);
  EXPECT_EQ(stats[0].GP, 0.0);
  EXPECT_EQ(stats[2].Points, 40);
  EXPECT_EQ(stats[2].TUH, 20);
}

TEST(PlayerStats, TossupsHeardRoundPerRow) {
  EXPECT_EQ(RowTossupsHeard(20, 0.5), 10);
  EXPECT_EQ(RowTossupsHeard(20, 0.33), 7);   // 6.6 + 0.5 truncated
  EXPECT_EQ(RowTossupsHeard(20, 0.3), 6);    // 6.0 + 0.5 truncated
  EXPECT_EQ(RowTossupsHeard(20, -0.1), -1);  // -2 + 0.5 truncates toward zero
  EXPECT_EQ(RowTossupsHeard(INT_MAX, DBL_MAX), 4000000000000000000LL);
  EXPECT_EQ(RowTossupsHeard(INT_MIN, DBL_MAX), -4000000000000000000LL);
  EXPECT_EQ(RowTossupsHeard(0, DBL_MAX), 0);

  Tournament t = MakeTourney({"X", "Y"}, 1);
  SetRow(AddGame(t, 0, 1, 100, 50), true, 0, 0, 0.33, 1, 0, 0);
  SetRow(AddGame(t, 0, 1, 100, 50), true, 0, 0, 0.33, 1, 0, 0);
  EXPECT_EQ(ComputePlayerStats(t)[0].TUH, 14);  // 7 + 7, not 13.2 rounded
}

TEST(PlayerStats, ForfeitsBlankScoresUnselectedRoundsAndExhibitionOpponentsAddNothing) {
  Tournament t = MakeTourney({"X", "Y", "E"}, 1);
  t.ExhibitionTeam = {0, 0, 1};
  t.Format.AllRounds = 0;
  t.Format.RoundsMin = 1;
  t.Format.RoundsMax = 2;
  GameStats& forfeit = AddGame(t, 0, 1, 100, 0);
  forfeit.Forfeit = 1;
  SetRow(forfeit, true, 0, 0, 1, 1, 0, 0);
  SetRow(AddGame(t, 0, 1, -1, 100), true, 0, 0, 1, 1, 0, 0);
  SetRow(AddGame(t, 0, 1, 100, 50, 3), true, 0, 0, 1, 1, 0, 0);
  GameStats& exhibition = AddGame(t, 0, 2, 100, 50);
  SetRow(exhibition, true, 0, 0, 1, 1, 0, 0);
  SetRow(exhibition, false, 0, 0, 1, 2, 0, 0);
  const auto stats = ComputePlayerStats(t);
  EXPECT_EQ(stats[0].GP, 0.0);
  EXPECT_EQ(stats[0].Points, 0);
  EXPECT_EQ(stats[2].PlayerName, "E 1");
  EXPECT_EQ(stats[2].Points, 30);  // the exhibition team's own players do count
}

TEST(PlayerStats, PositionsOutsideTheRosterMatchNobody) {
  Tournament t = MakeTourney({"X", "Y"}, 2);
  GameStats& g = AddGame(t, 0, 1, 100, 50);
  SetRow(g, true, 0, 2, 1, 1, 0, 0);  // one past the roster
  SetRow(g, true, 1, INT_MAX, 1, 1, 0, 0);
  SetRow(g, true, 2, INT_MIN, 1, 1, 0, 0);
  SetRow(g, true, 3, -1, 1, 1, 0, 0);
  AddGame(t, 0, 9, 100, 50).PlayerA[0] = 0;  // opponent not a team
  for (const Individuals& p : ComputePlayerStats(t)) EXPECT_EQ(p.Points, 0) << p.PlayerName;
}

TEST(PlayerStats, HugeFiguresAccumulateWithoutOverflow) {
  Tournament t = MakeTourney({"X", "Y"}, 1);
  for (int i = 0; i < 3; ++i) {
    GameStats& g = AddGame(t, 0, 1, 100, 50);
    g.TUH = INT_MAX;
    for (int row = 0; row < kRows; ++row) {
      g.PlayerA[row] = 0;
      g.GPA[row] = 1;
      g.PtsA[row] = INT_MAX;
    }
  }
  const auto stats = ComputePlayerStats(t);
  EXPECT_EQ(stats[0].Points, 24LL * INT_MAX);
  EXPECT_EQ(stats[0].TUH, 24LL * INT_MAX);
}

Individuals Player(std::int64_t points, double gp, std::int64_t tuh,
                   std::array<std::int64_t, 4> tossUps = {}) {
  Individuals p;
  p.Points = points;
  p.GP = gp;
  p.TUH = tuh;
  p.TossUps = tossUps;
  return p;
}

TEST(PlayerOrder, RateIsPointsPerGameOrPerTossupHeard) {
  Tournament t = MakeTourney({});
  const Individuals a = Player(100, 1, 40);
  const Individuals b = Player(120, 2, 60);
  EXPECT_TRUE(PlayerBefore(a, b, t));  // 100 against 60 per game
  t.Format.TUHSort = 1;
  const Individuals c = Player(100, 4, 40);  // 2.50 per toss-up heard
  const Individuals d = Player(120, 1, 60);  // 2.00
  EXPECT_TRUE(PlayerBefore(c, d, t));
  EXPECT_FALSE(PlayerBefore(d, c, t));
}

TEST(PlayerOrder, EqualRatesFallToPositiveValueCountsThenPoints) {
  Tournament t = MakeTourney({});
  const Individuals a = Player(100, 1, 0, {2, 7, 0, 0});
  const Individuals b = Player(100, 1, 0, {2, 6, 9, 0});
  EXPECT_TRUE(PlayerBefore(a, b, t));
  EXPECT_FALSE(PlayerBefore(b, a, t));
  // Equal in every positive slot: points decide; the neg slot never does.
  const Individuals c = Player(100, 1, 0, {2, 7, 0, 0});
  const Individuals d = Player(99, 0.99, 0, {2, 7, 5, 0});
  EXPECT_TRUE(PlayerBefore(c, d, t));
  EXPECT_FALSE(PlayerBefore(d, c, t));
  const Individuals e = Player(100, 1, 0, {2, 7, 1, 0});
  EXPECT_FALSE(PlayerBefore(a, e, t));
  EXPECT_FALSE(PlayerBefore(e, a, t));
  // A slot of value 0 is skipped as well.
  t.QuestionValues = {0, 10, -5, 20};
  const Individuals f = Player(100, 1, 0, {9, 1, 0, 1});
  const Individuals g = Player(100, 1, 0, {0, 1, 0, 2});
  EXPECT_TRUE(PlayerBefore(g, f, t));
}

TEST(PlayerOrder, SortOrdersAndStaysInBounds) {
  Tournament t = MakeTourney({});
  std::vector<Individuals> players;
  for (int i = 0; i < 100; ++i) {
    Individuals p = Player(1000 + (i % 5), 10.0 + (i % 3) * 0.0000004, 0, {i % 4, 0, 0, 0});
    p.PlayerIndex = i;
    players.push_back(p);
  }
  players.push_back(Player(5000, 1, 0));
  players.push_back(Player(0, 0, 0));
  SortPlayerStats(t, players);
  ASSERT_EQ(players.size(), 102u);
  EXPECT_EQ(players.front().Points, 5000);
  EXPECT_EQ(players.back().GP, 0.0);
}

}  // namespace
}  // namespace drav
