#pragma once

#include <vector>

#include "model/tournament.h"

namespace drav {

// The reordering behind the "Ordering" menu, once the user has confirmed. Each command
// leaves the entry positions at 0, since the entry windows are opened afresh.

// Sort Games: SortByRound 0, then the games in order of their identifiers as bytes.
void SortGamesByIdentifier(Tournament& t);

// Group Rounds: SortByRound 1, then the games in order of round number.
void GroupRounds(Tournament& t);

// Sort Teams: the teams in byte order of their names, each carrying its roster, division
// and exhibition flag; every game's TeamA and TeamB are renumbered once through the
// old-to-new map. Teams of the same name keep their relative order. A game's team
// reference that names no team is left as it is. Returns the map (old index -> new).
std::vector<int> SortTeams(Tournament& t);

}  // namespace drav
