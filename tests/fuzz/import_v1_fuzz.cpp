// Feeds arbitrary bytes to the version-1 import. An import either fails with a DravError
// or gives games whose teams and players are all valid indices (or -1).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "model/error.h"
#include "storage/import_v1.h"
#include "storage/tournament_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  drav::Tournament t;
  try {
    t = drav::ParseVersion1(text, drav::Tournament{});
  } catch (const drav::DravError&) {
    return 0;
  }
  if (t.TeamDivision.size() != t.Rosters.size() || t.ExhibitionTeam.size() != t.Rosters.size())
    std::abort();
  for (const auto& team : t.Rosters)
    if (team.empty() || team.size() > 9) std::abort();
  for (const auto& g : t.Games) {
    if (g.TeamA < -1 || g.TeamA >= t.TeamCount() || g.TeamB < -1 || g.TeamB >= t.TeamCount())
      std::abort();
    for (int r = 0; r < drav::kRows; ++r) {
      if (g.PlayerA[r] < -1 || g.PlayerA[r] >= t.PlayerCount(g.TeamA)) std::abort();
      if (g.PlayerB[r] < -1 || g.PlayerB[r] >= t.PlayerCount(g.TeamB)) std::abort();
    }
  }
  drav::ParseTournament(drav::SerializeTournament(t), drav::Tournament{});
  return 0;
}
