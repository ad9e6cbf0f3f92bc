#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <random>

#include "model/merge_sort.h"
#include "stats/player_stats.h"
#include "stats/quickprint.h"
#include "stats/standings_order.h"
#include "stats/team_stats.h"

namespace drav {
namespace {

// Tournaments whose games name teams and players outside the lists and carry extreme
// figures: every report must finish without reading out of bounds (the sanitizer build
// checks for undefined behaviour).
TEST(HostileInput, ReportsAndSortsFinishOnAbsurdFigures) {
  std::mt19937 rng(7);
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  const int extremes[] = {INT_MIN, INT_MIN + 1, -1, 0, 1, INT_MAX - 1, INT_MAX};
  auto value = [&] { return pick(0, 3) == 0 ? extremes[pick(0, 6)] : pick(-50, 500); };
  const double fractions[] = {0, 0.5, 1, -1, 1e300, -1e300, DBL_MAX, DBL_MIN};
  for (int round = 0; round < 30; ++round) {
    Tournament t;
    const int teams = pick(0, 6);
    for (int i = 0; i < teams; ++i) {
      std::vector<std::string> roster;
      if (pick(0, 5) > 0) roster.push_back(pick(0, 1) ? "Same" : "T" + std::to_string(i));
      for (int p = pick(0, 3); p > 0; --p) roster.push_back(std::string(pick(0, 30), 'p'));
      t.Rosters.push_back(roster);
    }
    for (int i = pick(0, teams + 2); i > 0; --i) t.TeamDivision.push_back(pick(-2, 3));
    for (int i = pick(0, teams + 2); i > 0; --i) t.ExhibitionTeam.push_back(pick(-1, 1));
    for (int i = pick(0, 2); i > 0; --i) t.DivisionNames.push_back("D" + std::to_string(i));
    for (int& v : t.QuestionValues) v = value();
    TourneyFormat& f = t.Format;
    f.AllRounds = pick(0, 1);
    f.RoundsMin = value();
    f.RoundsMax = value();
    f.Divisions = pick(0, 1);
    f.TUHeard = f.PowNeg = f.Sixty = f.TrackBonuses = f.RoundReports = pick(0, 1);
    f.BonusMode = pick(0, 3);
    f.TUHSort = f.SwissTUH = pick(0, 1);
    for (int i = pick(0, 40); i > 0; --i) {
      GameStats g;
      g.TeamA = pick(0, 4) == 0 ? value() : pick(-1, teams);
      g.TeamB = pick(0, 4) == 0 ? value() : pick(-1, teams);
      g.ScoreA = value();
      g.ScoreB = value();
      g.TUH = value();
      g.Round = pick(0, 3) == 0 ? value() : pick(1, 4);
      g.Forfeit = pick(0, 5) == 0;
      g.Overtime = pick(0, 1);
      g.BHA = value();
      g.BPA = value();
      g.SixtyB = value();
      g.BncBkPtsA = value();
      for (int row = 0; row < kRows; ++row) {
        g.PlayerA[row] = pick(0, 5) == 0 ? value() : pick(-1, 4);
        g.PlayerB[row] = pick(0, 5) == 0 ? value() : pick(-1, 4);
        g.GPA[row] = fractions[pick(0, 7)];
        g.GPB[row] = fractions[pick(0, 7)];
        g.PtsA[row] = value();
        g.PtsB[row] = value();
        g.Q0A[row] = value();
        g.Q2B[row] = value();
      }
      t.Games.push_back(g);
    }
    for (int criterion = 0; criterion <= 6; ++criterion) {
      f.SortCriterion = criterion;
      const TeamTables tables = ComputeStandings(t);
      ASSERT_EQ(tables.TeamStats.size(), t.Rosters.size());
      std::vector<Standings> group = tables.TeamStats;
      const TeamOrder withinGroup(t, tables.TeamStatsByIndex, criterion, true);
      MergeSort(group, [&](const Standings& a, const Standings& b) { return withinGroup(a, b); });
      TeamStandingsLines(t);
    }
    PlayerStandingsLines(t);
    const std::vector<GameStats> before = t.Games;
    GameResultsLines(t);
    EXPECT_EQ(t.Games, before);
  }
}

// Games played of 1e308 in several games: each row's toss-ups heard is held at its limit,
// and the player's sum must stay at the 64-bit limit instead of overflowing.
TEST(HostileInput, HugeGamesPlayedInSeveralGamesHoldTheTossupsHeardAtTheLimit) {
  Tournament t;
  t.Rosters = {{"Alpha", "Ann"}, {"Beta", "Bob"}};
  t.Format.AllRounds = 1;
  for (int i = 0; i < 3; ++i) {
    GameStats g;
    g.TeamA = 0;
    g.TeamB = 1;
    g.TUH = 20;
    g.ScoreA = 100;
    g.ScoreB = 90;
    g.Round = i + 1;
    g.PlayerA[0] = g.PlayerB[0] = 0;
    g.GPA[0] = 1e308;
    g.GPB[0] = -1e308;
    t.Games.push_back(g);
  }
  const std::vector<Individuals> players = ComputePlayerStats(t);
  ASSERT_EQ(players.size(), 2u);
  EXPECT_EQ(players[0].TUH, INT64_MAX);
  EXPECT_EQ(players[1].TUH, INT64_MIN);
  PlayerStandingsLines(t);
}

}  // namespace
}  // namespace drav
