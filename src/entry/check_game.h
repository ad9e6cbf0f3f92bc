#pragma once

#include <string>
#include <vector>

#include "model/tournament.h"

namespace drav::entry {

// The warnings switched on in t.Format for the stored game at position, in the order the
// game entry window shows them (each in a box captioned "Warning"). Empty for a position
// past the end, a forfeit and a game without both teams. A score-only game gets the two
// warnings that need no box score and its own (ScoreOnlyChecks). Changes nothing.
std::vector<std::string> CheckGame(const Tournament& t, int position);

// The same for a game record that need not be stored.
std::vector<std::string> CheckGameRecord(const Tournament& t, const GameStats& game);

// True when any of Warning1..Warning7 is on (only then does Next or Previous check).
bool AnyWarningOn(const TourneyFormat& format);

}  // namespace drav::entry
