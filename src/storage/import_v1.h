#pragma once

#include <string>
#include <string_view>

#include "model/tournament.h"

namespace drav {

// Import of a file saved by the first version of the program, from its text, onto a copy
// of base. That version named teams and players by text inside each game and stored
// games played as whole numbers; every number in its file is read strictly, and a line
// that is not an integer throws DravError "'<line>' is not a valid integer value". A
// team or player count larger than the lines left throws "The file ends early".
//
// Teams take the players in file order, 8 each. Rosters, games, divisions, team
// divisions and exhibition flags are replaced; the settings the file holds are read and
// those it lacks take the fixed values of the import; FileName and PacketNames are kept.
// SavedGameCount becomes the number of games and the entry positions 0.
Tournament ParseVersion1(std::string_view text, const Tournament& base);

// Imports the version-1 file at path into t, all or nothing: on DravError (including
// "Cannot open <path>") t is left as it was.
void ImportVersion1(Tournament& t, const std::string& path);

}  // namespace drav
