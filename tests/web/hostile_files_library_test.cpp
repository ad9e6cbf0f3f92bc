// Every file of tests/data/hostile through the library (tests/cli runs them through drav-cli).
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "model/error.h"
#include "storage/tournament_file.h"
#include "support/hostile_cases.h"
#include "web/web_report.h"

namespace drav {
namespace {

namespace fs = std::filesystem;

// The library gives the same answers: the file opens (or fails with the message), and
// both report styles write (or fail) as drav-cli did.
TEST(HostileFiles, TheLibraryOpensAndReportsEachFileAlike) {
  const fs::path before = fs::current_path();
  for (const test::HostileCase& c : test::HostileCases()) {
    SCOPED_TRACE(c.file + ": " + c.tries);
    const std::string dir = test::StageHostileCase(c);
    fs::current_path(dir);  // the files name their style sheets relative to the folder
    Tournament t;
    try {
      OpenTournament(t, "in.dat");
    } catch (const DravError& e) {
      EXPECT_EQ(c.command, "resave");
      EXPECT_EQ(c.exitCode, 1);
      EXPECT_EQ(std::string(e.what()), c.message);
    }
    if (c.command == "report") {
      EXPECT_EQ(WriteWebReport(t, "out/r").empty(), c.exitCode == 0);
      t.Extras.Report = ReportStyle::Modern;
      fs::create_directory("modern");
      const std::vector<std::string> modern = WriteWebReport(t, "modern/r");
      for (const std::string& failed : modern) EXPECT_EQ(failed, "");  // fixed page names
    }
    for (const std::string& path : c.absent) EXPECT_FALSE(fs::exists(path)) << path;
    fs::current_path(before);
    fs::remove_all(dir);
  }
}

}  // namespace
}  // namespace drav
