#include "cli/commands.h"

namespace drav::cli {

int RunResave(const std::vector<std::string>& words, std::ostream&, std::ostream&) {
  CliArgs args(words, {});
  args.AllowOnly({});
  args.ExpectPositional(2);
  Tournament t = OpenForCli(args.Positional()[0]);
  SaveForCli(t, args.Positional()[1]);
  return 0;
}

}  // namespace drav::cli
