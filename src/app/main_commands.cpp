#include "app/main_commands.h"

#include <climits>

#include "model/error.h"
#include "storage/tournament_file.h"

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
  MarkSaved();
}

void MainCommands::MarkSaved() { savedText_ = SerializeTournament(t_); }

bool MainCommands::HasUnsavedData() const { return SerializeTournament(t_) != savedText_; }

void MainCommands::RebuildWindows() {
  host_.CloseChildWindows();
  t_.CurrentGame = 0;
  t_.CurrentTeam = 0;
  host_.OpenEntryWindows(t_.Format.Divisions == 1);
}

void MainCommands::NewTournament1Click() {
  NewTournamentChoices choices;
  if (!host_.RunOptions(choices)) return;
  NewTournament(t_, choices);
  RebuildWindows();
}

void MainCommands::Open1Click() {
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
  host_.SetCaption("DRAV " + t_.FileName);
  RebuildWindows();
  MarkSaved();
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
  return true;
}

void MainCommands::SaveAs1Click() {
  const auto path = host_.AskSaveFileName();
  if (!path) return;
  // The file name and caption follow only a write that worked, so that they never name
  // a file that does not hold the tournament.
  if (!WriteToOwnFile(*path)) return;
  t_.FileName = *path;
  host_.SetCaption("DRAV " + t_.FileName);
}

void MainCommands::SaveTournament2Click() {
  if (t_.FileName.empty()) {
    SaveAs1Click();
    return;
  }
  WriteToOwnFile(t_.FileName);
}

void MainCommands::AutosaveTimer() {
  try {
    WriteTournament(t_, autosavePath_);
  } catch (const DravError& e) {
    host_.ShowStatus(std::string("Autosave failed: ") + e.what());
    return;
  }
  host_.ShowStatus("Autosaved to " + autosavePath_);
}

void MainCommands::CloseAll1Click() {
  if (host_.Confirm(false)) {
    host_.CloseChildWindows();
    t_.Rosters.clear();
    t_.Games.clear();
    t_.DivisionNames.clear();
    t_.TeamDivision.clear();
    t_.ExhibitionTeam.clear();
    t_.FileName.clear();
    t_.CurrentGame = 0;
    t_.CurrentTeam = 0;
    // The user chose to drop the data: nothing left is worth a warning at exit.
    MarkSaved();
  }
  t_.SavedGameCount = 0;
}

bool MainCommands::FormCloseQuery() { return host_.Confirm(HasUnsavedData()); }

void MainCommands::OpenSettings(int page) {
  SettingsForm form = SettingsForm::Load(t_.Format, page);
  if (!host_.RunSettings(form)) return;

  t_.Format.TourneyName = form.TourneyName;
  const int divisions = form.Divisions ? 1 : 0;
  const bool rebuild = divisions != t_.Format.Divisions && host_.HasChildWindows();
  // Set before the rebuild so that the new entry windows see the new choice.
  t_.Format.Divisions = divisions;
  if (rebuild) RebuildWindows();

  form.StoreInto(t_.Format);
  if (t_.Format.AutoSaveMin > 0)
    host_.SetAutosaveTimer(true, AutosaveIntervalMs(t_.Format.AutoSaveMin));
  else
    host_.SetAutosaveTimer(false, 0);
}

void MainCommands::PacketNames1Click() { host_.ShowPacketNames(); }

}  // namespace drav::app
