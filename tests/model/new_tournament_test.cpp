#include "model/new_tournament.h"

#include <gtest/gtest.h>

namespace drav {
namespace {

TEST(NewTournament, WindowDefaults) {
  Tournament t;
  NewTournament(t, NewTournamentChoices{});
  EXPECT_EQ(t.QuestionValues, (std::array<int, 4>{15, 10, -5, 0}));
  EXPECT_EQ(t.Format.TrackBonuses, 1);
  EXPECT_EQ(t.Format.BonusMode, 1);
  EXPECT_EQ(t.Format.TUHeard, 1);
  EXPECT_EQ(t.Format.PowNeg, 1);
  EXPECT_EQ(t.Format.Sixty, 0);
  EXPECT_EQ(t.Format.Divisions, 0);
  EXPECT_EQ(t.Format.Warning1 + t.Format.Warning2 + t.Format.Warning3 + t.Format.Warning4 +
                t.Format.Warning5 + t.Format.Warning6 + t.Format.Warning7,
            7);
  EXPECT_EQ(t.Format.AllRounds, 1);
  EXPECT_EQ(t.Format.RoundsMin, 1);
  EXPECT_EQ(t.Format.RoundsMax, 1);
}

TEST(NewTournament, BonusChoicesGiveTheirPairs) {
  const std::pair<BonusChoice, std::pair<int, int>> cases[] = {
      {BonusChoice::Automatic, {1, 1}},
      {BonusChoice::Manual, {1, 0}},
      {BonusChoice::None, {0, 0}},
      {BonusChoice::ManualHeardAutoPts, {1, 2}},
      {BonusChoice::ManualBouncebacks, {1, 3}},
  };
  for (const auto& [choice, pair] : cases) {
    int track = -1, mode = -1;
    BonusSettings(choice, track, mode);
    EXPECT_EQ(track, pair.first);
    EXPECT_EQ(mode, pair.second);
  }
}

TEST(NewTournament, ColumnValuesFromCheckedBoxesOnly) {
  NewTournamentChoices c;
  c.ColumnChecked = {true, false, true, true};
  c.ColumnText = {" 20 ", "10", "abc", "0"};
  EXPECT_EQ(c.ColumnValue(0), 20);
  EXPECT_EQ(c.ColumnValue(1), 0);  // unchecked
  EXPECT_EQ(c.ColumnValue(2), 0);  // not a number
  EXPECT_EQ(c.ColumnValue(3), 0);
  EXPECT_EQ(c.ColumnValue(7), 0);
}

TEST(NewTournament, KeepsTeamsGamesAndFileButEmptiesPacketNames) {
  Tournament t;
  t.Rosters = {{"A", "a"}};
  t.Games.resize(2);
  t.DivisionNames = {"D"};
  t.TeamDivision = {0};
  t.ExhibitionTeam = {1};
  t.FileName = "f.dat";
  t.PacketNames = {"p"};
  t.SavedGameCount = 2;
  t.Format.TourneyName = "Name";
  t.Format.TUHSort = 1;
  t.Format.RoundReports = 1;
  t.Format.SortCriterion = 4;
  const Tournament before = t;
  NewTournamentChoices c;
  c.Divisions = true;
  NewTournament(t, c);
  EXPECT_EQ(t.Rosters, before.Rosters);
  EXPECT_EQ(t.Games, before.Games);
  EXPECT_EQ(t.DivisionNames, before.DivisionNames);
  EXPECT_EQ(t.TeamDivision, before.TeamDivision);
  EXPECT_EQ(t.ExhibitionTeam, before.ExhibitionTeam);
  EXPECT_EQ(t.FileName, "f.dat");
  EXPECT_TRUE(t.PacketNames.empty());
  EXPECT_EQ(t.SavedGameCount, 0);
  EXPECT_EQ(t.Format.TourneyName, "Name");
  EXPECT_EQ(t.Format.SortCriterion, 4);
  EXPECT_EQ(t.Format.TUHSort, 0);
  EXPECT_EQ(t.Format.RoundReports, 0);
  EXPECT_EQ(t.Format.Divisions, 1);

  // The choices alone (as Read Rosters applies them) leave packet names and the count.
  Tournament u = before;
  ApplyTournamentChoices(u, c);
  EXPECT_EQ(u.PacketNames, before.PacketNames);
  EXPECT_EQ(u.SavedGameCount, 2);
}

}  // namespace
}  // namespace drav
