// Game Entry's loading and storing: a stored game into the controls, the controls into a
// game record, and the checks that nothing typed is lost.

#include <climits>
#include <cstdint>

#include "entry/box_rules.h"
#include "entry/check_game.h"
#include "entry/game_computations.h"
#include "entry/game_entry.h"
#include "model/error.h"
#include "model/numbers.h"
#include "model/score_only.h"

namespace drav::entry {

namespace {

int ReadInt(const Edit& e, int fallback = 0) {
  return LenientInt(e.Text(), fallback);
}

std::string SideLetter(bool sideA) {
  return sideA ? "A" : "B";
}

// Games played of one row; a failure names the row so the user knows which box to fix.
double ReadGamesPlayed(const Edit& gp, bool sideA, int row) {
  try {
    return ParseGamesPlayed(gp.Text());
  } catch (const DravError& e) {
    throw DravError("Games played in row " + std::to_string(row) + " of team " + SideLetter(sideA) +
                    ": " + e.what());
  }
}

}  // namespace

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
  lastStoreChanged_ = false;
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
    } packed[] = {
        {g.BHA, "bonuses heard of team A"},        {g.BPA, "bonus points of team A"},
        {g.BHB, "bonuses heard of team B"},        {g.BPB, "bonus points of team B"},
        {g.BncBkA, "bouncebacks heard of team A"}, {g.BncBkPtsA, "bounceback points of team A"},
        {g.BncBkB, "bouncebacks heard of team B"}, {g.BncBkPtsB, "bounceback points of team B"}};
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
  lastStoreChanged_ = true;
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

}  // namespace drav::entry
