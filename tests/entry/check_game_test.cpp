#include "entry/check_game.h"

#include <gtest/gtest.h>

#include "entry_test_support.h"

namespace drav::entry {
namespace {

using Messages = std::vector<std::string>;

// Alpha (team 0) against Beta (team 1), every figure consistent: Alpha's row 1 has one
// power and two tens (35), three bonuses heard for 60; Beta's row 1 one ten, one bonus
// for 10.
GameStats CleanGame() {
  GameStats g;
  g.TeamA = 0;
  g.TeamB = 1;
  for (int r = 0; r < 4; ++r) {
    g.PlayerA[r] = r;
    g.GPA[r] = 1;
  }
  for (int r = 0; r < 3; ++r) {
    g.PlayerB[r] = r;
    g.GPB[r] = 1;
  }
  g.Q0A[0] = 1;
  g.Q1A[0] = 2;
  g.PtsA[0] = 35;
  g.BHA = 3;
  g.BPA = 60;
  g.ScoreA = 95;
  g.Q1B[0] = 1;
  g.PtsB[0] = 10;
  g.BHB = 1;
  g.BPB = 10;
  g.ScoreB = 20;
  g.TUH = 20;
  g.GID = "1";
  return g;
}

void OnlyWarning(Tournament& t, int n) {
  TourneyFormat& f = t.Format;
  int* flags[] = {&f.Warning1, &f.Warning2, &f.Warning3, &f.Warning4,
                  &f.Warning5, &f.Warning6, &f.Warning7};
  for (int i = 0; i < 7; ++i) *flags[i] = i + 1 == n ? 1 : 0;
}

TEST(CheckGame, AConsistentGameRaisesNothing) {
  Tournament t = test::ThreeTeams();
  EXPECT_EQ(CheckGameRecord(t, CleanGame()), Messages{});
}

TEST(CheckGame, GivesEveryWarningInItsOrder) {
  Tournament t = test::ThreeTeams();
  GameStats g;
  g.TeamA = 0;
  g.TeamB = 0;
  g.TUH = -1;
  for (int r = 0; r < 5; ++r) {
    g.PlayerA[r] = r % 4;  // row 5 repeats row 1's player
    g.GPA[r] = 1;
    g.PlayerB[r] = r;
    g.GPB[r] = 1;
  }
  g.Q0A[1] = 2;
  g.PtsA[1] = 30;
  g.ScoreA = 1000;  // 970 bonus points from 2 bonuses
  g.BPB = 50;
  g.ScoreB = 20;  // 20 bonus points from no bonus heard
  EXPECT_EQ(CheckGameRecord(t, g),
            (Messages{"Team Playing Itself", "Negative Toss-Ups Heard",
                      "Player Ann entered more than once",
                      "Individual and Bonus Scores Do Not Add to Total Score for Alpha",
                      "Individual and Bonus Scores Do Not Add to Total Score for Alpha",
                      "Total Games Played Greater Than Four for Alpha",
                      "Total Games Played Greater Than Four for Alpha",
                      "Points Per Bonus Not Between 0 and 30 for Alpha",
                      "Bonus Points Earned Without Being Heard for Alpha"}));
}

TEST(CheckGame, ForfeitsAndGamesWithoutBothTeamsRaiseNothing) {
  Tournament t = test::ThreeTeams();
  GameStats g = CleanGame();
  g.ScoreA = -1;
  g.ScoreB = -1;
  g.Forfeit = 1;
  EXPECT_EQ(CheckGameRecord(t, g), Messages{});
  g = CleanGame();
  g.TeamB = -1;
  g.TUH = -5;
  EXPECT_EQ(CheckGameRecord(t, g), Messages{});
  t.Games.push_back(CleanGame());
  EXPECT_EQ(CheckGame(t, 1), Messages{});
  EXPECT_EQ(CheckGame(t, -1), Messages{});
}

TEST(CheckGame, TeamsOutsideTheListAreNamedNowhere) {
  Tournament t = test::ThreeTeams();
  GameStats g = CleanGame();
  g.TeamA = 7;
  g.TeamB = 7;
  g.TUH = -1;
  g.ScoreA = 5000;
  g.PlayerA[1] = 0;  // repeated player too
  EXPECT_EQ(CheckGameRecord(t, g), (Messages{"Team Playing Itself", "Negative Toss-Ups Heard"}));
}

TEST(CheckGame, RepeatedPlayerCountsOnlyRowsThatPlayed) {
  Tournament t = test::ThreeTeams();
  OnlyWarning(t, 2);
  GameStats g = CleanGame();
  g.PlayerA[4] = 1;  // row 5 repeats row 2 (Abe)
  g.GPA[4] = 1;
  EXPECT_EQ(CheckGameRecord(t, g), Messages{"Player Abe entered more than once"});
  g.GPA[4] = 0;
  EXPECT_EQ(CheckGameRecord(t, g), Messages{});
}

TEST(CheckGame, NamesOnlyTheLastRepetitionOfTheScan) {
  Tournament t = test::ThreeTeams();
  OnlyWarning(t, 2);
  auto repeat = [](RowArray<int>& players, RowArray<double>& gp, int row1, int row2, int p) {
    players[row1 - 1] = players[row2 - 1] = p;
    gp[row1 - 1] = gp[row2 - 1] = 1;
  };
  GameStats g = CleanGame();
  g.TeamB = 2;  // Gamma
  repeat(g.PlayerA, g.GPA, 7, 8, 5);  // Al
  repeat(g.PlayerB, g.GPB, 1, 2, 0);  // Gus
  EXPECT_EQ(CheckGameRecord(t, g), Messages{"Player Al entered more than once"});

  g = CleanGame();
  g.TeamB = 2;
  repeat(g.PlayerA, g.GPA, 1, 2, 4);  // Ada
  repeat(g.PlayerB, g.GPB, 3, 4, 3);  // Guy
  EXPECT_EQ(CheckGameRecord(t, g), Messages{"Player Guy entered more than once"});

  g = CleanGame();
  g.TeamB = 2;
  repeat(g.PlayerA, g.GPA, 3, 4, 2);  // Amy
  repeat(g.PlayerB, g.GPB, 3, 4, 1);  // Gil
  EXPECT_EQ(CheckGameRecord(t, g), Messages{"Player Gil entered more than once"});
}

TEST(CheckGame, RepeatedEmptyRowNamesTheTeamAndStrayIndicesNameNobody) {
  Tournament t = test::ThreeTeams();
  OnlyWarning(t, 2);
  GameStats g = CleanGame();
  g.PlayerA[0] = g.PlayerA[1] = -1;
  EXPECT_EQ(CheckGameRecord(t, g), Messages{"Player Alpha entered more than once"});
  g.PlayerA[0] = g.PlayerA[1] = 6;  // Alpha has six players: index 6 is past the roster
  EXPECT_EQ(CheckGameRecord(t, g), Messages{});
  g.PlayerA[0] = g.PlayerA[1] = -5;
  EXPECT_EQ(CheckGameRecord(t, g), Messages{});
  g.PlayerA[0] = g.PlayerA[1] = 2147483647;
  EXPECT_EQ(CheckGameRecord(t, g), Messages{});
}

TEST(CheckGame, GamesPlayedMayReachFourButNotExceedIt) {
  Tournament t = test::ThreeTeams();
  OnlyWarning(t, 4);
  GameStats g = CleanGame();
  EXPECT_EQ(CheckGameRecord(t, g), Messages{});
  g.PlayerA[4] = 4;
  g.GPA[4] = 0.5;
  EXPECT_EQ(CheckGameRecord(t, g), Messages{"Total Games Played Greater Than Four for Alpha"});
  g.GPA[4] = 0.01;  // 4.01 is still within the tolerance
  EXPECT_EQ(CheckGameRecord(t, g), Messages{});
}

TEST(CheckGame, ScoresTotalCountsOnlyTheTrackedParts) {
  Tournament t = test::ThreeTeams(0);
  OnlyWarning(t, 3);
  GameStats g = CleanGame();
  g.SixtyA = 20;  // lightning not tracked: ignored by the total
  EXPECT_EQ(CheckGameRecord(t, g), Messages{});
  t.Format.Sixty = 1;
  EXPECT_EQ(CheckGameRecord(t, g),
            Messages{"Individual and Bonus Scores Do Not Add to Total Score for Alpha"});
  g.ScoreA = 115;
  EXPECT_EQ(CheckGameRecord(t, g), Messages{});
  t.Format.BonusMode = 3;
  g.BncBkPtsB = 10;
  EXPECT_EQ(CheckGameRecord(t, g),
            Messages{"Individual and Bonus Scores Do Not Add to Total Score for Beta"});
  t.Format.TrackBonuses = 0;
  g.BncBkPtsB = 0;
  EXPECT_EQ(CheckGameRecord(t, g),
            (Messages{"Individual and Bonus Scores Do Not Add to Total Score for Alpha",
                      "Individual and Bonus Scores Do Not Add to Total Score for Beta"}));
}

TEST(CheckGame, AutomaticModeTestsTheBonusConversion) {
  Tournament t = test::ThreeTeams(1);
  t.Format.Warning3 = 0;
  GameStats g = CleanGame();  // 3 heard
  g.ScoreA = 135;             // 100 points: 33.3 per bonus
  EXPECT_EQ(CheckGameRecord(t, g), Messages{"Points Per Bonus Not Between 0 and 30 for Alpha"});
  g.ScoreA = 125;  // exactly 30
  EXPECT_EQ(CheckGameRecord(t, g), Messages{});
  g.ScoreA = 30;  // -5 points
  EXPECT_EQ(CheckGameRecord(t, g), Messages{"Points Per Bonus Not Between 0 and 30 for Alpha"});
  g = CleanGame();
  g.Q1B[0] = 0;
  g.PtsB[0] = 0;
  g.ScoreB = 10;  // 10 points, nothing heard
  EXPECT_EQ(CheckGameRecord(t, g), Messages{"Bonus Points Earned Without Being Heard for Beta"});
  // Toss-ups answered in overtime earn no bonus.
  g = CleanGame();
  g.Overtime = 1;
  g.OTB = 1;
  EXPECT_EQ(CheckGameRecord(t, g), Messages{"Bonus Points Earned Without Being Heard for Beta"});
}

TEST(CheckGame, AutomaticModeSubtractsLightningEvenWhenItIsNotTracked) {
  Tournament t = test::ThreeTeams(1);
  GameStats g = CleanGame();
  g.SixtyA = 70;  // Sixty is off: the scores add up, but the bonus points come out at -10
  EXPECT_EQ(CheckGameRecord(t, g), Messages{"Points Per Bonus Not Between 0 and 30 for Alpha"});
}

TEST(CheckGame, BonusWarningsOnlyInAutomaticMode) {
  for (int mode : {0, 2, 3}) {
    Tournament t = test::ThreeTeams(mode);
    t.Format.Warning3 = 0;
    GameStats g = CleanGame();
    g.ScoreA = 1000;
    EXPECT_EQ(CheckGameRecord(t, g), Messages{}) << mode;
  }
}

TEST(CheckGame, WarningsCanBeSwitchedOffOneByOne) {
  Tournament t = test::ThreeTeams();
  EXPECT_TRUE(AnyWarningOn(t.Format));
  GameStats g = CleanGame();
  g.TeamB = 0;
  g.TUH = -1;
  OnlyWarning(t, 7);
  EXPECT_EQ(CheckGameRecord(t, g), Messages{"Negative Toss-Ups Heard"});
  OnlyWarning(t, 0);
  EXPECT_FALSE(AnyWarningOn(t.Format));
  EXPECT_EQ(CheckGameRecord(t, g), Messages{});
}

}  // namespace
}  // namespace drav::entry
