// The note under the team standings that says which games the per-toss-up and per-bonus
// figures rest on, for teams that also played score-only games.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "stats/team_stats.h"

namespace drav {

// The teams (in the given order) with games whose full games are fewer than their played
// games. Empty when no team played a score-only game, so such tournaments print as before.
std::vector<const Standings*> TeamsWithScoreOnlyGames(const std::vector<Standings>& teams);

// "NAME: from 3 of 5 games (2 score-only)"; name is given as it is to be shown (escaped
// for a page).
std::string FullGamesNote(std::string_view name, const Standings& s);

// The heading line of the note.
inline constexpr const char* kFullGamesNoteHeading =
    "Figures per toss-up and per bonus rest on full games only:";

}  // namespace drav
