// The main window's results commands: Import Results (a pasted table of results as
// score-only games) and Results for Submission (the table a results database takes).
#include "app/main_commands.h"
#include "app/unsaved_data.h"
#include "entry/results_import.h"
#include "model/error.h"
#include "storage/line_reader.h"
#include "storage/results_csv.h"

namespace drav::app {

void MainCommands::ImportResults1Click() {
  if (!MaySetAside(false)) return;
  const auto path = host_.AskOpenFileName();
  if (!path) return;
  std::string text;
  try {
    text = ReadWholeFile(*path);
  } catch (const DravError& e) {
    host_.ShowMessage(e.what(), "Error");
    return;
  }
  // A tournament without teams takes them from the table.
  bool addTeams = t_.TeamCount() == 0;
  if (!host_.RunResultsPreview(text, addTeams)) return;
  const entry::ResultsPreview preview = entry::PreviewResults(t_, text, addTeams);
  if (!preview.Ok()) {
    host_.ShowMessage(preview.problems.front() + "\nNothing was imported.", "Error");
    return;
  }
  BeginStep();
  entry::ApplyResults(t_, preview);
  EndStep("Import Results");
  RebuildWindows();
  const std::size_t games = preview.rows.size();
  host_.ShowStatus("Imported " + std::to_string(games) + (games == 1 ? " game" : " games") +
                   " from " + LastPathComponent(*path) + " at " + host_.ClockTime());
}

void MainCommands::ResultsForSubmission1Click() {
  if (!StoreShownEntries("Nothing was written. ")) return;
  const std::vector<std::string> problems = ResultsPreflight(t_);
  if (!problems.empty()) {
    std::string text = "A results database will ask about these:";
    for (const std::string& p : problems) text += "\n- " + p;
    text += "\n\nWrite the results all the same?";
    if (!host_.AskOkCancel(text, "Results for Submission")) return;
  }
  const auto path = host_.AskResultsFileName();
  if (!path) return;
  try {
    WriteFileAtomically(*path, ResultsCsv(t_));
  } catch (const DravError& e) {
    host_.ShowMessage(e.what(), "Error");
    return;
  }
  const int games = t_.GameCount();
  host_.ShowStatus("Results of " + std::to_string(games) + (games == 1 ? " game" : " games") +
                   " written to " + LastPathComponent(*path) + " at " + host_.ClockTime());
}

}  // namespace drav::app
