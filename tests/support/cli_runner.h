#pragma once

#include <string>
#include <vector>

namespace drav::test {

struct CliResult {
  int exitCode = -1;
  std::string out;
  std::string err;
};

// Runs the built drav-cli with the given arguments (no shell involved) and captures
// its standard output, standard error and exit status. extraEnv: "NAME=value" entries.
CliResult RunCli(const std::vector<std::string>& args,
                 const std::vector<std::string>& extraEnv = {});
// As RunCli, in the working folder cwd (relative paths in the arguments and files start there).
CliResult RunCliIn(const std::string& cwd, const std::vector<std::string>& args,
                   const std::vector<std::string>& extraEnv = {});

// The command that runs drav-cli: the one built beside the tests, or DRAV_TEST_CLI (run by
// DRAV_TEST_CLI_EMULATOR when set). POSIX builds only.
std::vector<std::string> CliCommand();

// A fresh empty directory under the system's temporary directory.
std::string MakeTempDir();
std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::string& contents);
std::string TestData(const std::string& relative);

}  // namespace drav::test
