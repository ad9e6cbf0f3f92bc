#pragma once

#include <string>
#include <string_view>

#include "model/tournament.h"

namespace drav {

// Import of a file saved by the second version of the program, from its text, onto a
// copy of base. Teams and games are laid out as in the current tournament file (the
// bonus lines are taken as they stand, never unpacked into bouncebacks), followed by 12
// settings lines and nothing else. Integers are lenient (0 by default); a games-played
// line that is not a decimal number throws DravError "'<line>' is not a valid floating
// point value".
//
// Rosters and games are replaced, DivisionNames emptied, every team gets division -1
// and no exhibition flag; the settings the file lacks take the fixed values of the
// import and the others (the rounds shown included) keep base's values. FileName and
// PacketNames are kept; SavedGameCount becomes the number of games, the entry positions 0.
Tournament ParseVersion2(std::string_view text, const Tournament& base);

// Imports the version-2 file at path into t, all or nothing.
void ImportVersion2(Tournament& t, const std::string& path);

}  // namespace drav
