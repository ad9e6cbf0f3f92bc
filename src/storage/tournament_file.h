#pragma once

#include <string>
#include <string_view>

#include "model/tournament.h"

namespace drav {

// The tournament file as text: every value on its own line, CR LF line ends.
std::string SerializeTournament(const Tournament& t);

// Reads the text of a tournament file onto a copy of base: teams, games, divisions,
// question values, packet names, exhibition flags and the stored settings are replaced;
// the settings the file does not store keep base's values, except AllRounds, RoundsMin
// and RoundsMax, which become 1. FileName, SavedGameCount and the entry positions are
// left to the caller. Throws DravError for an unreadable games-played line or a count
// that runs past the end of the file.
Tournament ParseTournament(std::string_view contents, const Tournament& base);

// Open: reads path into t, all or nothing. A file that is not a tournament file is
// refused ("<path> is not a DRAV tournament file"). On success FileName is path, SavedGameCount
// the number of games and CurrentGame, CurrentTeam 0. On failure (DravError) t is unchanged.
void OpenTournament(Tournament& t, const std::string& path);

// Write: stores t at path (atomically) and sets SavedGameCount. On failure throws
// DravError "Cannot write <path>" and changes nothing.
void WriteTournament(Tournament& t, const std::string& path);

}  // namespace drav
