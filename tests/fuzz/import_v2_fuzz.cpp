// Feeds arbitrary bytes to the version-2 import. An import either fails with a DravError
// or gives a tournament without divisions whose lists run parallel to the teams, and
// which writes and reads back with the same games.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "model/error.h"
#include "storage/import_v2.h"
#include "storage/tournament_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  drav::Tournament t;
  try {
    t = drav::ParseVersion2(text, drav::Tournament{});
  } catch (const drav::DravError&) {
    return 0;
  }
  if (t.TeamDivision.size() != t.Rosters.size() || t.ExhibitionTeam.size() != t.Rosters.size() ||
      !t.DivisionNames.empty() || t.Format.Divisions != 0)
    std::abort();
  for (int d : t.TeamDivision)
    if (d != -1) std::abort();
  const drav::Tournament back =
      drav::ParseTournament(drav::SerializeTournament(t), drav::Tournament{});
  if (back.Games.size() != t.Games.size()) std::abort();
  return 0;
}
