#include "stats/standings_order.h"

#include <cmath>
#include <map>
#include <string>

#include "model/merge_sort.h"
#include "stats/figures.h"

namespace drav {

namespace {

bool UsesHeadToHead(int sortCriterion) { return sortCriterion == 2 || sortCriterion == 5; }

}  // namespace

TeamOrder::TeamOrder(const Tournament& t, const std::vector<Standings>& teamStatsByIndex,
                     int sortCriterion, bool rankWithinGroup)
    : t_(t),
      byIndex_(teamStatsByIndex),
      sortCriterion_(sortCriterion),
      rankWithinGroup_(rankWithinGroup) {
  if (rankWithinGroup_ || !UsesHeadToHead(sortCriterion_)) return;
  headToHead_.reserve(byIndex_.size());
  for (const Standings& s : byIndex_) headToHead_.push_back(ComputeHeadToHead(s));
}

TeamOrder::TeamOrder(const Tournament& t, const std::vector<Standings>& teamStatsByIndex)
    : TeamOrder(t, teamStatsByIndex, t.Format.SortCriterion, false) {}

bool TeamOrder::operator()(const Standings& a, const Standings& b) const {
  return TeamBefore(a, b, *this);
}

double TeamOrder::HeadToHeadFraction(const Standings& x) const {
  // The cache holds the fraction of each record of TeamStatsByIndex; a record that is not
  // one of them (changed by a caller) is measured afresh.
  const int i = x.TeamIndex;
  if (i >= 0 && i < static_cast<int>(headToHead_.size())) {
    const Standings& cached = byIndex_[i];
    if (cached.TeamName == x.TeamName && cached.Pct == x.Pct) return headToHead_[i];
  }
  return ComputeHeadToHead(x);
}

double TeamOrder::ComputeHeadToHead(const Standings& x) const {
  // Looks a team up by TeamIndex; nullptr for an index that is not a team.
  auto record = [this](int team) -> const Standings* {
    if (!t_.IsTeam(team)) return nullptr;
    if (team < static_cast<int>(byIndex_.size()) && byIndex_[team].TeamIndex == team)
      return &byIndex_[team];
    for (const Standings& s : byIndex_)
      if (s.TeamIndex == team) return &s;
    return nullptr;
  };
  std::int64_t wins = 0, losses = 0, ties = 0;
  for (const GameStats& g : t_.Games) {
    if (!t_.IsTeam(g.TeamA) || !t_.IsTeam(g.TeamB)) continue;  // such a game has no opponent
    if (t_.TeamName(g.TeamA) == x.TeamName) {
      const Standings* other = record(g.TeamB);
      if (other != nullptr && SameFraction(other->Pct, x.Pct)) {
        if (g.Forfeit != 0 || g.ScoreA > g.ScoreB)
          ++wins;
        else if (g.ScoreA < g.ScoreB)
          ++losses;
        else
          ++ties;
      }
    }
    if (t_.TeamName(g.TeamB) == x.TeamName) {
      const Standings* other = record(g.TeamA);
      if (other != nullptr && SameFraction(other->Pct, x.Pct)) {
        if (g.Forfeit != 0 || g.ScoreA > g.ScoreB)
          ++losses;
        else if (g.ScoreA < g.ScoreB)
          ++wins;
        else
          ++ties;
      }
    }
  }
  const std::int64_t games = wins + losses + ties;
  if (games == 0) return 0.0;
  return (static_cast<double>(wins) + 0.5 * static_cast<double>(ties)) /
         static_cast<double>(games);
}

bool TeamBefore(const Standings& a, const Standings& b, const TeamOrder& order) {
  const TourneyFormat& f = order.Tourney().Format;
  if (order.RankWithinGroup()) {
    if (f.TUHeard != 0 && f.SwissTUH != 0)
      return PointsPerTossupHeard(a) > PointsPerTossupHeard(b);
    return a.PPG > b.PPG;
  }
  if (!SameFraction(a.Pct, b.Pct)) return a.Pct > b.Pct;
  const int criterion = order.SortCriterion();
  if (UsesHeadToHead(criterion)) {
    const double ha = order.HeadToHeadFraction(a);
    const double hb = order.HeadToHeadFraction(b);
    if (std::fabs(ha - hb) > kRankTolerance) return ha > hb;
  }
  switch (criterion) {
    case 3:
      return ScheduleStrength(a) > ScheduleStrength(b);
    case 4:
    case 5:
      return PointsPerTossupHeard(a) > PointsPerTossupHeard(b);
    default:
      return a.PPG > b.PPG;
  }
}

void SortTeamStats(const Tournament& t, std::vector<Standings>& teamStats,
                   std::vector<Standings>& teamStatsByIndex) {
  teamStatsByIndex = teamStats;
  const TeamOrder order(t, teamStatsByIndex);
  MergeSort(teamStats, [&order](const Standings& a, const Standings& b) { return order(a, b); });
}

TeamTables ComputeStandings(const Tournament& t) {
  TeamTables tables;
  tables.TeamStats = ComputeTeamStats(t);
  SortTeamStats(t, tables.TeamStats, tables.TeamStatsByIndex);
  return tables;
}

}  // namespace drav
