// FTPS posts against vsftpd, the server that many web hosts run.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "support/cli_runner.h"
#include "support/generated_tournament.h"
#include "support/vsftpd_server.h"
#include "posting/ftp_curl_client.h"
#include "posting/post_to_web.h"

namespace drav {
namespace {

namespace fs = std::filesystem;
using test::ReadFile;

class FtpsVsftpdTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (const std::string why = test::VsftpdServer::Unavailable(); !why.empty())
      GTEST_SKIP() << why;
    server_ = std::make_unique<test::VsftpdServer>();
    previous_ = fs::current_path();
    fs::current_path(local_.path);
    test::GeneratedShape shape;
    shape.seed = 24;
    t_ = test::GenerateTournament(shape);
    const FtpLogin login = server_->Login();
    t_.Format.HostAddress = login.hostAddress;
    t_.Format.UserName = login.userName;
    t_.Format.Password = login.password;
    t_.Format.BaseName = "C:\\web\\fall open";
    t_.Format.Directory = "www";
    t_.Format.Paths = 1;
    t_.Extras.Posting.Protocol = PostProtocol::Ftps;
    t_.Extras.Posting.CaFile = login.caFile;
  }
  void TearDown() override {
    if (!previous_.empty()) fs::current_path(previous_);
  }
  PostToWebResult Post() {
    FtpTimeLimits limits;
    limits.connect = limits.response = std::chrono::milliseconds(5000);
    CurlFtpClient client(limits);
    return PosttoWeb1Click(t_, client);
  }

  test::TempDir local_;
  std::unique_ptr<test::VsftpdServer> server_;
  fs::path previous_;
  Tournament t_;
};

TEST_F(FtpsVsftpdTest, TenPostsInARowArriveWholeEveryTime) {
  for (int run = 1; run <= 10; ++run) {
    SCOPED_TRACE("post " + std::to_string(run));
    std::error_code ignored;
    fs::remove_all(server_->Root() + "/www", ignored);  // nothing left over can pass
    const auto result = Post();
    ASSERT_EQ(result.messages.size(), 1u) << result.messages.at(0).text;
    EXPECT_EQ(result.messages[0].caption, "Completed") << result.messages[0].text;
    int pages = 0;
    for (const auto& local : fs::directory_iterator(local_.path)) {
      const std::string name = local.path().filename().string();
      if (local.path().extension() != ".html") continue;
      EXPECT_EQ(ReadFile(server_->Root() + "/www/" + name), ReadFile(local.path().string()))
          << name;
      ++pages;
    }
    EXPECT_GE(pages, 6);
    int remote = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(server_->Root() + "/www"))
      ++remote;
    EXPECT_EQ(remote, pages);
  }
}

TEST_F(FtpsVsftpdTest, UntrustedCertificateIsRefusedAndNothingIsUploaded) {
  t_.Extras.Posting.CaFile.clear();
  const auto result = Post();
  ASSERT_EQ(result.messages.size(), 1u);
  EXPECT_EQ(result.messages[0].caption, "Failure");
  EXPECT_EQ(result.messages[0].text.rfind("FTP Connection Failed: ", 0), 0u)
      << result.messages[0].text;
  EXPECT_TRUE(fs::is_empty(server_->Root()));
}

}  // namespace
}  // namespace drav
