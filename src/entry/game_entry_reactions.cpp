// Game Entry's reactions: choosing the teams, and the figures that follow a typed count,
// games played or a forfeit.

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

}  // namespace

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

void GameEntryForm::TeamANameClick() {
  TeamClick(true);
}
void GameEntryForm::TeamBNameClick() {
  TeamClick(false);
}

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
  std::vector<Edit*> boxes = {&ScoreA,    &ScoreB, &SixtyA,    &SixtyB, &BncBkA,
                              &BncBkPtsA, &BncBkB, &BncBkPtsB, &BHA,    &BPA,
                              &BHB,       &BPB,    &TUH,       &OTA,    &OTB};
  for (auto* rows : {&RowsA, &RowsB}) {
    for (PlayerRow& row : *rows) {
      boxes.push_back(&row.GP);
      for (Edit& q : row.Q) boxes.push_back(&q);
    }
  }
  for (Edit* e : boxes) e->SetEnabled(!locked);
  if (!locked) ApplyBonusModeEnabling();
}

}  // namespace drav::entry
