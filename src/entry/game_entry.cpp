// Game Entry's form model: its controls, their layout and enabling rules, and the
// navigation between games. Loading and storing live in game_entry_store.cpp, the
// reactions to typing and clicking in game_entry_reactions.cpp.

#include "entry/game_entry.h"

#include <climits>
#include <cstdint>

#include "entry/box_rules.h"
#include "entry/check_game.h"
#include "entry/game_computations.h"
#include "model/error.h"
#include "model/numbers.h"
#include "model/score_only.h"

namespace drav::entry {

namespace {

std::string SideLetter(bool sideA) {
  return sideA ? "A" : "B";
}

}  // namespace

GameEntryForm::GameEntryForm(Tournament& t, EntryHost& host) : t_(t), host_(host) {
  TeamAName.SetName("TeamAName");
  TeamBName.SetName("TeamBName");
  ScoreA.SetName("ScoreA");
  ScoreB.SetName("ScoreB");
  BHA.SetName("BHA");
  BPA.SetName("BPA");
  BHB.SetName("BHB");
  BPB.SetName("BPB");
  BncBkA.SetName("BncBkA");
  BncBkPtsA.SetName("BncBkPtsA");
  BncBkB.SetName("BncBkB");
  BncBkPtsB.SetName("BncBkPtsB");
  SixtyA.SetName("SixtyA");
  SixtyB.SetName("SixtyB");
  TUH.SetName("TUH");
  Round.SetName("Round");
  GID.SetName("GID");
  Jump.SetName("Jump");
  OTA.SetName("OTA");
  OTB.SetName("OTB");
  for (int side = 0; side < 2; ++side) {
    const bool isA = side == 0;
    const std::string x = SideLetter(isA);
    auto& rows = isA ? RowsA : RowsB;
    for (int r = 1; r <= kRows; ++r) {
      PlayerRow& row = rows[r - 1];
      const std::string n = std::to_string(r);
      row.Player.SetName("Player" + x + n);
      row.GP.SetName("GP" + x + n);
      for (int k = 0; k < kColumns; ++k) {
        row.Q[k].SetName("Q" + std::to_string(k) + x + n);
        row.Q[k].OnChange = [this, isA, r] { CountChange(isA, r); };
      }
      row.Pts.SetName("Pts" + x + n);
      row.Pts.SetEnabled(false);
      row.GP.OnChange = [this, isA, r] { GPChange(isA, r); };
      Register(row.Player);
      Register(row.GP);
      for (auto& q : row.Q) Register(q);
      Register(row.Pts);
    }
  }
  for (int i = 0; i < 2 * kColumns; ++i) ColumnHeads[i].SetName("Label" + std::to_string(i + 1));
  for (auto& head : ColumnHeads) Register(head);

  ScoreA.OnChange = [this] { RecomputeBonuses(); };
  ScoreB.OnChange = [this] { RecomputeBonuses(); };
  SixtyA.OnChange = [this] { RecomputeBonuses(); };
  SixtyB.OnChange = [this] { RecomputeBonuses(); };
  OTA.OnChange = [this] { RecomputeBonuses(); };
  OTB.OnChange = [this] { RecomputeBonuses(); };
  Forfeit.OnClick = [this] { ForfeitClick(); };
  ScoreOnly.OnClick = [this] { ScoreOnlyClick(); };

  for (Control* c : std::initializer_list<Control*>{&TeamAName,
                                                    &TeamBName,
                                                    &ScoreA,
                                                    &ScoreB,
                                                    &BHA,
                                                    &BPA,
                                                    &BHB,
                                                    &BPB,
                                                    &BncBkA,
                                                    &BncBkPtsA,
                                                    &BncBkB,
                                                    &BncBkPtsB,
                                                    &SixtyA,
                                                    &SixtyB,
                                                    &TUH,
                                                    &Round,
                                                    &GID,
                                                    &Jump,
                                                    &Button1,
                                                    &Forfeit,
                                                    &Overtime,
                                                    &Tiebreaker,
                                                    &OTA,
                                                    &OTB,
                                                    &DeleteGame,
                                                    &Previous,
                                                    &Next,
                                                    &Label10,
                                                    &Label16,
                                                    &Label11,
                                                    &Label12,
                                                    &TULabel,
                                                    &BonusesLabelA,
                                                    &HeardLabelA,
                                                    &BonusPtsLabelA,
                                                    &BonusesLabelB,
                                                    &HeardLabelB,
                                                    &BonusPtsLabelB,
                                                    &BncBkLabelA,
                                                    &BncBkPtsLabelA,
                                                    &BncBkLabelB,
                                                    &BncBkPtsLabelB,
                                                    &LtngLabelA,
                                                    &LtngLabelB,
                                                    &RndLabel,
                                                    &IdLabel,
                                                    &Panel1,
                                                    &Panel3,
                                                    &Panel2,
                                                    &Panel8,
                                                    &Panel9,
                                                    &Panel11,
                                                    &Panel12,
                                                    &ScoreOnly})
    Register(*c);

  FormCreate();
}

void GameEntryForm::Register(Control& c) {
  byName_[c.Name()] = &c;
}

// Tiebreakers belong to tournaments in stages; elsewhere the box only shows on a game that
// already carries the mark, so the form stays as narrow as before.
void GameEntryForm::ShowTiebreakerMark(bool marked) {
  Tiebreaker.SetVisible(marked || !t_.Extras.Stages.empty());
}

Control* GameEntryForm::FindControl(std::string_view name) const {
  auto it = byName_.find(name);
  return it == byName_.end() ? nullptr : it->second;
}

Edit* GameEntryForm::FindEdit(std::string_view name) const {
  return dynamic_cast<Edit*>(FindControl(name));
}

ComboBox* GameEntryForm::FindComboBox(std::string_view name) const {
  return dynamic_cast<ComboBox*>(FindControl(name));
}

CheckBox* GameEntryForm::FindCheckBox(std::string_view name) const {
  return dynamic_cast<CheckBox*>(FindControl(name));
}

std::vector<Control*> GameEntryForm::AllControls() const {
  std::vector<Control*> all;
  all.reserve(byName_.size());
  for (const auto& [name, c] : byName_) all.push_back(c);
  return all;
}

std::vector<std::string> GameEntryForm::TabOrder() {
  std::vector<std::string> order = {"TeamAName", "TeamBName", "ScoreA", "ScoreB"};
  for (const char* x : {"A", "B"})
    for (int r = 1; r <= kRows; ++r)
      for (int k = 0; k < kColumns; ++k)
        order.push_back("Q" + std::to_string(k) + x + std::to_string(r));
  for (const char* n : {"TUH", "SixtyA", "BncBkA", "BncBkPtsA", "BHA", "BPA", "BHB", "BPB",
                        "BncBkB", "BncBkPtsB", "SixtyB", "Round", "GID", "Previous", "Next"})
    order.push_back(n);
  return order;
}

GameEntryForm::SideRefs GameEntryForm::Side(bool sideA) {
  if (sideA) return {true, TeamAName, ScoreA, RowsA, BHA, BPA, BncBkA, BncBkPtsA, SixtyA, OTA};
  return {false, TeamBName, ScoreB, RowsB, BHB, BPB, BncBkB, BncBkPtsB, SixtyB, OTB};
}

int GameEntryForm::Position() const {
  return t_.CurrentGame < 0 ? 0 : t_.CurrentGame;
}

// --- Set-up ------------------------------------------------------------------------------

void GameEntryForm::FormCreate() {
  const TourneyFormat& f = t_.Format;
  if (f.TrackBonuses == 0) {
    for (Control* c : std::initializer_list<Control*>{
             &BHA, &BPA, &BHB, &BPB, &BonusesLabelA, &HeardLabelA, &BonusPtsLabelA, &BonusesLabelB,
             &HeardLabelB, &BonusPtsLabelB, &Panel1, &Panel3})
      c->SetVisible(false);
  }
  ApplyBonusModeEnabling();
  if (f.BonusMode == 0) {
    OTA.SetVisible(false);
    OTB.SetVisible(false);
  }
  if (f.TUHeard == 0) {
    TUH.SetVisible(false);
    TULabel.SetVisible(false);
    Panel2.SetVisible(false);
  }
  if (f.Sixty == 0) {
    for (Control* c : std::initializer_list<Control*>{&SixtyA, &SixtyB, &LtngLabelA, &LtngLabelB,
                                                      &Panel8, &Panel9})
      c->SetVisible(false);
  }
  if (f.BonusMode != 3) {
    for (Control* c : std::initializer_list<Control*>{&BncBkA, &BncBkPtsA, &BncBkB, &BncBkPtsB,
                                                      &BncBkLabelA, &BncBkPtsLabelA, &BncBkLabelB,
                                                      &BncBkPtsLabelB, &Panel11, &Panel12})
      c->SetVisible(false);
  }
  RefillTeamLists();
  t_.CurrentGame = 0;
  ClearSide(true);
  ClearSide(false);
  for (int k = 0; k < kColumns; ++k) {
    const int v = t_.QuestionValues[k];
    const std::string head = v == 0 ? "" : std::to_string(v);
    ColumnHeads[k].SetCaption(head);
    ColumnHeads[kColumns + k].SetCaption(head);
  }
  LoadGame();
}

void GameEntryForm::ApplyBonusModeEnabling() {
  if (t_.Format.BonusMode == 1) {
    for (Edit* e : {&BHA, &BHB, &BPA, &BPB}) e->SetEnabled(false);
  } else if (t_.Format.BonusMode == 2) {
    BHA.SetEnabled(true);
    BHB.SetEnabled(true);
    BPA.SetEnabled(false);
    BPB.SetEnabled(false);
  }
}

void GameEntryForm::RefillTeamLists() {
  for (ComboBox* list : {&TeamAName, &TeamBName}) {
    list->Clear();
    for (int team = 0; team < t_.TeamCount(); ++team) list->AddItem(t_.TeamName(team));
  }
}

void GameEntryForm::ClearSide(bool sideA) {
  for (PlayerRow& row : Side(sideA).rows) {
    row.GP.SetText("");
    for (Edit& q : row.Q) q.SetText("");
    row.Pts.SetText("");
    row.Player.SetVisible(false);
    row.GP.SetVisible(false);
    for (Edit& q : row.Q) q.SetVisible(false);
    row.Pts.SetVisible(false);
  }
}

void GameEntryForm::ShowRows(bool sideA, int team) {
  if (ScoreOnly.Checked()) return;
  const int players = t_.PlayerCount(team);
  auto& rows = Side(sideA).rows;
  for (int r = 1; r <= kRows && r <= players; ++r) {
    PlayerRow& row = rows[r - 1];
    row.Player.SetVisible(true);
    row.GP.SetVisible(true);
    row.Pts.SetVisible(true);
    for (int k = 0; k < kColumns; ++k)
      if (t_.QuestionValues[k] != 0) row.Q[k].SetVisible(true);
  }
}

void GameEntryForm::FillPlayerLists(bool sideA, int team) {
  const int players = t_.PlayerCount(team);
  for (PlayerRow& row : Side(sideA).rows) {
    row.Player.Clear();
    for (int p = 0; p < players; ++p) row.Player.AddItem(t_.PlayerName(team, p));
  }
}

// --- Navigation --------------------------------------------------------------------------

std::vector<std::string> GameEntryForm::NextClick() {
  if (!TryStoreGame()) return {};
  // A new game without both teams is not stored, and paging through stored games changes
  // nothing: neither is worth a post.
  const bool stored = Position() < t_.GameCount() && lastStoreChanged_;
  std::vector<std::string> warnings;
  if (AnyWarningOn(t_.Format)) warnings = CheckGame(t_, Position());
  if (t_.CurrentGame < INT_MAX) t_.CurrentGame = Position() + 1;
  RefillTeamLists();
  LoadGame();
  if (stored && afterNextStores_) afterNextStores_();
  return warnings;
}

std::vector<std::string> GameEntryForm::PreviousClick() {
  if (!TryStoreGame()) return {};
  std::vector<std::string> warnings;
  if (AnyWarningOn(t_.Format)) warnings = CheckGame(t_, Position());
  if (Position() == 0) return warnings;
  t_.CurrentGame = Position() - 1;
  RefillTeamLists();
  LoadGame();
  return warnings;
}

void GameEntryForm::Button1Click() {
  if (!TryStoreGame()) return;
  for (int i = 0; i < t_.GameCount(); ++i) {
    if (t_.Games[i].GID == Jump.Text()) {
      t_.CurrentGame = i;
      LoadGame();
      return;
    }
  }
  // Doing nothing would look like a Go To that worked.
  host_.ShowMessage(Jump.Text().empty() ? std::string("Type the Id of a game to go to.")
                                        : "No game has the Id \"" + Jump.Text() + "\".",
                    "Go To");
}

bool GameEntryForm::GoToPosition(int position) {
  if (!TryStoreGame()) return false;
  if (position < 0 || position >= t_.GameCount()) return false;
  t_.CurrentGame = position;
  RefillTeamLists();
  LoadGame();
  return true;
}

void GameEntryForm::DeleteGameClick() {
  if (!host_.ConfirmDelete(ShownGameDescription())) return;
  const int position = Position();
  const bool stored = position < t_.GameCount();
  const std::string step = "Delete Game " +
                           std::to_string(static_cast<std::int64_t>(position) + 1) + " (" +
                           ShownGameDescription() + ")";
  if (stored) steps_.Before();
  if (stored) t_.Games.erase(t_.Games.begin() + position);
  if (position > 0) t_.CurrentGame = position - 1;
  LoadGame();
  if (stored) steps_.After(step);
}

}  // namespace drav::entry
