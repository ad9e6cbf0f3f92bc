#pragma once

#include <array>
#include <string>
#include <string_view>

#include "model/game_stats.h"
#include "model/tournament.h"

namespace drav {

// The five bonus-conversion choices of the New Tournament window.
enum class BonusChoice {
  Automatic,           // (TrackBonuses, BonusMode) = (1, 1)
  Manual,              // (1, 0)
  None,                // (0, 0)
  ManualHeardAutoPts,  // "Manual Hrd, Auto Pts": (1, 2)
  ManualBouncebacks,   // "Manual with Bouncebacks": (1, 3)
};

// What the user chose in the New Tournament options window. The window is created fresh
// every time, so a default-constructed value is exactly what it shows when it opens:
// columns 15, 10, -5 checked and a fourth one unchecked and empty, toss-ups heard and
// power/neg tracked, no lightning round, no divisions, automatic bonuses.
// Read Rosters uses the same window, so both commands share this record.
struct NewTournamentChoices {
  // CB1..CB4 and Edit1..Edit4. An unchecked column, or one whose edit holds no integer,
  // gets the value 0, which switches the column off.
  std::array<bool, kColumns> ColumnChecked{true, true, true, false};
  std::array<std::string, kColumns> ColumnText{"15", "10", "-5", ""};
  bool TUHeard = true;
  bool PowNeg = true;
  bool Sixty = false;
  bool Divisions = false;
  BonusChoice Bonus = BonusChoice::Automatic;

  // The question value a column gets: its edit's number when checked, else 0.
  int ColumnValue(int column) const;
};

// (TrackBonuses, BonusMode) for a bonus choice.
void BonusSettings(BonusChoice choice, int& trackBonuses, int& bonusMode);

// Applies the window's choices to the settings: bonus tracking, question values, the
// tracking switches and Divisions, TUHSort 0, all seven warnings on, AllRounds/RoundsMin/
// RoundsMax 1, RoundReports 0. Nothing else changes: teams, games, divisions, packet
// names, the file name and SavedGameCount are left alone (Read Rosters relies on that).
void ApplyTournamentChoices(Tournament& t, const NewTournamentChoices& choices);

// The whole New Tournament command after OK: ApplyTournamentChoices, then SavedGameCount 0
// and PacketNames emptied. Teams, games, divisions, exhibition flags and FileName are
// kept. The entry windows are rebuilt by the caller, so the entry positions go back to 0.
void NewTournament(Tournament& t, const NewTournamentChoices& choices);

}  // namespace drav
