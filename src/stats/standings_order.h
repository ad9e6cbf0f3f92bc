#pragma once

#include <cstdint>
#include <vector>

#include "model/tournament.h"
#include "stats/team_stats.h"

namespace drav {

// What TeamBefore reads besides the two records: the games, the teams in team order
// (TeamStatsByIndex), the criterion and the within-group mode. Head-to-head fractions
// are computed once per team here, not per comparison. Keeps references to t and
// teamStatsByIndex: both must outlive it.
class TeamOrder {
 public:
  // sortCriterion 1..5 (other values act as 1); rankWithinGroup is the Swiss pairing's
  // mode that compares only PPG or points per TUH.
  TeamOrder(const Tournament& t, const std::vector<Standings>& teamStatsByIndex, int sortCriterion,
            bool rankWithinGroup = false);
  // The tournament's own SortCriterion, not within group.
  TeamOrder(const Tournament& t, const std::vector<Standings>& teamStatsByIndex);

  // TeamBefore(a, b, *this).
  bool operator()(const Standings& a, const Standings& b) const;

  // Team x's record against every team whose Pct is within the tolerance of its own,
  // teams recognised by name in all games; 0 without such games.
  double HeadToHeadFraction(const Standings& x) const;

  const Tournament& Tourney() const { return t_; }
  int SortCriterion() const { return sortCriterion_; }
  bool RankWithinGroup() const { return rankWithinGroup_; }

 private:
  double ComputeHeadToHead(const Standings& x) const;
  const Standings* RecordOf(int team) const;  // by TeamIndex; nullptr when not a team
  static double Fraction(std::int64_t wins, std::int64_t losses, std::int64_t ties);

  const Tournament& t_;
  const std::vector<Standings>& byIndex_;
  int sortCriterion_;
  bool rankWithinGroup_;
  std::vector<double> headToHead_;  // by TeamIndex, when the criterion uses it
};

// True when a ranks ahead of b: within-group rate, record, head-to-head (criteria 2, 5),
// then PPG, SoS (3) or points per TUH (4, 5). No further tie-break.
bool TeamBefore(const Standings& a, const Standings& b, const TeamOrder& order);

// Copies teamStats (in team order) into teamStatsByIndex, then sorts teamStats into
// standings order with the tournament's SortCriterion (merge sort).
void SortTeamStats(const Tournament& t, std::vector<Standings>& teamStats,
                   std::vector<Standings>& teamStatsByIndex);
// The same under the given criterion (the Swiss pairing picks its own).
void SortTeamStats(const Tournament& t, std::vector<Standings>& teamStats,
                   std::vector<Standings>& teamStatsByIndex, int sortCriterion);

// Both team lists: TeamStats in standings order, TeamStatsByIndex in team order.
struct TeamTables {
  std::vector<Standings> TeamStats;
  std::vector<Standings> TeamStatsByIndex;
};

// ComputeTeamStats followed by SortTeamStats.
TeamTables ComputeStandings(const Tournament& t);

}  // namespace drav
