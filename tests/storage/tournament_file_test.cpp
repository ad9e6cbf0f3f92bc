#include "storage/tournament_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <climits>
#include <filesystem>

#include "model/error.h"
#include "storage/line_reader.h"
#include "support/cli_runner.h"
#include "support/generated_tournament.h"

namespace drav {
namespace {

using test::GeneratedShape;
using test::GenerateTournament;

// Lines of a serialized file, without their CR LF.
std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find("\r\n", start);
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

// The 31 settings lines of an empty tournament start right after the two zero counts.
std::string EmptyFileWithSettings(const std::vector<std::pair<int, std::string>>& changes) {
  auto lines = Lines(SerializeTournament(Tournament{}));
  for (auto& [settingLine, value] : changes) lines.at(2 + settingLine - 1) = value;
  std::string s;
  for (auto& l : lines) s += l + "\r\n";
  return s;
}

TEST(TournamentFile, EmptyTournamentWritesCountsSettingsAndValues) {
  Tournament t;
  auto lines = Lines(SerializeTournament(t));
  ASSERT_EQ(lines.size(), 2u + 31 + 1 + 1 + 4 + 1 + 1);
  EXPECT_EQ(lines[0], "0");
  EXPECT_EQ(lines[1], "0");
  EXPECT_EQ(lines[2 + 2], "2");   // PowNeg 0 + marker
  EXPECT_EQ(lines[2 + 5], "2");   // TUHSort 0 + marker
  EXPECT_EQ(lines[2 + 16], "1");  // SortCriterion
  EXPECT_EQ(lines[2 + 22], "1");  // style code: Paths 1
  EXPECT_EQ(lines[2 + 23], "_rounds.html");
  EXPECT_EQ(lines.back(), "0");
  EXPECT_EQ(SerializeTournament(t).substr(0, 3), "0\r\n");
}

TEST(TournamentFile, MarkersCarryTheFlagsPlusTwo) {
  Tournament t;
  t.Format.PowNeg = 1;
  t.Format.TUHSort = 0;
  auto lines = Lines(SerializeTournament(t));
  EXPECT_EQ(lines[4], "3");
  EXPECT_EQ(lines[7], "2");
  Tournament back = ParseTournament(SerializeTournament(t), Tournament{});
  EXPECT_EQ(back.Format.PowNeg, 1);
  EXPECT_EQ(back.Format.TUHSort, 0);
}

TEST(TournamentFile, EarlierLayoutHasNoExhibitionOrPacketSections) {
  Tournament t;
  t.Rosters = {{"A", "p"}, {"B"}};
  std::string text = "2\r\n2\r\nA\r\np\r\n1\r\nB\r\n0\r\n";
  auto settings = Lines(EmptyFileWithSettings({{3, "1"}, {6, "1"}}));
  for (std::size_t i = 2; i < 2 + 31; ++i) text += settings[i] + "\r\n";
  text += "0\r\n1\r\n4\r\n15\r\n10\r\n-5\r\n0\r\n";  // no divisions; one team division
  // Lines that would be a packet section must not be read as one.
  text += "1\r\nPacket\r\n";
  Tournament back = ParseTournament(text, Tournament{});
  EXPECT_EQ(back.Format.PowNeg, 1);
  EXPECT_EQ(back.Format.TUHSort, 1);
  EXPECT_TRUE(back.PacketNames.empty());
  EXPECT_EQ(back.ExhibitionTeam, (std::vector<int>{0, 0}));
  EXPECT_EQ(back.TeamDivision, (std::vector<int>{4, -1}));
  EXPECT_EQ(back.QuestionValues, (std::array<int, 4>{15, 10, -5, 0}));
}

TEST(TournamentFile, WarningFlagsAndStyleCodesDecodeAsWeights) {
  auto read = [](const std::string& flags, const std::string& style) {
    return ParseTournament(EmptyFileWithSettings({{7, flags}, {23, style}}), Tournament{}).Format;
  };
  TourneyFormat f = read("254", "3");
  EXPECT_TRUE(f.Warning1 && f.Warning2 && f.Warning3 && f.Warning4 && f.Warning5 && f.Warning6 &&
              f.Warning7);
  EXPECT_EQ(f.Paths, 1);
  EXPECT_EQ(f.BritishStyle, 1);
  f = read("255", "7");
  EXPECT_TRUE(f.Warning7);
  EXPECT_EQ(f.Paths, 1);
  EXPECT_EQ(f.BritishStyle, 0);
  f = read("128", "2");
  EXPECT_EQ(f.Warning1, 1);
  EXPECT_EQ(f.Warning2 + f.Warning3 + f.Warning4 + f.Warning5 + f.Warning6 + f.Warning7, 0);
  EXPECT_EQ(f.Paths, 0);
  EXPECT_EQ(f.BritishStyle, 1);
  f = read("x", "");
  EXPECT_EQ(f.Warning1, 0);
  EXPECT_EQ(f.Paths, 0);
}

// Every setting and every game figure at an extreme: the lines the writer derives from them
// (the two markers, the warning flags, the style code, the packed bouncebacks) are the exact
// 64-bit results, and the file opens again.
TEST(TournamentFile, ExtremeValuesWriteExactDerivedLinesAndOpenAgain) {
  for (const int v : {INT_MAX, INT_MIN}) {
    for (const bool packed : {false, true}) {
      SCOPED_TRACE(std::to_string(v) + (packed ? " packed" : ""));
      Tournament t;
      TourneyFormat& f = t.Format;
      // clang-format off
      for (int* setting :
           {&f.TrackBonuses, &f.BonusMode, &f.PowNeg, &f.Sixty, &f.TUHeard, &f.TUHSort,
            &f.Warning1, &f.Warning2, &f.Warning3, &f.Warning4, &f.Warning5, &f.Warning6,
            &f.Warning7, &f.AllRounds, &f.RoundsMin, &f.RoundsMax, &f.SortByRound,
            &f.BritishStyle, &f.Paths, &f.TeamStandings, &f.IndividualStandings, &f.Scoreboard,
            &f.TeamDetail, &f.IndividualDetail, &f.RoundReports, &f.StatKey, &f.StyleSheet,
            &f.Divisions, &f.SortCriterion, &f.AutoSaveMin, &f.QuickPrintFontSize,
            &f.RepeatAvoidance, &f.SwissTUH, &f.RRNoLimit, &f.RRRooms, &f.RandomNoLimit,
            &f.RandomRooms, &f.RandomRounds})
        *setting = v;
      if (packed) f.BonusMode = 3;
      GameStats g;
      for (int* figure : {&g.TeamA, &g.TeamB, &g.ScoreA, &g.ScoreB, &g.BHA, &g.BPA, &g.BHB,
                          &g.BPB, &g.BncBkA, &g.BncBkPtsA, &g.BncBkB, &g.BncBkPtsB, &g.SixtyA,
                          &g.SixtyB, &g.TUH, &g.Round, &g.Forfeit, &g.Overtime, &g.OTA, &g.OTB})
        *figure = v;
      // clang-format on
      for (int j = 0; j < kRows; ++j) {
        for (int k = 0; k < kColumns; ++k) g.QA(k, j) = g.QB(k, j) = v;
        g.PlayerA[j] = g.PlayerB[j] = g.PtsA[j] = g.PtsB[j] = v;
        g.GPA[j] = g.GPB[j] = 1;
      }
      t.Games.push_back(g);
      t.QuestionValues = {v, v, v, v};
      t.TeamDivision = {v};
      t.ExhibitionTeam = {v};

      const std::string bytes = SerializeTournament(t);
      const auto lines = Lines(bytes);
      const std::size_t game = 2, settings = game + 17 + kRows * 14;
      const long long big = v;
      EXPECT_EQ(lines.at(game + 7), std::to_string(packed ? big + 10000 * big : big));
      EXPECT_EQ(lines.at(settings + 2), std::to_string(big + 2));
      EXPECT_EQ(lines.at(settings + 5), std::to_string(big + 2));
      EXPECT_EQ(lines.at(settings + 6), std::to_string(big * 254));
      EXPECT_EQ(lines.at(settings + 22), std::to_string(big * 3));
      const Tournament back = ParseTournament(bytes, Tournament{});
      ASSERT_EQ(back.Games.size(), 1u);
      if (!packed) {
        g.BncBkA = g.BncBkPtsA = g.BncBkB = g.BncBkPtsB = 0;  // stored only when packed
        EXPECT_EQ(back.Games[0], g);
      }
      EXPECT_EQ(back.QuestionValues, t.QuestionValues);
    }
  }
}

TEST(TournamentFile, BouncebacksArePackedInModeThree) {
  Tournament t;
  t.Format.BonusMode = 3;
  t.Rosters = {{"A"}, {"B"}};
  GameStats g;
  g.TeamB = 1;
  g.BHA = 12;
  g.BncBkA = 3;
  g.BPB = 40;
  g.BncBkPtsB = 20;
  g.GPA[0] = 0.5;
  g.GPB[0] = 1;
  t.Games.push_back(g);
  auto lines = Lines(SerializeTournament(t));
  // Team count, two teams of 2 lines, game count, then the game: BHA is its 8th line.
  EXPECT_EQ(lines[6 + 7], "30012");
  EXPECT_EQ(lines[6 + 10], "200040");
  EXPECT_EQ(lines[6 + 18], "0.5");
  EXPECT_EQ(lines[6 + 18 + 7], "1");
  Tournament back = ParseTournament(SerializeTournament(t), Tournament{});
  EXPECT_EQ(back.Games.at(0), g);
}

TEST(TournamentFile, OpeningKeepsUnstoredSettingsAndSetsTheRoundsToOne) {
  Tournament base;
  base.Format.AutoSaveMin = 7;
  base.Format.Password = "secret";
  base.Format.RandomRounds = 9;
  Tournament back = ParseTournament(SerializeTournament(Tournament{}), base);
  EXPECT_EQ(back.Format.AutoSaveMin, 7);
  EXPECT_EQ(back.Format.Password, "secret");
  EXPECT_EQ(back.Format.RandomRounds, 9);
  EXPECT_EQ(back.Format.AllRounds, 1);
  EXPECT_EQ(back.Format.RoundsMin, 1);
  EXPECT_EQ(back.Format.RoundsMax, 1);
  EXPECT_EQ(SerializeTournament(back).find("secret"), std::string::npos);
}

TEST(TournamentFile, GeneratedTournamentsReadBackEqualAndWriteTheSameBytes) {
  for (std::uint32_t seed = 1; seed <= 40; ++seed) {
    GeneratedShape shape;
    shape.seed = seed;
    shape.teams = 2 + static_cast<int>(seed % 13);
    shape.games = static_cast<int>(seed * 3);
    shape.bonusMode = static_cast<int>(seed % 4);
    shape.divisions = static_cast<int>(seed % 3);
    Tournament t = GenerateTournament(shape);
    const std::string bytes = SerializeTournament(t);
    Tournament back = ParseTournament(bytes, Tournament{});
    EXPECT_EQ(back.Rosters, t.Rosters);
    EXPECT_EQ(back.Games, t.Games) << "seed " << seed;
    EXPECT_EQ(back.DivisionNames, t.DivisionNames);
    EXPECT_EQ(back.TeamDivision, t.TeamDivision);
    EXPECT_EQ(back.ExhibitionTeam, t.ExhibitionTeam);
    EXPECT_EQ(back.PacketNames, t.PacketNames);
    EXPECT_EQ(back.QuestionValues, t.QuestionValues);
    EXPECT_EQ(back.Format, t.Format);
    EXPECT_EQ(SerializeTournament(back), bytes);
  }
}

TEST(TournamentFile, ReadsBareLineFeedsAndStopsAtControlZ) {
  std::string text = SerializeTournament(Tournament{});
  std::string lf;
  for (char c : text)
    if (c != '\r') lf += c;
  Tournament t;
  t.Rosters = {{"A"}};
  t.TeamDivision = {-1};
  t.ExhibitionTeam = {0};
  std::string withZ = SerializeTournament(t);
  withZ.insert(withZ.size() - 6, "\x1a");  // the exhibition section is cut off
  EXPECT_EQ(ParseTournament(lf, Tournament{}).Format, ParseTournament(text, Tournament{}).Format);
  Tournament back = ParseTournament(withZ, Tournament{});
  EXPECT_EQ(back.ExhibitionTeam, (std::vector<int>{0}));
}

TEST(TournamentFile, FileEndingEarlyReadsMissingLinesAsEmpty) {
  Tournament back = ParseTournament("1\r\n2\r\nTeam\r\nPlayer\r\n0\r\n1\r\n", Tournament{});
  EXPECT_EQ(back.Rosters.size(), 1u);
  EXPECT_EQ(back.Format.TrackBonuses, 1);
  EXPECT_EQ(back.Format.SortCriterion, 1);
  EXPECT_EQ(back.Format.StandingsFile, "");
  EXPECT_EQ(back.TeamDivision, (std::vector<int>{-1}));
}

TEST(TournamentFile, HostileCountsStopWithTheFileEndsEarly) {
  // Each count line of an otherwise sound file, in turn, given a value that is too large
  // for the lines left, negative, or out of the 32-bit range.
  Tournament sound;
  sound.Rosters = {{"Alpha", "Ann"}, {"Beta"}};
  sound.TeamDivision = {0, -1};
  sound.ExhibitionTeam = {0, 0};
  sound.DivisionNames = {"East"};
  sound.Games.resize(1);
  const std::vector<std::string> lines = Lines(SerializeTournament(sound));
  const std::size_t teams = 0, strings = 1, games = 6;
  const std::size_t divisions = games + 1 + 129 + 31;  // 129 lines a game, 31 settings
  ASSERT_EQ(lines.at(games), "1");
  ASSERT_EQ(lines.at(divisions + 1), "East");
  for (std::size_t at : {teams, strings, games, divisions}) {
    for (const char* value : {"2000000000", "-1", "-2147483648", "99999999999999999999"}) {
      if (at == games && std::string(value) == "2000000000") continue;  // not bounded by lines
      std::vector<std::string> changed = lines;
      changed.at(at) = value;
      std::string text;
      for (const auto& l : changed) text += l + "\r\n";
      try {
        ParseTournament(text, Tournament{});
        ADD_FAILURE() << "line " << at << " = " << value << " was read";
      } catch (const DravError& e) {
        EXPECT_STREQ(e.what(), "The file ends early") << "line " << at << " = " << value;
      }
    }
  }
  // "-0" is zero, and other text on a count line still reads as no items.
  EXPECT_TRUE(ParseTournament("-0\r\n0\r\n", Tournament{}).Rosters.empty());
  EXPECT_TRUE(ParseTournament("0\r\nnone\r\n", Tournament{}).Games.empty());
}

TEST(TournamentFile, ResaveOfAnOutOfRangeGameCountFailsAndWritesNothing) {
  const std::string dir = test::MakeTempDir();
  Tournament t;
  t.Rosters = {{"Alpha", "Ann"}};
  t.Games.resize(2);
  std::vector<std::string> lines = Lines(SerializeTournament(t));
  ASSERT_EQ(lines.at(4), "2");
  for (const char* value : {"99999999999999999999", "-2147483648"}) {
    lines.at(4) = value;
    std::string hostile;
    for (const auto& l : lines) hostile += l + "\r\n";
    test::WriteFile(dir + "/in.dat", hostile);
    auto r = test::RunCli({"resave", dir + "/in.dat", dir + "/out.dat"});
    EXPECT_EQ(r.exitCode, 1) << value;
    EXPECT_EQ(r.err, "The file ends early\n") << value;
    EXPECT_FALSE(std::filesystem::exists(dir + "/out.dat")) << value;
  }
}

TEST(TournamentFile, MissingGameFailsOnItsFirstGamesPlayedLine) {
  try {
    ParseTournament("0\r\n3\r\n", Tournament{});
    FAIL();
  } catch (const DravError& e) {
    EXPECT_STREQ(e.what(), "'' is not a valid floating point value");
  }
}

TEST(TournamentFile, KeepsLongLinesWhole) {
  Tournament t;
  t.Format.TourneyName = std::string(5000, 'x');
  EXPECT_EQ(ParseTournament(SerializeTournament(t), Tournament{}).Format.TourneyName.size(), 5000u);
}

TEST(TournamentFile, LineBreaksInNamesCannotBreakTheFile) {
  Tournament t;
  t.Rosters = {{"Two\r\nLines", "Ctrl\x1aZ"}};
  t.TeamDivision = {-1};
  t.ExhibitionTeam = {0};
  Tournament back = ParseTournament(SerializeTournament(t), Tournament{});
  EXPECT_EQ(back.Rosters.at(0).at(0), "Two  Lines");
  EXPECT_EQ(back.Rosters.at(0).at(1), "Ctrl Z");
}

// A NUL would cut a name where it is shown or used as a path; written or read, it is a space.
TEST(TournamentFile, NulBytesInNamesAreSpacesBothWays) {
  Tournament t;
  t.Rosters = {{std::string("Nul\0Team", 8), "Ann"}};
  t.TeamDivision = {-1};
  t.ExhibitionTeam = {0};
  const std::string written = SerializeTournament(t);
  EXPECT_EQ(written.find('\0'), std::string::npos);
  EXPECT_EQ(ParseTournament(written, Tournament{}).Rosters.at(0).at(0), "Nul Team");
  const std::string received("1\r\n1\r\nA\0B\r\n0\r\n", 14);
  EXPECT_EQ(ParseTournament(received, Tournament{}).Rosters.at(0).at(0), "A B");
}

class TournamentFileOnDisk : public ::testing::Test {
 protected:
  void SetUp() override { dir_ = test::MakeTempDir(); }
  std::string dir_;
};

TEST_F(TournamentFileOnDisk, OpenThatCannotReadChangesNothing) {
  Tournament t = GenerateTournament({});
  t.FileName = "before.dat";
  const Tournament before = t;
  try {
    OpenTournament(t, dir_ + "/missing.dat");
    FAIL();
  } catch (const DravError& e) {
    EXPECT_EQ(std::string(e.what()), "Cannot open " + dir_ + "/missing.dat");
  }
  EXPECT_EQ(t.FileName, "before.dat");
  EXPECT_EQ(t.Games, before.Games);
  EXPECT_EQ(t.Rosters, before.Rosters);
}

TEST_F(TournamentFileOnDisk, OpenStoppingOnABadGamesPlayedLineChangesNothing) {
  Tournament other = GenerateTournament({.teams = 4, .games = 3});
  std::string text = SerializeTournament(other);
  const std::size_t gp = text.find("\r\n1\r\n", text.find("\r\n0\r\n", 200));
  ASSERT_NE(gp, std::string::npos);
  const std::string path = dir_ + "/bad.dat";
  Tournament original = GenerateTournament({.teams = 6, .games = 5, .seed = 9});
  // Corrupt the first games-played value of the first game.
  auto lines = Lines(text);
  std::size_t line = 1;
  for (int team = 0; team < other.TeamCount(); ++team) line += other.Rosters[team].size() + 1;
  line += 1 + 17 + 1;  // game count, 17 game lines, PlayerA of row 1
  lines.at(line) = "1/2";
  std::string broken;
  for (auto& l : lines) broken += l + "\r\n";
  test::WriteFile(path, broken);
  Tournament t = original;
  try {
    OpenTournament(t, path);
    FAIL();
  } catch (const DravError& e) {
    EXPECT_STREQ(e.what(), "'1/2' is not a valid floating point value");
  }
  EXPECT_EQ(t.Games, original.Games);
  EXPECT_EQ(t.FileName, original.FileName);
}

TEST_F(TournamentFileOnDisk, SaveThenOpenRoundTripsAndSetsTheCounts) {
  Tournament t = GenerateTournament({.games = 12});
  const std::string path = dir_ + "/t.dat";
  WriteTournament(t, path);
  EXPECT_EQ(t.SavedGameCount, 12);
  Tournament opened;
  opened.Format.AutoSaveMin = 3;
  OpenTournament(opened, path);
  EXPECT_EQ(opened.FileName, path);
  EXPECT_EQ(opened.SavedGameCount, 12);
  EXPECT_EQ(opened.Format.AutoSaveMin, 3);
  EXPECT_EQ(opened.Games, t.Games);
}

TEST_F(TournamentFileOnDisk, FailedWriteKeepsTheOldFileAndTheSavedCount) {
  Tournament t = GenerateTournament({.games = 4});
  t.SavedGameCount = 1;
  EXPECT_THROW(WriteTournament(t, dir_ + "/no/such/dir/t.dat"), DravError);
  EXPECT_EQ(t.SavedGameCount, 1);

  const std::string path = dir_ + "/keep.dat";
  test::WriteFile(path, "old");
  chmod(dir_.c_str(), 0500);  // the temporary file cannot be created beside the target
  const bool writable = access(dir_.c_str(), W_OK) == 0;  // root ignores the mode
  if (!writable) {
    EXPECT_THROW(WriteTournament(t, path), DravError);
    EXPECT_EQ(test::ReadFile(path), "old");
  }
  chmod(dir_.c_str(), 0700);
}

}  // namespace
}  // namespace drav
