#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "support/cli_runner.h"

namespace drav::test {
namespace {

struct GoldenCase {
  std::string folder;
  std::string report;
  std::string rounds;  // "" = all rounds
};

std::string ExpectedName(const GoldenCase& c) {
  return c.folder + "/" + c.report + (c.rounds.empty() ? "" : "_rounds_" + c.rounds) + ".txt";
}

// Failure messages and test listings name the case instead of dumping its bytes.
void PrintTo(const GoldenCase& c, std::ostream* os) {
  *os << ExpectedName(c);
}

class QuickPrintGolden : public ::testing::TestWithParam<GoldenCase> {};

TEST_P(QuickPrintGolden, OutputMatchesTheHandCheckedFileByteForByte) {
  const GoldenCase& c = GetParam();
  std::vector<std::string> args{"quickprint", c.report, TestData(c.folder + "/tournament.dat")};
  if (!c.rounds.empty()) {
    args.push_back("--rounds");
    args.push_back(c.rounds);
  }
  const CliResult r = RunCli(args);
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.out, ReadFile(TestData(ExpectedName(c))));
}

std::vector<GoldenCase> AllCases() {
  std::vector<GoldenCase> cases;
  for (const char* report : {"teams", "individuals", "games"}) {
    cases.push_back({"quickprint_plain", report, ""});
    cases.push_back({"quickprint_plain", report, "2-3"});
    cases.push_back({"quickprint_options", report, ""});
    cases.push_back({"quickprint_options", report, "2-3"});
    cases.push_back({"quickprint_hostile", report, ""});
  }
  return cases;
}

INSTANTIATE_TEST_SUITE_P(Reports, QuickPrintGolden, ::testing::ValuesIn(AllCases()),
                         [](const ::testing::TestParamInfo<GoldenCase>& info) {
                           std::string name = info.param.folder + "_" + info.param.report;
                           if (!info.param.rounds.empty()) name += "_rounds_" + info.param.rounds;
                           for (char& c : name)
                             if (c == '-') c = '_';
                           return name;
                         });

TEST(QuickPrintCli, GamesReportLeavesTheFileUntouched) {
  const std::string dir = MakeTempDir();
  const std::string path = dir + "/t.dat";
  const std::string original = ReadFile(TestData("quickprint_options/tournament.dat"));
  WriteFile(path, original);
  const CliResult r = RunCli({"quickprint", "games", path});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(ReadFile(path), original);
}

TEST(QuickPrintCli, UsageErrorsExitTwo) {
  const std::string file = TestData("quickprint_plain/tournament.dat");
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"quickprint"},
           {"quickprint", "teams"},
           {"quickprint", "scores", file},
           {"quickprint", "teams", file, "extra"},
           {"quickprint", "teams", file, "--rounds", "2"},
           {"quickprint", "teams", file, "--rounds", "a-b"},
           {"quickprint", "teams", "/nonexistent/x.dat", "--rounds", "x"},
           {"quickprint", "teams", file, "--bogus", "1"},
       }) {
    const CliResult r = RunCli(args);
    EXPECT_EQ(r.exitCode, 2) << args.back();
    EXPECT_EQ(r.out, "") << args.back();
  }
}

TEST(QuickPrintCli, UnreadableInputExitsOneWithTheMessageAndNoOutput) {
  const std::string dir = MakeTempDir();
  const CliResult missing = RunCli({"quickprint", "teams", dir + "/missing.dat"});
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_EQ(missing.err, "Cannot open " + dir + "/missing.dat\n");
  EXPECT_EQ(missing.out, "");

  // A damaged games-played line stops the reading with the conversion error.
  std::string text = ReadFile(TestData("quickprint_plain/tournament.dat"));
  const std::string firstRow = "\r\n0\r\n1\r\n2\r\n5\r\n";  // PlayerA, GPA, Q0A.. of game 1
  const std::size_t at = text.find(firstRow);
  ASSERT_NE(at, std::string::npos);
  text.replace(at, firstRow.size(), "\r\n0\r\nhalf\r\n2\r\n5\r\n");
  WriteFile(dir + "/bad.dat", text);
  const CliResult bad = RunCli({"quickprint", "individuals", dir + "/bad.dat"});
  EXPECT_EQ(bad.exitCode, 1);
  EXPECT_EQ(bad.err, "'half' is not a valid floating point value\n");
  EXPECT_EQ(bad.out, "");
}

}  // namespace
}  // namespace drav::test
