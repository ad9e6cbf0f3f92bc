// drav-cli import-results: a table of results (CSV or tab-separated) as score-only games.
#include <ostream>

#include "cli/commands.h"
#include "entry/results_import.h"
#include "model/error.h"
#include "model/new_tournament.h"
#include "storage/line_reader.h"

namespace drav::cli {

// All or nothing: any bad row is named with its line and nothing is written.
int RunImportResults(const std::vector<std::string>& words, std::ostream& out, std::ostream& err) {
  CliArgs args(words, {"add-teams"});
  args.AllowOnly({"into", "add-teams"});
  args.ExpectPositional(2);
  Tournament t;
  const std::optional<std::string> into = args.Value("into");
  if (into) {
    t = OpenForCli(*into);
  } else {
    NewTournament(t, NewTournamentChoices{});
  }
  const std::string text = ReadWholeFile(args.Positional()[0]);
  // A new tournament takes its teams from the table.
  const entry::ResultsPreview preview =
      entry::PreviewResults(t, text, !into || args.Has("add-teams"));
  if (!preview.Ok()) {
    for (const std::string& p : preview.problems) err << p << "\n";
    err << "Nothing was imported\n";
    return 1;
  }
  entry::ApplyResults(t, preview);
  SaveForCli(t, args.Positional()[1]);
  out << preview.rows.size() << (preview.rows.size() == 1 ? " result" : " results")
      << " imported\n";
  return 0;
}

}  // namespace drav::cli
