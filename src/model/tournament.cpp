#include "model/tournament.h"

#include "model/merge_sort.h"

namespace drav {

namespace {
const std::string kEmpty;
}

int Tournament::PlayerCount(int team) const {
  if (!IsTeam(team) || Rosters[team].empty()) return 0;
  return static_cast<int>(Rosters[team].size()) - 1;
}

const std::string& Tournament::TeamName(int team) const {
  if (!IsTeam(team) || Rosters[team].empty()) return kEmpty;
  return Rosters[team][0];
}

const std::string& Tournament::PlayerName(int team, int player) const {
  if (player < 0 || player >= PlayerCount(team)) return kEmpty;
  return Rosters[team][player + 1];
}

const std::string& Tournament::RosterEntry(int team, long long entry) const {
  if (!IsTeam(team) || entry < 0 || entry >= static_cast<long long>(Rosters[team].size()))
    return kEmpty;
  return Rosters[team][static_cast<std::size_t>(entry)];
}

int Tournament::DivisionOf(int team) const {
  if (team < 0 || team >= static_cast<int>(TeamDivision.size())) return -1;
  return TeamDivision[team];
}

bool Tournament::IsExhibition(int team) const {
  if (team < 0 || team >= static_cast<int>(ExhibitionTeam.size())) return false;
  return ExhibitionTeam[team] != 0;
}

bool GameBefore(const GameStats& a, const GameStats& b, int sortByRound) {
  if (sortByRound == 1) return a.Round < b.Round;
  return a.GID < b.GID;  // std::string compares bytes as unsigned values
}

void SortGames(std::vector<GameStats>& games, int sortByRound) {
  MergeSort(games, [sortByRound](const GameStats& a, const GameStats& b) {
    return GameBefore(a, b, sortByRound);
  });
}

}  // namespace drav
