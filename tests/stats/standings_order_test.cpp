#include "stats/standings_order.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "stats/figures.h"
#include "stats/stats_fixture.h"
#include "support/generated_tournament.h"

namespace drav {
namespace {

using test::AddGame;
using test::MakeTourney;

std::vector<std::string> Order(const Tournament& t) {
  std::vector<std::string> names;
  for (const Standings& s : ComputeStandings(t).TeamStats) names.push_back(s.TeamName);
  return names;
}

Standings Record(double pct, double ppg) {
  Standings s;
  s.Pct = pct;
  s.PPG = ppg;
  return s;
}

TEST(StandingsOrder, RecordBeatsPointsPerGame) {
  // 5-2 against 4-2-1: ordered by record whatever the PPG.
  Tournament t = MakeTourney({"A", "B"});
  std::vector<Standings> none;
  const TeamOrder order(t, none);
  const Standings a = Record(5.0 / 7.0, 100);
  const Standings b = Record(4.5 / 7.0, 400);
  EXPECT_TRUE(TeamBefore(a, b, order));
  EXPECT_FALSE(TeamBefore(b, a, order));
}

TEST(StandingsOrder, RecordsWithinTheToleranceAreEqual) {
  Tournament t = MakeTourney({"A", "B"});
  std::vector<Standings> none;
  const TeamOrder order(t, none);
  const Standings a = Record(1.0 / 3.0, 100);
  const Standings b = Record(2.0 / 6.0 + 0.000009, 200);
  EXPECT_TRUE(TeamBefore(b, a, order));  // decided by PPG
  EXPECT_FALSE(TeamBefore(a, b, order));
  const Standings c = Record(1.0 / 3.0 + 0.00002, 50);
  EXPECT_TRUE(TeamBefore(c, a, order));
  EXPECT_FALSE(TeamBefore(a, c, order));
}

TEST(StandingsOrder, EqualTeamsAreNeitherAhead) {
  Tournament t = MakeTourney({"A", "B"});
  std::vector<Standings> none;
  for (int criterion = 1; criterion <= 5; ++criterion) {
    const TeamOrder order(t, none, criterion);
    Standings a = Record(0.5, 200);
    a.TeamName = "A";
    Standings b = a;
    b.TeamName = "B";
    b.TeamIndex = 1;
    b.Wins = 7;
    EXPECT_FALSE(TeamBefore(a, b, order)) << criterion;
    EXPECT_FALSE(TeamBefore(b, a, order)) << criterion;
  }
}

TEST(StandingsOrder, CriterionThreeUsesShownScheduleStrength) {
  Tournament t = MakeTourney({"A", "B"});
  std::vector<Standings> none;
  const TeamOrder order(t, none, 3);
  Standings a = Record(0.5, 300);
  a.Wins = 1;
  a.Losses = 1;
  a.SoS = 600;  // shown 200
  Standings b = Record(0.5, 100);
  b.Wins = 2;
  b.Losses = 1;
  b.Ties = 1;
  b.SoS = 1100;  // shown 220
  EXPECT_TRUE(TeamBefore(b, a, order));
  EXPECT_FALSE(TeamBefore(a, b, order));
}

TEST(StandingsOrder, PointsPerTossupHeardPutsTeamsWithoutTuhLast) {
  Tournament t = MakeTourney({"A", "B"});
  std::vector<Standings> none;
  for (int criterion : {4, 5}) {
    const TeamOrder order(t, none, criterion);
    Standings a = Record(0.5, 500);
    a.PointsFor = a.FullPointsFor = 1000;  // no toss-ups heard: 0
    Standings b = Record(0.5, 100);
    b.PointsFor = b.FullPointsFor = 100;
    b.TUH = 200;
    EXPECT_TRUE(TeamBefore(b, a, order)) << criterion;
    EXPECT_FALSE(TeamBefore(a, b, order)) << criterion;
  }
}

TEST(StandingsOrder, WithinGroupModeComparesOnlyTheRate) {
  Tournament t = MakeTourney({"A", "B"});
  std::vector<Standings> none;
  t.Format.SwissTUH = 0;
  const TeamOrder byPpg(t, none, 1, true);
  const Standings strong = Record(1.0, 200);  // 3-0
  const Standings weak = Record(0.0, 250);    // 0-3
  EXPECT_TRUE(TeamBefore(weak, strong, byPpg));
  EXPECT_FALSE(TeamBefore(strong, weak, byPpg));

  t.Format.SwissTUH = 1;
  t.Format.TUHeard = 1;
  const TeamOrder byTuh(t, none, 1, true);
  Standings a = Record(0.0, 100);
  a.PointsFor = a.FullPointsFor = 300;
  a.TUH = 60;  // 5.0
  Standings b = Record(1.0, 400);
  b.PointsFor = b.FullPointsFor = 400;
  b.TUH = 100;  // 4.0
  EXPECT_TRUE(TeamBefore(a, b, byTuh));
  t.Format.TUHeard = 0;  // both switches are needed for the toss-up rate
  const TeamOrder byPpgAgain(t, none, 1, true);
  EXPECT_TRUE(TeamBefore(b, a, byPpgAgain));
}

// P, Q, R all 4-1: P beat Q, Q beat R, R beat P, and each beat W twice and V once. The
// cycle gives each a head-to-head fraction of 0.5, so PPG decides.
TEST(StandingsOrder, HeadToHeadCycleFallsBackToPointsPerGame) {
  Tournament t = MakeTourney({"P", "Q", "R", "W", "V"});
  t.Format.SortCriterion = 2;
  AddGame(t, 0, 1, 300, 200);  // P beats Q
  AddGame(t, 1, 2, 300, 200);  // Q beats R
  AddGame(t, 2, 0, 300, 200);  // R beats P
  for (int team = 0; team < 3; ++team) {
    AddGame(t, team, 3, 100 + 100 * team, 0);
    AddGame(t, team, 4, 100 + 100 * team, 0);
    AddGame(t, 3, team, 0, 100 + 100 * team);
  }
  const TeamTables tables = ComputeStandings(t);
  const TeamOrder order(t, tables.TeamStatsByIndex);
  for (int team = 0; team < 3; ++team)
    EXPECT_DOUBLE_EQ(order.HeadToHeadFraction(tables.TeamStatsByIndex[team]), 0.5);
  std::vector<std::string> names = Order(t);
  names.resize(3);
  EXPECT_EQ(names, (std::vector<std::string>{"R", "Q", "P"}));
}

TEST(StandingsOrder, HeadToHeadOutranksPointsPerGame) {
  Tournament t = MakeTourney({"Big", "Small", "Other", "Extra"});
  t.Format.SortCriterion = 2;
  AddGame(t, 1, 0, 200, 150);  // Small beats Big
  AddGame(t, 0, 2, 600, 0);
  AddGame(t, 3, 1, 300, 100);
  // Big and Small both 1-1; Big scores more but Small won the game between them.
  EXPECT_EQ(Order(t), (std::vector<std::string>{"Extra", "Small", "Big", "Other"}));
  t.Format.SortCriterion = 1;
  EXPECT_EQ(Order(t), (std::vector<std::string>{"Extra", "Big", "Small", "Other"}));
  // A criterion given to the sort overrides the setting.
  std::vector<Standings> stats = ComputeTeamStats(t);
  std::vector<Standings> byIndex;
  SortTeamStats(t, stats, byIndex, 2);
  EXPECT_EQ(stats[1].TeamName, "Small");
}

TEST(StandingsOrder, HeadToHeadCountsGamesOutsideTheSelectedRounds) {
  Tournament t = MakeTourney({"Big", "Small", "Other", "Extra"});
  t.Format.SortCriterion = 5;
  t.Format.AllRounds = 0;
  t.Format.RoundsMin = 2;
  t.Format.RoundsMax = 2;
  AddGame(t, 1, 0, 200, 150, 1);  // not selected, still head-to-head
  AddGame(t, 0, 2, 600, 0, 2);
  AddGame(t, 3, 0, 300, 100, 2);
  AddGame(t, 1, 2, 200, 100, 2);
  AddGame(t, 3, 1, 300, 100, 2);
  AddGame(t, 1, 0, 10, 10, 3);  // a tie, also head-to-head
  const TeamTables tables = ComputeStandings(t);
  const auto& by = tables.TeamStatsByIndex;
  ASSERT_DOUBLE_EQ(by[0].Pct, 0.5);
  ASSERT_DOUBLE_EQ(by[1].Pct, 0.5);
  const TeamOrder order(t, by);
  EXPECT_DOUBLE_EQ(order.HeadToHeadFraction(by[1]), 0.75);
  EXPECT_DOUBLE_EQ(order.HeadToHeadFraction(by[0]), 0.25);
  EXPECT_EQ(Order(t), (std::vector<std::string>{"Extra", "Small", "Big", "Other"}));
  t.Format.SortCriterion = 4;  // points per toss-up heard alone prefers Big
  EXPECT_EQ(Order(t), (std::vector<std::string>{"Extra", "Big", "Small", "Other"}));
}

TEST(StandingsOrder, ForfeitOverTiedTeamIsOneHeadToHeadWin) {
  Tournament t = MakeTourney({"X", "Y"});
  t.Format.SortCriterion = 2;
  AddGame(t, 0, 1, 0, 0).Forfeit = 1;  // scores equal, still a win, not a tie
  AddGame(t, 1, 0, 200, 100);
  const TeamTables tables = ComputeStandings(t);
  const TeamOrder order(t, tables.TeamStatsByIndex);
  // Both 1-1: X forfeit win + loss, Y forfeit loss + win.
  EXPECT_DOUBLE_EQ(order.HeadToHeadFraction(tables.TeamStatsByIndex[0]), 0.5);
  Tournament u = MakeTourney({"X", "Y"});
  AddGame(u, 0, 1, 0, 0).Forfeit = 1;
  const TeamTables alone = ComputeStandings(u);
  Standings x = alone.TeamStatsByIndex[0];
  x.Pct = 0;  // same group as Y now
  const TeamOrder uo(u, alone.TeamStatsByIndex, 2);
  EXPECT_DOUBLE_EQ(uo.HeadToHeadFraction(x), 1.0);
  EXPECT_DOUBLE_EQ(uo.HeadToHeadFraction(alone.TeamStatsByIndex[1]), 0.0);
}

TEST(StandingsOrder, HeadToHeadMeasuresAgainstTheWholeTiedGroupByName) {
  // A, B and C are tied at 2-2, D is 3-0 and E 0-3. A beat C twice; B lost to C once.
  // A and B never met, yet A's record against the group (2-0) puts it ahead of B (0-1),
  // although B scores more.
  Tournament t = MakeTourney({"A", "B", "C", "D", "E"});
  t.Format.SortCriterion = 2;
  AddGame(t, 0, 2, 200, 100);  // A beats C
  AddGame(t, 2, 0, 100, 200);  // A beats C
  AddGame(t, 2, 1, 200, 100);  // C beats B
  AddGame(t, 3, 0, 300, 100);  // D beats A
  AddGame(t, 3, 0, 300, 100);  // D beats A
  AddGame(t, 1, 4, 500, 100);  // B beats E
  AddGame(t, 1, 4, 500, 100);  // B beats E
  AddGame(t, 2, 4, 200, 100);  // C beats E
  AddGame(t, 3, 1, 300, 100);  // D beats B
  const TeamTables tables = ComputeStandings(t);
  const auto& by = tables.TeamStatsByIndex;
  ASSERT_DOUBLE_EQ(by[0].Pct, 0.5);
  ASSERT_DOUBLE_EQ(by[1].Pct, 0.5);
  ASSERT_DOUBLE_EQ(by[2].Pct, 0.5);
  ASSERT_GT(by[1].PPG, by[0].PPG);
  const TeamOrder order(t, by);
  EXPECT_DOUBLE_EQ(order.HeadToHeadFraction(by[0]), 1.0);
  EXPECT_DOUBLE_EQ(order.HeadToHeadFraction(by[1]), 0.0);
  EXPECT_DOUBLE_EQ(order.HeadToHeadFraction(by[2]), 1.0 / 3.0);
  EXPECT_TRUE(TeamBefore(by[0], by[1], order));
  EXPECT_EQ(Order(t), (std::vector<std::string>{"D", "A", "C", "B", "E"}));

  // Teams are recognised in the games by name: a record called "A" gets A's games.
  Standings probe = by[4];
  probe.TeamName = "A";
  probe.Pct = 0.5;
  EXPECT_DOUBLE_EQ(order.HeadToHeadFraction(probe), 1.0);
}

TEST(StandingsOrder, HeadToHeadIgnoresGamesWithTeamsOutsideTheList) {
  Tournament t = MakeTourney({"X", "Y"});
  AddGame(t, 0, 5, 300, 100);
  AddGame(t, -1, 0, 300, 100);
  const TeamTables tables = ComputeStandings(t);
  const TeamOrder order(t, tables.TeamStatsByIndex, 2);
  EXPECT_DOUBLE_EQ(order.HeadToHeadFraction(tables.TeamStatsByIndex[0]), 0.0);
}

TEST(StandingsOrder, SortKeepsTeamOrderCopyAndSortsInBounds) {
  Tournament t = MakeTourney({"A", "B", "C"});
  AddGame(t, 2, 0, 300, 100);
  AddGame(t, 1, 0, 200, 100);
  std::vector<Standings> stats = ComputeTeamStats(t);
  std::vector<Standings> byIndex;
  SortTeamStats(t, stats, byIndex);
  ASSERT_EQ(byIndex.size(), 3u);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(byIndex[i].TeamIndex, i);
  EXPECT_EQ(stats[0].TeamName, "C");
  EXPECT_EQ(stats[1].TeamName, "B");
  EXPECT_EQ(stats[2].TeamName, "A");
}

TEST(StandingsOrder, SortStaysInBoundsWithIntransitiveTies) {
  // Fractions a hair apart chain across the tolerance: the order is not a strict weak
  // order, and the sort must still return a permutation of the list.
  Tournament t = MakeTourney({});
  std::vector<Standings> stats;
  for (int i = 0; i < 200; ++i) {
    Standings s = Record(0.5 + (i % 7) * 0.000006, 1000 - i);
    s.TeamName = "T" + std::to_string(i);
    s.TeamIndex = i;
    stats.push_back(s);
  }
  std::vector<Standings> byIndex;
  for (int criterion = 1; criterion <= 5; ++criterion) {
    t.Format.SortCriterion = criterion;
    std::vector<Standings> copy = stats;
    SortTeamStats(t, copy, byIndex);
    ASSERT_EQ(copy.size(), stats.size());
    std::vector<int> seen(200, 0);
    for (const Standings& s : copy) ++seen[s.TeamIndex];
    for (int n : seen) EXPECT_EQ(n, 1);
  }
}

}  // namespace
}  // namespace drav

namespace drav {
namespace {

// The fractions precomputed for the whole list must equal a team-by-team walk over the
// games, also when two teams share a name and the records are tied in groups.
TEST(StandingsOrder, PrecomputedHeadToHeadEqualsTheWalkForEachTeam) {
  int measured = 0;
  for (std::uint32_t seed = 1; seed <= 6; ++seed) {
    test::GeneratedShape shape;
    shape.teams = 12;
    shape.games = 60;
    shape.seed = seed;
    Tournament t = test::GenerateTournament(shape);
    t.Format.AllRounds = 1;
    t.Rosters[3][0] = t.Rosters[7][0];
    t.Games[0].Forfeit = 1;
    t.Games[1].ScoreA = -1;
    t.Games[2].TeamB = 40;
    const TeamTables tables = ComputeStandings(t);
    const TeamOrder order(t, tables.TeamStatsByIndex, 2);
    for (const Standings& s : tables.TeamStatsByIndex) {
      Standings uncached = s;
      uncached.TeamIndex = -1;  // not in the list: measured afresh
      EXPECT_DOUBLE_EQ(order.HeadToHeadFraction(s), order.HeadToHeadFraction(uncached))
          << "seed " << seed << " team " << s.TeamIndex;
      if (order.HeadToHeadFraction(s) > 0) ++measured;
    }
  }
  EXPECT_GT(measured, 5);  // the check is not vacuous
}

TEST(StandingsOrder, HeadToHeadLeavesOutTiebreakerGames) {
  Tournament t = test::MakeTourney({"X", "Y"});
  t.Format.SortCriterion = 2;
  test::AddGame(t, 0, 1, 100, 200);
  test::AddGame(t, 1, 0, 100, 200);
  test::AddGame(t, 0, 1, 300, 200).Tiebreaker = true;
  const TeamTables tables = ComputeStandings(t);
  const TeamOrder order(t, tables.TeamStatsByIndex);
  EXPECT_DOUBLE_EQ(order.HeadToHeadFraction(tables.TeamStatsByIndex[0]), 0.5);
}

}  // namespace
}  // namespace drav
