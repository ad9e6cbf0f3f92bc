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
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace drav
