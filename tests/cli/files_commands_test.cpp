// read-rosters, convert, merge and sort, end to end. The expected files under tests/data
// were checked line by line by hand.
#include <gtest/gtest.h>

#include <filesystem>

#include "storage/tournament_file.h"
#include "support/cli_runner.h"
#include "support/generated_tournament.h"

namespace drav {
namespace {

using test::ReadFile;
using test::RunCli;
using test::TestData;

class CliFiles : public ::testing::Test {
 protected:
  void SetUp() override { dir_ = test::MakeTempDir(); }
  void TearDown() override {
    std::error_code ignored;
    std::filesystem::remove_all(dir_, ignored);
  }
  std::string Out() const { return dir_ + "/out.dat"; }
  bool OutExists() const { return std::filesystem::exists(Out()); }
  std::string dir_;
};

TEST_F(CliFiles, ReadRostersWithDivisionsAndChoices) {
  auto r =
      RunCli({"read-rosters", TestData("read_rosters_divisions/roster.txt"), Out(), "--divisions",
              "--bonus", "bouncebacks", "--values", "20,10,0,-5", "--lightning"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(ReadFile(Out()), ReadFile(TestData("read_rosters_divisions/expected.dat")));
}

TEST_F(CliFiles, ReadRostersDefaultsAreTheNewTournamentWindow) {
  test::WriteFile(dir_ + "/r.txt", "Solo\nPat\n.\n~\n");
  auto r = RunCli({"read-rosters", dir_ + "/r.txt", Out(), "--no-tuh", "--no-pow-neg"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  Tournament t;
  OpenTournament(t, Out());
  EXPECT_EQ(t.Rosters, (std::vector<std::vector<std::string>>{{"Solo", "Pat"}}));
  EXPECT_EQ(t.QuestionValues, (std::array<int, 4>{15, 10, -5, 0}));
  EXPECT_EQ(t.Format.BonusMode, 1);
  EXPECT_EQ(t.Format.TrackBonuses, 1);
  EXPECT_EQ(t.Format.TUHeard, 0);
  EXPECT_EQ(t.Format.PowNeg, 0);
  EXPECT_EQ(t.Format.Divisions, 0);
  EXPECT_EQ(t.TeamDivision, (std::vector<int>{-1}));
}

TEST_F(CliFiles, ReadRostersUsageErrors) {
  test::WriteFile(dir_ + "/r.txt", "Solo\n.\n~\n");
  for (const std::vector<std::string>& extra : {std::vector<std::string>{"--values", "1,2,3"},
                                                {"--values", "1,2,x,4"},
                                                {"--bonus", "sometimes"},
                                                {"--colour", "red"}}) {
    std::vector<std::string> args{"read-rosters", dir_ + "/r.txt", Out()};
    args.insert(args.end(), extra.begin(), extra.end());
    auto r = RunCli(args);
    EXPECT_EQ(r.exitCode, 2) << extra[0];
    EXPECT_FALSE(OutExists());
  }
}

TEST_F(CliFiles, ConvertVersionOneAndTwo) {
  auto r = RunCli({"convert", "v1", TestData("convert_v1/input.v1"), Out()});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(ReadFile(Out()), ReadFile(TestData("convert_v1/expected.dat")));
  r = RunCli({"convert", "v2", TestData("convert_v2/input.v2"), Out()});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(ReadFile(Out()), ReadFile(TestData("convert_v2/expected.dat")));
}

TEST_F(CliFiles, ConvertFailuresWriteNothing) {
  auto r = RunCli({"convert", "v1", dir_ + "/missing.v1", Out()});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.err, "Cannot open " + dir_ + "/missing.v1\n");

  std::string text = ReadFile(TestData("convert_v1/input.v1"));
  text.replace(text.find("\r\n120\r\n"), 7, "\r\n12O\r\n");
  test::WriteFile(dir_ + "/bad.v1", text);
  r = RunCli({"convert", "v1", dir_ + "/bad.v1", Out()});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.err, "'12O' is not a valid integer value\n");

  text = ReadFile(TestData("convert_v2/input.v2"));
  text.replace(text.find("\r\n0.5\r\n"), 7, "\r\n.\r\n");
  test::WriteFile(dir_ + "/bad.v2", text);
  r = RunCli({"convert", "v2", dir_ + "/bad.v2", Out()});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.err, "'.' is not a valid floating point value\n");
  EXPECT_FALSE(OutExists());

  EXPECT_EQ(RunCli({"convert", "v3", TestData("convert_v2/input.v2"), Out()}).exitCode, 2);
  EXPECT_FALSE(OutExists());
}

TEST_F(CliFiles, MergeSharedTeamsDivisionsAndStrayReferences) {
  auto r = RunCli(
      {"merge", TestData("merge_shared/first.dat"), TestData("merge_shared/other.dat"), Out()});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(ReadFile(Out()), ReadFile(TestData("merge_shared/expected.dat")));
}

TEST_F(CliFiles, MergeFailuresWriteNothing) {
  auto r = RunCli({"merge", TestData("merge_shared/first.dat"), dir_ + "/none.dat", Out()});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.err, "Cannot open " + dir_ + "/none.dat\n");
  EXPECT_FALSE(OutExists());
  EXPECT_EQ(RunCli({"merge", TestData("merge_shared/first.dat"), Out()}).exitCode, 2);
}

TEST_F(CliFiles, SortGamesRoundsAndTeams) {
  test::GeneratedShape shape;
  shape.teams = 9;
  shape.games = 30;
  shape.divisions = 2;
  Tournament t = test::GenerateTournament(shape);
  WriteTournament(t, dir_ + "/in.dat");

  ASSERT_EQ(RunCli({"sort", "games", dir_ + "/in.dat", Out()}).exitCode, 0);
  Tournament sorted;
  OpenTournament(sorted, Out());
  for (std::size_t i = 1; i < sorted.Games.size(); ++i)
    EXPECT_LE(sorted.Games[i - 1].GID, sorted.Games[i].GID);

  ASSERT_EQ(RunCli({"sort", "rounds", dir_ + "/in.dat", Out()}).exitCode, 0);
  OpenTournament(sorted, Out());
  for (std::size_t i = 1; i < sorted.Games.size(); ++i)
    EXPECT_LE(sorted.Games[i - 1].Round, sorted.Games[i].Round);

  ASSERT_EQ(RunCli({"sort", "teams", dir_ + "/in.dat", Out()}).exitCode, 0);
  OpenTournament(sorted, Out());
  ASSERT_EQ(sorted.Games.size(), t.Games.size());
  for (std::size_t i = 1; i < sorted.Rosters.size(); ++i)
    EXPECT_LE(sorted.Rosters[i - 1][0], sorted.Rosters[i][0]);
  for (std::size_t i = 0; i < t.Games.size(); ++i) {
    EXPECT_EQ(sorted.Rosters[sorted.Games[i].TeamA], t.Rosters[t.Games[i].TeamA]);
    EXPECT_EQ(sorted.DivisionOf(sorted.Games[i].TeamB), t.DivisionOf(t.Games[i].TeamB));
  }

  EXPECT_EQ(RunCli({"sort", "players", dir_ + "/in.dat", Out()}).exitCode, 2);
}

}  // namespace
}  // namespace drav
