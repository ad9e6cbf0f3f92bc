#include <iostream>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "drav_version.h"
#include "model/error.h"
#include "platform/console.h"

namespace {

struct Command {
  const char* name;
  drav::cli::CommandFn run;
};

// The commands, in the order the usage text lists them.
const Command kCommands[] = {
    {"quickprint", drav::cli::RunQuickprint},
    {"report", drav::cli::RunReport},
    {"schedule", drav::cli::RunSchedule},
    {"resave", drav::cli::RunResave},
    {"convert", drav::cli::RunConvert},
    {"merge", drav::cli::RunMerge},
    {"sort", drav::cli::RunSort},
    {"read-rosters", drav::cli::RunReadRosters},
    {"check", drav::cli::RunCheck},
    {"post", drav::cli::RunPost},
    {"import-qbj", drav::cli::RunImportQbj},
    {"export-qbj", drav::cli::RunExportQbj},
    {"stages", drav::cli::RunStages},
    {"set-stages", drav::cli::RunSetStages},
    {"mark-tiebreaker", drav::cli::RunMarkTiebreaker},
    {"watch", drav::cli::RunWatch},
    {"results", drav::cli::RunResults},
    {"import-results", drav::cli::RunImportResults},
};

const char kUsage[] =
    "usage: drav-cli COMMAND ARGS...\n"
    "  quickprint teams|individuals|games FILE [--rounds A-B | --stage NAME]\n"
    "  quickprint final FILE\n"
    "  report FILE BASEPATH [--rounds A-B | --stage NAME] [--style classic|modern]\n"
    "  schedule round-robin|swiss|random FILE [--stage NAME] [--rr-rooms N] [--random-rooms N]\n"
    "           [--random-rounds N] [--no-repeat-avoidance] [--swiss-by-ppg] [--times K]\n"
    "  resave FILE OUT\n"
    "  convert v1|v2 IN OUT\n"
    "  merge FILE OTHER OUT\n"
    "  sort games|teams|rounds FILE OUT\n"
    "  read-rosters ROSTERFILE OUT [--values a,b,c,d] [--bonus MODE] [--no-tuh]\n"
    "           [--no-pow-neg] [--lightning] [--divisions]\n"
    "  check FILE [--more | --results [--registered NAMES]]\n"
    "  results FILE OUT.csv [--registered NAMES]\n"
    "  import-results FILE.csv|.tsv [--into FILE [--add-teams]] OUT\n"
    "  import-qbj FILE.qbj... OUT [--into FILE [--add-teams] [--replace-changed]]\n"
    "  export-qbj FILE OUT.qbj\n"
    "  stages FILE\n"
    "  set-stages FILE STAGES.json OUT\n"
    "  mark-tiebreaker FILE GID OUT [--clear]\n"
    "  watch FOLDER FILE [--report BASE] [--style classic|modern] [--post] [--add-teams]\n"
    "           [--replace-changed]\n"
    "  post FILE [--protocol ftp|ftps|sftp] [--ca-file PEM] [--known-hosts FILE]\n"
    "              (password from DRAV_FTP_PASSWORD)\n"
    "  --help | --version\n";

}  // namespace

int main(int argc, char** argv) {
  drav::platform::PrepareConsole();
  std::vector<std::string> words = drav::platform::Utf8Arguments(argc, argv);
  if (words.empty()) {
    std::cerr << kUsage;
    return 2;
  }
  const std::string name = words.front();
  words.erase(words.begin());
  if (name == "--help" || name == "-h" || name == "help") {
    std::cout << kUsage;
    return 0;
  }
  if (name == "--version") {
    std::cout << "drav-cli " << drav::kVersion << "\n";
    return 0;
  }
  for (const Command& c : kCommands) {
    if (name != c.name) continue;
    try {
      return c.run(words, std::cout, std::cerr);
    } catch (const drav::cli::UsageError& e) {
      std::cerr << "drav-cli " << name << ": " << e.message << "\n" << kUsage;
      return 2;
    } catch (const drav::DravError& e) {
      std::cerr << e.what() << "\n";
      return 1;
    } catch (const std::exception& e) {
      std::cerr << "drav-cli " << name << ": " << e.what() << "\n";
      return 1;
    }
  }
  std::cerr << "drav-cli: unknown command '" << name << "'\n" << kUsage;
  return 2;
}
