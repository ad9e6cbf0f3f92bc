// Every file of tests/data/hostile through drav-cli: the exit code, the message, and nothing
// written that should not be (tests/web runs them through the library). The sanitizer build
// runs the same.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support/cli_runner.h"
#include "support/hostile_cases.h"

namespace drav {
namespace {

namespace fs = std::filesystem;

TEST(HostileFiles, DravCliRefusesOrDefusesEachFile) {
  const std::vector<test::HostileCase> cases = test::HostileCases();
  ASSERT_GE(cases.size(), 15u);
  for (const test::HostileCase& c : cases) {
    SCOPED_TRACE(c.file + ": " + c.tries);
    const std::string dir = test::StageHostileCase(c);
    const std::vector<std::string> args =
        c.command == "report" ? std::vector<std::string>{"report", "in.dat", "out/r"}
                              : std::vector<std::string>{"resave", "in.dat", "out/r.dat"};
    const test::CliResult r = test::RunCliIn(dir, args);
    EXPECT_EQ(r.exitCode, c.exitCode);
    const std::string said = test::FirstLine(c.exitCode == 0 ? r.out : r.err);
    EXPECT_EQ(said.substr(0, c.message.size()), c.message);
    EXPECT_EQ(r.err.find("runtime error"), std::string::npos) << r.err;  // UBSan
    for (const std::string& path : c.absent) EXPECT_FALSE(fs::exists(dir + "/" + path)) << path;
    // Nothing in the report's folder holds the secret.
    for (const auto& e : fs::directory_iterator(dir + "/out"))
      EXPECT_NE(test::ReadFile(e.path().string()), "private") << e.path();
    if (c.command == "resave" && c.exitCode == 0) {
      EXPECT_EQ(test::ReadFile(dir + "/out/r.dat").find('\0'), std::string::npos);
    }
    fs::remove_all(dir);
  }
}

}  // namespace
}  // namespace drav
