#pragma once

#include <string>
#include <string_view>

#include "model/new_tournament.h"
#include "model/tournament.h"
#include "storage/qbj.h"

namespace drav {

// Read Rosters on the text of a roster file: each team is its name, its division's name
// (only when the choices use divisions), its players one per line and a line ".", and a
// line "~" ends the file. A team name equal to the previous one (an empty line for the
// first team) also ends the teams, and a player line equal to the previous player line
// read (of any team) ends that team's players. The end of the text ends whatever list is
// being read.
//
// Works on a copy of base: the choices are applied as New Tournament applies them, the
// teams replace Rosters, each team's division is looked up in DivisionNames (exact, first
// match) or appended to it, and no team is an exhibition team. Games, packet names,
// FileName and SavedGameCount are kept; the entry positions go back to 0.
Tournament ParseRosters(std::string_view text, const Tournament& base,
                        const NewTournamentChoices& choices);

// Read Rosters on a QBJ file of registrations, teams and players: the choices applied as
// above, the file's teams and players replace Rosters, and pools become divisions (switched
// on when the file has them). Matches in the file are left out: Import QBJ takes them.
// Errors as ImportQbj's.
Tournament ParseQbjRosters(const QbjSource& source, const Tournament& base,
                           const NewTournamentChoices& choices);

// Reads the roster file at path into t, all or nothing: a file that cannot be read
// throws DravError "Cannot open <path>" and leaves t as it was. A path ending in ".qbj"
// is read as a QBJ file (ParseQbjRosters).
void ReadRosters(Tournament& t, const std::string& path, const NewTournamentChoices& choices);

}  // namespace drav
