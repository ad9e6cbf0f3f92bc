#include "storage/line_reader.h"

#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "model/error.h"
#include "storage/received_file.h"
#include "support/cli_runner.h"

namespace drav {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> FilesIn(const std::string& dir) {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

// Two saves to one file at once each write a temporary file of their own: both succeed,
// the file holds one of the two contents whole, and no temporary file is left.
TEST(AtomicWrite, ConcurrentSavesToOneFileNeverShareATemporaryFile) {
  const std::string dir = test::MakeTempDir();
  const std::string target = dir + "/fall.dat";
  const std::string a(100000, 'a'), b(200000, 'b');
  auto save = [&](const std::string& contents) {
    for (int i = 0; i < 30; ++i) WriteFileAtomically(target, contents);
  };
  std::thread first(save, a), second(save, b);
  first.join();
  second.join();
  const std::string now = test::ReadFile(target);
  EXPECT_TRUE(now == a || now == b);
  EXPECT_EQ(FilesIn(dir), std::vector<std::string>{"fall.dat"});
}

#ifndef _WIN32  // fork, umask, links and FIFOs; the Windows side is tested in tests/platform
int PidOfAnEndedProcess() {
  const pid_t child = ::fork();
  if (child == 0) ::_exit(0);
  ::waitpid(child, nullptr, 0);
  return child;
}

// A save killed inside its write leaves its temporary file; the next save removes it, but
// never the temporary file of a save that is still running.
TEST(AtomicWrite, RemovesTheTemporaryFilesOfEndedSavesOnly) {
  const std::string dir = test::MakeTempDir();
  const std::string target = dir + "/fall.dat";
  const std::string stale = target + "." + std::to_string(PidOfAnEndedProcess()) + "-abc123.tmp~";
  const std::string running = target + "." + std::to_string(::getpid()) + "-xyz789.tmp~";
  const std::string other = dir + "/notes.txt.tmp~";
  for (const std::string& f : {stale, running, other}) test::WriteFile(f, "half");
  WriteFileAtomically(target, "whole");
  EXPECT_EQ(test::ReadFile(target), "whole");
  EXPECT_EQ(FilesIn(dir),
            (std::vector<std::string>{"fall.dat", fs::path(running).filename().string(),
                                      "notes.txt.tmp~"}));
}

TEST(AtomicWrite, NewFileIsCreatedWithTheUsualPermissions) {
  const std::string dir = test::MakeTempDir();
  const mode_t mask = ::umask(022);
  WriteFileAtomically(dir + "/page.html", "x");
  ::umask(mask);
  struct stat info {};
  ASSERT_EQ(::stat((dir + "/page.html").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0644u);
}

TEST(ReceivedFile, ReadsOnlyARegularFileReachedWithoutALink) {
  const std::string dir = test::MakeTempDir();
  test::WriteFile(dir + "/plain.css", "body {}");
  fs::create_symlink(dir + "/plain.css", dir + "/link.css");
  ASSERT_EQ(::mkfifo((dir + "/fifo.css").c_str(), 0600), 0);
  EXPECT_EQ(ReadRegularFile(dir + "/plain.css"), "body {}");
  for (const std::string& path : {dir + "/link.css", dir + "/fifo.css", dir, dir + "/none.css",
                                  std::string("/dev/null"), dir + "/plain.css\t"}) {
    try {
      ReadRegularFile(path);
      ADD_FAILURE() << path << " was read";
    } catch (const DravError& e) {
      EXPECT_EQ(std::string(e.what()), "Cannot open " + path);
    }
  }
  EXPECT_THROW(ReadRegularFile(dir + "/plain.css", 3), DravError);  // over the limit
}

#endif

}  // namespace
}  // namespace drav
