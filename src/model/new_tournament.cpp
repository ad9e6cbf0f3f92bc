#include "model/new_tournament.h"

#include "model/numbers.h"

namespace drav {

int NewTournamentChoices::ColumnValue(int column) const {
  if (column < 0 || column >= kColumns || !ColumnChecked[column]) return 0;
  return LenientInt(ColumnText[column], 0);
}

void BonusSettings(BonusChoice choice, int& trackBonuses, int& bonusMode) {
  switch (choice) {
    case BonusChoice::Automatic:
      trackBonuses = 1;
      bonusMode = 1;
      return;
    case BonusChoice::Manual:
      trackBonuses = 1;
      bonusMode = 0;
      return;
    case BonusChoice::None:
      trackBonuses = 0;
      bonusMode = 0;
      return;
    case BonusChoice::ManualHeardAutoPts:
      trackBonuses = 1;
      bonusMode = 2;
      return;
    case BonusChoice::ManualBouncebacks:
      trackBonuses = 1;
      bonusMode = 3;
      return;
  }
}

void ApplyTournamentChoices(Tournament& t, const NewTournamentChoices& choices) {
  TourneyFormat& f = t.Format;
  BonusSettings(choices.Bonus, f.TrackBonuses, f.BonusMode);
  for (int c = 0; c < kColumns; ++c) t.QuestionValues[c] = choices.ColumnValue(c);
  f.PowNeg = choices.PowNeg ? 1 : 0;
  f.Sixty = choices.Sixty ? 1 : 0;
  f.TUHeard = choices.TUHeard ? 1 : 0;
  f.Divisions = choices.Divisions ? 1 : 0;
  f.TUHSort = 0;
  f.Warning1 = f.Warning2 = f.Warning3 = f.Warning4 = 1;
  f.Warning5 = f.Warning6 = f.Warning7 = 1;
  f.AllRounds = 1;
  f.RoundsMin = 1;
  f.RoundsMax = 1;
  f.RoundReports = 0;
}

void NewTournament(Tournament& t, const NewTournamentChoices& choices) {
  ApplyTournamentChoices(t, choices);
  t.SavedGameCount = 0;
  t.PacketNames.clear();
  t.CurrentGame = 0;
  t.CurrentTeam = 0;
}

}  // namespace drav
