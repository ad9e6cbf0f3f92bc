#include "schedule/round_robin.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace drav {
namespace {

Tournament Teams(const std::vector<std::string>& names) {
  Tournament t;
  for (const auto& n : names) t.Rosters.push_back({n});
  t.TeamDivision.assign(names.size(), -1);
  t.ExhibitionTeam.assign(names.size(), 0);
  return t;
}

TEST(RoundRobin, FourTeamsRoundByRound) {
  const std::vector<std::string> want{" ",        "Round  1 ", "A vs. C", "B vs. D",
                                      " ",        "Round  2 ", "B vs. C", "D vs. A",
                                      " ",        "Round  3 ", "D vs. C", "A vs. B"};
  EXPECT_EQ(RoundRobinLines(Teams({"A", "B", "C", "D"})), want);
}

TEST(RoundRobin, Utf8NamesArriveWholeAndAsciiLinesKeepTheirBytes) {
  const auto ascii = RoundRobinLines(Teams({"A", "B", "C", "D"}));
  const auto named = RoundRobinLines(Teams({"\u00c9cole", "B", "C", "D"}));
  ASSERT_EQ(named.size(), ascii.size());
  for (std::size_t i = 0; i < named.size(); ++i) {
    std::string expected = ascii[i];
    for (std::size_t at = expected.find('A'); at != std::string::npos; at = expected.find('A'))
      expected.replace(at, 1, "\u00c9cole");
    EXPECT_EQ(named[i], expected);
  }
}

TEST(RoundRobin, FiveTeamsSitOutOncePerRoundAndEveryone) {
  const RoundRobinPlan plan = PlanRoundRobin(5, 0);
  ASSERT_EQ(plan.mainRounds, 5);
  ASSERT_EQ(plan.games.size(), 5u);
  std::set<int> sitOut;
  for (const auto& round : plan.games) {
    ASSERT_EQ(round.size(), 2u);
    std::set<int> in{1, 2, 3, 4, 5};
    for (auto [a, b] : round) {
      in.erase(a);
      in.erase(b);
    }
    ASSERT_EQ(in.size(), 1u);
    sitOut.insert(*in.begin());
  }
  EXPECT_EQ(sitOut.size(), 5u);
}

TEST(RoundRobin, SixTeamsInTwoRoomsMoveOneGameToRoundEight) {
  Tournament t = Teams({"A", "B", "C", "D", "E", "F"});
  t.Format.RRNoLimit = 0;
  t.Format.RRRooms = 2;
  const auto lines = RoundRobinLines(t);
  const RoundRobinPlan plan = PlanRoundRobin(6, 2);
  EXPECT_EQ(plan.mainRounds, 7);
  ASSERT_EQ(plan.games.size(), 8u);
  for (const auto& round : plan.games) EXPECT_LE(round.size(), 2u);
  EXPECT_EQ(plan.games[7].size(), 1u);
  // The last lines: the heading of extra round 8 and its one game.
  ASSERT_GE(lines.size(), 3u);
  EXPECT_EQ(lines[lines.size() - 2], "Round  8 ");
  EXPECT_EQ(lines[lines.size() - 3], " ");
}

TEST(RoundRobin, RoomLimitBelowOneOrAboveHalfChangesNothing) {
  const auto free = PlanRoundRobin(7, 0).games;
  EXPECT_EQ(PlanRoundRobin(7, -3).games, free);
  EXPECT_EQ(PlanRoundRobin(7, 3).games, free);
  EXPECT_EQ(PlanRoundRobin(7, 10).games, free);
  Tournament t = Teams({"A", "B", "C", "D"});
  t.Format.RRNoLimit = 0;
  t.Format.RRRooms = 0;  // an empty or zero box: no limit rather than an endless placement
  EXPECT_EQ(RoundRobinLines(t), RoundRobinLines(Teams({"A", "B", "C", "D"})));
}

TEST(RoundRobin, RoundNumbersOfThreeDigitsAreCutByTheField) {
  std::vector<std::string> names;
  for (int i = 0; i < 102; ++i) names.push_back("T" + std::to_string(i));
  const auto lines = RoundRobinLines(Teams(names));
  // 102 teams give 101 rounds: rounds 100 and 101 print as "10", like round 10.
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "Round 10 "), 3);
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "Round 99 "), 1);
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "Round 100 "), 0);
}

TEST(RoundRobin, DivisionsAreScheduledApartAndOneTeamDivisionStops) {
  Tournament t = Teams({"A", "B", "C", "D"});
  t.Format.Divisions = 1;
  t.DivisionNames = {"North", "South", "East"};
  t.TeamDivision = {0, 1, 0, 2};  // North: A, C; South: B; East: D
  const std::vector<std::string> want{" ", " ", "North", " ", "Round  1 ", "A vs. C",
                                      " ", " ", "South", "Too few teams", " ", " "};
  EXPECT_EQ(RoundRobinLines(t), want);
  t.Rosters.clear();
  t.Format.Divisions = 0;
  EXPECT_EQ(RoundRobinLines(t), (std::vector<std::string>{"Too few teams", " ", " "}));
}

// Every pair meets exactly once, nobody plays twice in a round, and no round holds more
// games than the rooms allow, for every group size and limit in range.
TEST(RoundRobin, EveryPairMeetsOnceWithinTheRooms) {
  for (int n = 2; n <= 26; ++n) {
    for (int limit = 0; limit <= n / 2 + 1; ++limit) {
      SCOPED_TRACE("n=" + std::to_string(n) + " limit=" + std::to_string(limit));
      const RoundRobinPlan plan = PlanRoundRobin(n, limit);
      const int rooms = (limit >= 1 && limit < n / 2) ? limit : n / 2;
      std::vector<std::vector<int>> met(n + 1, std::vector<int>(n + 1, 0));
      for (const auto& round : plan.games) {
        EXPECT_LE(static_cast<int>(round.size()), rooms);
        std::vector<int> seen(n + 1, 0);
        for (auto [a, b] : round) {
          ASSERT_TRUE(a >= 1 && a <= n && b >= 1 && b <= n && a != b);
          EXPECT_EQ(++seen[a], 1);
          EXPECT_EQ(++seen[b], 1);
          ++met[a][b];
          ++met[b][a];
        }
      }
      for (int a = 1; a <= n; ++a)
        for (int b = a + 1; b <= n; ++b) EXPECT_EQ(met[a][b], 1) << a << "-" << b;
    }
  }
}

}  // namespace
}  // namespace drav
