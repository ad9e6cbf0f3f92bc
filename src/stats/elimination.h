#pragma once

#include "model/tournament.h"
#include "stats/stage_standings.h"

namespace drav {

// Reorders one bracket of an elimination stage, given in standings order (RankStage), by
// how far each team went. A team's place follows the round of its last game in the stage's
// rounds: the later, the higher; teams out in the same round share a place and keep their
// standings order. When the latest round holds one game with a winner, and it is the
// stage's last round or no other team is still in (a team of a bracket that has played
// no game yet counts as still in: it may have a bye), that winner is first and the stage is
// decided. Otherwise every team that did not lose its last game (or has played none) is
// still in, and those teams share the top place. A team without a game in a decided stage
// comes last. Every game of the stage's rounds counts here, tiebreakers included.
// Returns whether the stage is decided. stage must be valid.
bool PlaceByElimination(const Tournament& t, int stage, RankedBracket& bracket);

}  // namespace drav
