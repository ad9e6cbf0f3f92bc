// drav-cli results and check --results on the sample tournament and a damaged copy.
#include <gtest/gtest.h>

#include <filesystem>

#include "storage/results_csv.h"
#include "storage/tournament_file.h"
#include "support/cli_runner.h"

namespace drav {
namespace {

using test::RunCli;

std::string Sample() {
  return test::TestData("../../examples/sample-tournament.dat");
}

std::vector<std::string> Lines(const std::string& text, const char* end) {
  std::vector<std::string> lines;
  std::size_t at = 0;
  const std::size_t step = std::char_traits<char>::length(end);
  while (at < text.size()) {
    const std::size_t next = text.find(end, at);
    lines.push_back(text.substr(at, next - at));
    if (next == std::string::npos) break;
    at = next + step;
  }
  return lines;
}

TEST(ResultsCommand, TheSamplesCsvListsEachOfItsGamesInRoundOrder) {
  const std::string dir = test::MakeTempDir();
  const test::CliResult r = RunCli({"results", Sample(), dir + "/results.csv"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "28 games written\n");
  EXPECT_EQ(r.err, "");  // the sample lacks nothing
  const std::vector<std::string> lines = Lines(test::ReadFile(dir + "/results.csv"), "\r\n");
  ASSERT_EQ(lines.size(), 29u);
  EXPECT_EQ(lines[0], kResultsCsvHeader);
  int lastRound = 0;
  for (std::size_t i = 1; i < lines.size(); ++i) {
    const int round = std::stoi(lines[i]);
    EXPECT_GE(round, lastRound) << lines[i];
    lastRound = round;
  }
  EXPECT_EQ(RunCli({"check", Sample(), "--results"}).out, "");
  std::filesystem::remove_all(dir);
}

TEST(ResultsCommand, PreflightFindsTheFaultsPlantedInACopy) {
  const std::string dir = test::MakeTempDir();
  Tournament t;
  OpenTournament(t, Sample());
  t.Games[2].Round = 0;
  t.Games[5].ScoreB = -1;
  GameStats again = t.Games[7];
  again.ScoreOnly = true;
  t.Games.push_back(again);
  WriteTournament(t, dir + "/faulty.dat");
  const auto name = [&](int game) {
    const GameStats& g = t.Games[static_cast<std::size_t>(game)];
    return "Game " + std::to_string(game + 1) + " (" + t.TeamName(g.TeamA) + " vs. " +
           t.TeamName(g.TeamB) + ")";
  };
  const test::CliResult check = RunCli({"check", dir + "/faulty.dat", "--results"});
  EXPECT_EQ(check.exitCode, 0);
  EXPECT_EQ(Lines(check.out, "\n"),
            (std::vector<std::string>{
                name(2) + " has no round", name(5) + " has no score",
                name(28) + " repeats a game of round " + std::to_string(again.Round)}));
  const test::CliResult results = RunCli({"results", dir + "/faulty.dat", dir + "/out.csv"});
  EXPECT_EQ(results.exitCode, 0);
  EXPECT_NE(results.err.find("warning: " + name(5) + " has no score"), std::string::npos);
  EXPECT_EQ(results.out, "29 games written\n");
  // Against the names a database registered, the team spelled otherwise is named.
  std::string names;
  for (int team = 1; team < t.TeamCount(); ++team) names += t.TeamName(team) + "\r\n";
  test::WriteFile(dir + "/registered.txt", names + "Somewhere Else\r\n");
  const test::CliResult registered =
      RunCli({"check", dir + "/faulty.dat", "--results", "--registered", dir + "/registered.txt"});
  EXPECT_NE(registered.out.find("Team " + t.TeamName(0) + " is not named as registered"),
            std::string::npos)
      << registered.out;
  std::filesystem::remove_all(dir);
}

TEST(ImportResultsCommand, IntoAFileAllOrNothing) {
  const std::string dir = test::MakeTempDir();
  Tournament t;
  OpenTournament(t, Sample());
  const std::string a = t.TeamName(0), b = t.TeamName(1);
  test::WriteFile(dir + "/good.csv",
                  "Round,Team A,Score A,Team B,Score B\n9," + a + ",200," + b + ",150\n");
  test::CliResult r =
      RunCli({"import-results", dir + "/good.csv", "--into", Sample(), dir + "/out.dat"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "1 result imported\n");
  Tournament out;
  OpenTournament(out, dir + "/out.dat");
  ASSERT_EQ(out.GameCount(), 29);
  EXPECT_TRUE(out.Games.back().ScoreOnly);
  EXPECT_EQ(out.Games.back().Round, 9);

  test::WriteFile(dir + "/bad.csv", "Round,Team A,Score A,Team B,Score B\n9," + a + ",200," + b +
                                        ",150\n9,Nobody,10," + b + ",20\n");
  r = RunCli({"import-results", dir + "/bad.csv", "--into", Sample(), dir + "/bad.dat"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find("line 3: unknown team \"Nobody\""), std::string::npos) << r.err;
  EXPECT_FALSE(std::filesystem::exists(dir + "/bad.dat"));
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace drav
