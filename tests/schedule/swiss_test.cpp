#include "schedule/swiss.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <vector>

namespace drav {
namespace {

class SwissPairs : public ::testing::Test {
 protected:
  void AddTeams(int n) {
    for (int i = 0; i < n; ++i) t.Rosters.push_back({"T" + std::to_string(i)});
    t.TeamDivision.assign(n, -1);
    t.ExhibitionTeam.assign(n, 0);
    t.Format.AllRounds = 1;
  }
  void Game(int a, int b, int scoreA, int scoreB, int round = 1) {
    GameStats g;
    g.TeamA = a;
    g.TeamB = b;
    g.ScoreA = scoreA;
    g.ScoreB = scoreB;
    g.Round = round;
    g.TUH = 20;
    t.Games.push_back(g);
  }
  std::vector<std::string> Lines() { return SwissPairLines(t).lines; }

  Tournament t;
};

TEST_F(SwissPairs, TwoUnbeatenAndTwoWinlessPairWithinTheirBrackets) {
  AddTeams(4);
  Game(0, 2, 300, 100);
  Game(0, 3, 300, 100);
  Game(1, 2, 200, 150);
  Game(1, 3, 200, 100);
  EXPECT_EQ(Lines(), (std::vector<std::string>{"T1 vs. T0", "T3 vs. T2", " ", " "}));
  t.Format.RepeatAvoidance = 0;
  EXPECT_EQ(Lines(), (std::vector<std::string>{"Did not find assignment without repeats",
                                               "T0 vs. T1", "T2 vs. T3", " ", " "}));
}

TEST_F(SwissPairs, OddGroupByeGoesToTheLowestPlacedAndAnOddBracketTakesTheNextTeam) {
  AddTeams(3);
  Game(0, 1, 200, 100);
  Game(0, 2, 200, 100);
  Game(1, 2, 200, 100);
  // T2 (0-2) sits out; T0 alone at 2-0 takes in T1, whom it has met.
  t.Format.RepeatAvoidance = 0;
  EXPECT_EQ(Lines(), (std::vector<std::string>{"Did not find assignment without repeats",
                                               "T0 vs. T1   REPEAT", " ", " "}));
}

TEST_F(SwissPairs, ByeGoesToTheLowestPlacedAmongThoseWithTheMostGames) {
  AddTeams(5);
  Game(0, 1, 200, 150);
  Game(1, 4, 250, 90);
  Game(2, 3, 150, 100);
  Game(0, 2, 200, 100);
  // Standings T0, T1, T2, T3, T4; T3 and T4 have one game, so T2 sits out and T3, T4
  // move up. No repeat-free pairing lies within the windows.
  EXPECT_EQ(Lines(), (std::vector<std::string>{"Did not find assignment without repeats",
                                               "T0 vs. T1   REPEAT", "T3 vs. T4", " ", " "}));
}

TEST_F(SwissPairs, SearchSeparatesARematchWithinItsWindow) {
  AddTeams(6);
  Game(0, 1, 300, 100);
  Game(1, 0, 280, 250);
  Game(2, 3, 200, 150);
  Game(3, 2, 160, 150);
  Game(4, 5, 150, 100);
  Game(5, 4, 120, 110);
  // All at 1-1, one bracket in PPG order T0..T5: T0-T5, T1-T4 and the rematch T2-T3.
  EXPECT_EQ(Lines(), (std::vector<std::string>{"T3 vs. T1", "T4 vs. T2", "T5 vs. T0", " ", " "}));
  t.Format.RepeatAvoidance = 0;
  EXPECT_EQ(Lines(),
            (std::vector<std::string>{"Did not find assignment without repeats", "T0 vs. T5",
                                      "T1 vs. T4", "T2 vs. T3   REPEAT", " ", " "}));
}

TEST_F(SwissPairs, BracketIsRankedByPointsPerTossupHeardOrByPointsPerGame) {
  AddTeams(6);
  Game(0, 1, 300, 100);
  Game(1, 0, 280, 250);
  Game(2, 3, 200, 150);
  Game(3, 2, 160, 150);
  Game(4, 5, 150, 100);
  Game(5, 4, 120, 110);
  // T4 and T5 heard one toss-up per game: first and second per toss-up heard, last per game.
  for (GameStats& g : t.Games)
    if (g.TeamA == 5 || g.TeamB == 5) g.TUH = 1;
  t.Format.RepeatAvoidance = 0;
  t.Format.TUHeard = 1;
  // Order T4, T5, T0, T1, T2, T3: 1st-6th, 2nd-5th, 3rd-4th.
  EXPECT_EQ(Lines(), (std::vector<std::string>{"Did not find assignment without repeats",
                                               "T4 vs. T3", "T5 vs. T2", "T0 vs. T1   REPEAT",
                                               " ", " "}));
  t.Format.SwissTUH = 0;
  EXPECT_EQ(Lines()[1], "T0 vs. T5");
}

TEST_F(SwissPairs, TooFewTeamsAndDivisions) {
  AddTeams(1);
  EXPECT_EQ(Lines(), (std::vector<std::string>{"Too few teams", " ", " "}));
  t = Tournament();
  AddTeams(3);
  t.Format.Divisions = 1;
  t.DivisionNames = {"East", "West"};
  t.TeamDivision = {0, 1, 0};
  EXPECT_EQ(Lines(), (std::vector<std::string>{"East", " ", "T2 vs. T0", " ", " ", "West", " ",
                                               "Too few teams", " ", " "}));
}

TEST(SwissSearch, CandidatesAlternateAroundThePreferredOpponentAndStopAtTheEdge) {
  SearchControl control;
  SearchMeter meter(control);
  std::vector<int> partner;
  // Nothing has met: every position takes its preferred opponent.
  std::vector<int> preferred{3, 2, 1, 0};
  EXPECT_EQ(SearchWithoutRepeats(preferred, [](int, int) { return false; }, partner, meter),
            SwissSearchEnd::kFound);
  EXPECT_EQ(partner, preferred);
  // 0 and 3 have met: 0 tries 3, then 4 (outside the list), so the search fails.
  auto met03 = [](int a, int b) { return (a == 0 && b == 3) || (a == 3 && b == 0); };
  EXPECT_EQ(SearchWithoutRepeats(preferred, met03, partner, meter), SwissSearchEnd::kNotFound);
  // With 0 preferring 1, it falls back to 2 (d = +1) after its rematch.
  std::vector<int> near{1, 0, 3, 2};
  auto met01 = [](int a, int b) { return (a == 0 && b == 1) || (a == 1 && b == 0); };
  EXPECT_EQ(SearchWithoutRepeats(near, met01, partner, meter), SwissSearchEnd::kNotFound);
}

TEST(SwissSearch, ACancelledSearchStops) {
  std::atomic<bool> cancel{true};
  SearchControl control;
  control.cancel = &cancel;
  control.checkEvery = 1;
  SearchMeter meter(control);
  std::vector<int> partner;
  std::vector<int> preferred(64);
  for (int i = 0; i < 64; ++i) preferred[i] = i ^ 1;
  // Everyone has met everyone: without cancelling this search would be very long.
  EXPECT_EQ(SearchWithoutRepeats(preferred, [](int, int) { return true; }, partner, meter),
            SwissSearchEnd::kCancelled);
}

}  // namespace
}  // namespace drav
