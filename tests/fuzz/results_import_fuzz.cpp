// Feeds arbitrary bytes to the results table reader. The first byte picks whether unknown
// teams are added; an accepted table must store only score-only games between listed teams,
// keep the lists parallel, and write and read back.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "entry/results_import.h"
#include "model/error.h"
#include "storage/tournament_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const bool addTeams = (data[0] & 1) != 0;
  const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
  drav::Tournament t;
  t.Rosters = {{"Alpha", "Ann"}, {"Beta"}};
  t.TeamDivision = {-1, -1};
  t.ExhibitionTeam = {0, 0};
  t.QuestionValues = {15, 10, -5, 0};
  const drav::entry::ResultsPreview preview = drav::entry::PreviewResults(t, text, addTeams);
  for (const auto& row : preview.rows) (void)row.Meaning(t);
  try {
    drav::entry::ApplyResults(t, preview);
  } catch (const drav::DravError&) {
    if (preview.Ok()) std::abort();
    return 0;
  }
  if (!preview.Ok()) std::abort();
  if (t.TeamDivision.size() != t.Rosters.size() || t.ExhibitionTeam.size() != t.Rosters.size())
    std::abort();
  for (const drav::GameStats& g : t.Games)
    if (!g.ScoreOnly || !t.IsTeam(g.TeamA) || !t.IsTeam(g.TeamB)) std::abort();
  const drav::Tournament back =
      drav::ParseTournament(drav::SerializeTournament(t), drav::Tournament{});
  if (back.Games.size() != t.Games.size()) std::abort();
  return 0;
}
