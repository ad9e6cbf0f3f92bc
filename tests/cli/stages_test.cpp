// stages, set-stages, mark-tiebreaker and the --stage option, end to end.
#include <gtest/gtest.h>

#include <cctype>
#include <sstream>
#include <filesystem>

#include "storage/tournament_file.h"
#include "support/cli_runner.h"
#include "support/generated_tournament.h"

namespace drav {
namespace {

using test::ReadFile;
using test::RunCli;
using test::WriteFile;

class CliStages : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = test::MakeTempDir();
    t_ = test::GenerateTournament({.teams = 8, .games = 40, .rounds = 10, .seed = 7});
    t_.Format.SortCriterion = 1;
    WriteTournament(t_, Path("in.dat"));
    WriteFile(Path("stages.json"), Json());
  }
  void TearDown() override {
    std::error_code ignored;
    std::filesystem::remove_all(dir_, ignored);
  }
  std::string Path(const std::string& name) const { return dir_ + "/" + name; }
  std::string Team(int i) const { return "\"" + t_.TeamName(i) + "\""; }
  std::string Json() const {
    return "[{\"name\": \"Prelims\", \"first_round\": 1, \"last_round\": 6, \"brackets\": ["
           "{\"name\": \"East\", \"teams\": [" +
           Team(0) + "," + Team(2) + "," + Team(4) + "," + Team(6) +
           "]}, {\"name\": \"West\", \"teams\": [" + Team(1) + "," + Team(3) + "," + Team(5) + "," +
           Team(7) +
           "]}]},"
           "{\"name\": \"Playoffs\", \"first_round\": 7, \"last_round\": 10, \"carry_over\": true,"
           " \"brackets\": [{\"name\": \"Top\", \"teams\": [" +
           Team(0) + "," + Team(1) + "]}]}]";
  }
  std::string dir_;
  Tournament t_;
};

TEST_F(CliStages, SetStagesThenListThem) {
  auto r = RunCli({"set-stages", Path("in.dat"), Path("stages.json"), Path("out.dat")});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  r = RunCli({"stages", Path("out.dat")});
  EXPECT_EQ(
      r.out,
      "Prelims: rounds 1-6; East (4); West (4)\nPlayoffs: rounds 7-10; Top (2); carry-over\n");
  // Files with stages read back equal and write the same bytes again.
  r = RunCli({"resave", Path("out.dat"), Path("again.dat")});
  EXPECT_EQ(ReadFile(Path("again.dat")), ReadFile(Path("out.dat")));
}

TEST_F(CliStages, UnknownTeamOrOverlapWritesNothing) {
  const struct {
    std::string json, message;
  } cases[] = {
      {"[{\"name\": \"P\", \"first_round\": 1, \"last_round\": 2, \"brackets\": [{\"name\": \"B\", "
       "\"teams\": [\"Nobody at all\"]}]}]",
       "Unknown team Nobody at all\n"},
      {"[{\"name\": \"P\", \"first_round\": 1, \"last_round\": 5}, {\"name\": \"Q\", "
       "\"first_round\": 5, \"last_round\": 6}]",
       "The rounds of stages P and Q overlap\n"},
      {"[{\"name\": \"P\"", "The stages are not valid JSON\n"},
  };
  for (const auto& c : cases) {
    WriteFile(Path("bad.json"), c.json);
    const auto r = RunCli({"set-stages", Path("in.dat"), Path("bad.json"), Path("out.dat")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, c.message);
    EXPECT_FALSE(std::filesystem::exists(Path("out.dat")));
  }
}

TEST_F(CliStages, StageStandingsAreTheRoundFilteredStandingsOfTheBracketsAsDivisions) {
  ASSERT_EQ(RunCli({"set-stages", Path("in.dat"), Path("stages.json"), Path("out.dat")}).exitCode,
            0);
  Tournament byHand = t_;
  byHand.Format.Divisions = 1;
  byHand.DivisionNames = {"East", "West"};
  byHand.TeamDivision.assign(t_.Rosters.size(), 0);
  for (int i = 0; i < byHand.TeamCount(); ++i) byHand.TeamDivision[i] = i % 2;
  WriteTournament(byHand, Path("divisions.dat"));
  for (const char* report : {"teams", "individuals"}) {
    const auto stage = RunCli({"quickprint", report, Path("out.dat"), "--stage", "Prelims"});
    const auto rounds = RunCli({"quickprint", report, Path("divisions.dat"), "--rounds", "1-6"});
    ASSERT_EQ(stage.exitCode, 0) << stage.err;
    // Team rows of a stage carry their place within the bracket in the # column.
    auto withoutPlaces = [&](const std::string& text) {
      if (std::string(report) != "teams") return text;
      std::string out, line;
      std::istringstream in(text);
      while (std::getline(in, line))
        out += (!line.empty() && std::isdigit(static_cast<unsigned char>(line[0])) ? line.substr(4)
                                                                                  : line) +
               "\n";
      return out;
    };
    EXPECT_EQ(withoutPlaces(stage.out), withoutPlaces("Prelims (rounds 1\u20136)\n" + rounds.out));
  }
  const auto final = RunCli({"quickprint", "final", Path("out.dat")});
  ASSERT_EQ(final.exitCode, 0) << final.err;
  EXPECT_EQ(final.out.substr(0, 14), "Final ranking\n");
  const auto none = RunCli({"quickprint", "teams", Path("out.dat"), "--stage", "Finals"});
  EXPECT_EQ(none.exitCode, 1);
  EXPECT_EQ(none.err, "No stage is named Finals\n");
  EXPECT_EQ(
      RunCli({"quickprint", "teams", Path("out.dat"), "--stage", "Prelims", "--rounds", "1-2"})
          .exitCode,
      2);
}

TEST_F(CliStages, ReportAndScheduleOfAStage) {
  ASSERT_EQ(RunCli({"set-stages", Path("in.dat"), Path("stages.json"), Path("out.dat")}).exitCode,
            0);
  auto r = RunCli({"report", Path("out.dat"), Path("web"), "--stage", "Playoffs"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const std::string page = ReadFile(Path("web_standings.html"));
  EXPECT_NE(page.find("Playoffs (rounds 7&#8211;10) Team Standings </TITLE>"), std::string::npos)
      << page.substr(0, 200);
  r = RunCli({"schedule", "round-robin", Path("out.dat"), "--stage", "Prelims"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.out.find("\nEast\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("\nWest\n"), std::string::npos);
}

TEST_F(CliStages, MarkTiebreakerAndClearItAgain) {
  const std::string gid = t_.Games[3].GID;
  auto r = RunCli({"mark-tiebreaker", Path("in.dat"), gid, Path("marked.dat")});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  Tournament marked;
  OpenTournament(marked, Path("marked.dat"));
  EXPECT_TRUE(marked.Games[3].Tiebreaker);
  r = RunCli({"mark-tiebreaker", Path("marked.dat"), gid, Path("cleared.dat"), "--clear"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(ReadFile(Path("cleared.dat")), ReadFile(Path("in.dat")));
  r = RunCli({"mark-tiebreaker", Path("in.dat"), "no such game", Path("x.dat")});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.err, "No game has the identifier no such game\n");
}

}  // namespace
}  // namespace drav
