#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "storage/qbj_samples.h"
#include "storage/tournament_file.h"
#include "support/cli_runner.h"

namespace drav {
namespace {

using test::RunCli;

const char kMatch[] =
    R"({"version": "2.1.1", "objects": [{"type": "Match", "id": "r1-a", "tossups_read": 20,
  "match_teams": [
    {"team": {"name": "Alpha"}, "bonus_points": 30, "match_players": [
      {"player": {"name": "Ann"}, "tossups_heard": 20, "answer_counts": [{"answer_type": {"value": 15}, "number": 1}, {"answer_type": {"value": 10}, "number": 2}]}]},
    {"team": {"name": "Beta"}, "bonus_points": 0, "match_players": [
      {"player": {"name": "Bob"}, "tossups_heard": 10, "answer_counts": [{"answer_type": {"value": -5}, "number": 1}]}]}]}]})";

Tournament Open(const std::string& path) {
  Tournament t;
  OpenTournament(t, path);
  return t;
}

TEST(CliQbj, ImportOntoAnEmptyTournamentWithTheUsualValues) {
  const std::string dir = test::MakeTempDir();
  test::WriteFile(dir + "/m.qbj", kMatch);
  const auto r = RunCli({"import-qbj", dir + "/m.qbj", dir + "/out.dat"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, dir + "/m.qbj: 1 game imported, 2 new teams, 2 new players\n" + dir +
                       "/m.qbj: 1 match has no round number and went into round 0\n");
  const Tournament t = Open(dir + "/out.dat");
  EXPECT_EQ(t.QuestionValues, (std::array<int, 4>{15, 10, -5, 0}));
  EXPECT_EQ(t.Format.BonusMode, 1);
  EXPECT_EQ(t.Format.RoundReports, 0);
  ASSERT_EQ(t.GameCount(), 1);
  EXPECT_EQ(t.Games[0].ScoreA, 65);
  EXPECT_EQ(t.Games[0].BHA, 3);
  EXPECT_EQ(t.Games[0].BPA, 30);
  EXPECT_EQ(t.Games[0].ScoreB, -5);
  EXPECT_DOUBLE_EQ(t.Games[0].GPB[0], 0.5);
}

// Round headings make a long scoreboard readable: a new tournament whose matches carry
// round numbers gets them; an existing tournament keeps its own settings.
TEST(CliQbj, RoundNumbersSwitchOnRoundReportsOnlyInANewTournament) {
  const std::string dir = test::MakeTempDir();
  std::string match = kMatch;
  match.replace(match.find("\"tossups_read\""), 0, "\"round\": 3, ");
  test::WriteFile(dir + "/m.qbj", match);
  ASSERT_EQ(RunCli({"import-qbj", dir + "/m.qbj", dir + "/new.dat"}).exitCode, 0);
  EXPECT_EQ(Open(dir + "/new.dat").Format.RoundReports, 1);
  Tournament base;
  base.QuestionValues = {15, 10, -5, 0};
  WriteTournament(base, dir + "/base.dat");
  ASSERT_EQ(RunCli({"import-qbj", dir + "/m.qbj", dir + "/out.dat", "--into", dir + "/base.dat"})
                .exitCode,
            0);
  const Tournament into = Open(dir + "/out.dat");
  EXPECT_EQ(into.Games.at(0).Round, 3);
  EXPECT_EQ(into.Format.RoundReports, 0);
}

TEST(CliQbj, ImportIntoAnExistingTournamentRefusesUnknownTeamsAndSkipsDuplicates) {
  const std::string dir = test::MakeTempDir();
  Tournament base;
  base.Format.TourneyName = "Base";
  base.Format.BonusMode = 1;
  base.Format.TrackBonuses = 1;
  base.QuestionValues = {15, 10, -5, 0};
  base.Rosters = {{"Beta", "Bea"}, {"Gamma"}};
  WriteTournament(base, dir + "/base.dat");
  test::WriteFile(dir + "/m.qbj", kMatch);
  auto r = RunCli({"import-qbj", dir + "/m.qbj", dir + "/out.dat", "--into", dir + "/base.dat"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.err,
            dir + "/m.qbj: the team \"Alpha\" is not in the tournament (--add-teams adds it)\n");
  EXPECT_FALSE(std::filesystem::exists(dir + "/out.dat"));

  r = RunCli({"import-qbj", dir + "/m.qbj", dir + "/m.qbj", dir + "/out.dat", "--into",
              dir + "/base.dat", "--add-teams"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.out.find(dir + "/m.qbj: already imported: round 0, Alpha vs. Beta\n"),
            std::string::npos)
      << r.out;
  Tournament t = Open(dir + "/out.dat");
  EXPECT_EQ(t.Format.TourneyName, "Base");
  EXPECT_EQ(t.Format.RoundReports, 0);  // the settings of a tournament under way stay
  EXPECT_EQ(t.Rosters, (std::vector<std::vector<std::string>>{
                           {"Beta", "Bea", "Bob"}, {"Gamma"}, {"Alpha", "Ann"}}));
  EXPECT_EQ(t.GameCount(), 1);
  // Once more into the saved result: the tournament remembers the match.
  r = RunCli({"import-qbj", dir + "/m.qbj", dir + "/again.dat", "--into", dir + "/out.dat"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(Open(dir + "/again.dat").GameCount(), 1);

  r = RunCli({"export-qbj", dir + "/out.dat", dir + "/out.qbj"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "");
  r = RunCli({"import-qbj", dir + "/out.qbj", dir + "/back.dat"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const Tournament back = Open(dir + "/back.dat");
  EXPECT_EQ(back.Rosters, t.Rosters);
  EXPECT_EQ(back.GameCount(), 1);
  EXPECT_EQ(back.Format.TourneyName, "Base");
  EXPECT_EQ(back.Format.RoundReports, 0);  // its only game is in round 0
}

TEST(CliQbj, AMatchChangedAfterImportIsReportedAndReplacedOnlyWhenAsked) {
  const std::string dir = test::MakeTempDir();
  test::WriteFile(dir + "/m.qbj", kMatch);
  ASSERT_EQ(RunCli({"import-qbj", dir + "/m.qbj", dir + "/first.dat"}).exitCode, 0);
  const Tournament first = Open(dir + "/first.dat");
  ASSERT_EQ(first.GameCount(), 1);
  std::string fixed = kMatch;
  fixed.replace(fixed.find(R"("number": 2)"), 11, R"("number": 3)");
  test::WriteFile(dir + "/m.qbj", fixed);

  auto r = RunCli({"import-qbj", dir + "/m.qbj", dir + "/kept.dat", "--into", dir + "/first.dat"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.out.find(dir + "/m.qbj: changed after import: round 0, Alpha vs. Beta\n"),
            std::string::npos)
      << r.out;
  EXPECT_TRUE(r.out.ends_with(
      "\n--replace-changed puts the new versions of changed matches in the place of their games\n"))
      << r.out;
  EXPECT_EQ(Open(dir + "/kept.dat").Games, first.Games);

  r = RunCli({"import-qbj", dir + "/m.qbj", dir + "/new.dat", "--into", dir + "/first.dat",
              "--replace-changed"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.out.find(dir + "/m.qbj: replaced: round 0, Alpha vs. Beta\n"), std::string::npos)
      << r.out;
  const Tournament replaced = Open(dir + "/new.dat");
  ASSERT_EQ(replaced.GameCount(), 1);
  EXPECT_EQ(replaced.Games[0].ScoreA, first.Games[0].ScoreA + 10);
  // The same file once more is a duplicate again.
  r = RunCli({"import-qbj", dir + "/m.qbj", dir + "/again.dat", "--into", dir + "/new.dat"});
  EXPECT_NE(r.out.find("already imported: round 0, Alpha vs. Beta"), std::string::npos) << r.out;
  EXPECT_EQ(Open(dir + "/again.dat").Games, replaced.Games);
}

TEST(CliQbj, ANewTournamentWithRoundsReportsByRound) {
  const std::string dir = test::MakeTempDir();
  std::string match = kMatch;
  match.replace(match.find("\"tossups_read\""), 0, "\"_round\": 2, ");
  test::WriteFile(dir + "/m.qbj", match);
  const auto r = RunCli({"import-qbj", dir + "/m.qbj", dir + "/out.dat"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const Tournament t = Open(dir + "/out.dat");
  EXPECT_EQ(t.Games.at(0).Round, 2);
  EXPECT_EQ(t.Format.RoundReports, 1);
}

TEST(CliQbj, ARosterInQbjReadsAsReadRostersDoes) {
  const std::string dir = test::MakeTempDir();
  test::WriteFile(dir + "/teams.qbj", R"({"version": "2.1.1", "objects": [
    {"type": "Tournament", "name": "Roster Cup", "phases": [{"name": "Prelims", "rounds": [],
      "pools": [{"name": "Red", "pool_teams": [{"team": {"$ref": "t2"}}]}, {"name": "Blue", "pool_teams": [{"team": {"$ref": "t1"}}]}]}]},
    {"type": "Registration", "name": "Hill School", "teams": [
      {"id": "t1", "name": "Hill A", "players": [{"name": "Ivy"}, {"name": "Jon"}]},
      {"id": "t2", "name": "Hill B", "players": [{"name": "Kim"}]}]}]})");
  const auto r =
      RunCli({"read-rosters", dir + "/teams.qbj", dir + "/out.dat", "--values", "20,10,0,0"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const Tournament t = Open(dir + "/out.dat");
  EXPECT_EQ(t.Rosters,
            (std::vector<std::vector<std::string>>{{"Hill A", "Ivy", "Jon"}, {"Hill B", "Kim"}}));
  EXPECT_EQ(t.QuestionValues, (std::array<int, 4>{20, 10, 0, 0}));
  EXPECT_EQ(t.Format.Divisions, 1);
  EXPECT_EQ(t.DivisionNames, (std::vector<std::string>{"Red", "Blue"}));
  EXPECT_EQ(t.TeamDivision, (std::vector<int>{1, 0}));
  EXPECT_EQ(t.GameCount(), 0);
}

TEST(CliQbj, FailuresWriteNothing) {
  const std::string dir = test::MakeTempDir();
  test::WriteFile(dir + "/bad.qbj", "{\"objects\": [");
  auto r = RunCli({"import-qbj", dir + "/bad.qbj", dir + "/out.dat"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.err.rfind(dir + "/bad.qbj: not valid JSON (", 0), 0u) << r.err;
  EXPECT_FALSE(std::filesystem::exists(dir + "/out.dat"));

  r = RunCli({"import-qbj", dir + "/none.qbj", dir + "/out.dat"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.err, "Cannot open " + dir + "/none.qbj\n");
  EXPECT_FALSE(std::filesystem::exists(dir + "/out.dat"));

  Tournament tens;
  tens.QuestionValues = {20, 10, 0, 0};
  WriteTournament(tens, dir + "/tens.dat");
  test::WriteFile(dir + "/m.qbj", kMatch);
  r = RunCli({"import-qbj", dir + "/m.qbj", dir + "/out.dat", "--into", dir + "/tens.dat"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(
      r.err.find("answers worth 15 points, which is not one of this tournament's question values"),
      std::string::npos)
      << r.err;
  EXPECT_FALSE(std::filesystem::exists(dir + "/out.dat"));

  EXPECT_EQ(RunCli({"import-qbj", dir + "/m.qbj"}).exitCode, 2);
  EXPECT_EQ(RunCli({"export-qbj", dir + "/tens.dat"}).exitCode, 2);
  EXPECT_EQ(RunCli({"import-qbj", dir + "/m.qbj", dir + "/o.dat", "--values", "1,2"}).exitCode, 2);
}

TEST(CliQbj, TheChampionshipImportsAndItsWebReportIsWritten) {
  const std::string sample = test::UnzippedQbjSample("hsnct2014.qbj");
  if (sample.empty()) GTEST_SKIP() << "the 2014 championship sample (or unzip) is not available";
  const std::string dir = test::MakeTempDir();
  auto r = RunCli({"import-qbj", sample, dir + "/hsnct.dat"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.out.find("1510 games imported"), std::string::npos) << r.out;
  r = RunCli({"report", dir + "/hsnct.dat", dir + "/hsnct"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "Report has been generated\n");
  for (const char* page : {"_standings.html", "_individuals.html", "_games.html",
                           "_teamdetail.html", "_playerdetail.html", "_statkey.html"}) {
    EXPECT_TRUE(std::filesystem::exists(dir + "/hsnct" + page)) << page;
  }
  const std::string standings = test::ReadFile(dir + "/hsnct_standings.html");
  EXPECT_NE(standings.find("LASA A"), std::string::npos);
  EXPECT_NE(standings.find("HSNCT 2014"), std::string::npos);
}

}  // namespace
}  // namespace drav
