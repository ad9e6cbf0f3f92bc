#include "storage/merge.h"

#include <gtest/gtest.h>

#include "model/error.h"
#include "storage/tournament_file.h"
#include "support/cli_runner.h"
#include "support/generated_tournament.h"

namespace drav {
namespace {

using Roster = std::vector<std::vector<std::string>>;

GameStats Game(int a, int b, std::vector<int> playersA, std::vector<int> playersB) {
  GameStats g;
  g.TeamA = a;
  g.TeamB = b;
  g.GID = std::to_string(a) + "-" + std::to_string(b);
  for (std::size_t r = 0; r < playersA.size(); ++r) {
    g.PlayerA[r] = playersA[r];
    g.GPA[r] = 1;
  }
  for (std::size_t r = 0; r < playersB.size(); ++r) {
    g.PlayerB[r] = playersB[r];
    g.GPB[r] = 1;
  }
  return g;
}

Tournament Other() {
  Tournament t;
  t.Rosters = {{"Aces", "Ann", "Zed"}, {"Bees", "Bo"}, {"aces", "Al"}};
  t.DivisionNames = {"South", "North"};
  t.TeamDivision = {0, 1, 0};
  t.ExhibitionTeam = {1, 1, 1};
  t.PacketNames = {"ignored"};
  t.QuestionValues = {20, 10, 0, 0};
  t.Format.TourneyName = "Other";
  t.Games = {Game(0, 1, {1, 0}, {0}), Game(2, 0, {0}, {-1, 1})};
  return t;
}

TEST(Merge, IntoAnEmptyTournamentGivesTheSecondFileInItsOwnOrder) {
  const Tournament other = Other();
  Tournament current;
  current.Format.TourneyName = "Mine";
  current.QuestionValues = {15, 10, -5, 0};
  current.PacketNames = {"P1"};
  const Tournament t = MergeTournamentText(current, SerializeTournament(other));
  EXPECT_EQ(t.Rosters, other.Rosters);
  EXPECT_EQ(t.Games, other.Games);
  EXPECT_EQ(t.DivisionNames, other.DivisionNames);
  EXPECT_EQ(t.TeamDivision, other.TeamDivision);
  EXPECT_EQ(t.ExhibitionTeam, (std::vector<int>{0, 0, 0}));  // not carried over
  EXPECT_EQ(t.PacketNames, current.PacketNames);
  EXPECT_EQ(t.QuestionValues, current.QuestionValues);
  EXPECT_EQ(t.Format.TourneyName, "Mine");
  EXPECT_EQ(t.SavedGameCount, 2);
}

TEST(Merge, SameFileTwiceAppendsGamesOnly) {
  const std::string text = SerializeTournament(Other());
  const Tournament once = MergeTournamentText(Tournament{}, text);
  const Tournament twice = MergeTournamentText(once, text);
  EXPECT_EQ(twice.Rosters, once.Rosters);
  EXPECT_EQ(twice.DivisionNames, once.DivisionNames);
  EXPECT_EQ(twice.TeamDivision, once.TeamDivision);
  ASSERT_EQ(twice.Games.size(), 4u);
  EXPECT_EQ(twice.Games[2], once.Games[0]);
  EXPECT_EQ(twice.Games[3], once.Games[1]);
}

TEST(Merge, MatchedTeamKeepsItsRosterAndGainsNewPlayersAtTheEnd) {
  Tournament current;
  current.Rosters = {{"Bees", "Cy", "Bo"}, {"Aces", "Zed"}};
  current.TeamDivision = {-1, 1};
  current.ExhibitionTeam = {1, 0};
  current.DivisionNames = {"East", "North"};
  MergeMaps maps;
  const Tournament t = MergeTournamentText(current, SerializeTournament(Other()), &maps);
  // "aces" differs from "Aces" only in case: a team of its own.
  EXPECT_EQ(t.Rosters, (Roster{{"Bees", "Cy", "Bo"}, {"Aces", "Zed", "Ann"}, {"aces", "Al"}}));
  EXPECT_EQ(maps.Team, (std::vector<int>{1, 0, 2}));
  EXPECT_EQ(maps.Player[0], (std::vector<int>{1, 0}));
  EXPECT_EQ(maps.Player[1], (std::vector<int>{1}));
  // North already existed; South is added.
  EXPECT_EQ(t.DivisionNames, (std::vector<std::string>{"East", "North", "South"}));
  EXPECT_EQ(maps.Division, (std::vector<int>{2, 1}));
  // Matched teams keep their division and flag; the new team gets its mapped division.
  EXPECT_EQ(t.TeamDivision, (std::vector<int>{-1, 1, 2}));
  EXPECT_EQ(t.ExhibitionTeam, (std::vector<int>{1, 0, 0}));
  // Games point at the current numbering.
  const GameStats& g = t.Games[0];
  EXPECT_EQ(g.TeamA, 1);
  EXPECT_EQ(g.TeamB, 0);
  EXPECT_EQ(g.PlayerA[0], 0);  // Zed
  EXPECT_EQ(g.PlayerA[1], 1);  // Ann, appended
  EXPECT_EQ(g.PlayerB[0], 1);  // Bo
  EXPECT_EQ(t.Games[1].TeamA, 2);
  EXPECT_EQ(t.Games[1].PlayerB[0], -1);
  EXPECT_EQ(t.Games[1].PlayerB[1], 0);  // Zed
}

TEST(Merge, ReferencesOutsideTheSecondFileBecomeMinusOne) {
  Tournament other = Other();
  other.Games = {Game(7, -3, {5, 2, -4}, {0})};
  other.TeamDivision = {9, -2, 1};
  std::string text = SerializeTournament(other);
  // A player line that is not a number reads as no player.
  text.replace(text.find("\r\n5\r\n"), 5, "\r\nxx\r\n");
  const Tournament t = MergeTournamentText(Tournament{}, text);
  ASSERT_EQ(t.Games.size(), 1u);
  EXPECT_EQ(t.Games[0].TeamA, -1);
  EXPECT_EQ(t.Games[0].TeamB, -1);
  for (int r = 0; r < kRows; ++r) {
    EXPECT_EQ(t.Games[0].PlayerA[r], -1);
    EXPECT_EQ(t.Games[0].PlayerB[r], -1);
  }
  EXPECT_EQ(t.TeamDivision, (std::vector<int>{-1, -1, 1}));

  other.Games = {Game(1, 0, {0, 1}, {2, 3})};  // Bees has one player, Aces two
  const Tournament u = MergeTournamentText(Tournament{}, SerializeTournament(other));
  EXPECT_EQ(u.Games[0].PlayerA[0], 0);
  EXPECT_EQ(u.Games[0].PlayerA[1], -1);
  EXPECT_EQ(u.Games[0].PlayerB[0], -1);
  EXPECT_EQ(u.Games[0].PlayerB[1], -1);
}

TEST(Merge, BouncebacksAreUnpackedOnlyWhenTheCurrentTournamentUsesThem) {
  Tournament other = Other();
  other.Format.BonusMode = 3;
  other.Games[0].BHA = 12;
  other.Games[0].BncBkA = 3;
  const std::string text = SerializeTournament(other);  // writes 30012
  Tournament current;
  current.Format.BonusMode = 3;
  Tournament t = MergeTournamentText(current, text);
  EXPECT_EQ(t.Games[0].BHA, 12);
  EXPECT_EQ(t.Games[0].BncBkA, 3);
  current.Format.BonusMode = 1;
  t = MergeTournamentText(current, text);
  EXPECT_EQ(t.Games[0].BHA, 30012);
  EXPECT_EQ(t.Games[0].BncBkA, 0);
}

TEST(Merge, NewTeamsOfTheSameNameStayApart) {
  Tournament other;
  other.Rosters = {{"Twin", "A"}, {"Twin", "B"}};
  const Tournament t = MergeTournamentText(Tournament{}, SerializeTournament(other));
  EXPECT_EQ(t.Rosters, other.Rosters);
  // Merged again, both match the first current "Twin".
  const Tournament u = MergeTournamentText(t, SerializeTournament(other));
  EXPECT_EQ(u.Rosters, (Roster{{"Twin", "A", "B"}, {"Twin", "B"}}));
}

TEST(Merge, FailureLeavesTheTournamentUnchanged) {
  test::GeneratedShape shape;
  shape.divisions = 2;
  const Tournament current = test::GenerateTournament(shape);
  Tournament other = Other();
  other.Games[1].GPA[0] = 0.25;
  std::string text = SerializeTournament(other);
  text.replace(text.find("0.25"), 4, "1/2");
  const std::string dir = test::MakeTempDir();
  test::WriteFile(dir + "/bad.dat", text);
  Tournament t = current;
  try {
    MergeTournamentFile(t, dir + "/bad.dat");
    FAIL() << "expected an error";
  } catch (const DravError& e) {
    EXPECT_STREQ(e.what(), "'1/2' is not a valid floating point value");
  }
  EXPECT_EQ(t.Rosters, current.Rosters);
  EXPECT_EQ(t.Games, current.Games);
  EXPECT_EQ(t.DivisionNames, current.DivisionNames);
  EXPECT_THROW(MergeTournamentFile(t, dir + "/missing.dat"), DravError);
  EXPECT_EQ(t.Rosters, current.Rosters);
}

TEST(Merge, KeepsTheCurrentStagesAndIgnoresTheOtherFilesStages) {
  Tournament current;
  current.Rosters = {{"Bees", "Bo"}, {"Cats"}};
  current.TeamDivision = {-1, -1};
  current.ExhibitionTeam = {0, 0};
  current.Extras.Stages = {{"Prelims", 1, 4, false, {{"Pool", {1, 0}}}}};
  Tournament other = Other();
  other.Extras.Stages = {{"Finals", 9, 9, false, {{"Top", {2}}}}};
  const Tournament t = MergeTournamentText(current, SerializeTournament(other));
  EXPECT_EQ(t.TeamName(0), "Bees");  // matched, kept in place; Aces and aces appended
  EXPECT_EQ(t.TeamCount(), 4);
  EXPECT_EQ(t.Extras.Stages, current.Extras.Stages);
}

}  // namespace
}  // namespace drav
