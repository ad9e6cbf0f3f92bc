#include "stats/standings_order.h"

#include <cmath>
#include <map>
#include <string>

#include "model/merge_sort.h"
#include "stats/figures.h"

namespace drav {

namespace {

bool UsesHeadToHead(int sortCriterion) {
  return sortCriterion == 2 || sortCriterion == 5;
}

}  // namespace

TeamOrder::TeamOrder(const Tournament& t, const std::vector<Standings>& teamStatsByIndex,
                     int sortCriterion, bool rankWithinGroup)
    : t_(t),
      byIndex_(teamStatsByIndex),
      sortCriterion_(sortCriterion),
      rankWithinGroup_(rankWithinGroup) {
  if (rankWithinGroup_ || !UsesHeadToHead(sortCriterion_)) return;
  // Every record's fraction in one pass over the games. Teams are matched by name, so
  // each game credits every record carrying the name of its team A (or B).
  std::map<std::string, std::vector<std::size_t>> recordsByName;
  for (std::size_t i = 0; i < byIndex_.size(); ++i)
    recordsByName[byIndex_[i].TeamName].push_back(i);
  const std::vector<std::size_t> none;
  std::vector<const std::vector<std::size_t>*> namesakes(static_cast<std::size_t>(t_.TeamCount()));
  for (int team = 0; team < t_.TeamCount(); ++team) {
    auto it = recordsByName.find(t_.TeamName(team));
    namesakes[team] = it == recordsByName.end() ? &none : &it->second;
  }
  struct Tally {
    std::int64_t wins = 0, losses = 0, ties = 0;
  };
  std::vector<Tally> tally(byIndex_.size());
  for (const GameStats& g : t_.Games) {
    if (!t_.IsTeam(g.TeamA) || !t_.IsTeam(g.TeamB)) continue;  // such a game has no opponent
    if (!CountsInTeamStandings(t_, g)) continue;
    const Standings* recordA = RecordOf(g.TeamA);
    const Standings* recordB = RecordOf(g.TeamB);
    const bool aWins = g.Forfeit != 0 || g.ScoreA > g.ScoreB;
    const bool bWins = g.Forfeit == 0 && g.ScoreA < g.ScoreB;
    if (recordB != nullptr) {
      for (std::size_t x : *namesakes[g.TeamA]) {
        if (!SameFraction(recordB->Pct, byIndex_[x].Pct)) continue;
        if (aWins)
          ++tally[x].wins;
        else if (bWins)
          ++tally[x].losses;
        else
          ++tally[x].ties;
      }
    }
    if (recordA != nullptr) {
      for (std::size_t x : *namesakes[g.TeamB]) {
        if (!SameFraction(recordA->Pct, byIndex_[x].Pct)) continue;
        if (aWins)
          ++tally[x].losses;
        else if (bWins)
          ++tally[x].wins;
        else
          ++tally[x].ties;
      }
    }
  }
  headToHead_.reserve(byIndex_.size());
  for (const Tally& h : tally) headToHead_.push_back(Fraction(h.wins, h.losses, h.ties));
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

const Standings* TeamOrder::RecordOf(int team) const {
  if (!t_.IsTeam(team)) return nullptr;
  if (team < static_cast<int>(byIndex_.size()) && byIndex_[team].TeamIndex == team)
    return &byIndex_[team];
  for (const Standings& s : byIndex_)
    if (s.TeamIndex == team) return &s;
  return nullptr;
}

double TeamOrder::Fraction(std::int64_t wins, std::int64_t losses, std::int64_t ties) {
  const std::int64_t games = wins + losses + ties;
  if (games == 0) return 0.0;
  return (static_cast<double>(wins) + 0.5 * static_cast<double>(ties)) / static_cast<double>(games);
}

double TeamOrder::ComputeHeadToHead(const Standings& x) const {
  std::int64_t wins = 0, losses = 0, ties = 0;
  for (const GameStats& g : t_.Games) {
    if (!t_.IsTeam(g.TeamA) || !t_.IsTeam(g.TeamB)) continue;
    if (!CountsInTeamStandings(t_, g)) continue;
    if (t_.TeamName(g.TeamA) == x.TeamName) {
      const Standings* other = RecordOf(g.TeamB);
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
      const Standings* other = RecordOf(g.TeamA);
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
  return Fraction(wins, losses, ties);
}

bool TeamBefore(const Standings& a, const Standings& b, const TeamOrder& order) {
  const TourneyFormat& f = order.Tourney().Format;
  if (order.RankWithinGroup()) {
    if (f.TUHeard != 0 && f.SwissTUH != 0) return PointsPerTossupHeard(a) > PointsPerTossupHeard(b);
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
  SortTeamStats(t, teamStats, teamStatsByIndex, t.Format.SortCriterion);
}

void SortTeamStats(const Tournament& t, std::vector<Standings>& teamStats,
                   std::vector<Standings>& teamStatsByIndex, int sortCriterion) {
  teamStatsByIndex = teamStats;
  const TeamOrder order(t, teamStatsByIndex, sortCriterion);
  MergeSort(teamStats, [&order](const Standings& a, const Standings& b) { return order(a, b); });
}

TeamTables ComputeStandings(const Tournament& t) {
  TeamTables tables;
  tables.TeamStats = ComputeTeamStats(t);
  SortTeamStats(t, tables.TeamStats, tables.TeamStatsByIndex);
  return tables;
}

}  // namespace drav
