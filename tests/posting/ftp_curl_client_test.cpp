#include "posting/ftp_curl_client.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <thread>
#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

#include "support/cli_runner.h"
#include "support/ftp_test_server.h"
#include "support/posting_servers.h"
#include "posting/host_key.h"

namespace drav {
namespace {

using test::FtpTestServer;
using test::PostingServer;
using test::ReadFile;
using test::SftpTestServer;
using test::WriteFile;
namespace fs = std::filesystem;

// Short limits keep the tests that wait on a silent server quick.
FtpTimeLimits QuickLimits() {
  FtpTimeLimits limits;
  limits.connect = std::chrono::milliseconds(1500);
  limits.response = std::chrono::milliseconds(1000);
  limits.stalledTransfer = std::chrono::milliseconds(2000);
  return limits;
}

FtpLogin LoginFor(const FtpTestServer& server) {
  return {server.HostAddress(), server.User(), server.Password()};
}

// Every byte value, CR LF and a lone LF included: a text-mode transfer would change them.
std::string AllBytes() {
  std::string s;
  for (int round = 0; round < 300; ++round)
    for (int b = 0; b < 256; ++b) s.push_back(static_cast<char>(b));
  s += "\r\n\n\r";
  return s;
}

class CurlFtpClientTest : public ::testing::Test {
 protected:
  void SetUp() override {
    local_ = test::MakeTempDir();
    source_ = local_ + "/page.html";
    WriteFile(source_, AllBytes());
  }
  void TearDown() override {
    std::error_code ignored;
    fs::remove_all(local_, ignored);
  }
  std::string local_, source_;
};

TEST_F(CurlFtpClientTest, StoresByteIdenticalFilesAndReplacesThem) {
  FtpTestServer server;
  CurlFtpClient client(QuickLimits());
  ASSERT_TRUE(client.Connect(LoginFor(server)));
  EXPECT_TRUE(client.MakeDirectory("www"));
  EXPECT_TRUE(client.StoreFile(source_, "www/fall open #1.html", {}));
  EXPECT_EQ(ReadFile(server.Root() + "/www/fall open #1.html"), AllBytes());

  // A second store replaces (does not append to) the file.
  WriteFile(source_, "short");
  EXPECT_TRUE(client.StoreFile(source_, "www/fall open #1.html", {}));
  EXPECT_EQ(ReadFile(server.Root() + "/www/fall open #1.html"), "short");
  // Without a directory the file lands in the login directory.
  EXPECT_TRUE(client.StoreFile(source_, "top.html", {}));
  EXPECT_EQ(ReadFile(server.Root() + "/top.html"), "short");
  EXPECT_TRUE(client.Disconnect());
}

TEST_F(CurlFtpClientTest, ReportsProgressUpToTheFileSize) {
  FtpTestServer server;
  CurlFtpClient client(QuickLimits());
  ASSERT_TRUE(client.Connect(LoginFor(server)));
  std::uint64_t lastSent = 0, lastTotal = 0;
  EXPECT_TRUE(client.StoreFile(source_, "p.html", [&](std::uint64_t sent, std::uint64_t total) {
    lastSent = sent;
    lastTotal = total;
    return true;
  }));
  EXPECT_EQ(lastTotal, AllBytes().size());
  EXPECT_EQ(lastSent, AllBytes().size());
}

TEST_F(CurlFtpClientTest, ExistingDirectoryFailsToBeMadeButTheSessionGoesOn) {
  FtpTestServer server;
  fs::create_directory(server.Root() + "/www");
  CurlFtpClient client(QuickLimits());
  ASSERT_TRUE(client.Connect(LoginFor(server)));
  EXPECT_FALSE(client.MakeDirectory("www"));
  EXPECT_TRUE(client.StoreFile(source_, "www/a.html", {}));
  EXPECT_TRUE(fs::exists(server.Root() + "/www/a.html"));
}

TEST_F(CurlFtpClientTest, WrongPasswordOrNoServerFailsToConnect) {
  FtpTestServer server;
  CurlFtpClient client(QuickLimits());
  EXPECT_FALSE(client.Connect({server.HostAddress(), server.User(), "wrong"}));
  EXPECT_FALSE(client.StoreFile(source_, "a.html", {}));  // not connected
  EXPECT_FALSE(client.Connect(
      {"127.0.0.1:" + std::to_string(test::UnusedLocalPort()), server.User(), server.Password()}));
  EXPECT_FALSE(client.Connect({"not a host", server.User(), server.Password()}));
  EXPECT_TRUE(fs::is_empty(server.Root()));
}

TEST_F(CurlFtpClientTest, RefusesLineBreaksThatWouldInjectCommands) {
  FtpTestServer server;
  CurlFtpClient client(QuickLimits());
  EXPECT_FALSE(client.Connect({server.HostAddress(), server.User() + "\r\nMKD evil", "x"}));
  EXPECT_FALSE(client.Connect({server.HostAddress(), server.User(), server.Password() + "\r\n"}));
  ASSERT_TRUE(client.Connect(LoginFor(server)));
  EXPECT_FALSE(client.MakeDirectory("www\r\nMKD evil"));
  EXPECT_FALSE(client.StoreFile(source_, "a\r\nMKD evil", {}));
  EXPECT_FALSE(client.MakeDirectory(""));
  EXPECT_FALSE(fs::exists(server.Root() + "/evil"));
}

TEST_F(CurlFtpClientTest, MissingLocalFileOrMissingDirectoryFailsOnlyThatUpload) {
  FtpTestServer server;
  CurlFtpClient client(QuickLimits());
  ASSERT_TRUE(client.Connect(LoginFor(server)));
  EXPECT_FALSE(client.StoreFile(local_ + "/missing.html", "missing.html", {}));
  EXPECT_FALSE(client.StoreFile(local_, "dir.html", {}));  // a directory is not a file
  EXPECT_FALSE(client.StoreFile(source_, "nowhere/a.html", {}));
  EXPECT_TRUE(client.StoreFile(source_, "a.html", {}));
  EXPECT_FALSE(fs::exists(server.Root() + "/missing.html"));
  EXPECT_EQ(ReadFile(server.Root() + "/a.html"), AllBytes());
}

TEST_F(CurlFtpClientTest, ProgressCallbackOrCancelFlagAbandonsTheUpload) {
  FtpTestServer server;
  CurlFtpClient client(QuickLimits());
  ASSERT_TRUE(client.Connect(LoginFor(server)));
  EXPECT_FALSE(
      client.StoreFile(source_, "a.html", [](std::uint64_t, std::uint64_t) { return false; }));
  std::atomic<bool> cancel{true};
  client.SetCancelFlag(&cancel);
  EXPECT_FALSE(client.StoreFile(source_, "b.html", {}));
  cancel = false;
  EXPECT_TRUE(client.StoreFile(source_, "c.html", {}));
  client.SetCancelFlag(nullptr);
}

TEST_F(CurlFtpClientTest, SilentServerFailsTheConnectionWithinItsTimeLimit) {
  test::SilentTcpServer silent;
  // The connection limit alone must cover the wait for the greeting and the login.
  FtpTimeLimits limits = QuickLimits();
  limits.response = std::chrono::minutes(2);
  CurlFtpClient client(limits);
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(client.Connect({"127.0.0.1:" + std::to_string(silent.Port()), "u", "p"}));
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
}

TEST_F(CurlFtpClientTest, CancelGivesUpAWaitingConnectionPromptly) {
  test::SilentTcpServer silent;
  FtpTimeLimits limits;  // the full limits: only the cancel can end this soon
  CurlFtpClient client(limits);
  std::atomic<bool> cancel{false};
  client.SetCancelFlag(&cancel);
  std::thread canceller([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    cancel = true;
  });
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(client.Connect({"127.0.0.1:" + std::to_string(silent.Port()), "u", "p"}));
  canceller.join();
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

TEST_F(CurlFtpClientTest, ServerSilentDuringAnUploadFailsItAndTheNextOneStillWorks) {
  FtpTestServer::Options options;
  options.stallPrefix = "stall";
  FtpTestServer server(options);
  CurlFtpClient client(QuickLimits());
  ASSERT_TRUE(client.Connect(LoginFor(server)));
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(client.StoreFile(source_, "stall.html", {}));
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
  EXPECT_TRUE(client.StoreFile(source_, "after.html", {}));
  EXPECT_EQ(ReadFile(server.Root() + "/after.html"), AllBytes());
}

// The same session against a real server of each protocol.
class CurlProtocolTest : public CurlFtpClientTest,
                         public ::testing::WithParamInterface<PostProtocol> {};

TEST_P(CurlProtocolTest, MakesDirectoriesAndStoresByteIdenticalFiles) {
  PostingServer server(GetParam());
  CurlFtpClient client(QuickLimits());
  ASSERT_TRUE(client.Connect(server.Login())) << client.LastError();
  EXPECT_TRUE(client.MakeDirectory("www")) << client.LastError();
  EXPECT_FALSE(client.MakeDirectory("www"));  // exists already; the session goes on
  EXPECT_TRUE(client.StoreFile(source_, "www/fall open #1.html", {})) << client.LastError();
  EXPECT_EQ(ReadFile(server.Root() + "/www/fall open #1.html"), AllBytes());
  WriteFile(source_, "short");
  EXPECT_TRUE(client.StoreFile(source_, "www/fall open #1.html", {}));
  EXPECT_EQ(ReadFile(server.Root() + "/www/fall open #1.html"), "short");
  // A path from the root of the login's tree.
  EXPECT_TRUE(client.StoreFile(source_, "/www/absolute.html", {})) << client.LastError();
  EXPECT_EQ(ReadFile(server.Root() + "/www/absolute.html"), "short");
  EXPECT_FALSE(client.StoreFile(source_, "nowhere/a.html", {}));
  EXPECT_FALSE(client.LastError().empty());
  EXPECT_TRUE(client.Disconnect());
}

TEST_P(CurlProtocolTest, WrongPasswordOrNoServerFailsWithAReasonThatHidesThePassword) {
  PostingServer server(GetParam());
  CurlFtpClient client(QuickLimits());
  FtpLogin login = server.Login();
  login.password = "not the password";
  EXPECT_FALSE(client.Connect(login));
  EXPECT_FALSE(client.LastError().empty());
  EXPECT_EQ(client.LastError().find("not the password"), std::string::npos);
  login = server.Login();
  login.hostAddress = "127.0.0.1:" + std::to_string(test::UnusedLocalPort());
  EXPECT_FALSE(client.Connect(login));
  EXPECT_FALSE(client.LastError().empty());
  EXPECT_TRUE(fs::is_empty(server.Root()));
}

INSTANTIATE_TEST_SUITE_P(AllProtocols, CurlProtocolTest,
                         ::testing::Values(PostProtocol::Ftp, PostProtocol::Ftps,
                                           PostProtocol::Sftp),
                         [](const auto& info) { return test::ProtocolName(info.param); });

TEST_F(CurlFtpClientTest, FtpsRefusesACertificateItCannotVerifyAndUploadsNothing) {
  PostingServer server(PostProtocol::Ftps);
  CurlFtpClient client(QuickLimits());
  FtpLogin login = server.Login();
  login.caFile.clear();  // the system's store does not hold a throwaway certificate
  EXPECT_FALSE(client.Connect(login));
  EXPECT_NE(client.LastError().find("certificate"), std::string::npos) << client.LastError();
  // Another certificate than the server's is no better.
  FtpTestServer::Options options;
  options.tls = true;
  FtpTestServer other(options);
  login.caFile = other.CertFile();
  EXPECT_FALSE(client.Connect(login));
  EXPECT_TRUE(fs::is_empty(server.Root()));
}

TEST_F(CurlFtpClientTest, FtpsRefusesAServerThatDoesNotSpeakTls) {
  FtpTestServer plain;
  CurlFtpClient client(QuickLimits());
  FtpLogin login = LoginFor(plain);
  login.protocol = PostProtocol::Ftps;
  EXPECT_FALSE(client.Connect(login));
  EXPECT_FALSE(client.LastError().empty());
}

TEST_F(CurlFtpClientTest, SftpRefusesAnUnknownHostKeyWithItsFingerprintUntilItIsTrusted) {
  SftpTestServer server;
  CurlFtpClient client(QuickLimits());
  FtpLogin login{server.HostAddress(),   server.User(), server.Password(), PostProtocol::Sftp, "",
                 local_ + "/known_hosts"};
  EXPECT_FALSE(client.Connect(login));
  const auto refused = client.LastRefusedHostKey();
  ASSERT_TRUE(refused);
  EXPECT_EQ(refused->fingerprint, server.Fingerprint());
  EXPECT_EQ(refused->knownHostLine, server.KnownHostLine());
  EXPECT_FALSE(refused->changed);
  EXPECT_NE(client.LastError().find(server.Fingerprint()), std::string::npos);
  EXPECT_TRUE(fs::is_empty(server.Root()));

  AppendKnownHost(login.knownHostsFile, refused->knownHostLine);
  ASSERT_TRUE(client.Connect(login)) << client.LastError();
  EXPECT_FALSE(client.LastRefusedHostKey());
  EXPECT_TRUE(client.StoreFile(source_, "a.html", {}));
  EXPECT_EQ(ReadFile(server.Root() + "/a.html"), AllBytes());
}

TEST_F(CurlFtpClientTest, SftpRefusesAChangedHostKeyAndAnUnnamedKnownHostsFile) {
  SftpTestServer server, impostor;
  CurlFtpClient client(QuickLimits());
  FtpLogin login{
      impostor.HostAddress(), impostor.User(), impostor.Password(), PostProtocol::Sftp, "",
      local_ + "/known_hosts"};
  // The file trusts another key for this very host and port.
  const std::string otherKey = server.KnownHostLine().substr(server.KnownHostLine().find(' '));
  WriteFile(login.knownHostsFile,
            "[127.0.0.1]:" + std::to_string(impostor.Port()) + otherKey + "\n");
  EXPECT_FALSE(client.Connect(login));
  ASSERT_TRUE(client.LastRefusedHostKey());
  EXPECT_TRUE(client.LastRefusedHostKey()->changed);
  login.knownHostsFile.clear();
  EXPECT_FALSE(client.Connect(login));
  EXPECT_TRUE(fs::is_empty(impostor.Root()));
}

// A server that stops reading in the middle of an upload: the low-speed limit ends it.
TEST_F(CurlFtpClientTest, UploadThatStopsMovingFailsAtTheLowSpeedLimit) {
  // Larger than what the loopback socket buffers can swallow.
  WriteFile(source_, std::string(std::size_t{48} << 20, 'x'));
  FtpTestServer::Options options;
  options.throttle = true;
  FtpTestServer ftp(options);
  SftpTestServer::Options sftpOptions;
  sftpOptions.stallPrefix = "stall";
  SftpTestServer sftp(sftpOptions);
  const std::string knownHosts = local_ + "/known_hosts";
  WriteFile(knownHosts, sftp.KnownHostLine() + "\n");
  const FtpLogin logins[] = {
      LoginFor(ftp),
      {sftp.HostAddress(), sftp.User(), sftp.Password(), PostProtocol::Sftp, "", knownHosts}};
  for (const FtpLogin& login : logins) {
#if defined(__SANITIZE_ADDRESS__)
    // libcurl with libssh2 leaks the pending writes of an SFTP transfer it abandons; that is
    // theirs, not ours, so the leak checker looks away from this session only.
    std::optional<__lsan::ScopedDisabler> libraryLeaks;
    if (login.protocol == PostProtocol::Sftp) libraryLeaks.emplace();
#endif
    CurlFtpClient client(QuickLimits());
    ASSERT_TRUE(client.Connect(login)) << client.LastError();
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(client.StoreFile(source_, "stall.html", {}));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
    EXPECT_FALSE(client.LastError().empty());
  }
}

TEST(HostKey, FingerprintAndLinesAreThoseSshShows) {
  const auto digest = Sha256("abc");
  EXPECT_EQ(Base64(std::string(digest.begin(), digest.end())),
            "ungWv48Bz+pBQUDeXa4iI7ADYaOWF3qctBD/YfIAFa0=");
  EXPECT_EQ(Base64(std::string(1000000, 'a')).size(), 1333336u);
  const auto million = Sha256(std::string(1000000, 'a'));
  EXPECT_EQ(Base64(std::string(million.begin(), million.end()), false),
            "zcduXJkU+5KBocfihNc+Z/GAmkiklyAOBG05zMcRLNA");
  const std::string blob = std::string("\0\0\0\x0bssh-ed25519", 15) + "key bytes";
  EXPECT_EQ(HostKeyType(blob), "ssh-ed25519");
  EXPECT_EQ(HostKeyType(std::string("\0\0\0\x7f", 4) + "short"), "");
  EXPECT_EQ(KnownHostLine("example.org", 22, blob), "example.org ssh-ed25519 " + Base64(blob));
  EXPECT_EQ(KnownHostLine("::1", 2222, blob).substr(0, 11), "[::1]:2222 ");
}

}  // namespace
}  // namespace drav
