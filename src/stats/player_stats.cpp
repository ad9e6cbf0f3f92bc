#include "stats/player_stats.h"

#include <cmath>

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

namespace {

// Adds each row of one side to its player's record; a position outside the roster
// (or -1, the empty row) matches nobody.
void AddSide(std::vector<Individuals>& records, const GameStats& g, bool sideA) {
  const RowArray<int>& players = sideA ? g.PlayerA : g.PlayerB;
  const RowArray<double>& gp = sideA ? g.GPA : g.GPB;
  const RowArray<int>& pts = sideA ? g.PtsA : g.PtsB;
  for (int row = 0; row < kRows; ++row) {
    const int player = players[row];
    if (player < 0 || player >= static_cast<int>(records.size())) continue;
    Individuals& p = records[player];
    p.Points += pts[row];
    for (int k = 0; k < kColumns; ++k) p.TossUps[k] += sideA ? g.QA(k, row) : g.QB(k, row);
    p.GP += gp[row];
    p.TUH += RowTossupsHeard(g.TUH, gp[row]);
  }
}

}  // namespace

std::vector<Individuals> ComputePlayerStats(const Tournament& t) {
  // The games that count for players at all, so each player walks only those.
  std::vector<const GameStats*> played;
  for (const GameStats& g : t.Games) {
    if (RoundSelected(t.Format, g.Round) && IsPlayedGame(g)) played.push_back(&g);
  }
  std::vector<Individuals> playerStats;
  for (int team = 0; team < t.TeamCount(); ++team) {
    const int players = t.PlayerCount(team);
    // Each player's rows, gathered in one pass over the games.
    std::vector<Individuals> records(static_cast<std::size_t>(players));
    for (int p = 0; p < players; ++p) {
      Individuals& r = records[p];
      r.PlayerName = t.PlayerName(team, p);
      r.TeamName = t.TeamName(team);
      r.TeamIndex = team;
      r.LinkIndex = team;
      r.PlayerIndex = p + 1;
    }
    for (const GameStats* g : played) {
      const bool sideA = g->TeamA == team && CountsForTeamA(t, *g);
      const bool sideB = g->TeamB == team && CountsForTeamB(t, *g);
      if (sideA) AddSide(records, *g, true);
      if (sideB) AddSide(records, *g, false);
    }
    for (Individuals& r : records) playerStats.push_back(std::move(r));
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
