#include "app/main_commands.h"

#include <climits>
#include <filesystem>

#include "app/new_tournament_notice.h"
#include "app/unsaved_data.h"
#include "entry/game_entry.h"
#include "entry/ordering.h"
#include "entry/roster_entry.h"
#include "model/error.h"
#include "platform/files.h"
#include "posting/ftp_curl_client.h"
#include "posting/host_key.h"
#include "posting/post_to_web.h"
#include "schedule/random_schedule.h"
#include "schedule/round_robin.h"
#include "schedule/swiss.h"
#include "stats/quickprint.h"
#include "storage/import_v1.h"
#include "storage/import_v2.h"
#include "storage/merge.h"
#include "storage/qbj.h"
#include "storage/roster_file.h"
#include "storage/tournament_file.h"
#include "web/web_report.h"

namespace drav::app {

namespace {
constexpr const char* kErrorCaption = "Error";
}  // namespace

int AutosaveIntervalMs(int minutes) {
  const std::int64_t ms = static_cast<std::int64_t>(minutes) * 60000;
  if (ms > INT_MAX) return INT_MAX;
  if (ms < 1) return 1;
  return static_cast<int>(ms);
}

MainCommands::MainCommands(Tournament& t, MainHost& host) : t_(t), host_(host) {}

void MainCommands::StartUp() {
  t_ = Tournament{};
  host_.SetCaption("DRAV");
  history_.Reset(t_);
  host_.HistoryChanged();
}

void MainCommands::MarkSaved() {
  history_.MarkSaved(t_);
  host_.HistoryChanged();
}

bool MainCommands::HasUnsavedData() const {
  return history_.IsUnsaved(t_);
}

void MainCommands::RebuildWindows() {
  host_.CloseChildWindows();
  t_.CurrentGame = 0;
  t_.CurrentTeam = 0;
  host_.OpenEntryWindows(t_.Format.Divisions == 1);
}

std::string MainCommands::WhatWouldBeLost(bool tournamentReplaced) const {
  std::string lost;
  const auto add = [&lost](const std::string& line) {
    if (!line.empty()) lost += (lost.empty() ? "" : "\n") + line;
  };
  if (tournamentReplaced && HasUnsavedData()) add(DescribeUnsavedChanges(history_.Saved(), t_));
  const EntryForms forms = host_.OpenEntryForms();
  if (forms.game && forms.game->HasUnstoredEdits()) add("The game on screen has not been stored");
  if (forms.roster && forms.roster->HasUnstoredEdits())
    add("The team on screen has not been stored");
  return lost;
}

bool MainCommands::MaySetAside(bool tournamentReplaced) {
  const std::string lost = WhatWouldBeLost(tournamentReplaced);
  if (lost.empty()) return true;
  switch (host_.AskSaveChanges(lost)) {
    case SaveAnswer::Save:
      return Save();
    case SaveAnswer::Discard:
      return true;
    case SaveAnswer::Cancel:
      break;
  }
  return false;
}

bool MainCommands::StoreShownEntries(const std::string& failure) {
  const EntryForms forms = host_.OpenEntryForms();
  std::vector<std::string> warnings;
  bool stored = true;
  try {
    if (forms.roster && forms.roster->HasUnstoredEdits()) forms.roster->StoreOnScreen();
    if (forms.game && forms.game->HasUnstoredEdits()) {
      warnings = forms.game->StoreOnScreen();
      // A new game is stored only with both teams; saving without it would drop it.
      if (forms.game->HasUnstoredEdits())
        throw DravError("The game on screen needs both teams before it can be stored.");
    }
  } catch (const DravError& e) {
    host_.ShowMessage(failure + e.what(), kErrorCaption);
    stored = false;
  }
  host_.RefreshEntryWindows();
  for (const std::string& warning : warnings) host_.ShowMessage(warning, "Warning");
  return stored;
}

void MainCommands::NewTournament1Click() {
  // The teams and games stay; only what the entry windows hold would go.
  if (!MaySetAside(false)) return;
  // The options replace every setting of a tournament that may be an event in progress.
  if (const std::string notice = NewTournamentNotice(t_);
      !notice.empty() && !host_.AskOkCancel(notice, "New Tournament"))
    return;
  NewTournamentChoices choices;
  if (!host_.RunOptions(choices)) return;
  host_.StopWatchingFolder("New Tournament");
  BeginStep();
  NewTournament(t_, choices);
  EndStep("New Tournament");
  RebuildWindows();
}

void MainCommands::Open1Click() {
  if (!MaySetAside(true)) return;
  const auto path = host_.AskOpenFileName();
  if (!path) return;
  OpenPath(*path);
}

bool MainCommands::OpenPath(const std::string& path) {
  try {
    OpenTournament(t_, path);
  } catch (const DravError& e) {
    host_.ShowMessage(e.what(), kErrorCaption);
    return false;
  }
  host_.StopWatchingFolder("Open Tournament");
  host_.SetCaption("DRAV " + t_.FileName);
  RebuildWindows();
  // A new document: its history starts here.
  history_.Reset(t_);
  host_.HistoryChanged();
  host_.ShowStatus("Opened " + LastPathComponent(path) + " at " + host_.ClockTime());
  return true;
}

bool MainCommands::WriteToOwnFile(const std::string& path) {
  try {
    WriteTournament(t_, path);
  } catch (const DravError& e) {
    host_.ShowMessage(e.what(), kErrorCaption);
    return false;
  }
  MarkSaved();
  host_.ShowStatus("Saved " + LastPathComponent(path) + " at " + host_.ClockTime());
  return true;
}

bool MainCommands::SaveAs() {
  if (!StoreShownEntries()) return false;
  const auto asked = host_.AskSaveFileName();
  if (!asked) return false;
  // A name typed without an extension gets the tournament file's own.
  const std::string path = WithTournamentExtension(*asked);
  // The file name and caption follow only a write that worked, so that they never name
  // a file that does not hold the tournament.
  const std::string previous = t_.FileName;
  t_.FileName = path;
  if (!WriteToOwnFile(path)) {
    t_.FileName = previous;
    return false;
  }
  host_.SetCaption("DRAV " + t_.FileName);
  return true;
}

bool MainCommands::Save() {
  if (t_.FileName.empty()) return SaveAs();
  if (!StoreShownEntries()) return false;
  return WriteToOwnFile(t_.FileName);
}

void MainCommands::SaveAs1Click() {
  SaveAs();
}

void MainCommands::SaveTournament2Click() {
  Save();
}

void MainCommands::AutosaveTimer() {
  try {
    WriteTournament(t_, autosavePath_);
  } catch (const DravError& e) {
    host_.ShowStatus("Autosave failed at " + host_.ClockTime() + ": " + e.what());
    return;
  }
  host_.ShowStatus("Autosaved at " + host_.ClockTime());
}

void MainCommands::CloseAll1Click() {
  // With something to lose the three-button box is the confirmation; otherwise the
  // usual "Are you sure?".
  const bool anythingToLose = !WhatWouldBeLost(true).empty();
  const bool go = anythingToLose ? MaySetAside(true) : host_.Confirm(false);
  if (go) {
    host_.StopWatchingFolder("Close All");
    BeginStep();
    host_.CloseChildWindows();
    t_.Rosters.clear();
    t_.Games.clear();
    t_.DivisionNames.clear();
    t_.TeamDivision.clear();
    t_.ExhibitionTeam.clear();
    t_.Extras.Stages.clear();  // their brackets name the teams just dropped
    // Match files taken in name games that are gone; the next event may take them again.
    t_.Extras.ImportedMatches.clear();
    // The event's own identity must not reach the next event's pages. The server settings
    // belong to the director and stay.
    t_.Format.TourneyName.clear();
    t_.Format.BaseName.clear();
    t_.Format.StyleSheet = 0;
    t_.Format.StyleSheetFile.clear();
    t_.FileName.clear();
    t_.CurrentGame = 0;
    t_.CurrentTeam = 0;
    // The caption names the file Save writes to, and there is none now.
    host_.SetCaption("DRAV");
    EndStep("Close All");
    // The user chose to drop the data: nothing left is worth a warning at exit.
    MarkSaved();
  }
  t_.SavedGameCount = 0;
}

bool MainCommands::FormCloseQuery() {
  if (!WhatWouldBeLost(true).empty()) return MaySetAside(true);
  return host_.Confirm(false);
}

void MainCommands::OpenSettings(int page) {
  SettingsForm form = SettingsForm::Load(t_.Format, page);
  form.LoadPosting(t_.Extras.Posting);
  form.LoadReportStyle(t_.Extras.Report);
  form.LoadQuestionValues(t_.QuestionValues);
  if (!host_.RunSettings(form)) return;
  // The window comes back with what was typed until the values fit the stored games.
  while (const auto problem = QuestionValuesProblem(t_, form.StoredQuestionValues())) {
    host_.ShowMessage(*problem, "Settings");
    if (!host_.RunSettings(form)) return;
  }
  BeginStep();

  t_.Format.TourneyName = form.TourneyName;
  const int divisions = form.Divisions ? 1 : 0;
  const std::array<int, kColumns> values = form.StoredQuestionValues();
  const bool rebuild =
      (divisions != t_.Format.Divisions || values != t_.QuestionValues) && host_.HasChildWindows();
  // Set before the rebuild so that the new entry windows see the new choices.
  t_.Format.Divisions = divisions;
  t_.QuestionValues = values;
  if (rebuild) RebuildWindows();

  form.StoreInto(t_.Format);
  form.StorePostingInto(t_.Extras.Posting);
  form.StoreReportStyleInto(t_.Extras.Report);
  if (t_.Format.AutoSaveMin > 0)
    host_.SetAutosaveTimer(true, AutosaveIntervalMs(t_.Format.AutoSaveMin));
  else
    host_.SetAutosaveTimer(false, 0);
  EndStep("Settings");
}

void MainCommands::PacketNames1Click() {
  host_.ShowPacketNames();
}

template <typename Read>
void MainCommands::ReadFileCommand(const std::string& path, const std::string& step, Read read) {
  BeginStep();
  try {
    read(path);
  } catch (const DravError& e) {
    host_.ShowMessage(e.what(), kErrorCaption);
    return;
  }
  EndStep(step);
  RebuildWindows();
}

void MainCommands::ReadRosters1Click() {
  if (!MaySetAside(true)) return;
  const auto path = host_.AskOpenFileName();
  if (!path) return;
  NewTournamentChoices choices;
  if (!host_.RunOptions(choices)) return;
  ReadFileCommand(*path, "Read Rosters",
                  [&](const std::string& p) { ReadRosters(t_, p, choices); });
}

void MainCommands::OpenDRAV1File1Click() {
  if (!MaySetAside(true)) return;
  const auto path = host_.AskOpenFileName();
  if (!path) return;
  ReadFileCommand(*path, "Import DRAV 1 File",
                  [&](const std::string& p) { ImportVersion1(t_, p); });
}

void MainCommands::ImportDRAV2File1Click() {
  if (!MaySetAside(true)) return;
  const auto path = host_.AskOpenFileName();
  if (!path) return;
  ReadFileCommand(*path, "Import DRAV 2 File",
                  [&](const std::string& p) { ImportVersion2(t_, p); });
}

void MainCommands::MergeFiles1Click() {
  if (!MaySetAside(false)) return;
  const auto path = host_.AskOpenFileName();
  if (!path) return;
  ReadFileCommand(*path, "Merge " + LastPathComponent(*path),
                  [&](const std::string& p) { MergeTournamentFile(t_, p); });
}

void MainCommands::ImportQbj1Click() {
  if (!MaySetAside(false)) return;
  const auto path = host_.AskOpenFileName();
  if (!path) return;
  std::vector<std::string> notes;
  ReadFileCommand(*path, "Import Results", [&](const std::string& p) {
    Tournament target = t_;
    const bool notSetUp =
        target.Rosters.empty() && target.QuestionValues == std::array<int, kColumns>{};
    if (notSetUp) NewTournament(target, NewTournamentChoices{});
    notes = ImportQbjFiles(target, {p});
    if (notSetUp) AdoptQbjSettings(target);
    t_ = std::move(target);
  });
  ShowNotes(notes);
}

void MainCommands::ExportQbj1Click() {
  const auto path = host_.AskSaveFileName();
  if (!path) return;
  std::vector<std::string> notes;
  try {
    notes = ExportQbj(t_, *path);
  } catch (const DravError& e) {
    host_.ShowMessage(e.what(), kErrorCaption);
    return;
  }
  ShowNotes(notes);
}

void MainCommands::ShowNotes(const std::vector<std::string>& notes) {
  if (notes.empty()) return;
  std::string text;
  for (const std::string& note : notes) text += (text.empty() ? "" : "\n") + note;
  host_.ShowMessage(text, "Completed");
}

template <typename Reorder>
void MainCommands::OrderingCommand(const std::string& step, Reorder reorder) {
  // The windows are rebuilt, so an edit on screen would go: then the save box asks
  // instead of "Are you sure?".
  const bool editsOnScreen = !WhatWouldBeLost(false).empty();
  if (!(editsOnScreen ? MaySetAside(false) : host_.Confirm(false))) return;
  host_.CloseChildWindows();
  reorder();
  EndStep(step);
  t_.CurrentGame = 0;
  t_.CurrentTeam = 0;
  host_.OpenEntryWindows(t_.Format.Divisions == 1);
}

void MainCommands::SortGames1Click() {
  BeginStep();
  t_.Format.SortByRound = 0;
  OrderingCommand("Sort Games", [this] { SortGamesByIdentifier(t_); });
}

void MainCommands::GroupRounds1Click() {
  BeginStep();
  t_.Format.SortByRound = 1;
  OrderingCommand("Group Rounds", [this] { GroupRounds(t_); });
}

void MainCommands::SortTeams1Click() {
  BeginStep();
  OrderingCommand("Sort Teams", [this] { SortTeams(t_); });
}

void MainCommands::FullReport1Click() {
  const auto basePath = host_.AskReportBasePath();
  if (!basePath) return;
  // The pages are written from a copy, so the window stays usable while they are written
  // and the tournament can't change under the writer.
  Tournament snapshot = t_;
  std::vector<std::string> failed;
  const bool finished = host_.RunLongTask("Writing the web report", [&](const CancelFlag&) {
    failed = WriteWebReport(snapshot, *basePath);
  });
  t_.Format.SortByRound = 1;
  if (!failed.empty()) {
    std::string text;
    for (const std::string& file : failed)
      text += (text.empty() ? "" : "\n") + ("Could not write " + file);
    host_.ShowMessage(text, kErrorCaption);
    return;
  }
  if (!finished) return;
  host_.ShowStatus("Report written to " + *basePath + " at " + host_.ClockTime());
  host_.ShowMessage("Report has been generated", "Completed");
}

void MainCommands::PosttoWeb1Click() {
  PostToWebJob job = PreparePostToWeb(t_);
  PostToWebResult result;
  std::unique_ptr<FtpClient> client =
      ftpFactory_ ? ftpFactory_() : std::make_unique<CurlFtpClient>();
  host_.RunLongTask("Posting to the web", [&](const CancelFlag& cancel) {
    // A post after a game may still be writing the same files.
    if (poster_) poster_->WaitUntilIdle();
    PostToWebCallbacks callbacks;
    callbacks.cancel = cancel.Atomic();
    result = RunPostToWeb(std::move(job), *client, callbacks);
  });
  ApplyPostToWebResult(t_, result);
  if (result.cancelled) return;
  for (const PostMessage& m : result.messages) host_.ShowMessage(m.text, m.caption);
  if (OfferToTrustHostKey(result)) PosttoWeb1Click();  // again, now that the key is known
}

bool MainCommands::OfferToTrustHostKey(const PostToWebResult& result) {
  // A key that changed may mean someone sits between us and the server: never offered.
  if (!result.refusedHostKey || result.refusedHostKey->changed || result.knownHostsFile.empty())
    return false;
  const RefusedHostKey& key = *result.refusedHostKey;
  const std::string text = "The server's host key is not known.\nFingerprint: " + key.fingerprint +
                           "\n\nTrust this key and add it to " + result.knownHostsFile + "?";
  if (!host_.AskYesNo(text, "Unknown Host Key")) return false;
  try {
    std::error_code ignored;  // a missing folder shows as the failed write below
    const auto folder = platform::PathFromUtf8(result.knownHostsFile).parent_path();
    if (!folder.empty()) std::filesystem::create_directories(folder, ignored);
    AppendKnownHost(result.knownHostsFile, key.knownHostLine);
  } catch (const DravError& e) {
    host_.ShowMessage(e.what(), kErrorCaption);
    return false;
  }
  return true;
}

void MainCommands::GameStoredByNext() {
  if (!t_.Extras.Posting.PostAfterEveryGame) return;
  if (!poster_) {
    auto factory = ftpFactory_;
    poster_ = std::make_unique<BackgroundPoster>(
        [factory](PostToWebJob job, const std::atomic<bool>& cancel) {
          std::unique_ptr<FtpClient> client =
              factory ? factory() : std::make_unique<CurlFtpClient>();
          PostToWebCallbacks callbacks;
          callbacks.cancel = &cancel;
          return RunPostToWeb(std::move(job), *client, callbacks);
        },
        postNotify_);
  }
  poster_->Submit(PreparePostToWeb(t_));
}

void MainCommands::TakeBackgroundPostResults() {
  if (!poster_) return;
  for (const PostToWebResult& result : poster_->TakeResults()) {
    ApplyPostToWebResult(t_, result);
    // Failures in one line (a box would stop the director typing); else the completion.
    std::string failures;
    std::string status;
    for (const PostMessage& m : result.messages) {
      if (m.caption == kCaptionCompleted)
        status = "Posted to " + t_.Format.HostAddress + " at " + host_.ClockTime();
      else
        failures += (failures.empty() ? "" : "; ") + m.text;
    }
    if (!failures.empty())
      status = "Posting after the game failed at " + host_.ClockTime() + ": " + failures;
    if (!status.empty()) host_.ShowStatus(status);
  }
}

void MainCommands::WaitForBackgroundPosts() {
  if (poster_) poster_->WaitUntilIdle();
}

void MainCommands::CheckAllGames1Click() {
  host_.ShowGameWarnings();
}

void MainCommands::QuickPrintTeams1Click() {
  host_.ShowTextWindow("QuickPrint Team Standings", TeamStandingsLines(t_));
}

void MainCommands::QuickPrintIndividuals1Click() {
  host_.ShowTextWindow("QuickPrint Individual Standings", PlayerStandingsLines(t_));
}

void MainCommands::QuickPrintGames1Click() {
  host_.ShowTextWindow("QuickPrint Game Results", GameResultsLines(t_));
}

void MainCommands::RoundRobin1Click() {
  host_.ShowTextWindow("Round Robin Schedule", RoundRobinLines(t_));
}

void MainCommands::SwissPairs1Click() {
  const Tournament snapshot = t_;
  ScheduleText text;
  const bool finished = host_.RunLongTask("Pairing the next round", [&](const CancelFlag& cancel) {
    SearchControl control;
    control.cancel = cancel.Atomic();
    text = SwissPairLines(snapshot, control);
  });
  if (!finished || text.cancelled) return;
  host_.ShowTextWindow("Swiss Pairings", text.lines);
}

void MainCommands::Random1Click() {
  const Tournament snapshot = t_;
  RandomSource rng = random_;
  ScheduleText text;
  const bool finished =
      host_.RunLongTask("Drawing a random schedule", [&](const CancelFlag& cancel) {
        SearchControl control;
        control.cancel = cancel.Atomic();
        text = RandomScheduleLines(snapshot, rng, control);
      });
  if (!finished || text.cancelled) return;
  // The sequence moves on only for a schedule that was shown, so a cancelled search
  // doesn't change what the next one draws.
  random_ = rng;
  host_.ShowTextWindow("Random Schedule", text.lines);
}

}  // namespace drav::app
