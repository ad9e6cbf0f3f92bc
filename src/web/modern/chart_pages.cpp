// The report's pictures fed from its own figures: a team's points by round, the standings
// scatter.
#include "stats/figures.h"
#include "stats/game_figures.h"
#include "stats/stage_standings.h"
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

std::string StageBracket(const Site& site, int stage) {
  const Tournament& t = site.t;
  const Stage& s = t.Extras.Stages.at(static_cast<std::size_t>(stage));
  std::vector<BracketGame> games;
  for (const GameStats& g : t.Games) {
    if (!OnScoreboard(t, g) || g.Round < s.FirstRound || g.Round > s.LastRound) continue;
    const bool played = g.Forfeit == 0 && IsPlayedGame(g);
    const SideFigures a = SideOfGame(g, true);
    auto side = [&](int team, std::int64_t own, std::int64_t other, bool forfeitWinner) {
      return BracketSide{team, t.TeamName(team),
                         Covers(site, team) ? Href(site, TeamFile(site.addresses, team)) : std::string(),
                         played ? ScoreNum(own) : std::string(),
                         played ? own > other : g.Forfeit != 0 && forfeitWinner};
    };
    games.push_back(
        {g.Round, side(g.TeamA, a.Own, a.Other, true), side(g.TeamB, a.Other, a.Own, false)});
  }
  return BracketChart(StageLabel(s), games);
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
