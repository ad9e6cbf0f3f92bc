#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <random>
#include <string>
#include <thread>

#include "model/error.h"
#include "platform/files.h"
#include "storage/tournament_file.h"
#include "support/background_cli.h"
#include "support/cli_runner.h"
#include "support/generated_tournament.h"

namespace drav {
namespace {

using namespace std::chrono_literals;
using test::RunCli;

const std::string kSample = test::TestData("../../examples/sample-tournament.dat");

bool Exists(const std::string& path) {
  std::error_code ignored;
  return std::filesystem::exists(platform::PathFromUtf8(path), ignored);
}

// A folder like "C:\Users\Zoë\Équipes été" under the temporary folder.
std::string FolderBeyondAscii() {
  const std::string folder = test::MakeTempDir() + "/Zo\xC3\xAB/\xC3\x89quipes \xC3\xA9t\xC3\xA9";
  std::filesystem::create_directories(platform::PathFromUtf8(folder));
  return folder;
}

TEST(CliFilesBeyondAscii, ATournamentThereRoundTripsIsReportedAndPrinted) {
  const std::string folder = FolderBeyondAscii();
  const std::string file = folder + "/tournoi.dat";
  test::WriteFile(file, test::ReadFile(kSample));
  auto r = RunCli({"resave", file, folder + "/copie.dat"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(test::ReadFile(folder + "/copie.dat"), test::ReadFile(kSample));

  r = RunCli({"report", file, folder + "/r\xC3\xA9sultats"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  std::size_t pages = 0;
  for (const auto& entry : std::filesystem::directory_iterator(platform::PathFromUtf8(folder)))
    pages += platform::Utf8FromPath(entry.path().filename()).rfind("r\xC3\xA9sultats", 0) == 0;
  EXPECT_GE(pages, 5u);

  const auto printed = RunCli({"quickprint", "teams", file});
  ASSERT_EQ(printed.exitCode, 0) << printed.err;
  EXPECT_EQ(printed.out, RunCli({"quickprint", "teams", kSample}).out);
}

const char kMatch[] = R"({"version": "2.1.1", "objects": [{"type": "Match", "id": "r1-a",
  "tossups_read": 20, "match_teams": [
    {"team": {"name": "Alder"}, "bonus_points": 10, "match_players": [{"player": {"name": "Ivo"},
      "tossups_heard": 20, "answer_counts": [{"answer_type": {"value": 10}, "number": 1}]}]},
    {"team": {"name": "Birch"}, "bonus_points": 0, "match_players": [{"player": {"name": "Oda"},
      "tossups_heard": 20, "answer_counts": []}]}]}]})";

TEST(CliFilesBeyondAscii, MatchFilesThereAreImportedAndWatched) {
  const std::string folder = FolderBeyondAscii();
  test::WriteFile(folder + "/salle \xC3\xA0.qbj", kMatch);
  auto r = RunCli({"import-qbj", folder + "/salle \xC3\xA0.qbj", folder + "/import\xC3\xA9.dat"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  Tournament imported;
  OpenTournament(imported, folder + "/import\xC3\xA9.dat");
  EXPECT_EQ(imported.GameCount(), 1);

  const std::string watched = folder +
                              "/arriv\xC3\xA9"
                              "es";
  std::filesystem::create_directories(platform::PathFromUtf8(watched));
  const std::string file = folder + "/regard\xC3\xA9.dat";
  test::BackgroundCli watch({"watch", watched, file, "--add-teams"}, folder + "/watch.txt");
  ASSERT_TRUE(watch.Started());
  test::WriteFile(watched + "/salle \xC3\xA0.qbj", kMatch);
  int games = 0;
  for (auto until = std::chrono::steady_clock::now() + 60s;
       games == 0 && std::chrono::steady_clock::now() < until;) {
    std::this_thread::sleep_for(100ms);
    Tournament t;
    try {
      if (Exists(file)) OpenTournament(t, file);
    } catch (const DravError&) {
    }
    games = t.GameCount();
  }
  watch.Kill();
  EXPECT_EQ(games, 1) << test::ReadFile(folder + "/watch.txt");
  EXPECT_NE(test::ReadFile(folder + "/watch.txt").find("salle \xC3\xA0.qbj: imported"),
            std::string::npos);
}

// A save cut off at any moment, as by a crash or a power cut, leaves the old file or the
// new one, never a mixture or a truncated file.
TEST(CliSave, ASaveKilledAtAnyMomentLeavesTheOldFileOrTheNew) {
  const std::string folder = FolderBeyondAscii();
  test::GeneratedShape shape;
  shape.teams = 40, shape.games = 3000, shape.rounds = 30;
  const std::string big = folder + "/big.dat", target = folder + "/tournoi.dat";
  Tournament generated = test::GenerateTournament(shape);
  WriteTournament(generated, big);
  const std::string newer = test::ReadFile(big), older = test::ReadFile(kSample);

  // How long a whole save takes here, so that the kills fall before, during and after.
  const auto start = std::chrono::steady_clock::now();
  ASSERT_EQ(RunCli({"resave", big, folder + "/timing.dat"}).exitCode, 0);
  const auto whole = std::chrono::duration_cast<std::chrono::microseconds>(
      std::chrono::steady_clock::now() - start);
  std::mt19937 random(7);
  std::uniform_int_distribution<long long> moment(0, whole.count() * 5 / 4);
  for (int round = 0; round < 20; ++round) {
    test::WriteFile(target, older);
    test::BackgroundCli save({"resave", big, target}, folder + "/save.txt");
    std::this_thread::sleep_for(std::chrono::microseconds(moment(random)));
    save.Kill();
    const std::string now = test::ReadFile(target);
    ASSERT_TRUE(now == older || now == newer)
        << "round " << round << ": " << now.size() << " bytes";
  }
}

}  // namespace
}  // namespace drav
