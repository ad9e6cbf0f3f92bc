// drav-cli results: the results CSV for a results database, after its pre-flight check.
#include <ostream>

#include "cli/commands.h"
#include "storage/line_reader.h"
#include "storage/results_csv.h"

namespace drav::cli {

std::optional<std::vector<std::string>> RegisteredNames(const CliArgs& args) {
  const std::optional<std::string> path = args.Value("registered");
  if (!path) return std::nullopt;
  std::vector<std::string> names;
  // The reader only views the text, so the text must outlive it.
  const std::string text = ReadWholeFile(*path);
  LineReader in(text);
  while (!in.AtEnd()) {
    const std::string_view line = in.Next();
    if (!line.empty()) names.emplace_back(line);
  }
  return names;
}

// The pre-flight problems go to stderr as warnings; the CSV is written all the same, since
// the director may mend the gaps in the spreadsheet.
int RunResults(const std::vector<std::string>& words, std::ostream& out, std::ostream& err) {
  CliArgs args(words, {});
  args.AllowOnly({"registered"});
  args.ExpectPositional(2);
  const Tournament t = OpenForCli(args.Positional()[0]);
  const auto registered = RegisteredNames(args);
  const std::vector<std::string> problems =
      ResultsPreflight(t, registered ? &*registered : nullptr);
  for (const std::string& p : problems) err << "warning: " << p << "\n";
  WriteFileAtomically(args.Positional()[1], ResultsCsv(t));
  out << t.GameCount() << (t.GameCount() == 1 ? " game" : " games") << " written\n";
  return 0;
}

}  // namespace drav::cli
