#include <gtest/gtest.h>

#include <fstream>

#include "support/cli_runner.h"

namespace drav {
namespace {

using test::RunCli;

TEST(CliResave, WritesTheSampleTournamentBackByteForByte) {
  const std::string dir = test::MakeTempDir();
  const std::string sample = test::TestData("../../examples/sample-tournament.dat");
  auto r = RunCli({"resave", sample, dir + "/out.dat"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(test::ReadFile(dir + "/out.dat"), test::ReadFile(sample));
}

TEST(CliResave, NormalisesLineEndsAndEarlierLayouts) {
  const std::string dir = test::MakeTempDir();
  // Earlier layout, LF line ends, no packet or exhibition sections.
  std::string text = "1\n2\nSolo\nPat\n0\n";
  const char* settings[] = {"1", "1", "1", "0", "1", "0", "0", "0", "1", "1", "1", "1", "1", "1",
                            "0", "0", "1", "Old Cup", "", "", "", "", "1", "_r.html", "_s.html",
                            "_i.html", "_g.html", "_t.html", "_p.html", "_k.html", ""};
  for (const char* s : settings) text += std::string(s) + "\n";
  text += "0\n0\n15\n10\n-5\n0\n";
  test::WriteFile(dir + "/old.dat", text);
  auto r = RunCli({"resave", dir + "/old.dat", dir + "/new.dat"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const std::string out = test::ReadFile(dir + "/new.dat");
  EXPECT_NE(out.find("Old Cup\r\n"), std::string::npos);
  // Both sections are written now, the team padded to division -1 and not an exhibition team.
  EXPECT_NE(out.find("\r\n0\r\n1\r\n-1\r\n15\r\n10\r\n-5\r\n0\r\n0\r\n1\r\n0\r\n"), std::string::npos);
}

TEST(CliResave, ReportsUnreadableInputWithExitOne) {
  const std::string dir = test::MakeTempDir();
  auto r = RunCli({"resave", dir + "/missing.dat", dir + "/out.dat"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.err, "Cannot open " + dir + "/missing.dat\n");

  std::string bad = "0\r\n1\r\nG\r\n";
  for (int line = 0; line < 16; ++line) bad += "0\r\n";  // TeamA .. SixtyB
  bad += "-1\r\nhalf\r\n";                            // PlayerA and GPA of row 1
  test::WriteFile(dir + "/bad.dat", bad);
  r = RunCli({"resave", dir + "/bad.dat", dir + "/out.dat"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.err, "'half' is not a valid floating point value\n");
  EXPECT_FALSE(std::ifstream(dir + "/out.dat").good());
}

TEST(CliResave, ReportsAnOutputThatCannotBeWritten) {
  const std::string dir = test::MakeTempDir();
  const std::string sample = test::TestData("../../examples/sample-tournament.dat");
  auto r = RunCli({"resave", sample, dir + "/no/such/out.dat"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.err, "Cannot write " + dir + "/no/such/out.dat\n");
}

TEST(CliUsage, UnknownCommandsAndWrongArgumentsExitTwo) {
  EXPECT_EQ(RunCli({}).exitCode, 2);
  EXPECT_EQ(RunCli({"frobnicate"}).exitCode, 2);
  EXPECT_EQ(RunCli({"resave", "only-one"}).exitCode, 2);
  auto r = RunCli({"resave", "a", "b", "--bogus", "x"});
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_NE(r.err.find("usage: drav-cli"), std::string::npos);
}

}  // namespace
}  // namespace drav
