// Feeds arbitrary bytes to the QBJ reader. Whatever it imports must survive the tournament
// file (no name may break a line), import a second time as nothing new, and export to QBJ
// without failing.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "model/error.h"
#include "storage/qbj.h"
#include "storage/tournament_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  drav::Tournament t;
  t.Format.TrackBonuses = 1;
  t.Format.BonusMode = size % 2 == 0 ? 1 : 3;
  t.QuestionValues = {15, 10, -5, 0};
  t.Rosters = {{"A", "P"}, {"B"}};
  t.TeamDivision = {-1, -1};
  t.ExhibitionTeam = {0, 0};
  const drav::QbjSource source{"fuzz.qbj", std::string(reinterpret_cast<const char*>(data), size)};
  drav::QbjImportOptions options;
  options.AddUnknownTeams = size % 3 != 0;
  try {
    drav::ImportQbj(t, {source}, options);
  } catch (const drav::DravError&) {
    if (t.TeamCount() != 2 || !t.Games.empty()) std::abort();  // a failed import changes nothing
    return 0;
  }
  const drav::Tournament reread = drav::ParseTournament(drav::SerializeTournament(t), drav::Tournament{});
  if (reread.Rosters != t.Rosters || reread.Games.size() != t.Games.size() ||
      reread.TeamDivision != t.TeamDivision)
    std::abort();
  // The same file again finds every match already there.
  drav::Tournament again = t;
  drav::ImportQbj(again, {source}, options);
  if (again.Games.size() != t.Games.size() || again.Rosters != t.Rosters) std::abort();
  const std::string qbj = drav::SerializeQbj(t);
  drav::Tournament back;
  back.QuestionValues = t.QuestionValues;
  try {
    drav::ImportQbj(back, {{"back.qbj", qbj}});
  } catch (const drav::DravError&) {
    // Figures at the edge of the integer range may not add up again; that is reported.
  }
  return 0;
}
