// Feeds arbitrary bytes to the roster file reader. The first byte picks the window's
// choices (divisions, bonus mode); the tournament read must keep its lists parallel and
// every division index inside DivisionNames, and must write and read back.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "model/error.h"
#include "storage/roster_file.h"
#include "storage/tournament_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  drav::NewTournamentChoices choices;
  choices.Divisions = (data[0] & 1) != 0;
  choices.Bonus = static_cast<drav::BonusChoice>((data[0] >> 1) % 5);
  const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);

  drav::Tournament base;
  base.DivisionNames = {"North", "South"};
  const drav::Tournament t = drav::ParseRosters(text, base, choices);
  if (t.TeamDivision.size() != t.Rosters.size() || t.ExhibitionTeam.size() != t.Rosters.size())
    std::abort();
  for (std::size_t i = 0; i < t.Rosters.size(); ++i) {
    if (t.Rosters[i].empty()) std::abort();
    const int d = t.TeamDivision[i];
    if (d < -1 || d >= static_cast<int>(t.DivisionNames.size())) std::abort();
    if (!choices.Divisions && d != -1) std::abort();
  }
  const drav::Tournament back =
      drav::ParseTournament(drav::SerializeTournament(t), drav::Tournament{});
  if (back.Rosters.size() != t.Rosters.size()) std::abort();
  return 0;
}
