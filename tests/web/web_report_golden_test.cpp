// Whole pages compared byte for byte with the files under tests/data/web_<case>/.
// Set DRAV_UPDATE_GOLDEN=1 to rewrite them (then check the differences by hand).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "support/cli_runner.h"
#include "web/web_report.h"
#include "web_fixture.h"

namespace drav {
namespace {

namespace fs = std::filesystem;

struct GoldenCase {
  const char* name;
  std::function<void(Tournament&, const std::string& dir)> adjust;
};

const GoldenCase kCases[] = {
    {"web_default", [](Tournament&, const std::string&) {}},
    {"web_divisions_british",
     [](Tournament& t, const std::string&) {
       t.Format.Divisions = 1;
       t.Format.BritishStyle = 1;
       t.Format.SortCriterion = 3;
       t.Format.RoundReports = 1;
     }},
    {"web_bouncebacks_lightning",
     [](Tournament& t, const std::string& dir) {
       t.Format.BonusMode = 3;
       t.Format.Sixty = 1;
       t.Format.SortCriterion = 2;
       t.Format.TUHSort = 1;
       t.Format.RoundReports = 1;
       t.Format.StyleSheet = 1;
       t.Format.StyleSheetFile = dir + "/source.css";
       test::WriteFile(t.Format.StyleSheetFile, "body { color: black; }\n");
     }},
    {"web_plain_selected_rounds",
     [](Tournament& t, const std::string&) {
       t.Format.TourneyName = "";
       t.Format.TUHeard = 0;
       t.Format.PowNeg = 0;
       t.Format.TrackBonuses = 0;
       t.QuestionValues = {20, 10, 0, -5};
       t.Format.AllRounds = 0;
       t.Format.RoundsMin = 2;
       t.Format.RoundsMax = 3;
       t.Format.RoundReports = 1;
       t.Format.TeamDetail = 0;
       t.Format.IndividualDetail = 0;
     }},
};

// Failure messages and test listings name the case instead of dumping its bytes.
void PrintTo(const GoldenCase& c, std::ostream* os) {
  *os << c.name;
}

std::vector<std::string> FilesIn(const std::string& dir) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(dir))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

class WebGolden : public ::testing::TestWithParam<GoldenCase> {};

TEST_P(WebGolden, PagesMatchTheirGoldenFiles) {
  const GoldenCase& c = GetParam();
  const std::string dir = test::MakeTempDir();
  const std::string outDir = dir + "/out";
  fs::create_directory(outDir);
  Tournament t = test::WebFixture();
  c.adjust(t, dir);
  const std::vector<std::string> failed = WriteWebReport(t, outDir + "/fall open");
  EXPECT_TRUE(failed.empty());

  const std::string goldenDir = test::TestData(c.name);
  const bool update = std::getenv("DRAV_UPDATE_GOLDEN") != nullptr;
  if (update) {
    fs::remove_all(goldenDir);
    fs::create_directories(goldenDir);
  }
  std::vector<std::string> written;
  for (const std::string& name : FilesIn(outDir)) {
    ASSERT_EQ(name.rfind("fall open", 0), 0u) << name;
    const std::string suffix = name.substr(std::string("fall open").size());
    written.push_back(suffix);
    const std::string actual = test::ReadFile(outDir + "/" + name);
    if (update) {
      test::WriteFile(goldenDir + "/" + suffix, actual);
      continue;
    }
    const std::string expected = test::ReadFile(goldenDir + "/" + suffix);
    EXPECT_EQ(actual, expected) << c.name << "/" << suffix;
  }
  if (!update) {
    EXPECT_EQ(written, FilesIn(goldenDir)) << c.name;
  }
  fs::remove_all(dir);
}

INSTANTIATE_TEST_SUITE_P(Settings, WebGolden, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace drav
