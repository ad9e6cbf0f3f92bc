#include <gtest/gtest.h>

#include "drav_version.h"
#include "support/cli_runner.h"

namespace drav {
namespace {

using test::RunCli;

// help2man builds the man page from these two, so both go to standard output and succeed.
TEST(CliMain, HelpAndVersionPrintToStandardOutputAndSucceed) {
  auto help = RunCli({"--help"});
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_EQ(help.out.rfind("usage: drav-cli COMMAND ARGS...\n", 0), 0u) << help.out;
  EXPECT_NE(help.out.find("--help | --version"), std::string::npos);
  auto version = RunCli({"--version"});
  EXPECT_EQ(version.exitCode, 0);
  EXPECT_EQ(version.out, std::string("drav-cli ") + kVersion + "\n");
  EXPECT_EQ(RunCli({}).exitCode, 2);
}

}  // namespace
}  // namespace drav
