#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/cancel_flag.h"
#include "app/settings_form.h"
#include "model/new_tournament.h"

namespace drav::entry {
class GameEntryForm;
class RosterEntryForm;
}  // namespace drav::entry

namespace drav::app {

// The answer to "save what would be lost?".
enum class SaveAnswer { Save, Discard, Cancel };

// The entry windows' form models while the windows are open (null otherwise).
struct EntryForms {
  entry::GameEntryForm* game = nullptr;
  entry::RosterEntryForm* roster = nullptr;
};

// Everything the main window's commands need from the outside world. The Qt main window
// implements it; the tests use a fake that records calls and answers from a script.
class MainHost {
 public:
  virtual ~MainHost() = default;

  // The standard file dialogs; nullopt when the user cancels.
  virtual std::optional<std::string> AskOpenFileName() = 0;
  virtual std::optional<std::string> AskSaveFileName() = 0;
  // Full Web Report's base path (folder and base name of the pages).
  virtual std::optional<std::string> AskReportBasePath() { return AskSaveFileName(); }
  // Where Results for Submission writes its table.
  virtual std::optional<std::string> AskResultsFileName() { return AskSaveFileName(); }
  // Import Results' preview of a pasted table: true for OK. addTeams comes in as the
  // preview starts and goes out as the director left it. Without a person to ask: Cancel.
  virtual bool RunResultsPreview(const std::string& text, bool& addTeams) {
    (void)text;
    (void)addTeams;
    return false;
  }
  // A command that replaces the tournament stops the watched folder first, so that match
  // files never land in the wrong tournament; command names it for the panel.
  virtual void StopWatchingFolder(const std::string& command) { (void)command; }
  // TConfirm: "Are you sure?", plus the unsaved-data line when asked. True for OK.
  virtual bool Confirm(bool showUnsavedLine) = 0;
  // The box with Save, Discard and Cancel (Cancel on Esc) whose text names what would be
  // lost, one sentence per line.
  virtual SaveAnswer AskSaveChanges(const std::string& whatWouldBeLost) = 0;
  // A message box with one OK button.
  virtual void ShowMessage(const std::string& text, const std::string& caption) = 0;
  // A question with Yes and No buttons; true for Yes. Without a person to ask: No.
  virtual bool AskYesNo(const std::string& text, const std::string& caption) {
    (void)text;
    (void)caption;
    return false;
  }
  // A statement with OK and Cancel buttons; true for OK. Without a person to ask: Cancel.
  virtual bool AskOkCancel(const std::string& text, const std::string& caption) {
    (void)text;
    (void)caption;
    return false;
  }
  // A passing note in the status bar (used where a box would interrupt, e.g. autosave).
  virtual void ShowStatus(const std::string& text) = 0;
  // The time of day as the status bar shows it ("10:42").
  virtual std::string ClockTime() = 0;

  // TOptionsEntry, shown modally on fresh defaults; true for OK, with the choices made.
  virtual bool RunOptions(NewTournamentChoices& choices) = 0;
  // TExtraOptions, shown modally on the loaded form; true for OK, with the edited form.
  virtual bool RunSettings(SettingsForm& form) = 0;
  // The non-modal packet names window, loaded from the tournament.
  virtual void ShowPacketNames() = 0;

  virtual bool HasChildWindows() = 0;
  virtual void CloseChildWindows() = 0;
  // The game entry and roster entry windows, and the divisions window when asked.
  virtual void OpenEntryWindows(bool withDivisions) = 0;
  virtual EntryForms OpenEntryForms() = 0;
  // The entry windows show their models again (after a command stored what they show).
  virtual void RefreshEntryWindows() = 0;
  // The entry and divisions windows show the tournament afresh (after Undo or Redo): the
  // stored game and team at CurrentGame and CurrentTeam, the lists as they are now.
  virtual void ReloadEntryWindows() { RefreshEntryWindows(); }
  // The history gained, lost or moved a step: the Edit menu and History window follow.
  virtual void HistoryChanged() {}
  // The child window listing the games that raise warnings (Check All Games).
  virtual void ShowGameWarnings() = 0;
  // A new QuickPrint window (TPrintQR) with this caption and text.
  virtual void ShowTextWindow(const std::string& title, const std::vector<std::string>& lines) = 0;

  virtual void SetCaption(const std::string& caption) = 0;
  virtual void SetAutosaveTimer(bool on, int intervalMs) = 0;

  // Runs work away from the user-interface thread while showing its title with a busy
  // indicator and a Cancel button that sets the flag. Returns false when cancelled.
  // Exceptions thrown by work are passed on to the caller.
  virtual bool RunLongTask(const std::string& title,
                           const std::function<void(const CancelFlag&)>& work) = 0;
};

}  // namespace drav::app
