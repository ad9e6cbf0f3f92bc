#include "stats/team_stats.h"

#include <gtest/gtest.h>

#include <climits>

#include "stats/figures.h"
#include "stats/stats_fixture.h"

namespace drav {
namespace {

using test::AddGame;
using test::MakeTourney;
using test::SetRow;

TEST(TeamStats, PlayedGameAddsEveryFigureToBothSides) {
  Tournament t = MakeTourney({"X", "Y"});
  GameStats& g = AddGame(t, 0, 1, 300, 120);
  g.SixtyA = 40;
  g.SixtyB = 10;
  g.BHA = 12;
  g.BPA = 180;
  g.BHB = 5;
  g.BPB = 50;
  g.BncBkA = 3;
  g.BncBkPtsA = 20;
  g.BncBkB = 7;
  g.BncBkPtsB = 30;
  SetRow(g, true, 0, 0, 1, 2, 3, 1);
  SetRow(g, true, 5, 1, 1, 1, 4, 0, 2);
  SetRow(g, false, 7, 0, 1, 0, 2, 2);
  const auto stats = ComputeTeamStats(t);
  ASSERT_EQ(stats.size(), 2u);
  const Standings& x = stats[0];
  EXPECT_EQ(x.TeamName, "X");
  EXPECT_EQ(x.TeamIndex, 0);
  EXPECT_EQ(x.LinkIndex, 0);
  EXPECT_EQ(x.Wins, 1);
  EXPECT_EQ(x.Losses, 0);
  EXPECT_EQ(x.PointsFor, 300);
  EXPECT_EQ(x.PointsAgainst, 120);
  EXPECT_EQ(x.TUH, 20);
  EXPECT_EQ(x.LightningPts, 40);
  EXPECT_EQ(x.BonusHeard, 12);
  EXPECT_EQ(x.BonusPts, 180);
  EXPECT_EQ(x.BounceHeard, 3);
  EXPECT_EQ(x.BouncePts, 20);
  EXPECT_EQ(x.TossUps, (std::array<std::int64_t, 4>{3, 7, 1, 2}));
  EXPECT_DOUBLE_EQ(x.Pct, 1.0);
  EXPECT_DOUBLE_EQ(x.PPG, 300.0);
  const Standings& y = stats[1];
  EXPECT_EQ(y.TeamIndex, 1);
  EXPECT_EQ(y.Losses, 1);
  EXPECT_EQ(y.PointsFor, 120);
  EXPECT_EQ(y.LightningPts, 10);
  EXPECT_EQ(y.BonusHeard, 5);
  EXPECT_EQ(y.BounceHeard, 7);
  EXPECT_EQ(y.BouncePts, 30);
  EXPECT_EQ(y.TossUps, (std::array<std::int64_t, 4>{0, 2, 2, 0}));
  EXPECT_DOUBLE_EQ(y.Pct, 0.0);
}

TEST(TeamStats, ForfeitGivesTeamAWinAndBLossWithoutFigures) {
  Tournament t = MakeTourney({"X", "Y"});
  GameStats& g = AddGame(t, 0, 1, 0, 400);  // stored scores do not matter
  g.Forfeit = 1;
  g.BHA = 10;
  SetRow(g, true, 0, 0, 1, 5, 0, 0);
  const auto stats = ComputeTeamStats(t);
  EXPECT_EQ(stats[0].ForfeitWins, 1);
  EXPECT_EQ(stats[0].Wins, 0);
  EXPECT_EQ(stats[0].GamesCount, 1);
  EXPECT_EQ(stats[0].PointsFor, 0);
  EXPECT_EQ(stats[0].BonusHeard, 0);
  EXPECT_EQ(stats[0].TossUps[0], 0);
  EXPECT_DOUBLE_EQ(stats[0].Pct, 1.0);
  EXPECT_DOUBLE_EQ(stats[0].PPG, 0.0);
  EXPECT_EQ(stats[1].ForfeitLosses, 1);
  EXPECT_EQ(stats[1].GamesCount, 1);
  EXPECT_EQ(stats[1].PointsFor, 0);
  EXPECT_DOUBLE_EQ(stats[1].Pct, 0.0);
  EXPECT_EQ(ShownWins(stats[0]), 1);
  EXPECT_EQ(ShownLosses(stats[1]), 1);
}

TEST(TeamStats, ForfeitDoesNotChangeThePpgDivisor) {
  Tournament t = MakeTourney({"X", "Y", "Z"});
  AddGame(t, 0, 1, 300, 100);
  AddGame(t, 0, 2, 0, 0).Forfeit = 1;
  const auto stats = ComputeTeamStats(t);
  EXPECT_EQ(stats[0].GamesCount, 2);
  EXPECT_DOUBLE_EQ(stats[0].PPG, 300.0);
  EXPECT_DOUBLE_EQ(PointsPerGame(stats[0]), 300.0);
}

TEST(TeamStats, BlankScoreGameChangesNothing) {
  Tournament t = MakeTourney({"X", "Y"});
  AddGame(t, 0, 1, -1, 200).BHA = 4;
  AddGame(t, 0, 1, 200, -1);
  const auto stats = ComputeTeamStats(t);
  EXPECT_EQ(stats[0], (Standings{"X", 0, 0}));
  EXPECT_EQ(stats[1].GamesCount, 0);
  EXPECT_EQ(stats[1].PointsFor, 0);
}

TEST(TeamStats, GamesOutsideTheSelectedRoundsChangeNothingNotEvenSoS) {
  Tournament t = MakeTourney({"X", "Y", "Z"});
  t.Format.AllRounds = 0;
  t.Format.RoundsMin = 2;
  t.Format.RoundsMax = 3;
  AddGame(t, 0, 1, 300, 100, 1);
  AddGame(t, 0, 2, 200, 100, 2);
  AddGame(t, 1, 2, 250, 150, 3);
  AddGame(t, 1, 0, 400, 0, 4);
  const auto stats = ComputeTeamStats(t);
  EXPECT_EQ(stats[0].GamesCount, 1);
  EXPECT_EQ(stats[0].PointsFor, 200);
  EXPECT_EQ(stats[1].GamesCount, 1);
  EXPECT_EQ(stats[1].PointsFor, 250);
  // X: own 200, opponent Z (rate 125).
  EXPECT_DOUBLE_EQ(stats[0].SoS, 325.0);
  EXPECT_TRUE(RoundSelected(t.Format, 2));
  EXPECT_TRUE(RoundSelected(t.Format, 3));
  EXPECT_FALSE(RoundSelected(t.Format, 4));
}

TEST(TeamStats, ExhibitionTeamKeepsItsGamesButGivesNothingToOpponents) {
  Tournament t = MakeTourney({"X", "E", "Y"});
  t.ExhibitionTeam = {0, 1, 0};
  AddGame(t, 0, 1, 300, 200);
  AddGame(t, 2, 0, 100, 250);
  const auto stats = ComputeTeamStats(t);
  EXPECT_EQ(stats[0].GamesCount, 1);  // only the game against Y
  EXPECT_EQ(stats[0].PointsFor, 250);
  EXPECT_EQ(stats[1].GamesCount, 1);
  EXPECT_EQ(stats[1].Losses, 1);
  // E's SoS holds X's rate; X's holds Y's, not E's.
  EXPECT_DOUBLE_EQ(stats[1].SoS, 200.0 + 250.0);
  EXPECT_DOUBLE_EQ(stats[0].SoS, 250.0 + 100.0);
}

TEST(TeamStats, ExhibitionListShorterThanTeamListMeansOrdinaryTeams) {
  Tournament t = MakeTourney({"X", "Y"});
  t.ExhibitionTeam.clear();
  AddGame(t, 0, 1, 300, 200);
  const auto stats = ComputeTeamStats(t);
  EXPECT_EQ(stats[0].GamesCount, 1);
  EXPECT_EQ(stats[1].GamesCount, 1);
}

TEST(TeamStats, TeamThatIsBothSidesTakesBoth) {
  Tournament t = MakeTourney({"X"});
  AddGame(t, 0, 0, 300, 200);
  const auto stats = ComputeTeamStats(t);
  EXPECT_EQ(stats[0].Wins, 1);
  EXPECT_EQ(stats[0].Losses, 1);
  EXPECT_EQ(stats[0].PointsFor, 500);
}

TEST(TeamStats, TieCountsHalfAWin) {
  Tournament t = MakeTourney({"X", "Y", "Z"});
  AddGame(t, 0, 1, 200, 100);
  AddGame(t, 0, 2, 150, 150);
  AddGame(t, 1, 0, 300, 100);
  const auto stats = ComputeTeamStats(t);
  EXPECT_EQ(stats[0].Ties, 1);
  EXPECT_DOUBLE_EQ(stats[0].Pct, 0.5);
  EXPECT_EQ(PctText(WinningPct(stats[0])), "0.500");
}

TEST(TeamStats, ScheduleStrengthAveragesOwnAndOpponentRates) {
  Tournament t = MakeTourney({"X", "Y", "Z"});
  AddGame(t, 0, 1, 300, 200);
  const auto stats = ComputeTeamStats(t);
  EXPECT_DOUBLE_EQ(ScheduleStrength(stats[0]), 250.0);
  EXPECT_EQ(AverageText(ScheduleStrength(stats[0])), "250.0");
  EXPECT_DOUBLE_EQ(ScheduleStrength(stats[2]), 0.0);
}

TEST(TeamStats, ScheduleStrengthUsesWholeTournamentRatesAndCountsRepeats) {
  Tournament t = MakeTourney({"X", "Y", "Z"});
  AddGame(t, 0, 1, 300, 100);
  AddGame(t, 1, 2, 300, 200);
  AddGame(t, 1, 0, 200, 100);
  const auto stats = ComputeTeamStats(t);
  // X rate 200, Y rate 200 (600/3), met twice.
  EXPECT_DOUBLE_EQ(stats[0].SoS, 200.0 + 200.0 + 200.0);
  EXPECT_DOUBLE_EQ(ScheduleStrength(stats[0]), 200.0);
}

TEST(TeamStats, GamesNamingUnknownTeamsAreNotCounted) {
  Tournament t = MakeTourney({"X", "Y"});
  AddGame(t, 0, 7, 300, 200);
  AddGame(t, -3, 1, 300, 200);
  AddGame(t, INT_MAX, INT_MIN, 1, 2);
  AddGame(t, 0, 1, 100, 50);
  const auto stats = ComputeTeamStats(t);
  EXPECT_EQ(stats[0].GamesCount, 1);
  EXPECT_EQ(stats[0].PointsFor, 100);
  EXPECT_EQ(stats[1].GamesCount, 1);
  EXPECT_DOUBLE_EQ(stats[0].SoS, 100.0 + 50.0);
}

TEST(TeamStats, HugeFiguresAccumulateWithoutOverflow) {
  Tournament t = MakeTourney({"X", "Y"});
  for (int i = 0; i < 4; ++i) {
    GameStats& g = AddGame(t, 0, 1, INT_MAX, INT_MAX - 1);
    g.TUH = INT_MAX;
    g.BPA = INT_MAX;
    for (int row = 0; row < kRows; ++row) g.Q0A[row] = INT_MAX;
  }
  const auto stats = ComputeTeamStats(t);
  EXPECT_EQ(stats[0].PointsFor, 4LL * INT_MAX);
  EXPECT_EQ(stats[0].TUH, 4LL * INT_MAX);
  EXPECT_EQ(stats[0].BonusPts, 4LL * INT_MAX);
  EXPECT_EQ(stats[0].TossUps[0], 32LL * INT_MAX);
}

TEST(TeamStats, TeamWithoutGamesHasAllZeroRecord) {
  Tournament t = MakeTourney({"X", "Y"});
  const auto stats = ComputeTeamStats(t);
  EXPECT_EQ(stats[1],
            (Standings{"Y", 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, {}, 1, 0}));
}

TEST(TeamStats, TiebreakerGamesStayOutOfTheTeamFiguresUnlessTheyCount) {
  Tournament t = MakeTourney({"X", "Y", "Z"});
  AddGame(t, 0, 1, 300, 100);
  AddGame(t, 1, 0, 250, 200).Tiebreaker = true;
  AddGame(t, 1, 2, 200, 100);
  auto stats = ComputeTeamStats(t);
  EXPECT_EQ(stats[0].Wins, 1);
  EXPECT_EQ(stats[0].Losses, 0);
  EXPECT_EQ(stats[0].PointsFor, 300);
  EXPECT_EQ(stats[1].GamesCount, 2);
  // Y's schedule strength counts X and Z once each.
  EXPECT_DOUBLE_EQ(stats[1].SoS, 150.0 + 300.0 + 100.0);
  t.Extras.TiebreakersCount = true;
  stats = ComputeTeamStats(t);
  EXPECT_EQ(stats[0].Losses, 1);
  EXPECT_EQ(stats[0].PointsFor, 500);
  EXPECT_EQ(stats[1].GamesCount, 3);
}

}  // namespace
}  // namespace drav
