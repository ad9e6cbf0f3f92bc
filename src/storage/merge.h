#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/tournament.h"

namespace drav {

// How the second file's numbering was carried into the current tournament by a merge.
// Every entry is an index in the current tournament.
struct MergeMaps {
  std::vector<int> Team;                 // second-file team -> current team
  std::vector<bool> NewTeam;             // second-file team was appended (not matched)
  std::vector<std::vector<int>> Player;  // [second-file team][player] -> current player
  std::vector<int> Division;             // second-file division -> DivisionNames index

  // Translations that never read outside the maps: anything they cannot translate is -1.
  int MapTeam(int team) const;
  int MapPlayer(int team, int player) const;
  int MapDivision(int division) const;
};

// Merge Files on the text of a second tournament file, onto a copy of current. Teams are
// matched by exact name among the teams that existed before the merge (first match),
// players by exact name within the matched team; the rest is appended. The second
// file's games are renumbered through the maps and appended, its divisions matched by
// name or appended, and its new teams keep their divisions. Settings, question values,
// packet names and FileName of current are kept; the second file's settings, question
// values, packet names and exhibition flags are not used. SavedGameCount becomes the new
// number of games and the entry positions 0.
//
// Integer lines that are not numbers read as 0 (player lines as -1); a games-played line
// that is not a decimal number throws DravError, as does a count running past the end.
// maps, when given, receives the maps built.
Tournament MergeTournamentText(const Tournament& current, std::string_view other,
                               MergeMaps* maps = nullptr);

// Merges the tournament file at path into t, all or nothing: on DravError (including
// "Cannot open <path>" and "<path> is not a DRAV tournament file") t is left as it was.
void MergeTournamentFile(Tournament& t, const std::string& path);

}  // namespace drav
