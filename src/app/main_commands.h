#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/background_poster.h"
#include "app/history.h"
#include "app/main_host.h"
#include "entry/controls.h"
#include "model/tournament.h"
#include "posting/ftp_client.h"
#include "schedule/random_source.h"

namespace drav::app {

// The commands of the main window (TMainForm), free of any toolkit. The window calls one
// method per menu item; everything the command needs from the screen goes through host.
class MainCommands {
 public:
  static constexpr const char* kAutosaveFileName = "dravautosave.dat";

  MainCommands(Tournament& t, MainHost& host);

  Tournament& Data() { return t_; }
  const Tournament& Data() const { return t_; }

  // Start-up: start values everywhere, caption "DRAV", nothing to lose yet.
  void StartUp();

  // File menu.
  void NewTournament1Click();
  void Open1Click();
  // Opens path as Open does once a file was chosen (also used for a file named at start).
  // Reports a failure in a message box and returns false; the tournament is unchanged then.
  bool OpenPath(const std::string& path);
  void SaveAs1Click();
  void SaveTournament2Click();
  void CloseAll1Click();
  // Asked when the main window is about to close: true lets it close.
  bool FormCloseQuery();

  // The autosave timer fired: write the backup file, leaving FileName, the caption and
  // the unsaved state alone. A failure is shown in the status bar.
  void AutosaveTimer();
  // Where autosave writes; the current directory's "dravautosave.dat" unless changed.
  void SetAutosavePath(std::string path) { autosavePath_ = std::move(path); }
  const std::string& AutosavePath() const { return autosavePath_; }

  // File menu: reading other files into the tournament. Each replaces or extends the
  // tournament only when the whole file was read, then rebuilds the entry windows.
  void ReadRosters1Click();
  void OpenDRAV1File1Click();
  void ImportDRAV2File1Click();
  void MergeFiles1Click();
  // QBJ files of moderator software and other statistics programs. Import adds their
  // teams, players and matches; on a tournament not set up yet it first takes the New
  // Tournament defaults, so that 15/10/-5 answers have their columns. Notes (players left
  // out, overtime guesses) are shown after a successful import or export.
  void ImportQbj1Click();
  void ExportQbj1Click();
  // Import Results (main_commands_results.cpp): a table of results as score-only games,
  // after a preview; all or nothing, one step.
  void ImportResults1Click();
  // Reports > Results for Submission: the pre-flight check, then the results table.
  void ResultsForSubmission1Click();

  // Edit menu (main_commands_history.cpp). Undo and Redo first store what the entry
  // windows show as a step of its own, so nothing typed is lost.
  void Undo1Click();
  void Redo1Click();
  // History window: undoes or redoes up to the state after step (0 = before them all).
  void GoToStep(std::size_t step);
  const History& Steps() const { return history_; }
  void LimitHistory(std::size_t steps, std::size_t bytes) { history_.SetLimits(steps, bytes); }
  // A window is about to change the tournament, then has: one step named name, unless
  // nothing stored changed.
  void BeginStep();
  void EndStep(const std::string& name);
  // The two calls above, for the forms and windows that change the tournament.
  entry::StepHooks Hooks();

  // Ordering menu: confirm, then reorder with fresh entry windows.
  void SortGames1Click();
  void SortTeams1Click();
  void GroupRounds1Click();

  // Reports menu.
  void FullReport1Click();
  // Writes the report into the current directory and uploads it; the transfer runs
  // through the long-task runner, and each outcome is shown as its message box.
  void PosttoWeb1Click();
  // The FTP client Post to Web uses (libcurl unless a test gives another).
  void SetFtpClientFactory(std::function<std::unique_ptr<FtpClient>()> factory) {
    ftpFactory_ = std::move(factory);
  }
  // Post after every game: the game entry window stored a game with Next. With the switch
  // on, the report is rewritten and posted in the background; nothing here waits for it.
  void GameStoredByNext();
  // Called on the owner's thread after the poster signalled (through the notify function)
  // that posts have finished: keeps their "/" and shows each outcome in the status bar.
  void TakeBackgroundPostResults();
  // How the background poster wakes the owner's thread; it calls this from its own.
  void SetBackgroundPostNotify(std::function<void()> notify) { postNotify_ = std::move(notify); }
  // Waits for background posts to end (tests, and before a post that must not overlap).
  void WaitForBackgroundPosts();
  // Cancels a background post and waits for it; the owner calls this before it goes away.
  void StopBackgroundPosts() { poster_.reset(); }
  void QuickPrintTeams1Click();
  void QuickPrintIndividuals1Click();
  void QuickPrintGames1Click();

  // Scheduling menu: the schedule text in a QuickPrint window. The searches run through
  // the host's long-task runner and can be cancelled.
  void RoundRobin1Click();
  void SwissPairs1Click();
  void Random1Click();

  // Settings menu: the Settings window on one of its six pages, and Packet Names.
  void OpenSettings(int page);
  void PacketNames1Click();

  // Reports menu: Check All Games lists every stored game that raises a warning.
  void CheckAllGames1Click();

  // True when the tournament differs from what was last opened from or saved to its own
  // file (or from the empty start). Settings that the file does not store don't count.
  bool HasUnsavedData() const;
  // What a command would lose, one sentence per line: the tournament's unsaved changes
  // (when the command replaces the tournament) and the edits that the entry windows hold
  // but have not stored. Empty when nothing would be lost.
  std::string WhatWouldBeLost(bool tournamentReplaced) const;
  // Before a command that would lose something: asks Save, Discard or Cancel. True when
  // the command may go on (saved, discarded, or nothing to lose).
  bool MaySetAside(bool tournamentReplaced);
  // Stores what the entry windows show, as Next would, warnings included. False (with
  // the reason shown after failure) when the game on screen cannot be stored.
  bool StoreShownEntries(const std::string& failure = "Nothing was saved. ");
  // Save: stores what is on screen, then writes FileName (or asks, as Save As). True when
  // the file was written.
  bool Save();

  // Closes every child window and opens fresh entry windows at the first game and team.
  void RebuildWindows();

 private:
  // Writes to path; on success makes the current state the saved one. False on failure,
  // which has been reported in a message box.
  bool WriteToOwnFile(const std::string& path);
  void MarkSaved();
  bool SaveAs();
  // Runs a file-reading command on the chosen file; a DravError is shown and leaves the
  // tournament as it was. The entry windows are rebuilt in either case.
  // A successful read is one step named step.
  template <typename Read>
  void ReadFileCommand(const std::string& path, const std::string& step, Read read);
  template <typename Reorder>
  void OrderingCommand(const std::string& step, Reorder reorder);
  // Undo, Redo, GoToStep: the tournament becomes state, the windows follow.
  void Restore(const Tournament& state);
  // The notes of an import or export, in one "Completed" box (none when there are none).
  void ShowNotes(const std::vector<std::string>& notes);
  // SFTP refused an unknown host key: offer to trust it; true when it was added.
  bool OfferToTrustHostKey(const PostToWebResult& result);

  Tournament& t_;
  MainHost& host_;
  // Every step, and the state last opened or saved.
  History history_;
  std::string autosavePath_ = kAutosaveFileName;
  // The one random sequence of the random schedules: it goes on from one run to the next.
  RandomSource random_;
  std::function<std::unique_ptr<FtpClient>()> ftpFactory_;
  std::function<void()> postNotify_;
  std::unique_ptr<BackgroundPoster> poster_;  // created on the first post after a game
};

// The autosave timer interval for a number of minutes, kept within what a timer takes.
int AutosaveIntervalMs(int minutes);

}  // namespace drav::app
