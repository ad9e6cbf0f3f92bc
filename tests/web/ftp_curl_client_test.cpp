#include "web/ftp_curl_client.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "support/cli_runner.h"
#include "support/ftp_test_server.h"

namespace drav {
namespace {

using test::FtpTestServer;
using test::ReadFile;
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

}  // namespace
}  // namespace drav
