#include "storage/import_v1.h"

#include <gtest/gtest.h>

#include "model/error.h"
#include "support/cli_runner.h"

namespace drav {
namespace {

// One game of a version-1 file: team names, and per row the two player names.
struct V1Game {
  std::string id, teamA, teamB;
  std::array<std::string, 8> playersA, playersB;
  int scoreA = 100;
};

// Builds a version-1 file: header, team names, player pairs, games, bonus option,
// PowNeg/Sixty/TUHeard and the question values.
std::string V1File(const std::vector<std::string>& teams, const std::vector<std::string>& players,
                   const std::vector<V1Game>& games, int bonusOption = 0) {
  std::string s;
  auto line = [&s](const std::string& l) { s += l + "\r\n"; };
  line(std::to_string(teams.size()));
  line("7");
  line(std::to_string(players.size()));
  line("x");
  line(std::to_string(games.size()));
  for (const auto& t : teams) line(t);
  for (const auto& p : players) {
    line(p);
    line("unused");
  }
  for (const auto& g : games) {
    line(g.id);
    line(g.teamA);
    line(g.teamB);
    line("u1");
    line("u2");
    line(std::to_string(g.scoreA));  // ScoreA
    line("90");                      // ScoreB
    line("20");                      // TUH
    line("5");                       // BHA
    line("50");                      // BPA
    line("4");                       // BHB
    line("40");                      // BPB
    line("0");                       // SixtyA
    line("0");                       // SixtyB
    for (int r = 0; r < 8; ++r) {
      line(g.playersA[r]);
      line(g.playersB[r]);
      for (int k = 0; k < 4; ++k) line(std::to_string(r + k));  // Q0A..Q3A
      line("30");                                               // PtsA
      line(r == 0 ? "1" : "0");                                 // games played A
      for (int k = 0; k < 4; ++k) line("1");                    // Q0B..Q3B
      line("25");                                               // PtsB
      line("1");                                                // games played B
    }
  }
  line(std::to_string(bonusOption));
  line("1");  // PowNeg
  line("0");  // Sixty
  line("1");  // TUHeard
  for (const char* v : {"15", "10", "-5", "0"}) line(v);
  return s;
}

std::vector<std::string> Names(const std::string& prefix, int n) {
  std::vector<std::string> v;
  for (int i = 0; i < n; ++i) v.push_back(prefix + std::to_string(i + 1));
  return v;
}

TEST(ImportVersion1, TeamsTakeEightPlayersInFileOrder) {
  Tournament t = ParseVersion1(V1File({"Aces", "Bees"}, Names("p", 16), {}), Tournament{});
  ASSERT_EQ(t.Rosters.size(), 2u);
  EXPECT_EQ(t.Rosters[0],
            (std::vector<std::string>{"Aces", "p1", "p2", "p3", "p4", "p5", "p6", "p7", "p8"}));
  EXPECT_EQ(t.Rosters[1][1], "p9");
  EXPECT_EQ(t.Rosters[1][8], "p16");

  t = ParseVersion1(V1File({"Aces", "Bees", "Cats"}, Names("p", 10), {}), Tournament{});
  EXPECT_EQ(t.Rosters[0].size(), 9u);
  EXPECT_EQ(t.Rosters[1], (std::vector<std::string>{"Bees", "p9", "p10"}));
  EXPECT_EQ(t.Rosters[2], (std::vector<std::string>{"Cats"}));
  EXPECT_EQ(t.TeamDivision, (std::vector<int>{-1, -1, -1}));
  EXPECT_EQ(t.ExhibitionTeam, (std::vector<int>{0, 0, 0}));
}

TEST(ImportVersion1, GamesNameTeamsAndPlayersByText) {
  V1Game g;
  g.id = "R1";
  g.teamA = "Bees";
  g.teamB = "Aces";
  g.playersA = {"p10", "p9", "", "", "", "", "", ""};
  g.playersB = {"p2", "", "", "", "", "", "", ""};
  const Tournament t = ParseVersion1(V1File({"Aces", "Bees"}, Names("p", 10), {g}), Tournament{});
  ASSERT_EQ(t.Games.size(), 1u);
  const GameStats& s = t.Games[0];
  EXPECT_EQ(s.GID, "R1");
  EXPECT_EQ(s.TeamA, 1);
  EXPECT_EQ(s.TeamB, 0);
  EXPECT_EQ(s.PlayerA[0], 1);
  EXPECT_EQ(s.PlayerA[1], 0);
  EXPECT_EQ(s.PlayerA[2], -1);  // names nobody, first game
  EXPECT_EQ(s.PlayerB[0], 1);
  EXPECT_EQ(s.ScoreA, 100);
  EXPECT_EQ(s.BPB, 40);
  EXPECT_EQ(s.Q3A[2], 5);
  EXPECT_EQ(s.GPA[0], 1.0);
  EXPECT_EQ(s.GPA[1], 0.0);
  EXPECT_EQ(s.Round, 0);
  EXPECT_EQ(s.Forfeit, 0);
  EXPECT_EQ(s.BncBkA, 0);
}

TEST(ImportVersion1, UnknownNamesKeepThePreviousGamesValuesWithinTheLists) {
  V1Game first;
  first.id = "1";
  first.teamA = "Aces";
  first.teamB = "Bees";
  first.playersA = {"p1", "p8", "", "", "", "", "", ""};
  first.playersB = {"p9", "", "", "", "", "", "", ""};
  V1Game second = first;
  second.id = "2";
  second.teamA = "Nobody";  // keeps team A = Aces
  second.teamB = "Cats";    // Cats has two players only
  second.playersA = {"zz", "", "", "", "", "", "", ""};
  second.playersB = {"", "", "", "", "", "", "", ""};
  V1Game third = second;
  third.id = "3";
  third.teamA = "Cats";
  third.teamB = "Aces";
  third.playersA = {"", "", "", "", "", "", "", ""};
  third.playersB = {"", "", "", "", "", "", "", ""};
  // Cats (team 2) gets p17, p18; the previous game's Cats rows were -1.
  const Tournament t = ParseVersion1(
      V1File({"Aces", "Bees", "Cats"}, Names("p", 18), {first, second, third}), Tournament{});
  ASSERT_EQ(t.Games.size(), 3u);
  EXPECT_EQ(t.Games[1].TeamA, 0);
  EXPECT_EQ(t.Games[1].TeamB, 2);
  EXPECT_EQ(t.Games[1].PlayerA[0], 0);  // "zz": kept p1 of Aces
  EXPECT_EQ(t.Games[1].PlayerA[1], 7);  // empty: kept p8 of Aces
  EXPECT_EQ(t.Games[1].PlayerB[0], 0);  // Bees' p9 was index 0, which Cats also has
  // Team A becomes Cats: Aces' row values 0 and 7 would be kept, but Cats has only
  // players 0 and 1, so row 2 (index 7) must not survive.
  EXPECT_EQ(t.Games[2].PlayerA[0], 0);
  EXPECT_EQ(t.Games[2].PlayerA[1], -1);
  for (const auto& g : t.Games)
    for (int r = 0; r < kRows; ++r) {
      EXPECT_LT(g.PlayerA[r], t.PlayerCount(g.TeamA));
      EXPECT_LT(g.PlayerB[r], t.PlayerCount(g.TeamB));
    }
}

TEST(ImportVersion1, LastTeamOfTheNameCountsAndUnknownFirstTeamIsMinusOne) {
  V1Game g;
  g.id = "1";
  g.teamA = "Twin";
  g.teamB = "Ghost";
  const Tournament t = ParseVersion1(V1File({"Twin", "Twin"}, {}, {g}), Tournament{});
  EXPECT_EQ(t.Games[0].TeamA, 1);
  EXPECT_EQ(t.Games[0].TeamB, -1);
}

TEST(ImportVersion1, SettingsFromTheFileAndFixedValues) {
  Tournament base;
  base.FileName = "mine.dat";
  base.PacketNames = {"A", "B"};
  base.DivisionNames = {"Gone"};
  base.Format.StatKey = 1;
  base.Format.StandingsFile = "x.html";
  base.Format.TourneyName = "Kept";
  base.Format.BritishStyle = 1;
  base.Format.Divisions = 1;
  base.Format.SortCriterion = 4;
  Tournament t = ParseVersion1(V1File({"A"}, {}, {}, 2), base);
  EXPECT_EQ(t.Format.TrackBonuses, 0);
  EXPECT_EQ(t.Format.BonusMode, 0);
  EXPECT_EQ(t.Format.PowNeg, 1);
  EXPECT_EQ(t.Format.TUHeard, 1);
  EXPECT_EQ(t.Format.StatKey, 0);
  EXPECT_EQ(t.Format.Divisions, 0);
  EXPECT_EQ(t.Format.SortCriterion, 1);
  EXPECT_EQ(t.Format.StandingsFile, "_standings.html");
  EXPECT_EQ(t.Format.Warning3, 1);
  EXPECT_EQ(t.Format.TourneyName, "Kept");
  EXPECT_EQ(t.Format.BritishStyle, 1);
  EXPECT_EQ(t.QuestionValues, (std::array<int, 4>{15, 10, -5, 0}));
  EXPECT_EQ(t.FileName, "mine.dat");
  EXPECT_EQ(t.PacketNames, base.PacketNames);
  EXPECT_TRUE(t.DivisionNames.empty());

  t = ParseVersion1(V1File({"A"}, {}, {}, 0), base);
  EXPECT_EQ(t.Format.TrackBonuses, 1);
  EXPECT_EQ(t.Format.BonusMode, 1);
  base.Format.TrackBonuses = 1;
  base.Format.BonusMode = 3;
  t = ParseVersion1(V1File({"A"}, {}, {}, 9), base);  // unknown option: unchanged
  EXPECT_EQ(t.Format.BonusMode, 3);
}

TEST(ImportVersion1, BadNumbersStopTheImport) {
  V1Game g;
  g.id = "1";
  g.teamA = "A";
  g.teamB = "A";
  std::string text = V1File({"A"}, {}, {g});
  const std::string good = text;
  text.replace(text.find("\r\n90\r\n"), 6, "\r\n9x\r\n");
  try {
    ParseVersion1(text, Tournament{});
    FAIL() << "expected an error";
  } catch (const DravError& e) {
    EXPECT_STREQ(e.what(), "'9x' is not a valid integer value");
  }
  // The last question value missing: an empty line at the end is not a number either.
  const std::string cut = good.substr(0, good.rfind("0\r\n"));
  EXPECT_THROW(ParseVersion1(cut, Tournament{}), DravError);
  // A missing game fails on its first number line.
  std::string moreGames = good;
  moreGames.replace(moreGames.find("x\r\n1\r\n"), 6, "x\r\n2\r\n");
  try {
    ParseVersion1(moreGames, Tournament{});
    FAIL() << "expected an error";
  } catch (const DravError& e) {
    // The second game runs into the trailer and then past the end of the file.
    EXPECT_STREQ(e.what(), "'' is not a valid integer value");
  }
  try {
    ParseVersion1("99999999\n0\n0\n0\n0\n", Tournament{});
    FAIL() << "expected an error";
  } catch (const DravError& e) {
    EXPECT_STREQ(e.what(), "The file ends early");
  }
}

TEST(ImportVersion1, FailureLeavesTheTournamentUnchanged) {
  const std::string dir = test::MakeTempDir();
  test::WriteFile(dir + "/bad.v1", "1\n0\nzero\n");
  Tournament t;
  t.Rosters = {{"Kept", "K1"}};
  t.Games.resize(2);
  const Tournament before = t;
  EXPECT_THROW(ImportVersion1(t, dir + "/bad.v1"), DravError);
  EXPECT_THROW(ImportVersion1(t, dir + "/none.v1"), DravError);
  EXPECT_EQ(t.Rosters, before.Rosters);
  EXPECT_EQ(t.Games, before.Games);

  test::WriteFile(dir + "/good.v1", V1File({"A", "B"}, Names("p", 3), {}));
  ImportVersion1(t, dir + "/good.v1");
  EXPECT_EQ(t.Rosters.size(), 2u);
  EXPECT_TRUE(t.Games.empty());
  EXPECT_EQ(t.SavedGameCount, 0);
}

TEST(ImportVersion1, TheOldStagesGoWithTheOldTeams) {
  Tournament base;
  base.Rosters = {{"Old"}, {"Older"}};
  base.Extras.Stages = {{"Prelims", 1, 3, false, {{"Pool", {1, 0}}}}};
  const Tournament t = ParseVersion1(V1File({"Aces", "Bees"}, Names("p", 16), {}), base);
  EXPECT_TRUE(t.Extras.Stages.empty());
}

}  // namespace
}  // namespace drav
