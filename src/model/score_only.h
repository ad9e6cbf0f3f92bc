// Score-only games: what such a game keeps and questions about a tournament that has them.
#pragma once

#include "model/tournament.h"

namespace drav {

// Empties what a score-only game does not hold: the player rows, the bonus, lightning and
// bounceback figures. Teams, scores, round, GID, forfeit, overtime marks and TUH stay.
void ClearBoxScore(GameStats& g);

// True when at least one game is marked score-only.
bool AnyScoreOnly(const Tournament& t);

}  // namespace drav
