#include "stats/quickprint.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "model/text_codec.h"
#include "stats/stats_fixture.h"
#include "support/generated_tournament.h"

namespace drav {
namespace {

using test::AddGame;
using test::MakeTourney;
using test::SetRow;
using Lines = std::vector<std::string>;

TEST(QuickPrintFields, ShortTextIsPadded) {
  EXPECT_EQ(LeftField("ab", 5), "ab   ");
  EXPECT_EQ(RightField("ab", 5), "  ab ");
  EXPECT_EQ(LeftField("", 3), "   ");
  EXPECT_EQ(RightField("", 3), "   ");
}

TEST(QuickPrintFields, TextOfTheWidthOrLongerIsCutAndEndsWithASpace) {
  EXPECT_EQ(LeftField("abcde", 5), "abcd ");
  EXPECT_EQ(LeftField("abcdefgh", 5), "abcd ");
  EXPECT_EQ(RightField("abcd", 5), "abcd ");  // w - 1 characters: no leading space
  EXPECT_EQ(RightField("1000", 5), "1000 ");
  EXPECT_EQ(RightField("123456", 5), "1234 ");
  EXPECT_EQ(LeftField("Eighteen chars abc", 18), "Eighteen chars ab ");
  EXPECT_EQ(LeftField("A player name of 20x", 20), "A player name of 20 ");
}

TEST(QuickPrintFields, Utf8BeyondAsciiCountsCharactersOtherBytesCountBytes) {
  const struct {
    std::string text;
    int width;
    std::string left, right;
  } cases[] = {
      {"Zo\u00eb", 6, "Zo\u00eb   ", "  Zo\u00eb "},
      {"\u00c9cole \u00e9t\u00e9", 7, "\u00c9cole  ", "\u00c9cole  "},  // cut by characters
      {"\u00e9\u00e9\u00e9", 3, "\u00e9\u00e9 ", "\u00e9\u00e9 "},
      {"\u6771\u4eac", 2, "\u6771 ", "\u6771 "},
      {"Zo\xeb", 6, "Zo\xeb   ", "  Zo\xeb "},  // Windows-1252: one column per byte
      {"\xc3", 3, "\xc3  ", " \xc3 "},          // not UTF-8: bytes
  };
  for (const auto& c : cases) {
    EXPECT_EQ(LeftField(c.text, c.width), c.left) << c.text;
    EXPECT_EQ(RightField(c.text, c.width), c.right) << c.text;
  }
}

TEST(QuickPrintFields, GeneratedStandingsWithUtf8NamesKeepTheirColumns) {
  for (std::uint32_t seed = 1; seed <= 6; ++seed) {
    Tournament t = test::GenerateTournament({.teams = 8, .games = 30, .rounds = 6, .seed = seed});
    const char* names[] = {"\u00c9cole Saint-\u00c9tienne du Mont", "Zo\u00eb",
                           "M\u00fcnchen \u00dc"};
    for (std::size_t i = 0; i < t.Rosters.size() && i < 3; ++i) {
      t.Rosters[i][0] = names[i];
      if (t.Rosters[i].size() > 1)
        t.Rosters[i][1] = std::string(names[i]) + " Player \u00e9\u00e9\u00e9";
    }
    auto columns = [](const std::string& line) {
      return std::count_if(line.begin(), line.end(),
                           [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; });
    };
    for (const Lines& lines : {TeamStandingsLines(t), PlayerStandingsLines(t)}) {
      for (const std::string& line : lines) {
        EXPECT_TRUE(IsValidUtf8(line)) << line;
        if (line.size() > 22) {
          EXPECT_EQ(columns(line), columns(lines[0])) << line;
        }
      }
    }
  }
}

TEST(QuickPrintFields, DegenerateWidthsGiveEmptyFields) {
  EXPECT_EQ(LeftField("abc", 0), "");
  EXPECT_EQ(RightField("abc", -2), "");
  EXPECT_EQ(LeftField("abc", 1), " ");
  EXPECT_EQ(RightField("", 1), " ");
}

TEST(QuickPrintTeams, DivisionSectionsKeepWholeListRanksAndSkipTeamsWithoutGames) {
  Tournament t = MakeTourney({"A", "B", "C", "D", "E"});
  t.Format.Divisions = 1;
  t.DivisionNames = {"North", "South"};
  t.TeamDivision = {0, 1, 0, -1, 0};
  AddGame(t, 0, 1, 400, 100);  // A first
  AddGame(t, 3, 2, 300, 200);  // D (no division) second
  AddGame(t, 1, 2, 250, 100);  // B 1-1, C 0-2
  // E has no game: listed nowhere, yet its position uses up a number.
  const Lines lines = TeamStandingsLines(t);
  const std::string header = "#   Team               W  L  T   Pct   PPG  PAPG    Mrg  15  10  -5 ";
  ASSERT_EQ(lines.size(), 9u);
  EXPECT_EQ(lines[0], "North");
  EXPECT_EQ(lines[1], header);
  EXPECT_EQ(lines[2].substr(0, 22), "1   A                 ");
  EXPECT_EQ(lines[3].substr(0, 22), "4   C                 ");
  EXPECT_EQ(lines[4], " ");
  EXPECT_EQ(lines[5], "South");
  EXPECT_EQ(lines[6], header);
  EXPECT_EQ(lines[7].substr(0, 22), "3   B                 ");
  EXPECT_EQ(lines[8], " ");
}

TEST(QuickPrintTeams, DivisionsWithoutNamesGiveNoSection) {
  Tournament t = MakeTourney({"A", "B"});
  t.Format.Divisions = 1;
  t.TeamDivision = {5, 0};  // division index past the list
  AddGame(t, 0, 1, 400, 100);
  EXPECT_TRUE(TeamStandingsLines(t).empty());
}

TEST(QuickPrintPlayers, LinesWithSkippedRanksAndDivisions) {
  Tournament t = MakeTourney({"Alpha", "Beta"}, 2);
  t.Rosters[0][1] = "A player name of twenty";
  t.Format.Divisions = 1;
  t.Format.TUHeard = 1;
  t.Format.PowNeg = 1;
  t.DivisionNames = {"Gold"};
  t.TeamDivision = {0, 7};
  GameStats& g = AddGame(t, 0, 1, 300, 100);
  SetRow(g, true, 0, 0, 0.5, 2, 1, 0);  // 40 points in half a game
  SetRow(g, false, 0, 1, 1, 0, 2, 1);   // 15 points
  const Lines lines = PlayerStandingsLines(t);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0],
            "#   Player              Team           Div         GP  15  10  -5 TUH  PPTH"
            "   P/N   G/N     Pts       PPG ");
  EXPECT_EQ(lines[1],
            "1   A player name of tw Alpha          Gold       0.5   2   1   0  10  4.00"
            "   inf   inf      40     80.00 ");
  // Beta's division index is past the list: blank division.
  EXPECT_EQ(lines[2],
            "2   Beta 2              Beta                      1.0   0   2   1  20  0.75"
            "  0.00  2.00      15     15.00 ");
}

TEST(QuickPrintPlayers, RanksSkipWherePlayersWithoutGamesSortAbove) {
  Tournament t = MakeTourney({"Alpha", "Beta"}, 1);
  GameStats& g = AddGame(t, 0, 1, 300, 100);
  SetRow(g, true, 0, 0, 1, 0, 0, 2);  // -10 points: a rate below the unplayed player's 0
  SetRow(g, false, 0, 0, 1, 0, 1, 0);
  t.Rosters[1].push_back("Bench");  // never played: sorts second, is not printed
  const Lines lines = PlayerStandingsLines(t);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[1].substr(0, 10), "1   Beta 1");
  EXPECT_EQ(lines[2].substr(0, 11), "3   Alpha 1");
}

TEST(QuickPrintGames, RoundLinesForfeitsTiesAndOvertime) {
  Tournament t = MakeTourney({"Alpha", "Beta", "Gamma"});
  t.Format.RoundReports = 1;
  AddGame(t, 0, 1, 100, 250, 2).Overtime = 1;
  AddGame(t, 2, 1, 200, 200, 1);
  GameStats& f = AddGame(t, 2, 0, 0, 300, 1);
  f.Forfeit = 1;
  AddGame(t, 0, 2, -1, 100, 2);  // blank score: no line
  AddGame(t, 0, 5, 100, 50, 2);  // unknown team: no line
  const std::vector<GameStats> before = t.Games;
  const Lines lines = GameResultsLines(t);
  const Lines expected = {
      "Round 1",
      "Beta                 200    Gamma                200 Tie  ",
      "Gamma defeats Alpha by forfeit",
      "",
      "Round 2",
      "Beta                 250    Alpha                100 OT   ",
  };
  EXPECT_EQ(lines, expected);
  EXPECT_EQ(t.Games, before);
  EXPECT_EQ(t.Format.SortByRound, 1);
}

TEST(QuickPrintGames, WithoutRoundReportsAPlainListInRoundOrder) {
  Tournament t = MakeTourney({"Alpha", "Beta"});
  AddGame(t, 0, 1, 100, 250, 3);
  AddGame(t, 0, 1, 300, 250, 1);
  const Lines expected = {
      "Alpha                300    Beta                 250 ",
      "Beta                 250    Alpha                100 ",
  };
  EXPECT_EQ(GameResultsLines(t), expected);
}

TEST(QuickPrintGames, SelectedRoundsStartAtRoundsMin) {
  Tournament t = MakeTourney({"Alpha", "Beta"});
  t.Format.RoundReports = 1;
  t.Format.AllRounds = 0;
  t.Format.RoundsMin = 2;
  t.Format.RoundsMax = 3;
  AddGame(t, 0, 1, 10, 20, 1);
  AddGame(t, 0, 1, 30, 20, 2);
  AddGame(t, 0, 1, 40, 20, 3);
  AddGame(t, 0, 1, 50, 20, 4);
  const Lines expected = {
      "Round 2", "Alpha                 30    Beta                  20 ", "",
      "Round 3", "Alpha                 40    Beta                  20 ",
  };
  EXPECT_EQ(GameResultsLines(t), expected);
  Tournament empty = MakeTourney({"Alpha"});
  empty.Format.RoundReports = 1;
  EXPECT_TRUE(GameResultsLines(empty).empty());
}

}  // namespace
}  // namespace drav
