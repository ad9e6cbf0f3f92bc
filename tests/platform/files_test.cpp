#include "platform/files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/process.h"
#include "support/cli_runner.h"

namespace drav::platform {
namespace {

// A folder whose name is beyond ASCII, as a tournament director's often is.
class PlatformFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = test::MakeTempDir() + "/\xC3\x89quipes \xC3\xA9t\xC3\xA9";
    std::filesystem::create_directories(PathFromUtf8(folder_));
  }
  void TearDown() override {
    std::error_code ignored;
    std::filesystem::remove_all(PathFromUtf8(folder_).parent_path(), ignored);
  }
  std::string Write(const std::string& name, const std::string& contents) {
    const std::string path = folder_ + "/" + name;
    std::FILE* f = OpenFile(path, "wb");
    EXPECT_NE(f, nullptr) << path;
    if (!f) return path;
    std::fwrite(contents.data(), 1, contents.size(), f);
    EXPECT_TRUE(FlushToDisk(f));
    std::fclose(f);
    return path;
  }
  std::string Read(const std::string& path) {
    std::FILE* f = OpenFile(path, "rb");
    if (!f) return "<missing>";
    std::string contents;
    char chunk[256];
    std::size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof chunk, f)) > 0) contents.append(chunk, got);
    std::fclose(f);
    return contents;
  }
  std::string folder_;
};

TEST_F(PlatformFiles, NamesBeyondAsciiAreWrittenListedAndReadBack) {
  const std::string path = Write("tournoi Zo\xC3\xAB.dat", "lines\r\n");
  EXPECT_EQ(Read(path), "lines\r\n");
  std::vector<std::string> listed;
  for (const auto& entry : std::filesystem::directory_iterator(PathFromUtf8(folder_)))
    listed.push_back(Utf8FromPath(entry.path().filename()));
  EXPECT_EQ(listed, std::vector<std::string>{"tournoi Zo\xC3\xAB.dat"});
  EXPECT_EQ(Utf8FromPath(PathFromUtf8(path)), path);
}

TEST_F(PlatformFiles, ReplacePutsTheNewFileInPlaceOrLeavesTheOld) {
  const std::string target = Write("t.dat", "old");
  const std::string temp = Write("t.dat.tmp~", "new");
  ASSERT_TRUE(RenameOver(temp, target));
  EXPECT_EQ(Read(target), "new");
  EXPECT_EQ(Read(temp), "<missing>");

  EXPECT_FALSE(RenameOver(folder_ + "/absent", target));
  EXPECT_EQ(Read(target), "new");

  EXPECT_TRUE(RemoveFile(target));
  EXPECT_FALSE(RemoveFile(target));
  EXPECT_EQ(Read(target), "<missing>");
}

TEST_F(PlatformFiles, NewFilesNeverReplaceAndOnlyRegularFilesAreRead) {
  const std::string taken = Write("taken.dat", "mine");
  bool exists = false;
  EXPECT_EQ(CreateNewFile(taken, exists), nullptr);
  EXPECT_TRUE(exists);
  EXPECT_EQ(Read(taken), "mine");
  std::FILE* fresh = CreateNewFile(folder_ + "/fresh \xC3\xA9.dat", exists);
  ASSERT_NE(fresh, nullptr);
  EXPECT_FALSE(exists);
  std::fclose(fresh);

  std::string contents;
  EXPECT_TRUE(ReadRegularFileNoFollow(taken, 4, contents));
  EXPECT_EQ(contents, "mine");
  EXPECT_FALSE(ReadRegularFileNoFollow(taken, 3, contents));  // over the limit
  EXPECT_FALSE(ReadRegularFileNoFollow(folder_, 100, contents));
  EXPECT_FALSE(ReadRegularFileNoFollow(folder_ + "/absent", 100, contents));
  std::error_code linkRefused;
  std::filesystem::create_symlink(PathFromUtf8(taken), PathFromUtf8(folder_ + "/link"),
                                  linkRefused);
  if (!linkRefused) {
    EXPECT_FALSE(ReadRegularFileNoFollow(folder_ + "/link", 100, contents));
  }

  std::vector<std::string> names = FolderNames(folder_);
  EXPECT_NE(std::find(names.begin(), names.end(), "fresh \xC3\xA9.dat"), names.end());
  EXPECT_TRUE(FolderNames(folder_ + "/absent").empty());
}

TEST(PlatformProcess, ThisProcessIsRunning) {
  EXPECT_GT(ProcessId(), 0);
  EXPECT_FALSE(ProcessHasEnded(ProcessId()));
}

TEST(PlatformEnvironment, VariablesAreReadAsTheyAreSet) {
#ifdef _WIN32
  _wputenv_s(L"DRAV_PLATFORM_TEST", L"Zo\u00EB");
#else
  setenv("DRAV_PLATFORM_TEST", "Zo\xC3\xAB", 1);
#endif
  EXPECT_EQ(EnvironmentVariable("DRAV_PLATFORM_TEST"), std::optional<std::string>("Zo\xC3\xAB"));
  EXPECT_EQ(EnvironmentVariable("DRAV_PLATFORM_TEST_NEVER_SET"), std::nullopt);
  EXPECT_FALSE(HomeFolder().empty());
}

}  // namespace
}  // namespace drav::platform
