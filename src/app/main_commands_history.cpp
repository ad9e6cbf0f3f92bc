// The main window's Edit menu and History window: every step of the tournament undone
// and redone through app::History.
#include "app/game_file_watch.h"
#include "app/main_commands.h"
#include "entry/game_entry.h"
#include "entry/roster_entry.h"

namespace drav::app {

void MainCommands::BeginStep() {
  // What changed since the last step without being a step (the places shown, a post's
  // outcome) belongs to the state before this one.
  history_.Refresh(t_);
}

void MainCommands::EndStep(const std::string& name) {
  if (SameContents(history_.Present(), t_)) {
    history_.Refresh(t_);
    return;
  }
  history_.Push(name, host_.ClockTime(), t_);
  host_.HistoryChanged();
}

entry::StepHooks MainCommands::Hooks() {
  return {[this] { BeginStep(); }, [this](const std::string& name) { EndStep(name); }};
}

void MainCommands::Undo1Click() {
  // What is typed but not stored becomes a step of its own, which this Undo takes back.
  if (!StoreShownEntries("Nothing was undone. ")) return;
  if (!history_.CanUndo()) return;
  const std::string name = history_.UndoName();
  Restore(history_.Undo());
  host_.ShowStatus("Undid " + name);
}

void MainCommands::Redo1Click() {
  if (!StoreShownEntries("Nothing was redone. ")) return;
  if (!history_.CanRedo()) return;  // a stored edit on screen is a new step: nothing to redo
  const std::string name = history_.RedoName();
  Restore(history_.Redo());
  host_.ShowStatus("Redid " + name);
}

void MainCommands::GoToStep(std::size_t step) {
  if (!StoreShownEntries("Nothing was undone. ")) return;
  if (step > history_.StepCount() || step == history_.CurrentStep()) return;
  Restore(history_.GoTo(step));
}

void MainCommands::Restore(const Tournament& state) {
  // The entry windows are built for one bonus mode, division setting and question values:
  // a change of those needs fresh windows, at the places the state shows.
  const bool reshape = !(state.Format == t_.Format) || state.QuestionValues != t_.QuestionValues;
  const bool hadWindows = host_.HasChildWindows();
  t_ = state;
  host_.SetCaption(t_.FileName.empty() ? "DRAV" : "DRAV " + t_.FileName);
  if (t_.Format.AutoSaveMin > 0)
    host_.SetAutosaveTimer(true, AutosaveIntervalMs(t_.Format.AutoSaveMin));
  else
    host_.SetAutosaveTimer(false, 0);
  if (hadWindows ? reshape : t_.TeamCount() > 0) {
    const int game = t_.CurrentGame;
    const int team = t_.CurrentTeam;
    RebuildWindows();
    t_.CurrentGame = game;
    t_.CurrentTeam = team;
  }
  // The forms show the restored state: the team lists afresh, the game and team at
  // their places, nothing left over from before that could be stored by mistake.
  const EntryForms forms = host_.OpenEntryForms();
  if (forms.game) {
    forms.game->FormActivate();
    forms.game->LoadGame();
  }
  if (forms.roster) forms.roster->FormActivate();
  host_.ReloadEntryWindows();
  host_.HistoryChanged();
}

}  // namespace drav::app
