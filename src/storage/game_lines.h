#pragma once

#include <string>
#include <vector>

#include "model/game_stats.h"
#include "storage/line_reader.h"

namespace drav {

// The team section of a tournament file: a team count, then per team a string count and
// its strings (team name first, then the players). Counts running past the end of the
// text throw DravError "The file ends early".
std::vector<std::vector<std::string>> ReadTeamLists(LineReader& in);

// The 129 lines of one game of a tournament file, in file order. Integer lines that are
// not numbers read as 0, player lines as playerFallback; a games-played line that is not
// a decimal number throws DravError. The four bonus lines are taken as they stand (a
// caller that unpacks bouncebacks does so afterwards with UnpackBouncebacks).
void ReadGameLines(LineReader& in, GameStats& g, int playerFallback);

// Splits the four packed bonus values of a bounceback-mode file: bounceback = value /
// 10000 and bonus = value % 10000, both truncating toward zero.
void UnpackBouncebacks(GameStats& g);

}  // namespace drav
