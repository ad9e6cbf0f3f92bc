// The main window's part in the results commands (the preview of Import Results, the file
// name of Results for Submission) and in stopping the watched folder.
#include <QFileInfo>

#include "gui/dialog_seams.h"
#include "gui/game_file_panel.h"
#include "gui/import_results_dialog.h"
#include "gui/main_window.h"
#include "gui/text_codec.h"

namespace drav::gui {

std::optional<std::string> MainWindow::AskResultsFileName() {
  auto name = DialogSeams::AskSaveFileName(this, "Results for Submission", reportFolder_,
                                           "CSV files (*.csv);;All files (*)", "csv");
  if (!name) return std::nullopt;
  return FromQt(*name);
}

bool MainWindow::RunResultsPreview(const std::string& text, bool& addTeams) {
  ImportResultsDialog dialog(tournament_, text, addTeams, this);
  if (DialogSeams::Exec(dialog) != QDialog::Accepted) return false;
  addTeams = dialog.AddTeams();
  return true;
}

void MainWindow::StopWatchingFolder(const std::string& command) {
  auto* panel = findChild<GameFilePanel*>();
  if (!panel || !panel->Watching()) return;
  panel->StopWatching();
  panel->Note("Stopped watching: " + ToQt(command) +
              " replaced the tournament. Choose the folder again to watch it for this one.");
}

}  // namespace drav::gui
