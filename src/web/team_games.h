#pragma once

#include <array>
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

// Every roster entry (the team's name at 0, its players after) as a page shows it, escaped
// once: the scoreboard names each player in every game played.
class EscapedRosters {
 public:
  explicit EscapedRosters(const Tournament& t) {
    names_.resize(t.Rosters.size());
    for (std::size_t team = 0; team < t.Rosters.size(); ++team)
      for (const std::string& entry : t.Rosters[team]) names_[team].push_back(HtmlEscape(entry));
  }
  // As RosterEntry: "" outside the lists.
  const std::string& operator()(int team, long long entry) const {
    if (team < 0 || static_cast<std::size_t>(team) >= names_.size() || entry < 0) return empty_;
    const std::vector<std::string>& roster = names_[static_cast<std::size_t>(team)];
    if (entry >= static_cast<long long>(roster.size())) return empty_;
    return roster[static_cast<std::size_t>(entry)];
  }

 private:
  std::vector<std::vector<std::string>> names_;
  std::string empty_;
};

// The toss-up columns (value 0..3) of one side of a game, indexed by row.
inline std::array<const RowArray<int>*, kColumns> SideColumns(const GameStats& g, bool sideA) {
  if (sideA) return {&g.Q0A, &g.Q1A, &g.Q2A, &g.Q3A};
  return {&g.Q0B, &g.Q1B, &g.Q2B, &g.Q3B};
}

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
