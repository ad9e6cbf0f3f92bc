#pragma once

#include "cli/cli_args.h"

namespace drav::cli {

// One declaration per command; each lives in its own cmd_*.cpp.
int RunQuickprint(const std::vector<std::string>& words, std::ostream& out, std::ostream& err);
int RunReport(const std::vector<std::string>& words, std::ostream& out, std::ostream& err);
int RunResave(const std::vector<std::string>& words, std::ostream& out, std::ostream& err);
int RunConvert(const std::vector<std::string>& words, std::ostream& out, std::ostream& err);
int RunMerge(const std::vector<std::string>& words, std::ostream& out, std::ostream& err);
int RunSort(const std::vector<std::string>& words, std::ostream& out, std::ostream& err);
int RunReadRosters(const std::vector<std::string>& words, std::ostream& out, std::ostream& err);
int RunCheck(const std::vector<std::string>& words, std::ostream& out, std::ostream& err);
int RunSchedule(const std::vector<std::string>& words, std::ostream& out, std::ostream& err);
int RunPost(const std::vector<std::string>& words, std::ostream& out, std::ostream& err);
int RunImportQbj(const std::vector<std::string>& words, std::ostream& out, std::ostream& err);
int RunStages(const std::vector<std::string>& words, std::ostream& out, std::ostream& err);
int RunSetStages(const std::vector<std::string>& words, std::ostream& out, std::ostream& err);
int RunMarkTiebreaker(const std::vector<std::string>& words, std::ostream& out, std::ostream& err);
int RunExportQbj(const std::vector<std::string>& words, std::ostream& out, std::ostream& err);
int RunResults(const std::vector<std::string>& words, std::ostream& out, std::ostream& err);
int RunImportResults(const std::vector<std::string>& words, std::ostream& out, std::ostream& err);
// The team names a results database has registered: --registered FILE, one name a line.
std::optional<std::vector<std::string>> RegisteredNames(const CliArgs& args);
int RunWatch(const std::vector<std::string>& words, std::ostream& out, std::ostream& err);

}  // namespace drav::cli
