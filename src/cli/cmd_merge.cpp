#include "cli/commands.h"
#include "storage/merge.h"

namespace drav::cli {

int RunMerge(const std::vector<std::string>& words, std::ostream&, std::ostream&) {
  CliArgs args(words, {});
  args.AllowOnly({});
  args.ExpectPositional(3);
  Tournament t = OpenForCli(args.Positional()[0]);
  MergeTournamentFile(t, args.Positional()[1]);
  SaveForCli(t, args.Positional()[2]);
  return 0;
}

}  // namespace drav::cli
