#pragma once

#include <array>
#include <string>
#include <vector>

#include "model/extensions.h"
#include "model/game_stats.h"
#include "model/tourney_format.h"

namespace drav {

// The one tournament the program holds. Teams and players are referred to by position
// only: a team by its index in Rosters, a player by its 0-based index among the team's
// players (entry 1.. of the team's list).
struct Tournament {
  TourneyFormat Format;
  std::vector<std::vector<std::string>> Rosters;  // [team][0] = team name, [1..] = players
  std::vector<GameStats> Games;
  std::vector<std::string> DivisionNames;
  std::vector<int> TeamDivision;    // parallel to Rosters: index into DivisionNames or -1
  std::vector<int> ExhibitionTeam;  // parallel to Rosters: 1 = exhibition team
  std::array<int, kColumns> QuestionValues{};
  std::vector<std::string> PacketNames;
  TournamentExtras Extras;  // stored in the file's section of our own
  std::string FileName;
  int SavedGameCount = 0;

  // Positions shown by the game and roster entry windows.
  int CurrentGame = 0;
  int CurrentTeam = 0;

  int TeamCount() const { return static_cast<int>(Rosters.size()); }
  int GameCount() const { return static_cast<int>(Games.size()); }
  bool IsTeam(int team) const { return team >= 0 && team < TeamCount(); }
  // Number of players of a team (0 for an index outside the list).
  int PlayerCount(int team) const;
  // The team's name, or "" for an index outside the list.
  const std::string& TeamName(int team) const;
  // The player's name (player is 0-based), or "" when either index is outside its list.
  const std::string& PlayerName(int team, int player) const;
  // Entry `entry` of the team's list (0 is the team's name), or "" outside the list. A game
  // row names entry player + 1, so a row with no player chosen (-1) names the team.
  const std::string& RosterEntry(int team, long long entry) const;
  int DivisionOf(int team) const;    // -1 when unknown
  bool IsExhibition(int team) const;  // false when unknown
};

// The one order of games: by Round (SortByRound 1) or by GID as bytes (SortByRound 0).
bool GameBefore(const GameStats& a, const GameStats& b, int sortByRound);

// Sorts the games with GameBefore under the given SortByRound value.
void SortGames(std::vector<GameStats>& games, int sortByRound);

}  // namespace drav
