#include <gtest/gtest.h>

#include <string>

#include "storage/tournament_file.h"
#include "support/cli_runner.h"
#include "support/generated_tournament.h"

namespace drav {
namespace {

using test::RunCli;

// A generated tournament of the given size written to a fresh directory.
std::string TournamentFile(int teams, int games) {
  test::GeneratedShape shape;
  shape.teams = teams;
  shape.games = games;
  Tournament t = test::GenerateTournament(shape);
  t.Format.Divisions = 0;
  const std::string path = test::MakeTempDir() + "/t.dat";
  WriteTournament(t, path);
  return path;
}

int CountLines(const std::string& text, const std::string& start) {
  int count = 0;
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t end = text.find('\n', pos);
    if (text.compare(pos, start.size(), start) == 0) ++count;
    if (end == std::string::npos) break;
    pos = end + 1;
  }
  return count;
}

TEST(CliSchedule, RoundRobinWithAndWithoutRoomLimit) {
  const std::string file = TournamentFile(6, 10);
  auto free = RunCli({"schedule", "round-robin", file});
  ASSERT_EQ(free.exitCode, 0) << free.err;
  EXPECT_EQ(CountLines(free.out, "Round "), 5);
  EXPECT_EQ(CountLines(free.out, " "), 5);
  auto limited = RunCli({"schedule", "round-robin", file, "--rr-rooms", "2"});
  ASSERT_EQ(limited.exitCode, 0) << limited.err;
  EXPECT_NE(limited.out.find("Round  8 \n"), std::string::npos);
  // A zero limit means no limit.
  EXPECT_EQ(RunCli({"schedule", "round-robin", file, "--rr-rooms", "0"}).out, free.out);
}

TEST(CliSchedule, RandomRepeatedInOneRunContinuesTheSequence) {
  const std::string file = TournamentFile(8, 10);
  auto once = RunCli({"schedule", "random", file, "--random-rounds", "3"});
  ASSERT_EQ(once.exitCode, 0) << once.err;
  EXPECT_EQ(CountLines(once.out, "Round "), 3);
  EXPECT_EQ(RunCli({"schedule", "random", file, "--random-rounds", "3"}).out, once.out);
  auto twice = RunCli({"schedule", "random", file, "--random-rounds", "3", "--times", "2"});
  ASSERT_EQ(twice.exitCode, 0) << twice.err;
  ASSERT_EQ(twice.out.compare(0, once.out.size(), once.out), 0);
  EXPECT_NE(twice.out.substr(once.out.size()), once.out);
  EXPECT_EQ(CountLines(twice.out, "Round "), 6);

  auto none = RunCli({"schedule", "random", file, "--random-rounds", "0"});
  EXPECT_EQ(none.out, "Cannot give each team exactly one game\n");
  auto roomless = RunCli({"schedule", "random", file, "--random-rooms", "0"});
  EXPECT_EQ(roomless.out, "Cannot give each team exactly one game\n");
}

// A division of two teams over four rounds has no schedule, but its search still takes its
// draws: the division after it, and the next run, start from where that search left off.
TEST(CliSchedule, RandomGroupWithoutScheduleAdvancesTheLaterGroupsAndRuns) {
  Tournament t;
  for (int i = 1; i <= 7; ++i) t.Rosters.push_back({"T" + std::to_string(i)});
  t.Format.Divisions = 1;
  t.DivisionNames = {"East", "West"};
  t.TeamDivision = {0, 0, 1, 1, 1, 1, 1};
  t.ExhibitionTeam.assign(7, 0);
  const std::string file = test::MakeTempDir() + "/t.dat";
  WriteTournament(t, file);
  const auto r = RunCli({"schedule", "random", file, "--random-rounds", "4", "--times", "2"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(CountLines(r.out, "Could not create a schedule"), 2);
  std::string games;
  for (std::size_t pos = 0, end; (end = r.out.find('\n', pos)) != std::string::npos; pos = end + 1)
    if (r.out.find(" vs. ", pos) < end) games += r.out.substr(pos, end - pos) + ";";
  EXPECT_EQ(games,
            "T5 vs. T4;T6 vs. T3;T4 vs. T3;T7 vs. T5;T7 vs. T6;"
            "T4 vs. T3;T6 vs. T5;T5 vs. T3;T7 vs. T4;T7 vs. T6;");
}

TEST(CliSchedule, SwissOptionsAreAccepted) {
  const std::string file = TournamentFile(8, 12);
  auto plain = RunCli({"schedule", "swiss", file});
  ASSERT_EQ(plain.exitCode, 0) << plain.err;
  auto off = RunCli({"schedule", "swiss", file, "--no-repeat-avoidance", "--swiss-by-ppg",
                     "--rounds", "1-3"});
  ASSERT_EQ(off.exitCode, 0) << off.err;
  EXPECT_EQ(off.out.rfind("Did not find assignment without repeats\n", 0), 0u);
}

TEST(CliSchedule, UsageAndInputErrors) {
  const std::string file = TournamentFile(4, 2);
  EXPECT_EQ(RunCli({"schedule", "elimination", file}).exitCode, 2);
  EXPECT_EQ(RunCli({"schedule", "random", file, "--times", "0"}).exitCode, 2);
  EXPECT_EQ(RunCli({"schedule", "random", file, "--random-rounds", "x"}).exitCode, 2);
  EXPECT_EQ(RunCli({"schedule", "swiss", file, "--bogus"}).exitCode, 2);
  EXPECT_EQ(RunCli({"schedule", "swiss"}).exitCode, 2);
  const std::string missing = test::MakeTempDir() + "/none.dat";
  auto r = RunCli({"schedule", "round-robin", missing});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.err, "Cannot open " + missing + "\n");
  EXPECT_EQ(r.out, "");
}

}  // namespace
}  // namespace drav
