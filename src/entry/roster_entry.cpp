#include "entry/roster_entry.h"

#include <climits>

#include "model/stages.h"

namespace drav::entry {

RosterEntryForm::RosterEntryForm(Tournament& t, EntryHost& host) : t_(t), host_(host) {
  for (Control* c :
       std::initializer_list<Control*>{&Team, &TeamLabel, &Division, &Label3, &ExbTeam, &Memo1,
                                       &PlayersLabel, &Previous, &Next, &DeleteTeamButton})
    Register(*c);
  t_.CurrentTeam = 0;
  ShowDivisionBox();
  ExbTeam.SetChecked(false);
  Team.SetText("");
  Memo1.Clear();
  LoadTeam();
}

Control* RosterEntryForm::FindControl(std::string_view name) const {
  auto it = byName_.find(name);
  return it == byName_.end() ? nullptr : it->second;
}

std::vector<Control*> RosterEntryForm::AllControls() const {
  std::vector<Control*> all;
  for (const auto& [name, c] : byName_) all.push_back(c);
  return all;
}

int RosterEntryForm::Position() const {
  return t_.CurrentTeam < 0 ? 0 : t_.CurrentTeam;
}

void RosterEntryForm::ShowDivisionBox() {
  const bool used = t_.Format.Divisions != 0;
  for (Control* c : {static_cast<Control*>(&Label3), static_cast<Control*>(&Division)}) {
    c->SetEnabled(used);
    c->SetVisible(used);
  }
}

void RosterEntryForm::FormActivate() {
  ShowDivisionBox();
  LoadTeam();
}

void RosterEntryForm::LoadTeam() {
  Division.SetItemIndex(-1);
  if (t_.Format.Divisions != 0) Division.SetItems(t_.DivisionNames);
  const int position = Position();
  if (position >= t_.TeamCount()) {
    Team.SetText("");
    Division.SetItemIndex(-1);
    Memo1.Clear();
    ExbTeam.SetChecked(false);
    TakeBaseline();
    return;
  }
  const auto& roster = t_.Rosters[position];
  Team.SetText(t_.TeamName(position));
  Division.SetItemIndex(t_.DivisionOf(position));
  ExbTeam.SetChecked(t_.IsExhibition(position));
  Memo1.Clear();
  for (std::size_t i = 1; i < roster.size(); ++i) Memo1.AddLine(roster[i]);
  TakeBaseline();
}

RosterEntryForm::Shown RosterEntryForm::ShownNow() const {
  return {RosterOnScreen(), Division.ItemIndex(), ExbTeam.Checked()};
}

void RosterEntryForm::TakeBaseline() {
  baseline_ = ShownNow();
}

std::vector<std::string> RosterEntryForm::RosterOnScreen() const {
  std::vector<std::string> roster{Team.Text()};
  for (const std::string& line : Memo1.Lines())
    if (!line.empty()) roster.push_back(line);
  return roster;
}

void RosterEntryForm::StoreTeam() {
  if (Team.Text().empty()) return;
  std::vector<std::string> roster = RosterOnScreen();
  const int division = Division.ItemIndex();
  const int exhibition = ExbTeam.Checked() ? 1 : 0;
  const int shown = Position();
  if (shown < t_.TeamCount() && t_.Rosters[shown] == roster && t_.DivisionOf(shown) == division &&
      t_.IsExhibition(shown) == (exhibition == 1))
    return;
  steps_.Before();
  // The per-team lists must stay parallel to Rosters, even for a tournament whose lists
  // came up short.
  const std::size_t teams = t_.Rosters.size();
  if (t_.TeamDivision.size() < teams) t_.TeamDivision.resize(teams, -1);
  if (t_.ExhibitionTeam.size() < teams) t_.ExhibitionTeam.resize(teams, 0);
  const int position = Position();
  if (position < t_.TeamCount()) {
    t_.Rosters[position] = std::move(roster);
    t_.TeamDivision[position] = division;
    t_.ExhibitionTeam[position] = exhibition;
  } else {
    t_.TeamDivision.resize(teams);
    t_.ExhibitionTeam.resize(teams);
    t_.TeamDivision.push_back(division);
    t_.ExhibitionTeam.push_back(exhibition);
    t_.Rosters.push_back(std::move(roster));
  }
  steps_.After("Store Team " + Team.Text());
}

bool RosterEntryForm::HasUnstoredEdits() const {
  if (Team.Text().empty()) return false;  // StoreTeam keeps nothing of a nameless team
  if (Position() >= t_.TeamCount()) return true;
  return !(ShownNow() == baseline_);
}

void RosterEntryForm::StoreOnScreen() {
  const bool isNew = Position() >= t_.TeamCount();
  StoreTeam();
  if (isNew && !Team.Text().empty()) t_.CurrentTeam = t_.TeamCount() - 1;
  TakeBaseline();
}

void RosterEntryForm::FormDeactivate() {
  if (HasUnstoredEdits()) StoreOnScreen();
}

std::string RosterEntryForm::PositionCaption() const {
  const int count = t_.TeamCount();
  if (Position() >= count) return "New team " + std::to_string(static_cast<long long>(count) + 1);
  return "Team " + std::to_string(static_cast<long long>(Position()) + 1) + " of " +
         std::to_string(count);
}

void RosterEntryForm::NextClick() {
  StoreTeam();
  if (t_.CurrentTeam < INT_MAX) t_.CurrentTeam = Position() + 1;
  LoadTeam();
}

void RosterEntryForm::PreviousClick() {
  StoreTeam();
  if (Position() > 0) {
    t_.CurrentTeam = Position() - 1;
    LoadTeam();
  }
}

void RosterEntryForm::DeleteTeamButtonClick() {
  if (!t_.Games.empty()) {
    host_.ShowMessage(kDeleteRefused, "Error");
    return;
  }
  const int shown = Position();
  if (!host_.ConfirmDelete(shown < t_.TeamCount() ? t_.TeamName(shown) : "the new team on screen"))
    return;
  const std::size_t position = static_cast<std::size_t>(Position());
  const bool stored = position < t_.Rosters.size();
  const std::string step = "Delete Team " + t_.TeamName(shown);
  if (stored) steps_.Before();
  if (position < t_.TeamDivision.size()) t_.TeamDivision.erase(t_.TeamDivision.begin() + position);
  if (position < t_.ExhibitionTeam.size())
    t_.ExhibitionTeam.erase(t_.ExhibitionTeam.begin() + position);
  if (position < t_.Rosters.size()) {
    // Later teams move up one place; the brackets follow them.
    std::vector<int> newIndex(t_.Rosters.size());
    for (std::size_t i = 0; i < newIndex.size(); ++i)
      newIndex[i] = i < position    ? static_cast<int>(i)
                    : i == position ? -1
                                    : static_cast<int>(i) - 1;
    RenumberStageTeams(t_.Extras.Stages, newIndex);
    RenumberFinalPlaces(t_.Extras.FinalPlaces, newIndex);
    t_.Rosters.erase(t_.Rosters.begin() + position);
  }
  if (position > 0) t_.CurrentTeam = static_cast<int>(position) - 1;
  LoadTeam();
  if (stored) steps_.After(step);
}

}  // namespace drav::entry
