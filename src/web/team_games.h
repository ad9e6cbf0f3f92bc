#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "model/tournament.h"
#include "web/html.h"

namespace drav::web {

// For each team, the positions in t.Games of the games it takes part in (as team A,
// team B or both), in game order. The detail pages walk these instead of every game
// for every team or player.
inline std::vector<std::vector<std::size_t>> GamesByTeam(const Tournament& t) {
  std::vector<std::vector<std::size_t>> byTeam(t.Rosters.size());
  for (std::size_t i = 0; i < t.Games.size(); ++i) {
    const GameStats& g = t.Games[i];
    if (t.IsTeam(g.TeamA)) byTeam[static_cast<std::size_t>(g.TeamA)].push_back(i);
    if (t.IsTeam(g.TeamB) && g.TeamB != g.TeamA)
      byTeam[static_cast<std::size_t>(g.TeamB)].push_back(i);
  }
  return byTeam;
}

// The team names as a page shows them, escaped once: a name stands on every row of its
// opponents' games.
class EscapedTeamNames {
 public:
  explicit EscapedTeamNames(const Tournament& t) : t_(t) {
    names_.reserve(t.Rosters.size());
    for (int team = 0; team < t.TeamCount(); ++team) names_.push_back(HtmlEscape(t.TeamName(team)));
  }
  const std::string& operator()(int team) const {
    if (team >= 0 && static_cast<std::size_t>(team) < names_.size())
      return names_[static_cast<std::size_t>(team)];
    other_ = HtmlEscape(t_.TeamName(team));
    return other_;
  }

 private:
  const Tournament& t_;
  std::vector<std::string> names_;
  mutable std::string other_;
};

// The packet of a game on the detail pages: PacketNames[Round - 1] when that exists.
inline const std::string* DetailPacketName(const Tournament& t, int round) {
  if (round < 1 || static_cast<std::size_t>(round) > t.PacketNames.size()) return nullptr;
  return &t.PacketNames[static_cast<std::size_t>(round) - 1];
}

// Appended where a page names a game, so a reader sees why its result is missing from the
// team figures.
inline const char* TiebreakerMark(const GameStats& g) {
  return g.Tiebreaker ? " (tiebreaker)" : "";
}

}  // namespace drav::web
