#include <gtest/gtest.h>

#include <filesystem>

#include "storage/tournament_file.h"
#include "support/cli_runner.h"
#include "support/generated_tournament.h"

namespace drav {
namespace {

namespace fs = std::filesystem;
using test::RunCli;

class ReportCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = test::MakeTempDir();
    test::GeneratedShape shape;
    shape.rounds = 4;
    Tournament t = test::GenerateTournament(shape);
    t.Format.RoundReports = 1;
    file_ = dir_ + "/event.dat";
    test::WriteFile(file_, SerializeTournament(t));
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string dir_;
  std::string file_;
};

TEST_F(ReportCommand, WritesThePagesWithCrLfAndSaysSo) {
  const auto r = RunCli({"report", file_, dir_ + "/fall open"});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "Report has been generated\n");
  EXPECT_EQ(r.err, "");
  for (const char* suffix :
       {"_standings.html", "_individuals.html", "_games.html", "_teamdetail.html",
        "_playerdetail.html", "_rounds.html", "_statkey.html"}) {
    const std::string page = test::ReadFile(dir_ + "/fall open" + suffix);
    EXPECT_EQ(page.rfind("<HTML>\r\n<HEAD>\r\n", 0), 0u) << suffix;
    EXPECT_NE(page.find("HREF=fall%20open_games.html>"), std::string::npos) << suffix;
  }
}

TEST_F(ReportCommand, MissingFolderIsNamedOnceAndNothingIsWritten) {
  const auto r = RunCli({"report", file_, dir_ + "/missing/fall"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "No such folder: " + dir_ + "/missing\n");
  EXPECT_FALSE(fs::exists(dir_ + "/missing"));
}

TEST_F(ReportCommand, RoundsOptionSelectsTheRoundsShown) {
  const auto r = RunCli({"report", file_, dir_ + "/sel", "--rounds", "2-3"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const std::string games = test::ReadFile(dir_ + "/sel_games.html");
  EXPECT_NE(games.find("<FONT SIZE=+1 COLOR=red>Round 2"), std::string::npos);
  EXPECT_EQ(games.find("COLOR=red>Round 1"), std::string::npos);
  EXPECT_EQ(games.find("COLOR=red>Round 4"), std::string::npos);
}

TEST_F(ReportCommand, StyleOptionChoosesTheModernOrTheClassicPages) {
  auto r = RunCli({"report", file_, dir_ + "/m", "--style", "modern"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_TRUE(fs::exists(dir_ + "/m_index.html"));
  EXPECT_FALSE(fs::exists(dir_ + "/m_teamdetail.html"));
  r = RunCli({"report", file_, dir_ + "/c", "--style", "classic"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_TRUE(fs::exists(dir_ + "/c_teamdetail.html"));
  EXPECT_FALSE(fs::exists(dir_ + "/c_index.html"));
  EXPECT_EQ(RunCli({"report", file_, dir_ + "/x", "--style", "fancy"}).exitCode, 2);
}

TEST_F(ReportCommand, UnreadableInputAndBadUsage) {
  const auto missing = RunCli({"report", dir_ + "/nope.dat", dir_ + "/x"});
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_EQ(missing.err, "Cannot open " + dir_ + "/nope.dat\n");
  EXPECT_FALSE(fs::exists(dir_ + "/x_games.html"));
  EXPECT_EQ(RunCli({"report", file_}).exitCode, 2);
  EXPECT_EQ(RunCli({"report", file_, dir_ + "/x", "--bogus", "1"}).exitCode, 2);
}

}  // namespace
}  // namespace drav
