#include <gtest/gtest.h>

#include <filesystem>

#include "app/main_commands.h"
#include "fake_host.h"
#include "storage/tournament_file.h"
#include "support/cli_runner.h"
#include "support/generated_tournament.h"

namespace drav::app {
namespace {

using test::FakeHost;

// An FTP client that refuses to connect, for Post to Web without a network.
class RefusingFtpClient : public FtpClient {
 public:
  bool Connect(const FtpLogin&) override { return false; }
  bool MakeDirectory(const std::string&) override { return false; }
  bool StoreFile(const std::string&, const std::string&, const FtpTransferProgress&) override {
    return false;
  }
  bool Disconnect() override { return false; }
};

// Connects unless told to refuse; counts connections; can refuse an unknown host key once.
class ScriptedFtpClient : public FtpClient {
 public:
  struct Script {
    bool refuse = false;
    std::optional<RefusedHostKey> unknownKeyOnce;
    int connects = 0;
  };
  explicit ScriptedFtpClient(Script& script) : script_(script) {}
  bool Connect(const FtpLogin&) override {
    ++script_.connects;
    refused_ = script_.unknownKeyOnce;
    script_.unknownKeyOnce.reset();
    return !script_.refuse && !refused_;
  }
  bool MakeDirectory(const std::string&) override { return true; }
  bool StoreFile(const std::string&, const std::string&, const FtpTransferProgress&) override {
    return true;
  }
  bool Disconnect() override { return true; }
  std::string LastError() const override { return script_.refuse ? "Access denied: 530" : ""; }
  std::optional<RefusedHostKey> LastRefusedHostKey() const override { return refused_; }

 private:
  Script& script_;
  std::optional<RefusedHostKey> refused_;
};

class SubsystemCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = drav::test::MakeTempDir();
    commands.StartUp();
    drav::test::GeneratedShape shape;
    shape.teams = 6;
    shape.games = 12;
    Tournament sample = drav::test::GenerateTournament(shape);
    samplePath = dir + "/sample.dat";
    WriteTournament(sample, samplePath);
    ASSERT_TRUE(commands.OpenPath(samplePath));
  }
  void TearDown() override { std::filesystem::remove_all(dir); }

  // Exit with unsaved data asks Save, Discard or Cancel instead of "Are you sure?".
  bool Unsaved() {
    const std::size_t asked = host.saveQuestions.size();
    host.confirmAnswers.push_back(false);
    commands.FormCloseQuery();
    host.confirmAnswers.clear();
    return host.saveQuestions.size() > asked;
  }

  std::string dir;
  std::string samplePath;
  Tournament t;
  FakeHost host;
  MainCommands commands{t, host};
};

TEST_F(SubsystemCommandsTest, ReadRostersReplacesTeamsAfterOptionsAndRebuilds) {
  const std::string rosters = dir + "/rosters.txt";
  drav::test::WriteFile(rosters, "Alpha\r\nAnn\r\nBob\r\n.\r\nBeta\r\nCy\r\n.\r\n~\r\n");
  const int games = t.GameCount();
  const int rebuilds = host.rebuilds;

  host.openNames.push_back(rosters);
  host.optionsAnswers.push_back(std::nullopt);  // options cancelled: nothing changes
  commands.ReadRosters1Click();
  EXPECT_EQ(t.TeamCount(), 6);
  EXPECT_EQ(host.rebuilds, rebuilds);

  host.openNames.push_back(rosters);
  host.optionsAnswers.push_back(NewTournamentChoices{});
  commands.ReadRosters1Click();
  ASSERT_EQ(t.TeamCount(), 2);
  EXPECT_EQ(t.Rosters[0], (std::vector<std::string>{"Alpha", "Ann", "Bob"}));
  EXPECT_EQ(t.GameCount(), games);
  EXPECT_EQ(host.rebuilds, rebuilds + 1);
  EXPECT_EQ(host.caption, "DRAV " + samplePath);
  EXPECT_TRUE(Unsaved());
}

TEST_F(SubsystemCommandsTest, UnreadableFilesAreReportedAndChangeNothing) {
  const std::string before = SerializeTournament(t);
  const std::string missing = dir + "/missing.txt";
  host.openNames.push_back(missing);
  host.optionsAnswers.push_back(NewTournamentChoices{});
  commands.ReadRosters1Click();
  host.openNames.push_back(missing);
  commands.OpenDRAV1File1Click();
  host.openNames.push_back(missing);
  commands.ImportDRAV2File1Click();
  host.openNames.push_back(missing);
  commands.MergeFiles1Click();
  EXPECT_EQ(SerializeTournament(t), before);
  ASSERT_EQ(host.messages.size(), 4u);
  for (const auto& [text, caption] : host.messages) {
    EXPECT_EQ(text, "Cannot open " + missing);
    EXPECT_EQ(caption, "Error");
  }
}

TEST_F(SubsystemCommandsTest, MergedGamesCountAsUnsaved) {
  const int games = t.GameCount();
  const int teams = t.TeamCount();
  host.openNames.push_back(samplePath);
  commands.MergeFiles1Click();
  EXPECT_EQ(t.GameCount(), 2 * games);
  EXPECT_EQ(t.TeamCount(), teams);
  EXPECT_TRUE(Unsaved());
}

TEST_F(SubsystemCommandsTest, QbjExportThenImportIntoAFreshProgramGivesTheTeamsAndGames) {
  const std::string qbj = dir + "/export.qbj";
  host.saveNames.push_back(qbj);
  commands.ExportQbj1Click();
  ASSERT_TRUE(std::filesystem::exists(qbj));

  // A program that has not been set up yet takes the New Tournament defaults first.
  Tournament fresh;
  FakeHost freshHost;
  MainCommands freshCommands{fresh, freshHost};
  freshCommands.StartUp();
  freshHost.openNames.push_back(qbj);
  freshCommands.ImportQbj1Click();
  for (const auto& [text, caption] : freshHost.messages) EXPECT_NE(caption, "Error") << text;
  EXPECT_EQ(fresh.QuestionValues, (std::array<int, 4>{15, 10, -5, 0}));
  EXPECT_EQ(fresh.TeamCount(), t.TeamCount());
  EXPECT_EQ(fresh.GameCount(), t.GameCount());
  EXPECT_GE(freshHost.rebuilds, 1);
}

TEST_F(SubsystemCommandsTest, BrokenQbjIsReportedAndChangesNothing) {
  const std::string before = SerializeTournament(t);
  const std::string bad = dir + "/bad.qbj";
  drav::test::WriteFile(bad, "{ \"matches\": [ ");
  host.openNames.push_back(bad);
  commands.ImportQbj1Click();
  EXPECT_EQ(SerializeTournament(t), before);
  ASSERT_FALSE(host.messages.empty());
  EXPECT_EQ(host.messages.back().second, "Error");

  host.saveNames.push_back(dir + "/no/such/dir/out.qbj");
  commands.ExportQbj1Click();
  EXPECT_EQ(host.messages.back().first, "Cannot write " + dir + "/no/such/dir/out.qbj");
}

TEST_F(SubsystemCommandsTest, OrderingCommandsAskFirstAndRebuildAtTheStart) {
  const std::string before = SerializeTournament(t);
  const int rebuilds = host.rebuilds;
  host.confirmAnswers.push_back(false);
  commands.SortTeams1Click();
  EXPECT_EQ(SerializeTournament(t), before);
  EXPECT_EQ(host.rebuilds, rebuilds);

  t.CurrentGame = 5;
  host.confirmAnswers.push_back(true);
  commands.GroupRounds1Click();
  EXPECT_EQ(host.rebuilds, rebuilds + 1);
  EXPECT_EQ(t.CurrentGame, 0);
  for (int i = 1; i < t.GameCount(); ++i) EXPECT_LE(t.Games[i - 1].Round, t.Games[i].Round);

  host.confirmAnswers.push_back(true);
  commands.SortTeams1Click();
  for (int i = 1; i < t.TeamCount(); ++i) EXPECT_LE(t.Rosters[i - 1][0], t.Rosters[i][0]);

  host.confirmAnswers.push_back(true);
  commands.SortGames1Click();
  EXPECT_EQ(t.Format.SortByRound, 0);
  for (int i = 1; i < t.GameCount(); ++i) EXPECT_LE(t.Games[i - 1].GID, t.Games[i].GID);
}

TEST_F(SubsystemCommandsTest, FullWebReportWritesPagesAndSaysSo) {
  const auto order = t.Games;
  host.saveNames.push_back(std::nullopt);
  commands.FullReport1Click();
  EXPECT_TRUE(host.messages.empty());

  host.saveNames.push_back(dir + "/fall open");
  commands.FullReport1Click();
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].first, "Report has been generated");
  EXPECT_EQ(host.messages[0].second, "Completed");
  EXPECT_TRUE(std::filesystem::exists(dir + "/fall open_standings.html"));
  EXPECT_TRUE(std::filesystem::exists(dir + "/fall open_games.html"));
  EXPECT_EQ(host.longTasks.size(), 1u);
  ASSERT_EQ(t.Games.size(), order.size());
  for (std::size_t i = 0; i < order.size(); ++i) EXPECT_EQ(t.Games[i].GID, order[i].GID);
}

TEST_F(SubsystemCommandsTest, FullWebReportThatCannotWriteIsAnErrorNotASuccess) {
  host.saveNames.push_back(dir + "/no such folder/fall");
  commands.FullReport1Click();
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].second, "Error");
  EXPECT_EQ(host.messages[0].first.rfind("Could not write " + dir + "/no such folder/fall", 0), 0u);
}

TEST_F(SubsystemCommandsTest, QuickPrintAndSchedulesOpenTextWindows) {
  const auto order = t.Games;
  commands.QuickPrintTeams1Click();
  commands.QuickPrintIndividuals1Click();
  commands.QuickPrintGames1Click();
  commands.RoundRobin1Click();
  commands.SwissPairs1Click();
  commands.Random1Click();
  ASSERT_EQ(host.textWindows.size(), 6u);
  const char* titles[] = {"QuickPrint Team Standings", "QuickPrint Individual Standings",
                          "QuickPrint Game Results",   "Round Robin Schedule",
                          "Swiss Pairings",            "Random Schedule"};
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(host.textWindows[i].title, titles[i]);
    EXPECT_FALSE(host.textWindows[i].lines.empty()) << titles[i];
  }
  for (std::size_t i = 0; i < order.size(); ++i) EXPECT_EQ(t.Games[i].GID, order[i].GID);
  // Nothing a report or schedule does is a change worth saving.
  EXPECT_FALSE(Unsaved());
}

TEST_F(SubsystemCommandsTest, RandomScheduleSequenceGoesOnButNotAfterCancel) {
  t.Format.RandomRounds = 3;
  commands.Random1Click();
  const auto first = host.textWindows.back().lines;

  host.cancelLongTasks = true;
  commands.Random1Click();
  commands.SwissPairs1Click();
  EXPECT_EQ(host.textWindows.size(), 1u);
  host.cancelLongTasks = false;

  commands.Random1Click();
  const auto second = host.textWindows.back().lines;
  EXPECT_NE(first, second);

  // A fresh program draws the first schedule again.
  Tournament other = t;
  FakeHost otherHost;
  MainCommands fresh(other, otherHost);
  fresh.Random1Click();
  EXPECT_EQ(otherHost.textWindows.back().lines, first);
}

TEST_F(SubsystemCommandsTest, PostToWebReportsMissingSettingsAndFailedConnection) {
  commands.SetFtpClientFactory([] { return std::make_unique<RefusingFtpClient>(); });
  commands.PosttoWeb1Click();
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].first, "Please enter FTP settings under Settings->FTP");
  EXPECT_EQ(host.messages[0].second, "Failure");

  const auto cwd = std::filesystem::current_path();
  std::filesystem::current_path(dir);
  t.Format.HostAddress = "127.0.0.1:1";
  t.Format.UserName = "u";
  t.Format.Password = "p";
  t.Format.BaseName = "post";
  commands.PosttoWeb1Click();
  std::filesystem::current_path(cwd);
  ASSERT_EQ(host.messages.size(), 2u);
  EXPECT_EQ(host.messages[1].first, "FTP Connection Failed");
  EXPECT_EQ(host.messages[1].second, "Failure");
}

TEST_F(SubsystemCommandsTest, PostAfterEveryGameShowsItsOutcomeInTheStatusBarOnly) {
  const auto cwd = std::filesystem::current_path();
  std::filesystem::current_path(dir);
  ScriptedFtpClient::Script script;
  commands.SetFtpClientFactory([&] { return std::make_unique<ScriptedFtpClient>(script); });
  t.Format.HostAddress = "ftp.example.org";
  t.Format.UserName = "u";
  t.Format.Password = "p";
  t.Format.BaseName = "post";
  t.Format.Directory = "www";
  t.Format.Paths = 1;
  commands.GameStoredByNext();  // the switch is off
  commands.WaitForBackgroundPosts();
  EXPECT_EQ(script.connects, 0);

  t.Extras.Posting.PostAfterEveryGame = true;
  commands.GameStoredByNext();
  commands.WaitForBackgroundPosts();
  commands.TakeBackgroundPostResults();
  EXPECT_EQ(host.statuses.back(), "Posted to " + t.Format.HostAddress + " at 10:42");
  EXPECT_EQ(t.Format.Directory, "www/");  // the run's "/" is kept
  script.refuse = true;
  commands.GameStoredByNext();
  commands.WaitForBackgroundPosts();
  commands.TakeBackgroundPostResults();
  std::filesystem::current_path(cwd);
  EXPECT_EQ(host.statuses.back(),
            "Posting after the game failed at 10:42: FTP Connection Failed: Access denied: 530");
  EXPECT_TRUE(host.messages.empty());
  EXPECT_EQ(script.connects, 2);
}

TEST_F(SubsystemCommandsTest, UnknownHostKeyIsAddedToTheKnownHostsOnlyWhenTheDirectorAgrees) {
  const auto cwd = std::filesystem::current_path();
  std::filesystem::current_path(dir);
  ScriptedFtpClient::Script script;
  commands.SetFtpClientFactory([&] { return std::make_unique<ScriptedFtpClient>(script); });
  t.Format.HostAddress = "sftp.example.org";
  t.Format.UserName = "u";
  t.Format.Password = "p";
  t.Format.BaseName = "post";
  t.Extras.Posting.Protocol = PostProtocol::Sftp;
  t.Extras.Posting.KnownHostsFile = dir + "/ssh/known_hosts";
  const RefusedHostKey key{"SHA256:abc", "sftp.example.org ssh-ed25519 AAAA", false};
  script.unknownKeyOnce = key;
  commands.PosttoWeb1Click();
  ASSERT_EQ(host.questions.size(), 1u);
  EXPECT_NE(host.questions[0].find("SHA256:abc"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(dir + "/ssh/known_hosts"));
  EXPECT_EQ(script.connects, 1);

  host.yesNoAnswer = true;
  script.unknownKeyOnce = key;
  commands.PosttoWeb1Click();
  EXPECT_EQ(drav::test::ReadFile(dir + "/ssh/known_hosts"), key.knownHostLine + "\n");
  EXPECT_EQ(script.connects, 3);  // posted again once trusted
  EXPECT_EQ(host.messages.back().first, "Posting to the web is complete");

  // A key that changed is never offered.
  host.questions.clear();
  script.unknownKeyOnce = RefusedHostKey{"SHA256:new", "sftp.example.org ssh-ed25519 BBBB", true};
  commands.PosttoWeb1Click();
  std::filesystem::current_path(cwd);
  EXPECT_TRUE(host.questions.empty());
}

}  // namespace
}  // namespace drav::app
