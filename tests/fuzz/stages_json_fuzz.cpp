// Feeds arbitrary bytes to the stages JSON reader of set-stages. What it returns must have
// passed the stage and final place checks and must write and read back equal.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "model/error.h"
#include "model/stages.h"
#include "storage/stages_json.h"
#include "storage/tournament_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  drav::Tournament t;
  t.Rosters = {{"Aces"}, {"Bees"}, {"Cats"}};
  t.TeamDivision = {-1, -1, -1};
  t.ExhibitionTeam = {0, 0, 0};
  try {
    drav::ApplyStageSettings(drav::ParseStageSettingsJson(text, t), t);
  } catch (const drav::DravError&) {
    return 0;
  }
  // must not throw
  drav::CheckStages(t.Extras.Stages, t.TeamCount());
  drav::CheckFinalPlaces(t.Extras.FinalPlaces, t.TeamCount());
  const drav::Tournament back =
      drav::ParseTournament(drav::SerializeTournament(t), drav::Tournament{});
  if (!(back.Extras == t.Extras)) std::abort();
  return 0;
}
