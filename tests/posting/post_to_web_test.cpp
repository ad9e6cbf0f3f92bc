#include "posting/post_to_web.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <thread>

#include "posting/ftp_curl_client.h"
#include "support/cli_runner.h"
#include "support/ftp_test_server.h"
#include "support/generated_tournament.h"
#include "support/posting_servers.h"
#include "web/web_fixture.h"
#include "web/web_report.h"

namespace drav {
namespace {

namespace fs = std::filesystem;
using test::FtpTestServer;
using test::ReadFile;
using test::WriteFile;

const char kAllPagesFailed[] = "";

// Records every operation; fails the ones it is told to.
class FakeFtpClient : public FtpClient {
 public:
  bool Connect(const FtpLogin& login) override {
    log.push_back("connect " + login.hostAddress + " " + login.userName + " " + login.password);
    return connectOk;
  }
  bool MakeDirectory(const std::string& remotePath) override {
    log.push_back("mkd " + remotePath);
    return false;  // as for a directory that exists already
  }
  bool StoreFile(const std::string& localPath, const std::string& remotePath,
                 const FtpTransferProgress& progress) override {
    log.push_back("stor " + localPath + " > " + remotePath);
    if (onStore) onStore(remotePath);
    if (progress) progress(5, 10);
    return failRemote != kAllPagesFailed ? remotePath != failRemote : false;
  }
  bool Disconnect() override {
    log.push_back("quit");
    return disconnectOk;
  }
  void SetCancelFlag(const std::atomic<bool>* cancel) override { cancelFlag = cancel; }
  std::string LastError() const override { return reason; }

  std::vector<std::string> log;
  bool connectOk = true;
  bool disconnectOk = true;
  std::string failRemote = "none";
  std::string reason;
  std::function<void(const std::string&)> onStore;
  const std::atomic<bool>* cancelFlag = nullptr;
};

Tournament WithFtpSettings() {
  Tournament t;
  t.Format.HostAddress = "ftp.example.org";
  t.Format.UserName = "director";
  t.Format.Password = "pw";
  t.Format.BaseName = "C:\\web\\fall";
  t.Format.Directory = "www";
  return t;
}

// A report writer that writes nothing and reports the given files as not written.
PostToWebCallbacks NoReport(std::vector<std::string> notWritten = {}) {
  PostToWebCallbacks callbacks;
  callbacks.writeReport = [notWritten](Tournament&, const std::string&) { return notWritten; };
  return callbacks;
}

std::string Cwd() {
  return fs::current_path().string();
}

std::vector<PostMessage> Failures(std::initializer_list<const char*> texts) {
  std::vector<PostMessage> messages;
  for (const char* text : texts) messages.push_back({"Failure", text});
  return messages;
}

const PostMessage kComplete{"Completed", "Posting to the web is complete"};

TEST(PostToWebNames, FileNameIsTheLastComponentOfTheBaseName) {
  EXPECT_EQ(PostFileName("C:\\web\\fall"), "fall");
  EXPECT_EQ(PostFileName("/srv/web/fall open"), "fall open");
  EXPECT_EQ(PostFileName("fall"), "fall");
  EXPECT_EQ(PostFileName("C:\\web\\"), "");
}

TEST(PostToWebNames, SlashIsAddedOnlyWithPathsOnAndOnlyOnce) {
  EXPECT_EQ(PostDirectory("www", 1), "www/");
  EXPECT_EQ(PostDirectory("www/", 1), "www/");
  EXPECT_EQ(PostDirectory("www", 0), "www");
  EXPECT_EQ(PostDirectory("", 1), "");
}

TEST(PostToWebNames, ModernReportUploadsTheFilesItsDriverLists) {
  Tournament t = test::WebFixture();
  t.Extras.Report = ReportStyle::Modern;
  const auto uploads = PostUploads(t, "fall", "www/");
  const auto files = WebReportFiles(t);
  ASSERT_EQ(uploads.size(), files.size());
  EXPECT_EQ(uploads.front().remotePath, "www/fall_index.html");
  EXPECT_EQ(uploads.back().remotePath, "www/fall_icon.png");
  for (std::size_t i = 0; i < files.size(); ++i)
    EXPECT_EQ(uploads[i].localName, "fall" + files[i].Suffix);
}

TEST(PostToWebNames, UploadsFollowTheFixedOrderAndTheSwitches) {
  Tournament t;
  TourneyFormat& f = t.Format;
  f.RoundReports = 1;
  f.StyleSheet = 1;
  f.ScoreboardFile = "_scores.htm";
  const auto uploads = PostUploads(t, "fall", "www/");
  std::vector<std::string> remote, messages;
  for (const auto& u : uploads) {
    remote.push_back(u.remotePath);
    messages.push_back(u.failureMessage);
    EXPECT_EQ("www/" + u.localName, u.remotePath);
  }
  EXPECT_EQ(remote,
            (std::vector<std::string>{"www/fall_standings.html", "www/fall_individuals.html",
                                      "www/fall_scores.htm", "www/fall_teamdetail.html",
                                      "www/fall_playerdetail.html", "www/fall_rounds.html",
                                      "www/fall_statkey.html", "www/fall_style.css"}));
  EXPECT_EQ(messages, (std::vector<std::string>{
                          "Team Standings Upload Failed", "Individual Standings Upload Failed",
                          "Scoreboard Upload Failed", "Team Detail Upload Failed",
                          "Individual Detail Upload Failed", "Round Reports Upload Failed",
                          "Stat Key Upload Failed", "Style Sheet Upload Failed"}));
  f.TeamStandings = f.StatKey = f.StyleSheet = 0;
  EXPECT_EQ(PostUploads(t, "fall", "").front().remotePath, "fall_individuals.html");
  EXPECT_EQ(PostUploads(t, "fall", "").back().remotePath, "fall_rounds.html");
}

TEST(PostToWeb, AnyEmptySettingAsksForTheSettingsAndConnectsToNothing) {
  for (auto field : {&TourneyFormat::HostAddress, &TourneyFormat::UserName,
                     &TourneyFormat::Password, &TourneyFormat::BaseName}) {
    Tournament t = WithFtpSettings();
    t.Format.*field = "";
    FakeFtpClient client;
    bool reportWritten = false;
    PostToWebCallbacks callbacks;
    callbacks.writeReport = [&](Tournament&, const std::string&) {
      reportWritten = true;
      return std::vector<std::string>{};
    };
    const auto result = PosttoWeb1Click(t, client, callbacks);
    EXPECT_EQ(
        result.messages,
        (std::vector<PostMessage>{{"Failure", "Please enter FTP settings under Settings->FTP"}}));
    EXPECT_TRUE(client.log.empty());
    EXPECT_FALSE(reportWritten);
    EXPECT_EQ(t.Format.Directory, "www");
  }
}

// Settings from a received file holding a NUL or a line break could cut a path short or add
// a command to the server's dialogue: nothing is written or sent.
TEST(PostToWeb, ControlCharacterInASettingConnectsToNothing) {
  for (auto field : {&TourneyFormat::HostAddress, &TourneyFormat::UserName,
                     &TourneyFormat::Directory, &TourneyFormat::BaseName}) {
    Tournament t = WithFtpSettings();
    t.Format.*field += std::string("x\0\rDELE y", 9);
    FakeFtpClient client;
    bool reportWritten = false;
    PostToWebCallbacks callbacks;
    callbacks.writeReport = [&](Tournament&, const std::string&) {
      reportWritten = true;
      return std::vector<std::string>{};
    };
    const auto result = PosttoWeb1Click(t, client, callbacks);
    ASSERT_EQ(result.messages.size(), 1u);
    EXPECT_EQ(result.messages[0].text, kPostSettingsUnsafe);
    EXPECT_TRUE(client.log.empty());
    EXPECT_FALSE(reportWritten);
  }
}

TEST(PostToWeb, SequenceWritesUnderTheBaseNameConnectsMakesTheDirectoryAndUploadsInOrder) {
  Tournament t = WithFtpSettings();
  FakeFtpClient client;
  std::string reportBase;
  std::vector<PostMessage> seen;
  PostToWebCallbacks callbacks;
  callbacks.writeReport = [&](Tournament&, const std::string& base) {
    reportBase = base;
    return std::vector<std::string>{};
  };
  callbacks.message = [&](const PostMessage& m) { seen.push_back(m); };
  const auto result = PosttoWeb1Click(t, client, callbacks);

  const std::string local = Cwd() + "/fall";
  EXPECT_EQ(reportBase, local);
  EXPECT_EQ(client.log, (std::vector<std::string>{
                            "connect ftp.example.org director pw", "mkd www/",
                            "stor " + local + "_standings.html > www/fall_standings.html",
                            "stor " + local + "_individuals.html > www/fall_individuals.html",
                            "stor " + local + "_games.html > www/fall_games.html",
                            "stor " + local + "_teamdetail.html > www/fall_teamdetail.html",
                            "stor " + local + "_playerdetail.html > www/fall_playerdetail.html",
                            "stor " + local + "_statkey.html > www/fall_statkey.html", "quit"}));
  EXPECT_EQ(result.messages, (std::vector<PostMessage>{kComplete}));
  EXPECT_EQ(seen, result.messages);
  EXPECT_EQ(t.Format.Directory, "www/");  // the setting itself changes
  EXPECT_EQ(client.cancelFlag, nullptr);  // the run's flag is not left behind
}

TEST(PostToWeb, PathsOffConcatenatesAndEmptyDirectoryUsesTheLoginDirectory) {
  Tournament t = WithFtpSettings();
  t.Format.Paths = 0;
  FakeFtpClient client;
  PosttoWeb1Click(t, client, NoReport());
  EXPECT_EQ(client.log.at(1), "mkd www");
  EXPECT_NE(client.log.at(2).find("> wwwfall_standings.html"), std::string::npos);
  EXPECT_EQ(t.Format.Directory, "www");

  t.Format.Paths = 1;
  t.Format.Directory = "";
  FakeFtpClient second;
  PosttoWeb1Click(t, second, NoReport());
  EXPECT_NE(second.log.at(1).find("> fall_standings.html"), std::string::npos);  // no mkd
  EXPECT_EQ(t.Format.Directory, "");
}

TEST(PostToWeb, FailedConnectionStopsBeforeUploadingAndKeepsTheDirectory) {
  Tournament t = WithFtpSettings();
  FakeFtpClient client;
  client.connectOk = false;
  const auto result = PosttoWeb1Click(t, client, NoReport());
  EXPECT_EQ(result.messages, Failures({"FTP Connection Failed"}));
  EXPECT_EQ(client.log.size(), 1u);
  EXPECT_EQ(t.Format.Directory, "www");
  // The client's reason follows the step's own text.
  client.reason = "Access denied: 530";
  EXPECT_EQ(PosttoWeb1Click(t, client, NoReport()).messages,
            Failures({"FTP Connection Failed: Access denied: 530"}));
  client.connectOk = true;
  client.failRemote = "www/fall_games.html";
  client.reason = "Disk full";
  EXPECT_EQ(
      PosttoWeb1Click(t, client, NoReport()).messages,
      (std::vector<PostMessage>{{"Failure", "Scoreboard Upload Failed: Disk full"}, kComplete}));
}

TEST(PostToWeb, EachFailedUploadHasItsMessageAndTheOthersGoOn) {
  Tournament t = WithFtpSettings();
  t.Format.RoundReports = 1;
  t.Format.StyleSheet = 1;
  FakeFtpClient client;
  client.failRemote = kAllPagesFailed;
  client.disconnectOk = false;
  auto result = PosttoWeb1Click(t, client, NoReport());
  auto expected =
      Failures({"Team Standings Upload Failed", "Individual Standings Upload Failed",
                "Scoreboard Upload Failed", "Team Detail Upload Failed",
                "Individual Detail Upload Failed", "Round Reports Upload Failed",
                "Stat Key Upload Failed", "Style Sheet Upload Failed", "Disconnect Error"});
  expected.push_back(kComplete);
  EXPECT_EQ(result.messages, expected);

  FakeFtpClient one;
  one.failRemote = "www/fall_games.html";
  result = PosttoWeb1Click(t, one, NoReport());
  EXPECT_EQ(result.messages,
            (std::vector<PostMessage>{{"Failure", "Scoreboard Upload Failed"}, kComplete}));
  EXPECT_EQ(one.log.size(), 1u + 1u + 8u + 1u);
}

TEST(PostToWeb, FilesTheReportCouldNotWriteAreNotSentFromAnEarlierRun) {
  Tournament t = WithFtpSettings();
  t.Format.StyleSheet = 1;
  FakeFtpClient client;
  const auto result = PosttoWeb1Click(t, client, NoReport({Cwd() + "/fall_style.css"}));
  EXPECT_EQ(result.messages,
            (std::vector<PostMessage>{{"Failure", "Style Sheet Upload Failed"}, kComplete}));
  for (const auto& entry : client.log) EXPECT_EQ(entry.find("_style.css"), std::string::npos);
}

TEST(PostToWeb, EverySwitchOffConnectsUploadsNothingAndCompletes) {
  Tournament t = WithFtpSettings();
  TourneyFormat& f = t.Format;
  f.TeamStandings = f.IndividualStandings = f.Scoreboard = f.TeamDetail = f.IndividualDetail =
      f.RoundReports = f.StatKey = f.StyleSheet = 0;
  FakeFtpClient client;
  const auto result = PosttoWeb1Click(t, client, NoReport());
  EXPECT_EQ(client.log,
            (std::vector<std::string>{"connect ftp.example.org director pw", "mkd www/", "quit"}));
  EXPECT_EQ(result.messages, (std::vector<PostMessage>{kComplete}));
}

TEST(PostToWeb, CancelStopsTheUploadsClosesTheSessionAndReportsNothing) {
  Tournament t = WithFtpSettings();
  std::atomic<bool> cancel{false};
  FakeFtpClient client;
  client.failRemote = kAllPagesFailed;  // the cancelled upload fails, silently
  client.onStore = [&](const std::string& remote) {
    if (remote == "www/fall_games.html") cancel = true;
  };
  PostToWebCallbacks callbacks = NoReport();
  callbacks.cancel = &cancel;
  std::vector<PostProgress> progress;
  callbacks.progress = [&](const PostProgress& p) { progress.push_back(p); };
  const auto result = PosttoWeb1Click(t, client, callbacks);
  EXPECT_TRUE(result.cancelled);
  EXPECT_EQ(result.messages,
            Failures({"Team Standings Upload Failed", "Individual Standings Upload Failed"}));
  EXPECT_EQ(client.log.back(), "quit");
  EXPECT_EQ(client.log.size(), 1u + 1u + 3u + 1u);
  EXPECT_EQ(client.cancelFlag, nullptr);
  ASSERT_FALSE(progress.empty());
  EXPECT_EQ(progress.front().stage, PostStage::WritingReport);
  EXPECT_EQ(progress.back().stage, PostStage::Disconnecting);
  const auto third = std::find_if(progress.begin(), progress.end(),
                                  [](const PostProgress& p) { return p.file == 3; });
  ASSERT_NE(third, progress.end());
  EXPECT_EQ(third->fileCount, 6);
  EXPECT_EQ(third->remotePath, "www/fall_games.html");
}

TEST(PostToWeb, RunWorksOnItsOwnCopyAndKeepsLaterEditsOfTheDirectory) {
  Tournament t = WithFtpSettings();
  PostToWebJob job = PreparePostToWeb(t);
  t.Format.HostAddress = "changed.example.org";
  t.Format.Directory = "edited";
  FakeFtpClient client;
  PostToWebResult result;
  std::thread worker([&] { result = RunPostToWeb(std::move(job), client, NoReport()); });
  worker.join();
  EXPECT_EQ(client.log.front(), "connect ftp.example.org director pw");
  EXPECT_EQ(result.directoryAfter, "www/");
  ApplyPostToWebResult(t, result);
  EXPECT_EQ(t.Format.Directory, "edited");
  EXPECT_EQ(t.Format.SortByRound, 1);
}

// Against a real server, with the real report written into a scratch current directory.
class PostToWebServerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    previous_ = fs::current_path();
    local_ = test::MakeTempDir();
    fs::current_path(local_);
    test::GeneratedShape shape;
    shape.seed = 9;
    t_ = test::GenerateTournament(shape);
    t_.Format.HostAddress = server_.HostAddress();
    t_.Format.UserName = server_.User();
    t_.Format.Password = server_.Password();
    t_.Format.BaseName = "C:\\web\\fall open";
    t_.Format.Directory = "www";
    t_.Format.Paths = 1;
    t_.Format.RoundReports = 0;
  }
  void TearDown() override {
    fs::current_path(previous_);
    std::error_code ignored;
    fs::remove_all(local_, ignored);
  }
  PostToWebResult Post() {
    FtpTimeLimits limits;
    limits.connect = std::chrono::milliseconds(3000);
    limits.response = std::chrono::milliseconds(3000);
    CurlFtpClient client(limits);
    return PosttoWeb1Click(t_, client);
  }
  std::vector<std::string> RemoteFiles(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(server_.Root() + folder))
      names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

  FtpTestServer server_;
  fs::path previous_;
  std::string local_;
  Tournament t_;
};

TEST_F(PostToWebServerTest, SuccessfulPostPutsByteIdenticalFilesUnderTheDirectory) {
  const auto result = Post();
  EXPECT_EQ(result.messages, (std::vector<PostMessage>{kComplete}));
  EXPECT_EQ(t_.Format.Directory, "www/");
  const auto names = RemoteFiles("/www");
  EXPECT_EQ(names,
            (std::vector<std::string>{"fall open_games.html", "fall open_individuals.html",
                                      "fall open_playerdetail.html", "fall open_standings.html",
                                      "fall open_statkey.html", "fall open_teamdetail.html"}));
  for (const auto& name : names) {
    const std::string page = ReadFile(local_ + "/" + name);
    EXPECT_NE(page.find("\r\n"), std::string::npos);
    EXPECT_EQ(ReadFile(server_.Root() + "/www/" + name), page) << name;
  }
  // Posting again replaces the files and the directory that exists is no obstacle.
  EXPECT_EQ(Post().messages, (std::vector<PostMessage>{kComplete}));
  EXPECT_EQ(RemoteFiles("/www").size(), 6u);
}

TEST_F(PostToWebServerTest, MissingStyleSheetFailsAloneWhileTheOtherFilesArrive) {
  t_.Format.StyleSheet = 1;
  t_.Format.StyleSheetFile = local_ + "/no such.css";
  WriteFile(local_ + "/fall open_style.css", "stale");  // left over from an earlier run
  fs::create_directory(server_.Root() + "/www");
  EXPECT_EQ(Post().messages,
            (std::vector<PostMessage>{{"Failure", "Style Sheet Upload Failed"}, kComplete}));
  EXPECT_EQ(RemoteFiles("/www").size(), 6u);
  EXPECT_FALSE(fs::exists(server_.Root() + "/www/fall open_style.css"));
}

TEST_F(PostToWebServerTest, OnlyAStyleSheetNamedCssIsPosted) {
  t_.Format.StyleSheet = 1;
  t_.Format.StyleSheetFile = local_ + "/secret.txt";
  WriteFile(t_.Format.StyleSheetFile, "private");
  EXPECT_EQ(Post().messages,
            (std::vector<PostMessage>{{"Failure", "Style Sheet Upload Failed"}, kComplete}));
  EXPECT_EQ(RemoteFiles("/www").size(), 6u);
  EXPECT_FALSE(fs::exists(server_.Root() + "/www/fall open_style.css"));

  t_.Format.StyleSheetFile = local_ + "/STYLE.CSS";
  WriteFile(t_.Format.StyleSheetFile, "h1 { color: red; }");
  EXPECT_EQ(Post().messages, (std::vector<PostMessage>{kComplete}));
  EXPECT_EQ(ReadFile(server_.Root() + "/www/fall open_style.css"), "h1 { color: red; }");
}

TEST_F(PostToWebServerTest, EverySwitchOffConnectsMakesTheDirectoryAndUploadsNothing) {
  TourneyFormat& f = t_.Format;
  f.TeamStandings = f.IndividualStandings = f.Scoreboard = f.TeamDetail = f.IndividualDetail =
      f.RoundReports = f.StatKey = 0;
  EXPECT_EQ(Post().messages, (std::vector<PostMessage>{kComplete}));
  EXPECT_TRUE(fs::is_directory(server_.Root() + "/www"));
  EXPECT_TRUE(RemoteFiles("/www").empty());
}

TEST_F(PostToWebServerTest, PathsOffSendsTheConcatenatedNamesToTheLoginDirectory) {
  t_.Format.Paths = 0;
  t_.Format.TeamDetail = t_.Format.IndividualDetail = 0;
  EXPECT_EQ(Post().messages, (std::vector<PostMessage>{kComplete}));
  EXPECT_EQ(t_.Format.Directory, "www");
  EXPECT_TRUE(fs::exists(server_.Root() + "/wwwfall open_standings.html"));
  EXPECT_FALSE(fs::exists(server_.Root() + "/www/fall open_standings.html"));
}

// The same post over each protocol, against a real local server.
class PostToWebProtocolTest : public ::testing::TestWithParam<PostProtocol> {
 protected:
  void SetUp() override {
    previous_ = fs::current_path();
    fs::current_path(local_.path);
    test::GeneratedShape shape;
    shape.seed = 9;
    t_ = test::GenerateTournament(shape);
    const FtpLogin login = server_.Login();
    t_.Format.HostAddress = login.hostAddress;
    t_.Format.UserName = login.userName;
    t_.Format.Password = login.password;
    t_.Format.BaseName = "C:\\web\\fall open";
    t_.Format.Directory = "www";
    t_.Format.Paths = 1;
    t_.Format.RoundReports = 0;
    t_.Extras.Posting.Protocol = login.protocol;
    t_.Extras.Posting.CaFile = login.caFile;
    t_.Extras.Posting.KnownHostsFile = login.knownHostsFile;
  }
  void TearDown() override { fs::current_path(previous_); }
  PostToWebResult Post() {
    FtpTimeLimits limits;
    limits.connect = limits.response = std::chrono::milliseconds(3000);
    CurlFtpClient client(limits);
    return PosttoWeb1Click(t_, client);
  }
  bool ConnectionFailed(const PostToWebResult& result) {
    return result.messages.size() == 1 && result.messages[0].caption == "Failure" &&
           result.messages[0].text.rfind("FTP Connection Failed: ", 0) == 0;
  }

  fs::path previous_;
  test::TempDir local_;
  test::PostingServer server_{GetParam()};
  Tournament t_;
};

TEST_P(PostToWebProtocolTest, PostsByteIdenticalPagesAndFailsOnlyTheMissingStyleSheet) {
  t_.Format.StyleSheet = 1;
  t_.Format.StyleSheetFile = local_.path + "/no such.css";
  EXPECT_EQ(Post().messages,
            (std::vector<PostMessage>{{"Failure", "Style Sheet Upload Failed"}, kComplete}));
  EXPECT_EQ(t_.Format.Directory, "www/");
  int pages = 0;
  for (const auto& entry : fs::directory_iterator(server_.Root() + "/www")) {
    const std::string name = entry.path().filename().string();
    EXPECT_EQ(ReadFile(entry.path().string()), ReadFile(local_.path + "/" + name)) << name;
    ++pages;
  }
  EXPECT_EQ(pages, 6);
}

TEST_P(PostToWebProtocolTest, WrongPasswordOrNoServerFailsTheConnectionWithItsReason) {
  t_.Format.Password = "not the password";
  const auto wrong = Post();
  EXPECT_TRUE(ConnectionFailed(wrong)) << wrong.messages.at(0).text;
  EXPECT_EQ(wrong.messages.at(0).text.find("not the password"), std::string::npos);
  t_.Format.Password = server_.Login().password;
  t_.Format.HostAddress = "127.0.0.1:" + std::to_string(test::UnusedLocalPort());
  EXPECT_TRUE(ConnectionFailed(Post()));
  EXPECT_TRUE(fs::is_empty(server_.Root()));
  EXPECT_EQ(t_.Format.Directory, "www");
}

// Plain FTP has nothing to trust.
class PostToWebTrustTest : public PostToWebProtocolTest {};

TEST_P(PostToWebTrustTest, UntrustedServerIsRefusedAndNothingIsUploaded) {
  t_.Extras.Posting.CaFile.clear();
  t_.Extras.Posting.KnownHostsFile = local_.path + "/empty_known_hosts";
  const auto result = Post();
  EXPECT_TRUE(ConnectionFailed(result)) << result.messages.at(0).text;
  EXPECT_TRUE(fs::is_empty(server_.Root()));
  if (GetParam() == PostProtocol::Sftp) {
    ASSERT_TRUE(result.refusedHostKey);
    EXPECT_EQ(result.knownHostsFile, local_.path + "/empty_known_hosts");
    EXPECT_NE(result.messages[0].text.find(result.refusedHostKey->fingerprint), std::string::npos);
  }
}

INSTANTIATE_TEST_SUITE_P(AllProtocols, PostToWebProtocolTest,
                         ::testing::Values(PostProtocol::Ftp, PostProtocol::Ftps,
                                           PostProtocol::Sftp),
                         [](const auto& info) { return test::ProtocolName(info.param); });
INSTANTIATE_TEST_SUITE_P(SecureProtocols, PostToWebTrustTest,
                         ::testing::Values(PostProtocol::Ftps, PostProtocol::Sftp),
                         [](const auto& info) { return test::ProtocolName(info.param); });

}  // namespace
}  // namespace drav
