#include "stats/player_stats.h"

#include <cmath>
#include <cstdint>

#include "model/merge_sort.h"
#include "stats/figures.h"
#include "stats/team_stats.h"

namespace drav {

std::int64_t RowTossupsHeard(int tuh, double fraction) {
  const double v = std::trunc(static_cast<double>(tuh) * fraction + 0.5);
  // Games-played values are checked decimals but may be huge; keep the conversion defined.
  constexpr double kLimit = 4.0e18;
  if (std::isnan(v)) return 0;
  if (v >= kLimit) return static_cast<std::int64_t>(kLimit);
  if (v <= -kLimit) return -static_cast<std::int64_t>(kLimit);
  return static_cast<std::int64_t>(v);
}

void AddTossupsHeard(std::int64_t& sum, std::int64_t add) {
  if (__builtin_add_overflow(sum, add, &sum)) sum = add > 0 ? INT64_MAX : INT64_MIN;
}

namespace {

// Adds each row of one side to its player's record; a position outside the roster
// (or -1, the empty row) matches nobody.
void AddSide(Individuals* records, int count, const GameStats& g, bool sideA) {
  const RowArray<int>& players = sideA ? g.PlayerA : g.PlayerB;
  const RowArray<double>& gp = sideA ? g.GPA : g.GPB;
  const RowArray<int>& pts = sideA ? g.PtsA : g.PtsB;
  for (int row = 0; row < kRows; ++row) {
    const int player = players[row];
    if (player < 0 || player >= count) continue;
    Individuals& p = records[player];
    p.Points += pts[row];
    for (int k = 0; k < kColumns; ++k) p.TossUps[k] += sideA ? g.QA(k, row) : g.QB(k, row);
    p.GP += gp[row];
    AddTossupsHeard(p.TUH, RowTossupsHeard(g.TUH, gp[row]));
  }
}

}  // namespace

bool CountsForPlayers(const Tournament& t, const GameStats& g, bool sideA) {
  if (g.ScoreOnly || !RoundSelected(t.Format, g.Round) || !IsPlayedGame(g)) return false;
  return sideA ? t.IsTeam(g.TeamA) && CountsForTeamA(t, g)
               : t.IsTeam(g.TeamB) && CountsForTeamB(t, g);
}

std::vector<Individuals> ComputePlayerStats(const Tournament& t) {
  // All records in one list, team by team; first[team] is where a team's players start.
  std::vector<std::size_t> first(static_cast<std::size_t>(t.TeamCount()) + 1, 0);
  for (int team = 0; team < t.TeamCount(); ++team)
    first[team + 1] = first[team] + static_cast<std::size_t>(t.PlayerCount(team));
  std::vector<Individuals> playerStats(first.back());
  for (int team = 0; team < t.TeamCount(); ++team) {
    for (int p = 0; p < t.PlayerCount(team); ++p) {
      Individuals& r = playerStats[first[team] + p];
      r.PlayerName = t.PlayerName(team, p);
      r.TeamName = t.TeamName(team);
      r.TeamIndex = team;
      r.LinkIndex = team;
      r.PlayerIndex = p + 1;
    }
  }
  for (const GameStats& g : t.Games) {
    if (CountsForPlayers(t, g, true))
      AddSide(playerStats.data() + first[g.TeamA], t.PlayerCount(g.TeamA), g, true);
    if (CountsForPlayers(t, g, false))
      AddSide(playerStats.data() + first[g.TeamB], t.PlayerCount(g.TeamB), g, false);
  }
  return playerStats;
}

bool PlayerBefore(const Individuals& a, const Individuals& b, const Tournament& t) {
  const bool byTuh = t.Format.TUHSort != 0;
  const double rateA = byTuh ? PointsPerTossupHeard(a) : PointsPerGame(a);
  const double rateB = byTuh ? PointsPerTossupHeard(b) : PointsPerGame(b);
  if (!SameFraction(rateA, rateB)) return rateA > rateB;
  for (int k = 0; k < kColumns; ++k) {
    if (t.QuestionValues[k] <= 0) continue;
    if (a.TossUps[k] != b.TossUps[k]) return a.TossUps[k] > b.TossUps[k];
  }
  return a.Points > b.Points;
}

void SortPlayerStats(const Tournament& t, std::vector<Individuals>& playerStats) {
  MergeSort(playerStats,
            [&t](const Individuals& a, const Individuals& b) { return PlayerBefore(a, b, t); });
}

}  // namespace drav
