#include "schedule/swiss.h"

#include <cmath>

#include "model/merge_sort.h"
#include "schedule/pair_table.h"
#include "stats/standings_order.h"
#include "stats/team_stats.h"

namespace drav {

namespace {

bool SamePct(double a, double b) { return std::fabs(a - b) < 0.00001; }

}  // namespace

ScheduleText SwissPairLines(const Tournament& t, const SearchControl& control) {
  ScheduleText text;
  auto& lines = text.lines;
  const TourneyFormat& f = t.Format;

  // Standings by record, then points per toss-up heard or per game as the setting asks.
  std::vector<Standings> teamStats = ComputeTeamStats(t);
  const std::vector<Standings> byIndex = teamStats;
  const int criterion = (f.TUHeard != 0 && f.SwissTUH != 0) ? 4 : 1;
  MergeSort(teamStats, TeamOrder(t, byIndex, criterion));
  const TeamOrder withinGroup(t, byIndex, criterion, true);

  PairTable met(t.TeamCount());
  for (const GameStats& g : t.Games)
    if (t.IsTeam(g.TeamA) && t.IsTeam(g.TeamB)) met.Add(g.TeamA, g.TeamB, 1);
  auto haveMet = [&](const Standings& a, const Standings& b) {
    return met.Get(a.TeamIndex, b.TeamIndex) > 0;
  };

  struct Group {
    bool isDivision = false;
    std::string name;
    std::vector<Standings> teams;
  };
  std::vector<Group> groups;
  if (f.Divisions == 0) {
    groups.push_back({false, "", teamStats});
  } else {
    for (std::size_t d = 0; d < t.DivisionNames.size(); ++d) {
      Group g{true, t.DivisionNames[d], {}};
      for (const Standings& s : teamStats)
        if (t.DivisionOf(s.TeamIndex) == static_cast<int>(d)) g.teams.push_back(s);
      groups.push_back(std::move(g));
    }
  }

  for (Group& group : groups) {
    if (group.isDivision) {
      lines.push_back(group.name);
      lines.push_back(" ");
    }
    std::vector<Standings>& list = group.teams;
    if (list.size() < 2) {
      lines.insert(lines.end(), {"Too few teams", " ", " "});
      return text;
    }
    // The bye: the lowest-placed team among those with the most games.
    if (list.size() % 2 == 1) {
      int most = list[0].GamesCount;
      for (const Standings& s : list) most = std::max(most, s.GamesCount);
      for (std::size_t k = list.size(); k-- > 0;) {
        if (list[k].GamesCount == most) {
          list.erase(list.begin() + static_cast<std::ptrdiff_t>(k));
          break;
        }
      }
    }
    const int m = static_cast<int>(list.size());
    for (int k = 0; k < m; ++k) list[k].GroupPosition = k;

    // Brackets of equal records, strong against weak within each.
    std::vector<int> preferred(static_cast<std::size_t>(m), -1);
    std::vector<std::string> fallback;
    for (int start = 0; start < m;) {
      int end = start + 1;
      while (end < m && SamePct(list[end].Pct, list[start].Pct)) ++end;
      if ((end - start) % 2 == 1 && end < m) ++end;  // an odd bracket takes in the next team
      std::vector<Standings> bracket(list.begin() + start, list.begin() + end);
      MergeSort(bracket, withinGroup);
      for (std::size_t a = 0, b = bracket.size(); a + 1 < b; ++a, --b) {
        const Standings& first = bracket[a];
        const Standings& second = bracket[b - 1];
        std::string line = first.TeamName + " vs. " + second.TeamName;
        if (haveMet(first, second)) line += "   REPEAT";
        fallback.push_back(std::move(line));
        preferred[first.GroupPosition] = second.GroupPosition;
        preferred[second.GroupPosition] = first.GroupPosition;
      }
      start = end;
    }
    // A lone team left without a partner (only possible with an odd list) points at itself.
    for (int k = 0; k < m; ++k)
      if (preferred[k] < 0) preferred[k] = k;

    bool found = false;
    if (f.RepeatAvoidance != 0) {
      SearchMeter meter(control);
      std::vector<int> partner;
      const SwissSearchEnd end = SearchWithoutRepeats(
          preferred, [&](int a, int b) { return haveMet(list[a], list[b]); }, partner, meter);
      if (end == SwissSearchEnd::kCancelled) {
        text.cancelled = true;
        return text;
      }
      if (end == SwissSearchEnd::kFound) {
        found = true;
        for (int b = 0; b < m; ++b)
          if (partner[b] >= 0 && partner[b] < b)
            lines.push_back(list[b].TeamName + " vs. " + list[partner[b]].TeamName);
      }
    }
    if (!found) {
      lines.push_back("Did not find assignment without repeats");
      lines.insert(lines.end(), fallback.begin(), fallback.end());
    }
    lines.push_back(" ");
    lines.push_back(" ");
  }
  return text;
}

}  // namespace drav
