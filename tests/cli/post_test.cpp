#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "storage/tournament_file.h"
#include "support/cli_runner.h"
#include "support/ftp_test_server.h"
#include "support/generated_tournament.h"
#include "support/posting_servers.h"

namespace drav {
namespace {

namespace fs = std::filesystem;
using test::ReadFile;
using test::RunCli;

// drav-cli post writes the report into its current directory, so each test runs it from a
// scratch directory of its own, which also holds the tournament file. Each test runs once per
// protocol, against a local server of that protocol, trusting its certificate or host key.
class CliPost : public ::testing::TestWithParam<PostProtocol> {
 protected:
  void SetUp() override {
    unsetenv("DRAV_FTP_PASSWORD");
    previous_ = fs::current_path();
    dir_ = test::MakeTempDir();
    fs::current_path(dir_);
    test::GeneratedShape shape;
    shape.seed = 4;
    Tournament t = test::GenerateTournament(shape);
    t.Format.HostAddress = server_.HostAddress();
    t.Format.UserName = server_.Login().userName;
    t.Format.Password = "never stored";
    t.Format.Directory = "www";
    t.Format.BaseName = "C:\\web\\fall";
    t.Format.Paths = 1;
    t.Format.RoundReports = 0;
    Customise(t);
    file_ = dir_ + "/fall.dat";
    WriteTournament(t, file_);
  }
  void TearDown() override {
    fs::current_path(previous_);
    std::error_code ignored;
    fs::remove_all(dir_, ignored);
  }
  virtual void Customise(Tournament&) {}

  std::vector<std::string> PostArgs() const {
    const FtpLogin login = server_.Login();
    std::string protocol = test::ProtocolName(GetParam());
    protocol[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(protocol[0])));
    std::vector<std::string> args{"post", file_, "--protocol", protocol};
    if (!login.caFile.empty()) args.insert(args.end(), {"--ca-file", login.caFile});
    if (!login.knownHostsFile.empty())
      args.insert(args.end(), {"--known-hosts", login.knownHostsFile});
    return args;
  }
  test::CliResult Post(const std::string& password) {
    return RunCli(PostArgs(), {"DRAV_FTP_PASSWORD=" + password});
  }

  test::PostingServer server_{GetParam()};
  fs::path previous_;
  std::string dir_, file_;
};

std::string ProtocolTestName(const ::testing::TestParamInfo<PostProtocol>& info) {
  return test::ProtocolName(info.param);
}

TEST_P(CliPost, UploadsTheFreshReportAndLeavesTheTournamentFileAlone) {
  const std::string before = ReadFile(file_);
  EXPECT_EQ(before.find("never stored"), std::string::npos);
  const auto r = Post(server_.Login().password);
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "Posting to the web is complete\n");
  EXPECT_EQ(r.err, "");
  int pages = 0;
  for (const auto& entry : fs::directory_iterator(server_.Root() + "/www")) {
    const std::string name = entry.path().filename().string();
    EXPECT_EQ(ReadFile(entry.path().string()), ReadFile(dir_ + "/" + name)) << name;
    ++pages;
  }
  EXPECT_EQ(pages, 6);
  EXPECT_TRUE(fs::exists(server_.Root() + "/www/fall_standings.html"));
  EXPECT_EQ(ReadFile(file_), before);
}

TEST_P(CliPost, MissingPasswordAsksForTheSettingsAndWritesNothing) {
  const auto r = RunCli(PostArgs());
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "Please enter FTP settings under Settings->FTP\n");
  EXPECT_FALSE(fs::exists(dir_ + "/fall_standings.html"));
}

TEST_P(CliPost, WrongPasswordFailsTheConnectionWithoutShowingThePassword) {
  const auto r = Post("sw0rdfish");
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err.rfind("FTP Connection Failed: ", 0), 0u) << r.err;
  EXPECT_EQ(r.err.find("sw0rdfish"), std::string::npos);
  EXPECT_TRUE(fs::is_empty(server_.Root()));
}

INSTANTIATE_TEST_SUITE_P(AllProtocols, CliPost,
                         ::testing::Values(PostProtocol::Ftp, PostProtocol::Ftps,
                                           PostProtocol::Sftp),
                         ProtocolTestName);

TEST(CliPostUsage, NeedsExactlyOneFileAndKnownOptions) {
  EXPECT_EQ(RunCli({"post"}).exitCode, 2);
  EXPECT_EQ(RunCli({"post", "a.dat", "b.dat"}).exitCode, 2);
  EXPECT_EQ(RunCli({"post", "a.dat", "--bogus", "1"}).exitCode, 2);
  EXPECT_EQ(RunCli({"post", "a.dat", "--protocol", "gopher"}).exitCode, 2);
  const auto missing = RunCli({"post", "no-such-file.dat"});
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_EQ(missing.err, "Cannot open no-such-file.dat\n");
}

class CliPostWithMissingStyleSheet : public CliPost {
 protected:
  void Customise(Tournament& t) override {
    t.Format.StyleSheet = 1;
    t.Format.StyleSheetFile = "missing.css";
  }
};

TEST_P(CliPostWithMissingStyleSheet, NamesTheFailedUploadCompletesAndExitsOne) {
  const auto r = Post(server_.Login().password);
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.err, "Style Sheet Upload Failed\n");
  EXPECT_EQ(r.out, "Posting to the web is complete\n");
  EXPECT_TRUE(fs::exists(server_.Root() + "/www/fall_statkey.html"));
}

INSTANTIATE_TEST_SUITE_P(AllProtocols, CliPostWithMissingStyleSheet,
                         ::testing::Values(PostProtocol::Ftp, PostProtocol::Ftps,
                                           PostProtocol::Sftp),
                         ProtocolTestName);

TEST(CliPostSftp, RefusesAnUnknownHostKeyShowingTheLineThatTrustsItThenPostsWithIt) {
  test::SftpTestServer server;
  test::TempDir dir;
  const fs::path previous = fs::current_path();
  fs::current_path(dir.path);
  Tournament t;
  t.Format.HostAddress = server.HostAddress();
  t.Format.UserName = server.User();
  t.Format.BaseName = "fall";
  WriteTournament(t, dir.path + "/fall.dat");
  const std::string knownHosts = dir.path + "/known_hosts";
  const std::vector<std::string> args{"post", dir.path + "/fall.dat", "--protocol",
                                      "sftp", "--known-hosts",        knownHosts};
  const auto refused = RunCli(args, {"DRAV_FTP_PASSWORD=" + server.Password()});
  EXPECT_EQ(refused.exitCode, 1);
  EXPECT_NE(refused.err.find(server.Fingerprint()), std::string::npos) << refused.err;
  EXPECT_NE(refused.err.find("\n" + server.KnownHostLine() + "\n"), std::string::npos);
  EXPECT_TRUE(fs::is_empty(server.Root()));
  test::WriteFile(knownHosts, server.KnownHostLine() + "\n");
  const auto posted = RunCli(args, {"DRAV_FTP_PASSWORD=" + server.Password()});
  EXPECT_EQ(posted.exitCode, 0) << posted.err;
  EXPECT_TRUE(fs::exists(server.Root() + "/fall_standings.html"));
  fs::current_path(previous);
}

TEST(CliPostFtps, ChecksTheCertificateAgainstTheCaFileThenPosts) {
  test::FtpTestServer::Options options;
  options.tls = true;
  test::FtpTestServer server(options);
  test::TempDir dir;
  const fs::path previous = fs::current_path();
  fs::current_path(dir.path);
  Tournament t;
  t.Format.HostAddress = server.HostAddress();
  t.Format.UserName = server.User();
  t.Format.BaseName = "fall";
  WriteTournament(t, dir.path + "/fall.dat");
  const std::vector<std::string> args{"post", dir.path + "/fall.dat", "--protocol", "ftps"};
  const std::vector<std::string> env{"DRAV_FTP_PASSWORD=" + server.Password()};
  // Windows' Schannel checks the chain against the store on its own; Wine's does not, so
  // under Wine only the --ca-file half is meaningful.
  if (test::CliCommand().size() == 1) {
    const auto untrusted = RunCli(args, env);
    EXPECT_EQ(untrusted.exitCode, 1);
    EXPECT_TRUE(fs::is_empty(server.Root()));
  }
  std::vector<std::string> trusting = args;
  trusting.insert(trusting.end(), {"--ca-file", server.CertFile()});
  const auto posted = RunCli(trusting, env);
  EXPECT_EQ(posted.exitCode, 0) << posted.err;
  EXPECT_TRUE(fs::exists(server.Root() + "/fall_standings.html"));
  fs::current_path(previous);
}

}  // namespace
}  // namespace drav
