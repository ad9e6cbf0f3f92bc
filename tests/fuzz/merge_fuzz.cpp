// Feeds arbitrary bytes to the merge. Bytes before the first NUL, if any, are read as
// the current tournament (a fixed small one otherwise); the rest is the second file.
// A merge either fails with a DravError or keeps everything that was there, appends the
// games, and leaves every new reference to a team, player or division in range (or -1).
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "model/error.h"
#include "storage/merge.h"
#include "storage/tournament_file.h"

namespace {

drav::Tournament FixedBase() {
  drav::Tournament t;
  t.Rosters = {{"A", "a1", "a2"}, {"B", "b1"}, {"", ""}};
  t.TeamDivision = {0, -1, 1};
  t.ExhibitionTeam = {0, 1, 0};
  t.DivisionNames = {"East", "West"};
  t.Format.BonusMode = 3;
  t.Games.resize(1);
  t.Games[0].TeamA = 0;
  t.Games[0].TeamB = 1;
  return t;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  drav::Tournament base = FixedBase();
  const std::size_t nul = text.find('\0');
  if (nul != std::string_view::npos) {
    try {
      base = drav::ParseTournament(text.substr(0, nul), drav::Tournament{});
    } catch (const drav::DravError&) {
      return 0;
    }
    text = text.substr(nul + 1);
  }
  drav::Tournament t;
  try {
    t = drav::MergeTournamentText(base, text);
  } catch (const drav::DravError&) {
    return 0;
  }
  const std::size_t oldTeams = base.Rosters.size();
  if (t.Rosters.size() < oldTeams || t.Games.size() < base.Games.size()) std::abort();
  if (t.TeamDivision.size() < t.Rosters.size() || t.ExhibitionTeam.size() < t.Rosters.size())
    std::abort();
  for (std::size_t i = 0; i < base.Games.size(); ++i)
    if (!(t.Games[i] == base.Games[i])) std::abort();
  for (std::size_t i = 0; i < oldTeams; ++i) {
    // Matched teams only ever grow at the end of their rosters.
    const auto& before = base.Rosters[i];
    const auto& after = t.Rosters[i];
    if (after.size() < before.size() || !std::equal(before.begin(), before.end(), after.begin()))
      std::abort();
  }
  for (std::size_t i = oldTeams; i < t.Rosters.size(); ++i) {
    const int d = t.TeamDivision[i];
    if (d < -1 || d >= static_cast<int>(t.DivisionNames.size()) || t.ExhibitionTeam[i] != 0)
      std::abort();
  }
  for (std::size_t i = base.Games.size(); i < t.Games.size(); ++i) {
    const auto& g = t.Games[i];
    if (g.TeamA < -1 || g.TeamA >= t.TeamCount() || g.TeamB < -1 || g.TeamB >= t.TeamCount())
      std::abort();
    for (int r = 0; r < drav::kRows; ++r) {
      if (g.PlayerA[r] < -1 || g.PlayerA[r] >= t.PlayerCount(g.TeamA)) std::abort();
      if (g.PlayerB[r] < -1 || g.PlayerB[r] >= t.PlayerCount(g.TeamB)) std::abort();
    }
  }
  return 0;
}
