#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <string>
#include <thread>

#include "storage/tournament_file.h"
#include "support/cli_runner.h"

extern char** environ;

namespace drav {
namespace {

using namespace std::chrono_literals;

// drav-cli watch running in the background; stopped (SIGTERM) by the destructor.
class Watcher {
 public:
  Watcher(const std::string& folder, const std::string& file, const std::string& outPath,
          const std::vector<std::string>& options = {"--add-teams"}) {
    std::vector<std::string> args{DRAV_CLI_PATH, "watch", folder, file};
    args.insert(args.end(), options.begin(), options.end());
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_APPEND,
                                     0644);
    if (posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ) != 0) pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
  }
  ~Watcher() { Stop(SIGTERM); }
  Watcher(const Watcher&) = delete;
  Watcher& operator=(const Watcher&) = delete;

  // Sends the signal and returns the exit status (128 + signal when killed by it).
  int Stop(int signal) {
    if (pid_ <= 0) return -1;
    kill(pid_, signal);
    int status = 0;
    waitpid(pid_, &status, 0);
    pid_ = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  }

 private:
  pid_t pid_ = -1;
};

// The saved tournament, or an empty one while the file is missing.
Tournament Saved(const std::string& path) {
  Tournament t;
  if (access(path.c_str(), F_OK) == 0) OpenTournament(t, path);
  return t;
}

bool WaitFor(const std::function<bool()>& done) {
  for (auto until = std::chrono::steady_clock::now() + 30s;
       std::chrono::steady_clock::now() < until;) {
    if (done()) return true;
    std::this_thread::sleep_for(100ms);
  }
  return done();
}

std::string MatchFile(int n) {
  const std::string a = "Team " + std::to_string(2 * n), b = "Team " + std::to_string(2 * n + 1);
  return R"({"version": "2.1.1", "objects": [{"type": "Match", "id": "match-)" + std::to_string(n) +
         R"(", "tossups_read": 20, "match_teams": [
    {"team": {"name": ")" +
         a + R"("}, "bonus_points": 10, "match_players": [
      {"player": {"name": "Wren"}, "tossups_heard": 20, "answer_counts": [{"answer_type": {"value": 10}, "number": 1}]}]},
    {"team": {"name": ")" +
         b + R"("}, "bonus_points": 0, "match_players": [
      {"player": {"name": "Finch"}, "tossups_heard": 20, "answer_counts": []}]}]}]})";
}

// Written beside the folder and renamed in, as a copy that arrives whole would.
void Drop(const std::string& dir, int n) {
  const std::string name = "room" + std::to_string(n) + ".qbj";
  test::WriteFile(dir + "/" + name + ".part", MatchFile(n));
  std::rename((dir + "/" + name + ".part").c_str(), (dir + "/in/" + name).c_str());
}

TEST(CliWatch, HundredFilesDroppedAtOnceGiveHundredSavedGames) {
  const std::string dir = test::MakeTempDir();
  mkdir((dir + "/in").c_str(), 0755);
  Watcher w(dir + "/in", dir + "/event.dat", dir + "/out.txt");
  for (int n = 0; n < 100; ++n) Drop(dir, n);
  EXPECT_TRUE(WaitFor([&] { return Saved(dir + "/event.dat").GameCount() == 100; }));
  EXPECT_EQ(w.Stop(SIGINT), 0);
  const Tournament t = Saved(dir + "/event.dat");
  EXPECT_EQ(t.GameCount(), 100);
  EXPECT_EQ(t.TeamCount(), 200);
  EXPECT_EQ(t.Extras.ImportedMatches.size(), 100u);
  const std::string out = test::ReadFile(dir + "/out.txt");
  EXPECT_NE(out.find("room99.qbj: imported\n"), std::string::npos);
  EXPECT_NE(out.find("Stopped\n"), std::string::npos);
}

TEST(CliWatch, FileWrittenInTwoHalvesIsImportedOnceAfterTheSecondHalf) {
  const std::string dir = test::MakeTempDir();
  mkdir((dir + "/in").c_str(), 0755);
  const std::string file = dir + "/event.dat";
  Watcher w(dir + "/in", file, dir + "/out.txt");
  const std::string text = MatchFile(7);
  test::WriteFile(dir + "/in/room7.qbj", text.substr(0, text.size() / 2));
  std::this_thread::sleep_for(1500ms);
  EXPECT_EQ(access(file.c_str(), F_OK), -1);  // nothing taken, nothing saved
  test::WriteFile(dir + "/in/room7.qbj", text);
  ASSERT_TRUE(WaitFor([&] { return Saved(file).GameCount() == 1; }));
  std::this_thread::sleep_for(1500ms);
  EXPECT_EQ(w.Stop(SIGINT), 0);
  EXPECT_EQ(Saved(file).GameCount(), 1);
  const std::string out = test::ReadFile(dir + "/out.txt");
  EXPECT_EQ(out.find("\nroom7.qbj: imported"), out.rfind("\nroom7.qbj: "));
}

TEST(CliWatch, KilledBetweenTwoFilesAndRestartedTakesEachFileOnce) {
  const std::string dir = test::MakeTempDir();
  mkdir((dir + "/in").c_str(), 0755);
  const std::string file = dir + "/event.dat";
  {
    Watcher w(dir + "/in", file, dir + "/out.txt");
    Drop(dir, 1);
    ASSERT_TRUE(WaitFor([&] { return Saved(file).GameCount() == 1; }));
    EXPECT_EQ(w.Stop(SIGKILL), 128 + SIGKILL);
  }
  Drop(dir, 2);
  Watcher w(dir + "/in", file, dir + "/out.txt");
  ASSERT_TRUE(WaitFor([&] { return Saved(file).GameCount() == 2; }));
  // Give the restarted watch time to look at the first file again.
  ASSERT_TRUE(WaitFor([&] {
    return test::ReadFile(dir + "/out.txt").find("room1.qbj: skipped (duplicate)") !=
           std::string::npos;
  }));
  EXPECT_EQ(w.Stop(SIGTERM), 0);
  const Tournament t = Saved(file);
  ASSERT_EQ(t.GameCount(), 2);
  EXPECT_EQ(t.TeamName(t.Games[0].TeamA), "Team 2");
  EXPECT_EQ(t.TeamName(t.Games[1].TeamA), "Team 4");
}

TEST(CliWatch, ChangedFileIsReportedAndReplacedOnlyWithReplaceChanged) {
  const std::string dir = test::MakeTempDir();
  mkdir((dir + "/in").c_str(), 0755);
  const std::string file = dir + "/event.dat";
  Drop(dir, 1);
  Drop(dir, 2);
  {
    Watcher w(dir + "/in", file, dir + "/out.txt");
    ASSERT_TRUE(WaitFor([&] { return Saved(file).GameCount() == 2; }));
  }
  const Tournament before = Saved(file);
  const int first = before.TeamName(before.Games[0].TeamA) == "Team 2" ? 0 : 1;
  // The moderator corrects room 1: Wren answered two toss-ups, not one.
  std::string fixed = MatchFile(1);
  fixed.replace(fixed.find(R"("number": 1)"), 11, R"("number": 2)");
  test::WriteFile(dir + "/in/room1.qbj", fixed);
  {
    Watcher w(dir + "/in", file, dir + "/changed.txt");
    ASSERT_TRUE(WaitFor([&] {
      return test::ReadFile(dir + "/changed.txt").find("--replace-changed") != std::string::npos;
    }));
  }
  const std::string out = test::ReadFile(dir + "/changed.txt");
  EXPECT_NE(out.find("room1.qbj: changed after import\n  " + dir +
                     "/in/room1.qbj: changed after import: round 0, Team 2 vs. Team 3\n"),
            std::string::npos)
      << out;
  EXPECT_EQ(out.find("room2.qbj: changed"), std::string::npos) << out;
  EXPECT_EQ(Saved(file).Games, before.Games);

  Watcher w(dir + "/in", file, dir + "/replaced.txt", {"--replace-changed"});
  ASSERT_TRUE(WaitFor([&] { return Saved(file).Games != before.Games; }));
  EXPECT_EQ(w.Stop(SIGTERM), 0);
  const Tournament after = Saved(file);
  ASSERT_EQ(after.GameCount(), 2);
  EXPECT_EQ(after.Games[first].ScoreA, before.Games[first].ScoreA + 10);  // in its place
  EXPECT_EQ(after.Games[1 - first], before.Games[1 - first]);
  EXPECT_NE(test::ReadFile(dir + "/replaced.txt").find("room1.qbj: imported\n"), std::string::npos);
}

TEST(CliWatch, FileNamingAnUnknownTeamWaitsWithoutAddTeams) {
  const std::string dir = test::MakeTempDir();
  mkdir((dir + "/in").c_str(), 0755);
  const std::string file = dir + "/event.dat";
  Tournament t;
  t.Format.TrackBonuses = t.Format.BonusMode = t.Format.TUHeard = 1;
  t.QuestionValues = {15, 10, -5, 0};
  t.Rosters = {{"Team 6"}, {"Team 7"}};
  WriteTournament(t, file);
  Drop(dir, 3);  // Team 6 against Team 7: known
  Drop(dir, 4);  // Team 8 against Team 9: not
  {
    Watcher w(dir + "/in", file, dir + "/out.txt", {});
    ASSERT_TRUE(WaitFor([&] {
      return test::ReadFile(dir + "/out.txt").find("room4.qbj: waiting (unknown team)") !=
             std::string::npos;
    }));
    EXPECT_EQ(w.Stop(SIGINT), 0);
  }
  EXPECT_EQ(Saved(file).GameCount(), 1);
  EXPECT_NE(test::ReadFile(dir + "/out.txt").find("Team 8"), std::string::npos);
  Watcher w(dir + "/in", file, dir + "/out2.txt", {"--add-teams"});
  ASSERT_TRUE(WaitFor([&] { return Saved(file).GameCount() == 2; }));
  EXPECT_EQ(Saved(file).TeamCount(), 4);
}

TEST(CliWatch, ModernStyleWritesTheModernReportAndKeepsTheFileClassic) {
  const std::string dir = test::MakeTempDir();
  mkdir((dir + "/in").c_str(), 0755);
  const std::string file = dir + "/event.dat";
  Tournament t;
  t.Format.TrackBonuses = t.Format.BonusMode = t.Format.TUHeard = 1;
  t.QuestionValues = {15, 10, -5, 0};
  t.Rosters = {{"Team 6"}, {"Team 7"}};
  WriteTournament(t, file);
  Drop(dir, 3);
  {
    Watcher w(dir + "/in", file, dir + "/out.txt", {"--report", dir + "/web", "--style", "modern"});
    ASSERT_TRUE(WaitFor([&] { return access((dir + "/web_index.html").c_str(), F_OK) == 0; }));
    EXPECT_EQ(w.Stop(SIGINT), 0);
  }
  EXPECT_EQ(access((dir + "/web_teamdetail.html").c_str(), F_OK), -1);
  EXPECT_TRUE(Saved(file).Extras.Report == ReportStyle::Classic);
}

TEST(CliWatch, RefusesAMissingFolderAndAWrongStyle) {
  const std::string dir = test::MakeTempDir();
  auto r = test::RunCli({"watch", dir + "/none", dir + "/event.dat"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.err, "Cannot read folder " + dir + "/none\n");
  EXPECT_EQ(access((dir + "/event.dat").c_str(), F_OK), -1);
  EXPECT_EQ(test::RunCli({"watch", dir, dir + "/event.dat", "--style", "fancy"}).exitCode, 2);
}

}  // namespace
}  // namespace drav
