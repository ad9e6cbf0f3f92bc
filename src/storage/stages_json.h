#pragma once

#include <string_view>
#include <vector>

#include "model/tournament.h"

namespace drav {

// Stages from JSON: [{"name": ..., "first_round": A, "last_round": B, "carry_over": bool,
// "brackets": [{"name": ..., "teams": ["team name", ...]}]}]. "carry_over" and "brackets"
// may be left out. Teams are named exactly; the result has passed CheckStages. Throws
// DravError naming the first fault (bad JSON, a missing field, an unknown or ambiguous team,
// overlapping rounds...).
std::vector<Stage> ParseStagesJson(std::string_view text, const Tournament& t);

// The `stages` listing: one line per stage, NAME + ": rounds " + A + "-" + B, each bracket
// as "; " + name + " (" + team count + ")", then "; carry-over" when on.
std::vector<std::string> StageListLines(const Tournament& t);

}  // namespace drav
