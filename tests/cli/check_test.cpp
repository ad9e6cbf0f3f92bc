#include <gtest/gtest.h>

#include "storage/tournament_file.h"
#include "support/cli_runner.h"

namespace drav {
namespace {

using test::RunCli;

GameStats Game(const char* id, int teamA, int teamB, int scoreA, int scoreB) {
  GameStats g;
  g.GID = id;
  g.TeamA = teamA;
  g.TeamB = teamB;
  g.ScoreA = scoreA;
  g.ScoreB = scoreB;
  g.TUH = 20;
  for (int r = 0; r < 4; ++r) {
    g.PlayerA[r] = r;
    g.GPA[r] = 1;
    g.PlayerB[r] = r;
    g.GPB[r] = 1;
  }
  return g;
}

// A file whose warning switches are all off: the command switches all seven on.
std::string WriteSample(const std::string& dir) {
  Tournament t;
  t.Format.TrackBonuses = 1;
  t.Format.BonusMode = 1;
  t.QuestionValues = {15, 10, -5, 0};
  t.Rosters = {{"Alpha", "Ann", "Abe", "Amy", "Art"}, {"Beta", "Bea", "Bob", "Bud", "Bo"}};
  GameStats clean = Game("clean", 0, 1, 40, 10);
  clean.Q1A[0] = 2;
  clean.PtsA[0] = 20;
  clean.BHA = 2;
  clean.BPA = 20;
  clean.Q1B[0] = 1;
  clean.PtsB[0] = 10;
  clean.BHB = 1;
  t.Games.push_back(clean);
  GameStats itself = Game("7", 1, 1, 0, 0);
  itself.TUH = -1;
  t.Games.push_back(itself);
  GameStats forfeit = Game("forfeit", 0, 1, -1, -1);
  forfeit.Forfeit = 1;
  t.Games.push_back(forfeit);
  GameStats wrong = clean;
  wrong.GID = "R2 game";
  wrong.ScoreB = 15;
  wrong.BPB = 0;
  t.Games.push_back(wrong);
  const std::string path = dir + "/checked.dat";
  WriteTournament(t, path);
  return path;
}

TEST(CliCheck, ListsTheWarningsOfEveryStoredGame) {
  const std::string dir = test::MakeTempDir();
  auto r = RunCli({"check", WriteSample(dir)});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out,
            "7: Team Playing Itself\n"
            "7: Negative Toss-Ups Heard\n"
            "R2 game: Individual and Bonus Scores Do Not Add to Total Score for Beta\n");
  EXPECT_EQ(r.err, "");
}

TEST(CliCheck, MoreAddsTheFurtherChecksAfterTheWarnings) {
  const std::string dir = test::MakeTempDir();
  Tournament t;
  OpenTournament(t, WriteSample(dir));
  t.Format.TUHeard = 1;
  t.Games[0].Q2A[1] = 19;  // 21 answers of 20 heard
  WriteTournament(t, dir + "/more.dat");
  auto r = RunCli({"check", dir + "/more.dat", "--more"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out,
            "clean: Alpha answered 21 toss-ups, more than the 20 heard\n"
            "7: Team Playing Itself\n"
            "7: Negative Toss-Ups Heard\n"
            "R2 game: Individual and Bonus Scores Do Not Add to Total Score for Beta\n");
  // The sample tournament is plausible.
  r = RunCli({"check", test::TestData("../../examples/sample-tournament.dat"), "--more"});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "");
}

TEST(CliCheck, PrintsNothingForATournamentWithoutGames) {
  const std::string dir = test::MakeTempDir();
  test::WriteFile(dir + "/empty.dat", "0\r\n0\r\n");
  auto r = RunCli({"check", dir + "/empty.dat"});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "");
}

TEST(CliCheck, ReportsUnreadableInputAndUsage) {
  const std::string dir = test::MakeTempDir();
  auto r = RunCli({"check", dir + "/missing.dat"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.err, "Cannot open " + dir + "/missing.dat\n");
  EXPECT_EQ(r.out, "");

  test::WriteFile(dir + "/bad.dat",
                  "0\r\n1\r\ng\r\n0\r\n1\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n"
                  "0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n-1\r\nhalf\r\n");
  r = RunCli({"check", dir + "/bad.dat"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.err, "'half' is not a valid floating point value\n");

  EXPECT_EQ(RunCli({"check"}).exitCode, 2);
  EXPECT_EQ(RunCli({"check", "a", "b"}).exitCode, 2);
  EXPECT_EQ(RunCli({"check", "a", "--rounds", "1-2"}).exitCode, 2);
}

}  // namespace
}  // namespace drav
