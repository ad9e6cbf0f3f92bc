#include "schedule/random_schedule.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <string>
#include <vector>

#include "schedule/schedule_groups.h"

namespace drav {
namespace {

Tournament Teams(int n) {
  Tournament t;
  for (int i = 0; i < n; ++i) t.Rosters.push_back({"T" + std::to_string(i + 1)});
  t.TeamDivision.assign(n, -1);
  t.ExhibitionTeam.assign(n, 0);
  return t;
}

// Checks a draw against its plan: byes and games per round, g games per team, the room
// limit, the meeting limit and a consistent partner table. Returns "" when sound.
std::string Fault(const RandomPlan& plan, const RandomDraw& draw) {
  const int n = plan.teams;
  if (draw.partner.size() != static_cast<std::size_t>(plan.rounds)) return "round count";
  std::vector<int> games(n + 1, 0);
  std::vector<std::vector<int>> met(n + 1, std::vector<int>(n + 1, 0));
  for (int r = 0; r < plan.rounds; ++r) {
    const auto& p = draw.partner[r];
    if (p.size() != static_cast<std::size_t>(n) + 1) return "row size";
    int byes = 0, inRound = 0;
    for (int t = 1; t <= n; ++t) {
      const int b = p[t];
      if (b == 0) {
        ++byes;
        continue;
      }
      if (b < 1 || b > n || b == t || p[b] != t) return "partner table in round " + std::to_string(r);
      ++games[t];
      if (b > t) {
        ++inRound;
        if (++met[t][b] > plan.maxMeetings) return "meeting limit";
      }
    }
    if (byes != plan.byes[r]) return "byes in round " + std::to_string(r);
    if (inRound > plan.rooms) return "rooms in round " + std::to_string(r);
    if (2 * inRound + byes != n) return "games in round " + std::to_string(r);
  }
  for (int t = 1; t <= n; ++t)
    if (games[t] != plan.gamesPerTeam) return "games of team " + std::to_string(t);
  return "";
}

TEST(RandomSource, StartsAtStateOneAndTakesBitsSixteenToThirty) {
  RandomSource rng;
  EXPECT_EQ(rng.Next(), 346);
  EXPECT_EQ(rng.Next(), 130);
  EXPECT_EQ(rng.Next(), 10982);
  EXPECT_EQ(rng.Next(), 1090);
  RandomSource high(0xFFFFFFFFu);  // wraps around 32 bits, never leaves 0..32767
  for (int i = 0; i < 1000; ++i) {
    const int v = high.Next();
    ASSERT_TRUE(v >= 0 && v <= 32767);
  }
}

TEST(RandomPlan, GamesPerTeamAndByesPerRound) {
  auto eight = PlanRandomSchedule(8, 3, true, 5);
  ASSERT_TRUE(eight);
  EXPECT_EQ(eight->rooms, 4);
  EXPECT_EQ(eight->gamesPerTeam, 3);
  EXPECT_EQ(eight->byes, (std::vector<int>{0, 0, 0}));

  // 7 teams, 4 rounds: g = 24 / 7 = 3, odd with n odd, so 2; ten extra byes go two at a
  // time to rounds 4, 3, 2, 1 and 4 again.
  auto seven = PlanRandomSchedule(7, 4, true, 5);
  ASSERT_TRUE(seven);
  EXPECT_EQ(seven->rooms, 3);
  EXPECT_EQ(seven->gamesPerTeam, 2);
  EXPECT_EQ(seven->maxMeetings, 1);
  EXPECT_EQ(seven->byes, (std::vector<int>{3, 3, 3, 5}));

  auto limited = PlanRandomSchedule(10, 5, false, 3);
  ASSERT_TRUE(limited);
  EXPECT_EQ(limited->rooms, 3);
  EXPECT_EQ(limited->gamesPerTeam, 3);
  EXPECT_EQ(PlanRandomSchedule(10, 5, false, 30)->rooms, 5);  // a larger limit has no effect
}

TEST(RandomPlan, NoGameForATeamMeansNoPlan) {
  EXPECT_FALSE(PlanRandomSchedule(8, 0, true, 5));     // no rounds
  EXPECT_FALSE(PlanRandomSchedule(8, -2, true, 5));
  EXPECT_FALSE(PlanRandomSchedule(8, 3, false, 0));    // no rooms
  EXPECT_FALSE(PlanRandomSchedule(9, 1, false, 1));    // g = 2 / 9 = 0
  EXPECT_FALSE(PlanRandomSchedule(3, 1, true, 5));     // g = 2 / 3 = 0
  EXPECT_TRUE(PlanRandomSchedule(2, 1, true, 5));
  // A huge round count neither overflows the arithmetic nor claims memory: it is refused.
  auto big = PlanRandomSchedule(5, 2000000000, false, 1);
  ASSERT_TRUE(big);
  EXPECT_EQ(big->gamesPerTeam, 800000000);
  RandomSource rng;
  EXPECT_EQ(DrawRandomSchedule(*big, rng).outcome, DrawOutcome::kNotFound);
}

TEST(RandomSchedule, EightTeamsOverThreeRoundsNeverRepeatAPairing) {
  Tournament t = Teams(8);
  t.Format.RandomRounds = 3;
  RandomSource rng;
  const auto text = RandomScheduleLines(t, rng);
  ASSERT_FALSE(text.cancelled);
  ASSERT_EQ(text.lines.size(), 3u * (2 + 4) + 2);
  std::vector<std::string> pairs;
  for (const auto& line : text.lines)
    if (line.find(" vs. ") != std::string::npos) pairs.push_back(line);
  EXPECT_EQ(pairs.size(), 12u);
  // Within each line the later team comes first.
  for (const auto& line : pairs) {
    const int a = std::stoi(line.substr(1));
    const int b = std::stoi(line.substr(line.find(" vs. ") + 6));
    EXPECT_GT(a, b) << line;
  }
  std::sort(pairs.begin(), pairs.end());
  EXPECT_EQ(std::adjacent_find(pairs.begin(), pairs.end()), pairs.end());
}

TEST(RandomSchedule, SevenTeamsOverFourRoundsHoldTwoTwoTwoOneGames) {
  Tournament t = Teams(7);
  t.Format.RandomRounds = 4;
  RandomSource rng;
  const auto lines = RandomScheduleLines(t, rng).lines;
  std::vector<int> perRound;
  for (const auto& line : lines) {
    if (line.rfind("Round ", 0) == 0) perRound.push_back(0);
    else if (line.find(" vs. ") != std::string::npos) ++perRound.back();
  }
  EXPECT_EQ(perRound, (std::vector<int>{2, 2, 2, 1}));
}

TEST(RandomSchedule, FirstRunAfterStartIsFixedAndASecondRunContinues) {
  Tournament t = Teams(10);
  RandomSource first, again;
  const auto one = RandomScheduleLines(t, first).lines;
  EXPECT_EQ(RandomScheduleLines(t, again).lines, one);
  const auto two = RandomScheduleLines(t, first).lines;
  EXPECT_NE(two, one);
  EXPECT_EQ(RandomScheduleLines(t, again).lines, two);
}

TEST(RandomSchedule, MessagesAndDivisions) {
  Tournament t = Teams(4);
  t.Format.RandomRounds = 0;
  RandomSource rng;
  EXPECT_EQ(RandomScheduleLines(t, rng).lines,
            (std::vector<std::string>{"Cannot give each team exactly one game"}));
  t.Format.RandomRounds = 2;
  t.Format.RandomNoLimit = 0;
  t.Format.RandomRooms = 0;
  EXPECT_EQ(RandomScheduleLines(t, rng).lines,
            (std::vector<std::string>{"Cannot give each team exactly one game"}));

  t = Teams(4);
  t.Format.RandomRounds = 1;
  t.Format.Divisions = 1;
  t.DivisionNames = {"East", "West", "North"};
  t.TeamDivision = {0, 0, 1, 2};
  const auto lines = RandomScheduleLines(t, rng).lines;
  const std::vector<std::string> want{"East", " ", "Round  1 ", "T2 vs. T1", " ", " ",
                                      "West", "Too few teams", " ", " "};
  EXPECT_EQ(lines, want);
}

TEST(RandomSchedule, ImpossibleMeetingLimitReportsNoSchedule) {
  // 4 teams, 14 rounds: g = 14 but at most g / 4 + 1 = 4 meetings with each of 3 opponents.
  Tournament t = Teams(4);
  t.Format.RandomRounds = 14;
  RandomSource rng;
  const auto lines = RandomScheduleLines(t, rng).lines;
  EXPECT_EQ(lines, (std::vector<std::string>{"Could not create a schedule", " ", " "}));
}

// A group without a possible schedule still runs the search, and the next group starts from
// the random state that search leaves: the two teams of East spend four draws.
TEST(RandomSchedule, GroupWithoutScheduleStillAdvancesTheRandomState) {
  Tournament t = Teams(7);
  t.Format.RandomRounds = 4;
  t.Format.Divisions = 1;
  t.DivisionNames = {"East", "West"};
  t.TeamDivision = {0, 0, 1, 1, 1, 1, 1};
  RandomSource rng;
  // One line per round.
  // clang-format off
  const std::vector<std::string> want{
      "East", "Could not create a schedule", " ", " ", "West",
      " ", RoundHeading(1), "T5 vs. T4", "T6 vs. T3",
      " ", RoundHeading(2), "T4 vs. T3",
      " ", RoundHeading(3), "T7 vs. T5",
      " ", RoundHeading(4), "T7 vs. T6", " ", " "};
  // clang-format on
  EXPECT_EQ(RandomScheduleLines(t, rng).lines, want);
}

// The search with its usual hand-over and the constructive draw alone (limit 0) over many
// group shapes: every draw must be a sound schedule.
TEST(RandomDraw, BothDrawsKeepEveryRule) {
  RandomSource rng;
  for (int limit : {0, 5000}) {
    RandomDrawOptions options;
    options.searchDrawLimit = static_cast<std::uint64_t>(limit);
    int drawn = 0;
    for (int n = 2; n <= 14; ++n)
      for (int rounds = 1; rounds <= 9; ++rounds)
        for (int rooms = 0; rooms <= n / 2; ++rooms) {
          auto plan = PlanRandomSchedule(n, rounds, rooms == 0, rooms);
          if (!plan || !RandomPlanFeasible(*plan)) continue;
          SCOPED_TRACE("n=" + std::to_string(n) + " R=" + std::to_string(rounds) +
                       " rooms=" + std::to_string(plan->rooms) + " limit=" + std::to_string(limit));
          const RandomDraw draw = DrawRandomSchedule(*plan, rng, {}, options);
          ASSERT_EQ(draw.outcome, DrawOutcome::kFound);
          if (limit == 0) {
            EXPECT_TRUE(draw.constructive);
          }
          EXPECT_EQ(Fault(*plan, draw), "");
          ++drawn;
        }
    EXPECT_GT(drawn, 300);
  }
}

// The rotated round robin that the constructive draw falls back on must succeed for every
// shape where a schedule exists, tight meeting limits and many rounds included.
TEST(RandomDraw, StructuredDrawSucceedsWheneverAScheduleExists) {
  RandomSource rng;
  RandomDrawOptions options;
  options.searchDrawLimit = 0;
  options.constructiveStepLimit = 0;
  int drawn = 0, infeasible = 0;
  for (int n = 2; n <= 17; ++n)
    for (int rounds = 1; rounds <= 2 * n + 3; ++rounds)
      for (int rooms = 0; rooms <= n / 2; ++rooms) {
        auto plan = PlanRandomSchedule(n, rounds, rooms == 0, rooms);
        if (!plan) continue;
        SCOPED_TRACE("n=" + std::to_string(n) + " R=" + std::to_string(rounds) +
                     " rooms=" + std::to_string(plan->rooms));
        const RandomDraw draw = DrawRandomSchedule(*plan, rng, {}, options);
        if (!RandomPlanFeasible(*plan)) {
          EXPECT_EQ(draw.outcome, DrawOutcome::kNotFound);
          ++infeasible;
          continue;
        }
        ASSERT_EQ(draw.outcome, DrawOutcome::kFound);
        EXPECT_TRUE(draw.structured);
        EXPECT_EQ(Fault(*plan, draw), "");
        ++drawn;
      }
  EXPECT_GT(drawn, 1000);
  EXPECT_GT(infeasible, 0);
}

TEST(RandomDraw, TheSearchHandsOverAfterItsDrawLimit) {
  // Ten teams in four rooms over five rounds: the search alone wanders for a long time.
  auto plan = PlanRandomSchedule(10, 5, false, 4);
  ASSERT_TRUE(plan);
  RandomSource rng;
  RandomDrawOptions options;
  options.searchDrawLimit = 5000;
  const RandomDraw draw = DrawRandomSchedule(*plan, rng, {}, options);
  ASSERT_EQ(draw.outcome, DrawOutcome::kFound);
  EXPECT_LE(draw.searchDraws, 5000u);
  EXPECT_EQ(Fault(*plan, draw), "");
}

TEST(RandomDraw, CancelStopsTheSearchAndProgressIsReported) {
  auto plan = PlanRandomSchedule(20, 5, false, 9);
  ASSERT_TRUE(plan);
  std::atomic<bool> cancel{false};
  std::uint64_t lastReport = 0;
  SearchControl control;
  control.cancel = &cancel;
  control.checkEvery = 100;
  control.progress = [&](std::uint64_t steps) {
    lastReport = steps;
    if (steps >= 1000) cancel = true;
  };
  RandomSource rng;
  const RandomDraw draw = DrawRandomSchedule(*plan, rng, control);
  EXPECT_EQ(draw.outcome, DrawOutcome::kCancelled);
  EXPECT_EQ(lastReport, 1000u);
  Tournament t = Teams(20);
  t.Format.RandomNoLimit = 0;
  t.Format.RandomRooms = 9;
  cancel = true;
  EXPECT_TRUE(RandomScheduleLines(t, rng, control).cancelled);
}

}  // namespace
}  // namespace drav
