#include "entry/extra_checks.h"

#include <gtest/gtest.h>

namespace drav::entry {
namespace {

Tournament Event() {
  Tournament t;
  t.Format.TUHeard = 1;
  t.QuestionValues = {15, 10, -5, 0};
  t.Rosters = {{"Alpha", "Ann", "Abe"}, {"Beta", "Bea"}};
  return t;
}

// Alpha: 6 powers, 10 tens and 4 negs over two rows (20 answers); Beta: 3 tens.
GameStats Game() {
  GameStats g;
  g.TeamA = 0;
  g.TeamB = 1;
  g.TUH = 20;
  g.Q0A[0] = 6;
  g.Q1A[0] = 4;
  g.Q1A[1] = 6;
  g.Q2A[1] = 4;
  g.Q1B[0] = 3;
  return g;
}

TEST(ExtraChecks, TeamThatAnsweredMoreToss_upsThanHeard) {
  struct Case {
    const char* what;
    void (*change)(Tournament&, GameStats&);
    std::vector<std::string> expected;
  };
  const std::string alpha21 = "Alpha answered 21 toss-ups, more than the 20 heard";
  const Case cases[] = {
      {"as many answers as toss-ups", [](Tournament&, GameStats&) {}, {}},
      {"a neg too many", [](Tournament&, GameStats& g) { ++g.Q2A[0]; }, {alpha21}},
      {"in the last row", [](Tournament&, GameStats& g) { g.Q3A[kRows - 1] = 1; }, {}},
      {"both teams",
       [](Tournament&, GameStats& g) {
         g.Q2A[0] = 1;
         g.Q0B[1] = 18;
       },
       {alpha21, "Beta answered 21 toss-ups, more than the 20 heard"}},
      {"a forfeit",
       [](Tournament&, GameStats& g) {
         g.Q2A[0] = 1;
         g.Forfeit = 1;
       },
       {}},
      {"no toss-ups heard",
       [](Tournament&, GameStats& g) {
         g.Q2A[0] = 1;
         g.TUH = 0;
       },
       {}},
      {"heard not tracked",
       [](Tournament& t, GameStats& g) {
         g.Q2A[0] = 1;
         t.Format.TUHeard = 0;
       },
       {}},
      {"a column with a value counts",
       [](Tournament& t, GameStats& g) {
         t.QuestionValues[3] = 20;
         g.Q3A[kRows - 1] = 1;
       },
       {alpha21}},
  };
  for (const Case& c : cases) {
    Tournament t = Event();
    GameStats g = Game();
    c.change(t, g);
    EXPECT_EQ(ExtraChecks(t, g), c.expected) << c.what;
  }
}

}  // namespace
}  // namespace drav::entry
