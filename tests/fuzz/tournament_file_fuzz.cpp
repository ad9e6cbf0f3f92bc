// Feeds arbitrary bytes to the tournament file reader. Whatever it reads must write back
// and read again with the same teams, divisions and games (settings with out-of-range
// flag values may legitimately read back differently), and whatever the writer writes must
// be recognised as a tournament file.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "model/error.h"
#include "storage/tournament_file.h"
#include "storage/tournament_recognition.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  (void)drav::LooksLikeTournamentFile(text);
  drav::Tournament t;
  try {
    t = drav::ParseTournament(text, drav::Tournament{});
  } catch (const drav::DravError&) {
    return 0;
  }
  // The writer blanks line breaks inside names, so compare from the first written form on.
  const drav::Tournament once = drav::ParseTournament(drav::SerializeTournament(t), drav::Tournament{});
  const drav::Tournament again = drav::ParseTournament(drav::SerializeTournament(once), drav::Tournament{});
  t = once;
  if (!drav::LooksLikeTournamentFile(drav::SerializeTournament(once))) std::abort();
  if (again.Rosters != t.Rosters || again.DivisionNames != t.DivisionNames ||
      again.TeamDivision != t.TeamDivision || again.Games.size() != t.Games.size() ||
      again.QuestionValues != t.QuestionValues)
    std::abort();
  return 0;
}
