// The report's pictures fed from its own figures: a team's points by round, the standings
// scatter.
#include "stats/figures.h"
#include "stats/game_figures.h"
#include "web/modern/charts.h"

namespace drav::modern {

std::string TeamPointsChart(const Site& site, int team, const std::vector<std::size_t>& games) {
  const Tournament& t = site.t;
  std::vector<GamePoints> points;
  for (std::size_t index : games) {
    const GameStats& g = t.Games[index];
    if (!OnScoreboard(t, g) || g.Forfeit != 0 || !IsPlayedGame(g)) continue;
    for (const bool sideA : {true, false}) {
      if ((sideA ? g.TeamA : g.TeamB) != team) continue;
      const SideFigures s = SideOfGame(g, sideA);
      points.push_back({g.Round, s.Own, s.Other});
    }
  }
  return PointsByRoundChart(t.TeamName(team), points);
}

std::string StandingsScatter(const Site& site, const std::vector<const Standings*>& rows) {
  if (site.t.Format.TrackBonuses == 0) return {};
  std::vector<TeamDot> dots;
  for (const Standings* s : rows)
    if (s->BonusHeard > 0 && Covers(site, s->TeamIndex))
      dots.push_back({site.t.TeamName(s->TeamIndex),
                      Href(site, TeamFile(site.addresses, s->TeamIndex)), PointsPerGame(*s),
                      PointsPerBonus(*s)});
  return PpgPpbScatter(dots);
}

}  // namespace drav::modern
