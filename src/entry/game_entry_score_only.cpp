// The Score only switch of the game entry form: what it hides and shows.
#include "entry/game_entry.h"

namespace drav::entry {

void GameEntryForm::ApplyScoreOnlyMode() {
  const bool on = ScoreOnly.Checked();
  const TourneyFormat& f = t_.Format;
  // Hiding a panel hides its boxes, so Tab passes from the scores straight to Round.
  Panel1.SetVisible(!on && f.TrackBonuses != 0);
  Panel3.SetVisible(!on && f.TrackBonuses != 0);
  Panel2.SetVisible(!on && f.TUHeard != 0);
  Panel8.SetVisible(!on && f.Sixty != 0);
  Panel9.SetVisible(!on && f.Sixty != 0);
  Panel11.SetVisible(!on && f.BonusMode == 3);
  Panel12.SetVisible(!on && f.BonusMode == 3);
  for (Label* head : {&Label10, &Label16, &Label11, &Label12}) head->SetVisible(!on);
  for (Label& head : ColumnHeads) head.SetVisible(!on);
  // Rows are shown again by whoever knows the teams: loading, a team choice, the switch.
  if (!on) return;
  for (auto* rows : {&RowsA, &RowsB}) {
    for (PlayerRow& row : *rows) {
      row.Player.SetVisible(false);
      row.GP.SetVisible(false);
      for (Edit& q : row.Q) q.SetVisible(false);
      row.Pts.SetVisible(false);
    }
  }
}

// Switching a full game to a score only keeps its figures on screen (hidden) until it is
// stored, so switching back at once loses nothing.
void GameEntryForm::ScoreOnlyClick() {
  ApplyScoreOnlyMode();
  if (ScoreOnly.Checked()) return;
  ShowRows(true, TeamAName.ItemIndex());
  ShowRows(false, TeamBName.ItemIndex());
  // Rows of a game that had none: start from the chosen teams' players, as a team choice does.
  for (bool sideA : {true, false}) {
    bool empty = true;
    for (const PlayerRow& row : Side(sideA).rows) empty = empty && row.GP.Text().empty();
    if (empty) TeamClick(sideA);
  }
}

}  // namespace drav::entry
