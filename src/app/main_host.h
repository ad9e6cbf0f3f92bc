#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/cancel_flag.h"
#include "app/settings_form.h"
#include "model/new_tournament.h"

namespace drav::app {

// Everything the main window's commands need from the outside world. The Qt main window
// implements it; the tests use a fake that records calls and answers from a script.
class MainHost {
 public:
  virtual ~MainHost() = default;

  // The standard file dialogs; nullopt when the user cancels.
  virtual std::optional<std::string> AskOpenFileName() = 0;
  virtual std::optional<std::string> AskSaveFileName() = 0;
  // TConfirm: "Are you sure?", plus the unsaved-data line when asked. True for OK.
  virtual bool Confirm(bool showUnsavedLine) = 0;
  // A message box with one OK button.
  virtual void ShowMessage(const std::string& text, const std::string& caption) = 0;
  // A passing note in the status bar (used where a box would interrupt, e.g. autosave).
  virtual void ShowStatus(const std::string& text) = 0;

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
