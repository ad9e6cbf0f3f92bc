#include "storage/import_v2.h"

#include <gtest/gtest.h>

#include "model/error.h"
#include "storage/tournament_file.h"
#include "support/cli_runner.h"
#include "support/generated_tournament.h"

namespace drav {
namespace {

// The teams and games of t as the current writer lays them out (version 2 used the same
// layout), followed by the 12 settings lines given.
std::string V2File(const Tournament& t, const std::vector<std::string>& settings) {
  const std::string full = SerializeTournament(t);
  std::size_t lines = 1 + 1 + 129 * t.Games.size();
  for (const auto& team : t.Rosters) lines += 1 + team.size();
  std::size_t pos = 0;
  for (std::size_t i = 0; i < lines; ++i) pos = full.find("\r\n", pos) + 2;
  std::string s = full.substr(0, pos);
  for (const auto& l : settings) s += l + "\r\n";
  return s;
}

Tournament Sample() {
  test::GeneratedShape shape;
  shape.teams = 4;
  shape.games = 6;
  shape.bonusMode = 0;
  Tournament t = test::GenerateTournament(shape);
  t.Format.BonusMode = 0;  // written unpacked
  return t;
}

TEST(ImportVersion2, ReadsTeamsGamesAndTwelveSettings) {
  const Tournament source = Sample();
  Tournament base;
  base.FileName = "mine.dat";
  base.PacketNames = {"p"};
  base.DivisionNames = {"Gone"};
  base.Format.AllRounds = 0;
  base.Format.RoundsMin = 3;
  base.Format.RoundsMax = 4;
  base.Format.BritishStyle = 1;
  base.Format.Paths = 0;
  base.Format.TUHSort = 1;
  base.Format.StatKey = 1;
  base.Format.StyleSheetFile = "s.css";
  base.Format.SortCriterion = 3;
  const Tournament t = ParseVersion2(
      V2File(source, {"1", "2", "1", "1", "0", "1", "1", "1", "20", "10", "-5", "0"}), base);
  EXPECT_EQ(t.Rosters, source.Rosters);
  EXPECT_EQ(t.Games, source.Games);
  EXPECT_EQ(t.Format.TrackBonuses, 1);
  EXPECT_EQ(t.Format.BonusMode, 2);
  EXPECT_EQ(t.Format.Sixty, 1);
  EXPECT_EQ(t.Format.TUHeard, 0);
  EXPECT_EQ(t.Format.TUHSort, 0);
  EXPECT_EQ(t.Format.RoundReports, 1);
  EXPECT_EQ(t.QuestionValues, (std::array<int, 4>{20, 10, -5, 0}));
  // Fixed by the import.
  EXPECT_EQ(t.Format.Paths, 1);
  EXPECT_EQ(t.Format.StatKey, 0);
  EXPECT_EQ(t.Format.SortCriterion, 1);
  EXPECT_EQ(t.Format.StyleSheetFile, "");
  // Kept.
  EXPECT_EQ(t.Format.BritishStyle, 1);
  EXPECT_EQ(t.Format.AllRounds, 0);
  EXPECT_EQ(t.Format.RoundsMin, 3);
  EXPECT_EQ(t.Format.RoundsMax, 4);
  EXPECT_EQ(t.FileName, "mine.dat");
  EXPECT_EQ(t.PacketNames, base.PacketNames);
  EXPECT_TRUE(t.DivisionNames.empty());
  EXPECT_EQ(t.TeamDivision, std::vector<int>(4, -1));
  EXPECT_EQ(t.ExhibitionTeam, std::vector<int>(4, 0));
  EXPECT_EQ(t.SavedGameCount, 6);
}

TEST(ImportVersion2, WarningValueGoesToAllSeven) {
  const Tournament source = Sample();
  Tournament t = ParseVersion2(V2File(source, {"0", "0", "0", "0", "0", "0", "1"}), Tournament{});
  EXPECT_EQ(t.Format.Warning1, 1);
  EXPECT_EQ(t.Format.Warning4, 1);
  EXPECT_EQ(t.Format.Warning7, 1);
  Tournament on;
  on.Format.Warning2 = 1;
  t = ParseVersion2(V2File(source, {"0", "0", "0", "0", "0", "0", "0"}), on);
  EXPECT_EQ(t.Format.Warning2, 0);
  EXPECT_EQ(t.Format.Warning7, 0);
}

TEST(ImportVersion2, BounceBackModeKeepsBonusValuesPacked) {
  Tournament source = Sample();
  source.Games[0].BHA = 30012;
  source.Games[0].BPB = 10000;
  const Tournament t = ParseVersion2(V2File(source, {"1", "3"}), Tournament{});
  EXPECT_EQ(t.Format.BonusMode, 3);
  EXPECT_EQ(t.Games[0].BHA, 30012);
  EXPECT_EQ(t.Games[0].BPB, 10000);
  EXPECT_EQ(t.Games[0].BncBkA, 0);
}

TEST(ImportVersion2, BadGamesPlayedStopsAndChangesNothing) {
  Tournament source = Sample();
  std::string text = V2File(source, {});
  // Row 1's games played of the first game: line 1 + team lines + 1 + 17 + 2.
  std::size_t line = 1 + 1 + 17 + 2;
  for (const auto& team : source.Rosters) line += 1 + team.size();
  std::size_t pos = 0;
  for (std::size_t i = 1; i < line; ++i) pos = text.find("\r\n", pos) + 2;
  text.replace(pos, text.find("\r\n", pos) - pos, "half");

  const std::string dir = test::MakeTempDir();
  test::WriteFile(dir + "/bad.v2", text);
  Tournament t;
  t.Rosters = {{"Kept"}};
  try {
    ImportVersion2(t, dir + "/bad.v2");
    FAIL() << "expected an error";
  } catch (const DravError& e) {
    EXPECT_STREQ(e.what(), "'half' is not a valid floating point value");
  }
  EXPECT_EQ(t.Rosters, (std::vector<std::vector<std::string>>{{"Kept"}}));
  EXPECT_THROW(ImportVersion2(t, dir + "/missing.v2"), DravError);
  EXPECT_EQ(t.Rosters.size(), 1u);
}

TEST(ImportVersion2, HostileTeamCountIsRefused) {
  EXPECT_THROW(ParseVersion2("2000000000\n1\nA\n", Tournament{}), DravError);
  EXPECT_THROW(ParseVersion2("1\n2000000000\nA\n", Tournament{}), DravError);
}

TEST(ImportVersion2, TheOldStagesGoWithTheOldTeams) {
  Tournament base;
  base.Rosters = {{"Old"}, {"Older"}};
  base.Extras.Stages = {{"Prelims", 1, 3, false, {{"Pool", {1, 0}}}}};
  const Tournament t = ParseVersion2(
      V2File(Sample(), {"1", "2", "1", "1", "0", "1", "1", "1", "20", "10", "-5", "0"}), base);
  EXPECT_TRUE(t.Extras.Stages.empty());
}

}  // namespace
}  // namespace drav
