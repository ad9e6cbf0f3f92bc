#include "cli/commands.h"
#include "storage/import_v1.h"
#include "storage/import_v2.h"

namespace drav::cli {

int RunConvert(const std::vector<std::string>& words, std::ostream&, std::ostream&) {
  CliArgs args(words, {});
  args.AllowOnly({});
  args.ExpectPositional(3);
  const std::string& version = args.Positional()[0];
  if (version != "v1" && version != "v2") throw UsageError{"convert takes v1 or v2"};

  Tournament t;
  if (version == "v1")
    ImportVersion1(t, args.Positional()[1]);
  else
    ImportVersion2(t, args.Positional()[1]);
  SaveForCli(t, args.Positional()[2]);
  return 0;
}

}  // namespace drav::cli
