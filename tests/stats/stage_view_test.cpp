#include "stats/stage_view.h"

#include <gtest/gtest.h>

#include "support/generated_tournament.h"

namespace drav {
namespace {

TEST(StageView, TakesTheStageRoundsAndCarriesOverBracketMatesGames) {
  Tournament t = test::GenerateTournament({.teams = 6, .games = 30, .rounds = 6, .seed = 3});
  t.Extras.Stages = {{"Prelims", 1, 3, false, {}},
                     {"Playoffs", 4, 6, true, {{"Top", {0, 1, 2}}, {"Bottom", {3, 4}}}}};
  const Tournament prelims = StageView(t, 0);
  const Tournament playoffs = StageView(t, 1);
  std::size_t expectedPrelims = 0, expectedPlayoffs = 0;
  auto bracket = [](int team) { return team <= 2 ? 0 : team <= 4 ? 1 : -1; };
  for (const GameStats& g : t.Games) {
    expectedPrelims += g.Round >= 1 && g.Round <= 3;
    expectedPlayoffs += (g.Round >= 4 && g.Round <= 6) || (g.Round <= 3 && bracket(g.TeamA) >= 0 &&
                                                           bracket(g.TeamA) == bracket(g.TeamB));
  }
  EXPECT_EQ(prelims.Games.size(), expectedPrelims);
  EXPECT_EQ(playoffs.Games.size(), expectedPlayoffs);
  EXPECT_EQ(prelims.Format.Divisions, 0);
  EXPECT_EQ(playoffs.Format.Divisions, 1);
  EXPECT_EQ(playoffs.DivisionNames, (std::vector<std::string>{"Top", "Bottom"}));
  EXPECT_EQ(playoffs.TeamDivision, (std::vector<int>{0, 0, 0, 1, 1, -1}));
}

}  // namespace
}  // namespace drav
