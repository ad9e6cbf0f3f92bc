#pragma once

#include <string>
#include <vector>

#include "model/tournament.h"

namespace drav::entry {

// The checks beyond the seven described warnings, for Check All Games and
// `drav-cli check --more`: a team that answered more toss-ups than were heard (a team
// buzzes at most once on a toss-up, so its answers right and wrong, every column with a
// value, add up to at most the toss-ups heard). Empty for a forfeit, a game without a
// count of toss-ups heard, and a tournament that does not track them.
std::vector<std::string> ExtraChecks(const Tournament& t, const GameStats& game);

}  // namespace drav::entry
