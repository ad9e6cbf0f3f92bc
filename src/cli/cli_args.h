#pragma once

#include <iosfwd>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "model/tournament.h"

namespace drav::cli {

// A usage error: the dispatcher prints the message and the usage text, and exits 2.
struct UsageError {
  std::string message;
};

// The words of one command line after the command name: positional words in order and
// "--name value" / "--flag" options.
class CliArgs {
 public:
  // flagOptions take no value; every other "--x" takes the next word.
  CliArgs(const std::vector<std::string>& words, const std::vector<std::string>& flagOptions);

  const std::vector<std::string>& Positional() const { return positional_; }
  // Throws UsageError unless exactly count positional words were given.
  void ExpectPositional(std::size_t count) const;
  bool Has(const std::string& option) const { return options_.count(option) > 0; }
  std::optional<std::string> Value(const std::string& option) const;
  // An integer option's value; throws UsageError when it is not an integer.
  std::optional<int> IntValue(const std::string& option) const;
  // Throws UsageError for an option not in the allowed list.
  void AllowOnly(const std::vector<std::string>& allowed) const;

 private:
  std::vector<std::string> positional_;
  std::map<std::string, std::string> options_;
};

// Applies "--rounds A-B" (AllRounds 0, RoundsMin A, RoundsMax B) when given.
void ApplyRoundsOption(const CliArgs& args, Tournament& t);

// The stage named by "--stage NAME", or -1 without the option (DravError "No stage is
// named NAME" when there is none). "--stage" with "--rounds" is a usage error.
int StageOption(const CliArgs& args, const Tournament& t);
// Checks "--stage" against "--rounds" before any file is read.
void CheckStageOption(const CliArgs& args);

// Opens FILE as the Open command does onto a tournament with start-up settings.
Tournament OpenForCli(const std::string& path);

// Writes the tournament to OUT (throws DravError "Cannot write OUT").
void SaveForCli(Tournament& t, const std::string& path);

// Every command: takes the words after the command name, returns the exit status.
// Output goes to out, messages to err. DravError escaping a command means exit 1.
using CommandFn = int (*)(const std::vector<std::string>& words, std::ostream& out,
                          std::ostream& err);

}  // namespace drav::cli
