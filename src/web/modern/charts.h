#pragma once

// Inline SVG pictures for the modern report: drawn from plain figures, coloured by the style
// sheet's variables (so dark mode and print follow), each with a text alternative.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace drav::modern {

// One game of a team: the round it was played in and the two scores.
struct GamePoints {
  int Round = 0;
  std::int64_t For = 0;
  std::int64_t Against = 0;
};

// A line chart of a team's points for and against, game by game in the order given, inside a
// figure whose caption and description give the same figures as text. Empty without games.
// team is the team's name, not yet escaped.
std::string PointsByRoundChart(std::string_view team, const std::vector<GamePoints>& games);

// One team on the scatter: its figures and its page.
struct TeamDot {
  std::string Name;  // not yet escaped
  std::string Href;  // already escaped for an attribute
  double PPG = 0;
  double PPB = 0;
};

// Points per game across, points per bonus up: each dot links to its team's page and is
// named for the keyboard and the screen reader. Empty with fewer than two teams.
std::string PpgPpbScatter(const std::vector<TeamDot>& teams);

// One side of a bracket game.
struct BracketSide {
  int Team = -1;      // joins a team's games from round to round; -1: not joined
  std::string Name;   // not yet escaped
  std::string Href;   // the team's page, already escaped; empty: not linked
  std::string Score;  // as the pages write it; empty when there is none (a forfeit)
  bool Won = false;
};
struct BracketGame {
  int Round = 0;
  BracketSide A;
  BracketSide B;
};

// The games of an elimination stage, one column per round in round order, a team's games
// joined from round to round. label names the stage (not yet escaped). Empty without games.
std::string BracketChart(std::string_view label, const std::vector<BracketGame>& games);

}  // namespace drav::modern

// The pictures as the pages use them, from the report's own figures.
#include "web/modern/site.h"

namespace drav::modern {

// A team's points for and against in its played games on the scoreboard (games: the team's
// games in round order).
std::string TeamPointsChart(const Site& site, int team, const std::vector<std::size_t>& games);

// The games of a stage's rounds as a bracket; team names link to the pages the report has.
std::string StageBracket(const Site& site, int stage);

// The scatter of the standings rows, when the tournament keeps bonuses.
std::string StandingsScatter(const Site& site, const std::vector<const Standings*>& rows);

}  // namespace drav::modern
