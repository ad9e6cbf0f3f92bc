// The warnings that still mean something for a game kept as a score only.
#pragma once

#include <string>
#include <vector>

#include "model/tournament.h"

namespace drav::entry {

// For a score-only game: a tie without overtime, a score that is not a multiple of the
// smallest question value, and the same two teams meeting again in the game's round (any
// other game of t with the same pair and round; the game itself is not counted when it is
// one of t's games). Empty for a forfeit, a full game or a game without both scores.
std::vector<std::string> ScoreOnlyChecks(const Tournament& t, const GameStats& game);

// The smallest question value by size (5 for 15, 10, -5), 0 when none is set.
int SmallestQuestionValue(const Tournament& t);

}  // namespace drav::entry
