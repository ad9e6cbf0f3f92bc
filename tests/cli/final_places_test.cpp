// Elimination stages and hand-set places through set-stages and quickprint final.
#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <sstream>

#include "storage/qbj_samples.h"
#include "storage/tournament_file.h"
#include "support/cli_runner.h"

namespace drav {
namespace {

using test::RunCli;

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// The stages as set-stages takes them, the last one marked as an elimination stage.
std::string StagesWithLastAsElimination(const Tournament& t) {
  nlohmann::json stages = nlohmann::json::array();
  for (std::size_t i = 0; i < t.Extras.Stages.size(); ++i) {
    const Stage& s = t.Extras.Stages[i];
    nlohmann::json js = {{"name", s.Name},
                         {"first_round", s.FirstRound},
                         {"last_round", s.LastRound},
                         {"carry_over", s.CarryOver},
                         {"brackets", nlohmann::json::array()}};
    for (const Bracket& b : s.Brackets) {
      nlohmann::json teams = nlohmann::json::array();
      for (int team : b.Teams) teams.push_back(t.TeamName(team));
      js["brackets"].push_back({{"name", b.Name}, {"teams", teams}});
    }
    if (i + 1 == t.Extras.Stages.size()) js["kind"] = "elimination";
    stages.push_back(js);
  }
  return nlohmann::json{{"stages", stages}}.dump();
}

TEST(CliFinalPlaces, TheChampionshipsFinalistsLeadWhenItsPlayoffsAreAnElimination) {
  const std::string sample = test::UnzippedQbjSample("hsnct2014.qbj");
  if (sample.empty()) GTEST_SKIP() << "the 2014 championship sample (or unzip) is not available";
  const std::string dir = test::MakeTempDir();
  ASSERT_EQ(RunCli({"import-qbj", sample, dir + "/hsnct.dat"}).exitCode, 0);
  Tournament t;
  OpenTournament(t, dir + "/hsnct.dat");
  ASSERT_GE(t.Extras.Stages.size(), 2u);
  EXPECT_EQ(t.Extras.Stages.back().Kind, StageKind::Pools);  // import cannot tell the kind
  test::WriteFile(dir + "/stages.json", StagesWithLastAsElimination(t));
  auto r = RunCli({"set-stages", dir + "/hsnct.dat", dir + "/stages.json", dir + "/out.dat"});
  ASSERT_EQ(r.exitCode, 0) << r.err;

  r = RunCli({"quickprint", "final", dir + "/out.dat"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const std::vector<std::string> lines = SplitLines(r.out);
  ASSERT_GT(lines.size(), 6u);
  EXPECT_EQ(lines[0], "Final ranking (provisional)");
  EXPECT_EQ(lines[2].substr(0, 29), "1    LASA A                  ");
  EXPECT_EQ(lines[3].substr(0, 29), "2    St. John's A            ");
  int shared = 0;
  for (const std::string& line : lines) shared += line.substr(0, 5).find('=') != std::string::npos;
  EXPECT_GT(shared, 2) << r.out;  // teams out in the same round share their place

  // Finished, and one place set by hand: the text says which.
  test::WriteFile(dir + "/done.json",
                  R"({"final_places": [{"team": "LASA B", "place": 3}], "finished": true})");
  r = RunCli({"set-stages", dir + "/out.dat", dir + "/done.json", dir + "/out.dat"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const std::vector<std::string> done =
      SplitLines(RunCli({"quickprint", "final", dir + "/out.dat"}).out);
  ASSERT_GT(done.size(), 4u);
  EXPECT_EQ(done[0], "Final ranking");
  EXPECT_EQ(done[4], "3    LASA B                  place set by the director");
  std::error_code ignored;
  std::filesystem::remove_all(dir, ignored);
}

}  // namespace
}  // namespace drav
