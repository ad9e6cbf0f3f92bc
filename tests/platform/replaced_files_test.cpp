#include "platform/replaced_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/cli_runner.h"

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace drav::platform {
namespace {

namespace fs = std::filesystem;

class ReplacedFiles : public ::testing::Test {
 protected:
  void SetUp() override { dir_ = test::MakeTempDir(); }
  void TearDown() override {
    WaitForReplacedFiles();
    fs::remove_all(dir_);
  }
  std::string dir_;
};

// The handles still open in this process, where the system lists them. Windows keeps no
// such list (and under Wine, /proc/self/fd shows Wine's own descriptors, which come and go);
// there nothing is held past the rename anyway.
std::size_t OpenHandles() {
#ifdef _WIN32
  return 0;
#else
  std::error_code error;
  std::size_t count = 0;
  for (fs::directory_iterator it("/proc/self/fd", error), end; !error && it != end;
       it.increment(error))
    ++count;
  return count;
#endif
}

TEST_F(ReplacedFiles, TheNewFileTakesTheNameAndTheOldOneIsLetGo) {
  const std::string target = dir_ + "/page.html";
  test::WriteFile(target, std::string(1 << 20, 'o'));
  const std::size_t before = OpenHandles();
  for (int round = 0; round < 3; ++round) {
    test::WriteFile(dir_ + "/page.tmp", "new " + std::to_string(round));
    ASSERT_TRUE(RenameOverReleasingLater(dir_ + "/page.tmp", target));
    EXPECT_EQ(test::ReadFile(target), "new " + std::to_string(round));
    EXPECT_FALSE(fs::exists(dir_ + "/page.tmp"));
  }
  WaitForReplacedFiles();
  EXPECT_EQ(OpenHandles(), before);

  // A failed rename leaves the name as it was and holds nothing.
  EXPECT_FALSE(RenameOverReleasingLater(dir_ + "/absent", target));
  EXPECT_EQ(test::ReadFile(target), "new 2");
  test::WriteFile(dir_ + "/fresh.tmp", "first");
  EXPECT_TRUE(RenameOverReleasingLater(dir_ + "/fresh.tmp", dir_ + "/fresh.html"));
  EXPECT_EQ(test::ReadFile(dir_ + "/fresh.html"), "first");
  WaitForReplacedFiles();
  EXPECT_EQ(OpenHandles(), before);
}

#ifndef _WIN32
// What has the name may be no page at all: a link is replaced itself (what it points to is
// left alone) and a FIFO is replaced without waiting for a reader or writer.
TEST_F(ReplacedFiles, ALinkOrAFifoIsReplacedWithoutBeingOpened) {
  test::WriteFile(dir_ + "/private.txt", "private");
  fs::create_symlink(dir_ + "/private.txt", dir_ + "/link.html");
  ASSERT_EQ(::mkfifo((dir_ + "/fifo.html").c_str(), 0600), 0);
  for (const char* name : {"/link.html", "/fifo.html"}) {
    test::WriteFile(dir_ + "/new.tmp", "page");
    ASSERT_TRUE(RenameOverReleasingLater(dir_ + "/new.tmp", dir_ + name)) << name;
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(dir_ + name))) << name;
    EXPECT_EQ(test::ReadFile(dir_ + name), "page");
  }
  EXPECT_EQ(test::ReadFile(dir_ + "/private.txt"), "private");
}
#endif

}  // namespace
}  // namespace drav::platform
