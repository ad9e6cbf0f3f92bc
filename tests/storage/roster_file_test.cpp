#include "storage/roster_file.h"

#include <gtest/gtest.h>

#include "model/error.h"
#include "support/cli_runner.h"

namespace drav {
namespace {

using Roster = std::vector<std::vector<std::string>>;

NewTournamentChoices WithDivisions() {
  NewTournamentChoices c;
  c.Divisions = true;
  return c;
}

TEST(RosterFile, TeamsWithoutDivisions) {
  const Tournament t = ParseRosters("Aces\r\nAnn\r\nBob\r\n.\r\nBees\r\nCal\r\n.\r\n~\r\n",
                                    Tournament{}, NewTournamentChoices{});
  EXPECT_EQ(t.Rosters, (Roster{{"Aces", "Ann", "Bob"}, {"Bees", "Cal"}}));
  EXPECT_EQ(t.TeamDivision, (std::vector<int>{-1, -1}));
  EXPECT_EQ(t.ExhibitionTeam, (std::vector<int>{0, 0}));
  EXPECT_TRUE(t.DivisionNames.empty());
}

TEST(RosterFile, DivisionsAreLookedUpOrAppended) {
  Tournament base;
  base.DivisionNames = {"North", "South"};
  const Tournament t = ParseRosters(
      "Aces\nSouth\nAnn\n.\nBees\nEast\nBo\n.\nCats\nSouth\nCy\n.\nDogs\nsouth\nDi\n.\n~\n", base,
      WithDivisions());
  EXPECT_EQ(t.DivisionNames, (std::vector<std::string>{"North", "South", "East", "south"}));
  EXPECT_EQ(t.TeamDivision, (std::vector<int>{1, 2, 1, 3}));
  EXPECT_EQ(t.Rosters[1], (std::vector<std::string>{"Bees", "Bo"}));
}

TEST(RosterFile, RepeatedLinesEndTheLists) {
  // An empty first line: no teams at all.
  EXPECT_TRUE(ParseRosters("\nAces\nAnn\n.\n~\n", Tournament{}, {}).Rosters.empty());

  // The same team name twice in a row ends the teams.
  Tournament t = ParseRosters("Aces\nAnn\n.\nAces\nBob\n.\nCats\n.\n~\n", Tournament{}, {});
  EXPECT_EQ(t.Rosters, (Roster{{"Aces", "Ann"}}));

  // A player equal to the previous player line (of any team) ends the players; what
  // follows is read as team names.
  t = ParseRosters("Aces\nAnn\nAnn\nBees\nAnn\nCal\n.\n~\n", Tournament{}, {});
  EXPECT_EQ(t.Rosters, (Roster{{"Aces", "Ann"}, {"Bees"}, {"Cal"}}));

  // The previous player line is not reset between teams.
  t = ParseRosters("Aces\nAnn\n.\nBees\nAnn\nBob\n.\n~\n", Tournament{}, {});
  EXPECT_EQ(t.Rosters, (Roster{{"Aces", "Ann"}, {"Bees"}, {"Bob"}}));
}

TEST(RosterFile, EndOfFileWithoutTildeSimplyStops) {
  Tournament t = ParseRosters("Aces\nAnn\n.\nBees\nBob", Tournament{}, {});
  EXPECT_EQ(t.Rosters, (Roster{{"Aces", "Ann"}, {"Bees", "Bob"}}));
  t = ParseRosters("Aces\nAnn\n.\n", Tournament{}, {});
  EXPECT_EQ(t.Rosters, (Roster{{"Aces", "Ann"}}));
  // Cut off after a team name with divisions on: the team has no division and no empty
  // division name is made up.
  t = ParseRosters("Aces\n", Tournament{}, WithDivisions());
  EXPECT_EQ(t.Rosters, (Roster{{"Aces"}}));
  EXPECT_EQ(t.TeamDivision, (std::vector<int>{-1}));
  EXPECT_TRUE(t.DivisionNames.empty());
}

TEST(RosterFile, AppliesTheChoicesAndKeepsGamesPacketsAndFile) {
  Tournament base;
  base.Games.resize(3);
  base.Games[2].TeamA = 5;
  base.PacketNames = {"P1"};
  base.FileName = "old.dat";
  base.SavedGameCount = 3;
  base.Rosters = {{"Old"}};
  base.TeamDivision = {4};
  base.ExhibitionTeam = {1};
  NewTournamentChoices c;
  c.Bonus = BonusChoice::ManualBouncebacks;
  c.ColumnChecked[3] = true;
  c.ColumnText[3] = "20";
  const Tournament t = ParseRosters("Aces\n.\n~\n", base, c);
  EXPECT_EQ(t.Games, base.Games);
  EXPECT_EQ(t.PacketNames, base.PacketNames);
  EXPECT_EQ(t.FileName, "old.dat");
  EXPECT_EQ(t.SavedGameCount, 3);
  EXPECT_EQ(t.Rosters, (Roster{{"Aces"}}));
  EXPECT_EQ(t.TeamDivision, (std::vector<int>{-1}));
  EXPECT_EQ(t.ExhibitionTeam, (std::vector<int>{0}));
  EXPECT_EQ(t.Format.BonusMode, 3);
  EXPECT_EQ(t.Format.Warning7, 1);
  EXPECT_EQ(t.QuestionValues, (std::array<int, 4>{15, 10, -5, 20}));
}

TEST(RosterFile, UnreadableFileChangesNothing) {
  Tournament t;
  t.Rosters = {{"Kept"}};
  const Tournament before = t;
  const std::string path = test::MakeTempDir() + "/missing.txt";
  try {
    ReadRosters(t, path, NewTournamentChoices{});
    FAIL() << "expected an error";
  } catch (const DravError& e) {
    EXPECT_EQ(std::string(e.what()), "Cannot open " + path);
  }
  EXPECT_EQ(t.Rosters, before.Rosters);
  EXPECT_EQ(t.Format, before.Format);
}

TEST(RosterFile, BracketsKeepTheTeamsOfTheSameNameInTheNewList) {
  Tournament base;
  base.Rosters = {{"Aces"}, {"Bees"}, {"Cats"}};
  base.Extras.Stages = {{"Prelims", 1, 4, false, {{"Pool", {2, 0, 1}}}}};
  const Tournament t = ParseRosters("Cats\n.\nDogs\n.\nAces\n.\n~\n", base, NewTournamentChoices{});
  EXPECT_EQ(t.Extras.Stages[0].Brackets[0].Teams, (std::vector<int>{0, 2}));
  // A QBJ roster file replaces the teams the same way.
  const std::string qbj = R"({"objects": [{"type": "Registration", "name": "x", "teams": [
      {"type": "Team", "name": "Cats"}, {"type": "Team", "name": "Dogs"},
      {"type": "Team", "name": "Aces"}]}]})";
  const Tournament q = ParseQbjRosters({"rosters.qbj", qbj}, base, NewTournamentChoices{});
  ASSERT_EQ(q.TeamCount(), 3);
  EXPECT_EQ(q.Extras.Stages[0].Brackets[0].Teams, (std::vector<int>{0, 2}));
}

}  // namespace
}  // namespace drav
