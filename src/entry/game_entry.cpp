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

int ReadInt(const Edit& e, int fallback = 0) { return LenientInt(e.Text(), fallback); }

std::string SideLetter(bool sideA) { return sideA ? "A" : "B"; }

// Games played of one row; a failure names the row so the user knows which box to fix.
double ReadGamesPlayed(const Edit& gp, bool sideA, int row) {
  try {
    return ParseGamesPlayed(gp.Text());
  } catch (const DravError& e) {
    throw DravError("Games played in row " + std::to_string(row) + " of team " +
                    SideLetter(sideA) + ": " + e.what());
  }
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

  for (Control* c : std::initializer_list<Control*>{
           &TeamAName, &TeamBName, &ScoreA, &ScoreB, &BHA, &BPA, &BHB, &BPB, &BncBkA,
           &BncBkPtsA, &BncBkB, &BncBkPtsB, &SixtyA, &SixtyB, &TUH, &Round, &GID, &Jump,
           &Button1, &Forfeit, &Overtime, &Tiebreaker, &OTA, &OTB, &DeleteGame, &Previous, &Next,
           &Label10, &Label16, &Label11, &Label12, &TULabel, &BonusesLabelA, &HeardLabelA,
           &BonusPtsLabelA, &BonusesLabelB, &HeardLabelB, &BonusPtsLabelB, &BncBkLabelA,
           &BncBkPtsLabelA, &BncBkLabelB, &BncBkPtsLabelB, &LtngLabelA, &LtngLabelB,
           &RndLabel, &IdLabel, &Panel1, &Panel3, &Panel2, &Panel8, &Panel9, &Panel11,
           &Panel12, &ScoreOnly})
    Register(*c);

  FormCreate();
}

void GameEntryForm::Register(Control& c) { byName_[c.Name()] = &c; }

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

int GameEntryForm::Position() const { return t_.CurrentGame < 0 ? 0 : t_.CurrentGame; }

// --- Set-up ------------------------------------------------------------------------------

void GameEntryForm::FormCreate() {
  const TourneyFormat& f = t_.Format;
  if (f.TrackBonuses == 0) {
    for (Control* c : std::initializer_list<Control*>{
             &BHA, &BPA, &BHB, &BPB, &BonusesLabelA, &HeardLabelA, &BonusPtsLabelA,
             &BonusesLabelB, &HeardLabelB, &BonusPtsLabelB, &Panel1, &Panel3})
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
    for (Control* c : std::initializer_list<Control*>{&SixtyA, &SixtyB, &LtngLabelA,
                                                      &LtngLabelB, &Panel8, &Panel9})
      c->SetVisible(false);
  }
  if (f.BonusMode != 3) {
    for (Control* c : std::initializer_list<Control*>{
             &BncBkA, &BncBkPtsA, &BncBkB, &BncBkPtsB, &BncBkLabelA, &BncBkPtsLabelA,
             &BncBkLabelB, &BncBkPtsLabelB, &Panel11, &Panel12})
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

// --- Loading -----------------------------------------------------------------------------

void GameEntryForm::LoadGame() {
  ScoreA.SetText("");
  ScoreB.SetText("");
  for (auto* rows : {&RowsA, &RowsB})
    for (PlayerRow& row : *rows) row.Player.Clear();
  const int position = Position();
  GID.SetText(std::to_string(position));
  ClearSide(true);
  ClearSide(false);
  for (Edit* e : {&TUH, &Round, &BHA, &BPA, &BHB, &BPB, &SixtyA, &SixtyB, &BncBkA, &BncBkPtsA,
                  &BncBkB, &BncBkPtsB})
    e->SetText("");
  Forfeit.SetChecked(false);
  Overtime.SetChecked(false);
  Tiebreaker.SetChecked(false);
  ShowTiebreakerMark(false);
  OTA.SetText("");
  OTB.SetText("");
  for (Edit* e : {&SixtyA, &BncBkA, &BncBkPtsA, &BHA, &BPA, &SixtyB, &BncBkB, &BncBkPtsB, &BHB,
                  &BPB, &TUH, &OTA, &OTB})
    e->SetEnabled(true);
  ApplyBonusModeEnabling();
  ApplyScoreOnlyMode();  // a new game keeps the switch as the last one left it

  baseline_.reset();
  if (position >= t_.GameCount()) return;
  // A copy: the reactions below must not see the record change under them.
  const GameStats g = t_.Games[position];
  ScoreOnly.SetChecked(g.ScoreOnly);
  ApplyScoreOnlyMode();
  // A team that is not in the list (negative, or beyond it in a damaged file) gives the
  // blank page, so no roster is ever read outside its list.
  if (!t_.IsTeam(g.TeamA) || !t_.IsTeam(g.TeamB)) {
    TakeBaseline();
    return;
  }

  GID.SetText(g.GID);
  TeamAName.SetItemIndex(g.TeamA);
  TeamBName.SetItemIndex(g.TeamB);
  if (g.Forfeit) {
    ScoreA.SetText("W");
    ScoreB.SetText("L");
  } else {
    ScoreA.SetText(std::to_string(g.ScoreA));
    ScoreB.SetText(std::to_string(g.ScoreB));
  }
  FillPlayerLists(true, g.TeamA);
  FillPlayerLists(false, g.TeamB);
  for (int r = 0; r < kRows; ++r) RowsA[r].Player.SetItemIndex(g.PlayerA[r]);
  for (int r = 0; r < kRows; ++r) RowsB[r].Player.SetItemIndex(g.PlayerB[r]);
  for (int side = 0; side < 2; ++side) {
    const bool isA = side == 0;
    auto& rows = isA ? RowsA : RowsB;
    for (int r = 0; r < kRows; ++r) {
      const double gp = isA ? g.GPA[r] : g.GPB[r];
      if (!(gp > 0)) continue;
      PlayerRow& row = rows[r];
      row.GP.SetText(FormatGamesPlayed(gp));
      for (int k = 0; k < kColumns; ++k)
        row.Q[k].SetText(std::to_string(isA ? g.QA(k, r) : g.QB(k, r)));
      row.Pts.SetText(std::to_string(isA ? g.PtsA[r] : g.PtsB[r]));
    }
  }
  TUH.SetText(std::to_string(g.TUH));
  BHA.SetText(std::to_string(g.BHA));
  BPA.SetText(std::to_string(g.BPA));
  BHB.SetText(std::to_string(g.BHB));
  BPB.SetText(std::to_string(g.BPB));
  SixtyA.SetText(std::to_string(g.SixtyA));
  SixtyB.SetText(std::to_string(g.SixtyB));
  BncBkA.SetText(std::to_string(g.BncBkA));
  BncBkPtsA.SetText(std::to_string(g.BncBkPtsA));
  BncBkB.SetText(std::to_string(g.BncBkB));
  BncBkPtsB.SetText(std::to_string(g.BncBkPtsB));
  Overtime.SetChecked(g.Overtime != 0);
  if (g.Overtime) {
    OTA.SetText(std::to_string(g.OTA));
    OTB.SetText(std::to_string(g.OTB));
  }
  ShowRows(true, g.TeamA);
  ShowRows(false, g.TeamB);
  Round.SetText(std::to_string(g.Round));
  Tiebreaker.SetChecked(g.Tiebreaker);
  ShowTiebreakerMark(g.Tiebreaker);
  Forfeit.SetChecked(g.Forfeit != 0);
  TakeBaseline();
}

void GameEntryForm::TakeBaseline() {
  try {
    baseline_ = BuildRecord();
  } catch (const DravError&) {
    baseline_.reset();
  }
}

// --- Team choice -------------------------------------------------------------------------

void GameEntryForm::TeamClick(bool sideA) {
  SideRefs s = Side(sideA);
  const int team = s.teamName.ItemIndex();
  ClearSide(sideA);
  ShowRows(sideA, team);
  FillPlayerLists(sideA, team);
  const int players = t_.PlayerCount(team);
  for (int r = 1; r <= kRows && r <= players; ++r) {
    PlayerRow& row = s.rows[r - 1];
    row.Player.SetItemIndex(r - 1);
    row.GP.SetText(r <= 4 ? "1" : "0");
  }
  for (int r = 5; r <= kRows; ++r)
    for (Edit& q : s.rows[r - 1].Q) q.SetEnabled(false);
}

void GameEntryForm::TeamANameClick() { TeamClick(true); }
void GameEntryForm::TeamBNameClick() { TeamClick(false); }

void GameEntryForm::ChooseTeamA(int team) {
  TeamAName.SetItemIndex(team);
  TeamANameClick();
}

void GameEntryForm::ChooseTeamB(int team) {
  TeamBName.SetItemIndex(team);
  TeamBNameClick();
}

void GameEntryForm::FormActivate() {
  const int a = TeamAName.ItemIndex();
  const int b = TeamBName.ItemIndex();
  RefillTeamLists();
  TeamAName.SetItemIndex(a);
  TeamBName.SetItemIndex(b);
  // Players renamed or added in the roster window show at once; each row keeps its choice.
  for (int side = 0; side < 2; ++side) {
    const bool isA = side == 0;
    const int team = isA ? a : b;
    if (!t_.IsTeam(team)) continue;
    for (PlayerRow& row : Side(isA).rows) {
      const int chosen = row.Player.ItemIndex();
      if (row.Player.ItemCount() == 0) continue;
      row.Player.Clear();
      for (int p = 0; p < t_.PlayerCount(team); ++p) row.Player.AddItem(t_.PlayerName(team, p));
      row.Player.SetItemIndex(chosen);
    }
  }
}

// --- Reactions ---------------------------------------------------------------------------

void GameEntryForm::RowPoints(bool sideA, int row) {
  PlayerRow& r = Side(sideA).rows.at(row - 1);
  bool allEmpty = true;
  std::array<int, kColumns> counts{};
  for (int k = 0; k < kColumns; ++k) {
    if (!r.Q[k].Text().empty()) allEmpty = false;
    counts[k] = ReadInt(r.Q[k]);
  }
  if (allEmpty) return;
  r.Pts.SetText(std::to_string(Wrap32(RowPointsOf(t_.QuestionValues, counts))));
}

void GameEntryForm::RecomputeBonuses() {
  const int mode = t_.Format.BonusMode;
  if (mode != 1 && mode != 2) return;
  for (int side = 0; side < 2; ++side) {
    SideRefs s = Side(side == 0);
    std::int64_t heard = 0;
    std::uint64_t rowPoints = 0;  // wraps like the row points themselves
    for (const PlayerRow& row : s.rows) {
      std::array<int, kColumns> counts{};
      for (int k = 0; k < kColumns; ++k) {
        counts[k] = ReadInt(row.Q[k]);
        if (t_.QuestionValues[k] > 0) heard += counts[k];
      }
      rowPoints += static_cast<std::uint64_t>(RowPointsOf(t_.QuestionValues, counts));
    }
    if (Overtime.Checked()) heard -= ReadInt(s.ot);
    if (mode == 1) s.bh.SetText(std::to_string(Wrap32(heard)));
    const std::uint64_t points = static_cast<std::uint64_t>(std::int64_t{ReadInt(s.score)}) -
                                 static_cast<std::uint64_t>(std::int64_t{ReadInt(s.sixty)}) -
                                 rowPoints;
    s.bp.SetText(std::to_string(Wrap32(static_cast<std::int64_t>(points))));
  }
}

void GameEntryForm::CountChange(bool sideA, int row) {
  RowPoints(sideA, row);
  RecomputeBonuses();
}

void GameEntryForm::GPChange(bool sideA, int row) {
  PlayerRow& r = Side(sideA).rows.at(row - 1);
  double gp = 0;
  try {
    gp = ParseGamesPlayed(r.GP.Text());
  } catch (const DravError&) {
    // A half-typed amount such as "." on the way to ".5": a message box here would
    // interrupt the typing. The count boxes stay as they are; storing the game reports
    // a text that is still unreadable then.
    return;
  }
  for (Edit& q : r.Q) q.SetEnabled(gp > 0);
}

void GameEntryForm::ForfeitClick() {
  const bool locked = Forfeit.Checked();
  if (locked) {
    ScoreA.SetText("W");
    ScoreB.SetText("L");
  }
  std::vector<Edit*> boxes = {&ScoreA, &ScoreB, &SixtyA, &SixtyB, &BncBkA, &BncBkPtsA, &BncBkB,
                              &BncBkPtsB, &BHA, &BPA, &BHB, &BPB, &TUH, &OTA, &OTB};
  for (auto* rows : {&RowsA, &RowsB}) {
    for (PlayerRow& row : *rows) {
      boxes.push_back(&row.GP);
      for (Edit& q : row.Q) boxes.push_back(&q);
    }
  }
  for (Edit* e : boxes) e->SetEnabled(!locked);
  if (!locked) ApplyBonusModeEnabling();
}

// --- Storing -----------------------------------------------------------------------------

GameStats GameEntryForm::BuildRecord() const {
  const auto& v = t_.QuestionValues;
  GameStats g;
  g.TeamA = TeamAName.ItemIndex();
  g.TeamB = TeamBName.ItemIndex();
  g.ScoreA = ReadInt(ScoreA, -1);
  g.ScoreB = ReadInt(ScoreB, -1);
  for (int side = 0; side < 2; ++side) {
    const bool isA = side == 0;
    const auto& rows = isA ? RowsA : RowsB;
    for (int r = 0; r < kRows; ++r) {
      const PlayerRow& row = rows[r];
      std::array<int, kColumns> counts{};
      for (int k = 0; k < kColumns; ++k) counts[k] = ReadInt(row.Q[k]);
      const double gp = ReadGamesPlayed(row.GP, isA, r + 1);
      const int points = Wrap32(RowPointsOf(v, counts));
      if (isA) {
        g.PlayerA[r] = row.Player.ItemIndex();
        g.GPA[r] = gp;
        for (int k = 0; k < kColumns; ++k) g.QA(k, r) = counts[k];
        g.PtsA[r] = points;
      } else {
        g.PlayerB[r] = row.Player.ItemIndex();
        g.GPB[r] = gp;
        for (int k = 0; k < kColumns; ++k) g.QB(k, r) = counts[k];
        g.PtsB[r] = points;
      }
    }
  }
  g.BncBkA = ReadInt(BncBkA);
  g.BncBkPtsA = ReadInt(BncBkPtsA);
  g.BncBkB = ReadInt(BncBkB);
  g.BncBkPtsB = ReadInt(BncBkPtsB);
  g.SixtyA = ReadInt(SixtyA);
  g.SixtyB = ReadInt(SixtyB);
  g.TUH = ReadInt(TUH);
  g.Round = ReadInt(Round);
  g.GID = GID.Text();
  g.Forfeit = Forfeit.Checked() ? 1 : 0;
  g.Overtime = Overtime.Checked() ? 1 : 0;
  g.Tiebreaker = Tiebreaker.Checked();
  g.OTA = ReadInt(OTA);
  g.OTB = ReadInt(OTB);

  const int mode = t_.Format.BonusMode;
  if (mode == 1 || mode == 2) {
    for (int side = 0; side < 2; ++side) {
      const bool isA = side == 0;
      std::int64_t heard = 0;
      std::int64_t rowPoints = 0;
      for (int r = 0; r < kRows; ++r) {
        for (int k = 0; k < kColumns; ++k)
          if (v[k] > 0) heard += isA ? g.QA(k, r) : g.QB(k, r);
        rowPoints += isA ? g.PtsA[r] : g.PtsB[r];
      }
      if (g.Overtime) heard -= isA ? g.OTA : g.OTB;
      std::int64_t points = static_cast<std::int64_t>(isA ? g.ScoreA : g.ScoreB) - rowPoints -
                            (isA ? g.SixtyA : g.SixtyB);
      if (g.Forfeit) {
        heard = 0;
        points = 0;
      }
      if (mode == 2) heard = ReadInt(isA ? BHA : BHB);
      (isA ? g.BHA : g.BHB) = Wrap32(heard);
      (isA ? g.BPA : g.BPB) = Wrap32(points);
    }
  } else {
    g.BHA = ReadInt(BHA);
    g.BPA = ReadInt(BPA);
    g.BHB = ReadInt(BHB);
    g.BPB = ReadInt(BPB);
  }
  g.ScoreOnly = ScoreOnly.Checked();
  if (g.ScoreOnly) ClearBoxScore(g);
  return g;
}

void GameEntryForm::StoreGame() {
  GameStats g = BuildRecord();
  const int position = Position();
  const bool existing = position < t_.GameCount();
  if (!existing && (g.TeamA < 0 || g.TeamB < 0)) return;  // a new game needs both teams
  if (t_.Format.BonusMode == 3) {
    // The file keeps each bonus value and its bounceback value in one number
    // (bonus + 10000 * bounceback), so only 0..9999 comes back as it was typed.
    const struct {
      int value;
      const char* what;
    } packed[] = {{g.BHA, "bonuses heard of team A"},
                  {g.BPA, "bonus points of team A"},
                  {g.BHB, "bonuses heard of team B"},
                  {g.BPB, "bonus points of team B"},
                  {g.BncBkA, "bouncebacks heard of team A"},
                  {g.BncBkPtsA, "bounceback points of team A"},
                  {g.BncBkB, "bouncebacks heard of team B"},
                  {g.BncBkPtsB, "bounceback points of team B"}};
    for (const auto& p : packed) {
      if (p.value < 0 || p.value > 9999)
        throw DravError(std::string("The ") + p.what + " must be between 0 and 9999, not " +
                        std::to_string(p.value));
    }
  }
  if (existing && t_.Games[position] == g) return;
  std::string step = "Store Game " + std::to_string(static_cast<std::int64_t>(position) + 1) +
                     " (" + ShownGameDescription() + ")";
  if (existing) {
    GameStats unmarked = g;
    unmarked.Tiebreaker = t_.Games[position].Tiebreaker;
    if (unmarked == t_.Games[position]) step = "Mark Tiebreaker";
  }
  steps_.Before();
  if (existing) {
    t_.Games[position] = std::move(g);
  } else {
    t_.Games.push_back(std::move(g));
  }
  steps_.After(step);
}

bool GameEntryForm::TryStoreGame() {
  try {
    StoreGame();
    return true;
  } catch (const DravError& e) {
    host_.ShowMessage(e.what(), "Error");
    return false;
  }
}

// --- Nothing typed is lost ------------------------------------------------------------------

bool GameEntryForm::AnyFigureTyped() const {
  if (Forfeit.Checked() || Overtime.Checked()) return true;
  if (GID.Text() != std::to_string(Position())) return true;
  std::vector<const Edit*> boxes = {&ScoreA, &ScoreB,    &TUH,    &Round,     &SixtyA, &SixtyB,
                                    &BncBkA, &BncBkPtsA, &BncBkB, &BncBkPtsB, &OTA,    &OTB};
  // Bonus boxes the window computes by itself are not the user's figures.
  const int mode = t_.Format.BonusMode;
  if (mode != 1) {
    boxes.push_back(&BHA);
    boxes.push_back(&BHB);
  }
  if (mode != 1 && mode != 2) {
    boxes.push_back(&BPA);
    boxes.push_back(&BPB);
  }
  for (const auto* rows : {&RowsA, &RowsB})
    for (const PlayerRow& row : *rows)
      for (const Edit& q : row.Q) boxes.push_back(&q);
  for (const Edit* e : boxes)
    if (!e->Text().empty()) return true;
  return false;
}

bool GameEntryForm::HasUnstoredEdits() const {
  if (Position() >= t_.GameCount()) return AnyFigureTyped();
  if (!baseline_) return true;
  try {
    return BuildRecord() != *baseline_;
  } catch (const DravError&) {
    return true;
  }
}

std::vector<std::string> GameEntryForm::StoreOnScreen() {
  const int position = Position();
  const int before = t_.GameCount();
  StoreGame();
  int stored = position;
  if (position >= before) {
    if (t_.GameCount() == before) return {};  // a new game without both teams: not stored
    stored = t_.GameCount() - 1;
    t_.CurrentGame = stored;
  }
  TakeBaseline();
  if (!AnyWarningOn(t_.Format)) return {};
  return CheckGame(t_, stored);
}

std::string GameEntryForm::PositionCaption() const {
  const int count = t_.GameCount();
  if (Position() >= count)
    return "New game " + std::to_string(static_cast<std::int64_t>(count) + 1);
  return "Game " + std::to_string(static_cast<std::int64_t>(Position()) + 1) + " of " +
         std::to_string(count);
}

std::string GameEntryForm::ShownGameDescription() const {
  const std::string round = Round.Text().empty() ? "" : "Round " + Round.Text() + ": ";
  const std::string a = TeamAName.SelectedText().empty() ? "?" : TeamAName.SelectedText();
  const std::string b = TeamBName.SelectedText().empty() ? "?" : TeamBName.SelectedText();
  return round + a + " vs. " + b;
}

bool GameEntryForm::AcceptsCountText(bool sideA, int row, int column, std::string_view text) const {
  if (!IsIntegerBoxText(text)) return false;
  if (row < 1 || row > kRows || column < 0 || column >= kColumns) return false;
  const PlayerRow& r = (sideA ? RowsA : RowsB)[row - 1];
  std::array<int, kColumns> counts{};
  for (int k = 0; k < kColumns; ++k)
    counts[k] = k == column ? LenientInt(text, 0) : ReadInt(r.Q[k]);
  const std::int64_t points = RowPointsOf(t_.QuestionValues, counts);
  return points >= INT32_MIN && points <= INT32_MAX;
}

// --- Navigation --------------------------------------------------------------------------

std::vector<std::string> GameEntryForm::NextClick() {
  if (!TryStoreGame()) return {};
  // A new game without both teams is not stored.
  const bool stored = Position() < t_.GameCount();
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
  const std::string step = "Delete Game " + std::to_string(static_cast<std::int64_t>(position) + 1) +
                           " (" + ShownGameDescription() + ")";
  if (stored) steps_.Before();
  if (stored) t_.Games.erase(t_.Games.begin() + position);
  if (position > 0) t_.CurrentGame = position - 1;
  LoadGame();
  if (stored) steps_.After(step);
}

}  // namespace drav::entry
