#include "entry/check_all_games.h"

#include <gtest/gtest.h>

#include "entry_test_support.h"

namespace drav::entry {
namespace {

TEST(CheckAllGames, ListsEveryWarningOfEveryGameWithAllChecksOn) {
  Tournament t = test::ThreeTeams();
  t.Format.Warning1 = t.Format.Warning7 = 0;  // the list ignores the settings
  GameStats itself;
  itself.GID = "g1";
  itself.Round = 3;
  itself.TeamA = itself.TeamB = 0;
  itself.ScoreA = itself.ScoreB = 0;
  GameStats fine;
  fine.TeamA = 0;
  fine.TeamB = 1;
  fine.ScoreA = fine.ScoreB = 0;
  GameStats negative = fine;
  negative.GID = "g3";
  negative.Round = 4;
  negative.TUH = -1;
  t.Games = {itself, fine, negative};

  const std::vector<GameWarning> found = CheckAllGames(t);
  ASSERT_EQ(found.size(), 2u);
  EXPECT_EQ(found[0].game, 0);
  EXPECT_EQ(WarningLine(found[0]), "Round 3: Alpha vs. Alpha: Team Playing Itself");
  EXPECT_EQ(found[1].game, 2);
  EXPECT_EQ(found[1].gid, "g3");
  EXPECT_EQ(WarningLine(found[1]), "Round 4: Alpha vs. Beta: Negative Toss-Ups Heard");
}

}  // namespace
}  // namespace drav::entry
