#pragma once

#include <string_view>
#include <vector>

#include "model/tournament.h"

namespace drav {

// Stages from JSON: [{"name": ..., "first_round": A, "last_round": B, "carry_over": bool,
// "kind": "pools" | "elimination", "brackets": [{"name": ..., "teams": ["team name", ...]}]}].
// "carry_over", "kind" and "brackets" may be left out. Teams are named exactly; the result
// has passed CheckStages. Throws DravError naming the first fault (bad JSON, a missing
// field, an unknown or ambiguous team, overlapping rounds...).
std::vector<Stage> ParseStagesJson(std::string_view text, const Tournament& t);

// What `set-stages` sets: the list above, or an object {"stages": [...], "final_places":
// [{"team": "team name", "place": N}], "finished": bool} whose members may each be left
// out; what is left out stays as it is.
struct StageSettings {
  bool HasStages = false;
  std::vector<Stage> Stages;
  bool HasPlaces = false;
  std::vector<FinalPlace> Places;  // passed CheckFinalPlaces
  bool HasFinished = false;
  bool Finished = false;
};
StageSettings ParseStageSettingsJson(std::string_view text, const Tournament& t);
void ApplyStageSettings(const StageSettings& settings, Tournament& t);

// The `stages` listing: one line per stage, NAME + ": rounds " + A + "-" + B, each bracket
// as "; " + name + " (" + team count + ")", then "; carry-over" when on and "; elimination"
// for an elimination stage; then a line "Final place N: TEAM" for each hand-set place and
// "Finished" when the tournament is marked finished.
std::vector<std::string> StageListLines(const Tournament& t);

}  // namespace drav
