#include "stats/stage_view.h"

#include "model/stages.h"

namespace drav {

namespace {

// The bracket of a team in a stage, or -1.
int BracketOf(const Stage& s, int team) {
  for (std::size_t b = 0; b < s.Brackets.size(); ++b)
    for (int member : s.Brackets[b].Teams)
      if (member == team) return static_cast<int>(b);
  return -1;
}

}  // namespace

bool GameCountsInStage(const Tournament& t, int stage, const GameStats& g) {
  const auto& stages = t.Extras.Stages;
  if (stage < 0 || stage >= static_cast<int>(stages.size())) return false;
  const Stage& s = stages[static_cast<std::size_t>(stage)];
  if (g.Round >= s.FirstRound && g.Round <= s.LastRound) return true;
  if (!s.CarryOver) return false;
  const int playedIn = StageOfRound(stages, g.Round);
  if (playedIn < 0 || playedIn >= stage) return false;
  const int bracket = BracketOf(s, g.TeamA);
  return bracket >= 0 && bracket == BracketOf(s, g.TeamB);
}

Tournament StageView(const Tournament& t, int stage) {
  Tournament view = t;
  view.Games.clear();
  for (const GameStats& g : t.Games)
    if (GameCountsInStage(t, stage, g)) view.Games.push_back(g);
  const Stage& s = t.Extras.Stages.at(static_cast<std::size_t>(stage));
  view.DivisionNames.clear();
  view.TeamDivision.assign(t.Rosters.size(), -1);
  view.Format.Divisions = s.Brackets.empty() ? 0 : 1;
  for (std::size_t b = 0; b < s.Brackets.size(); ++b) {
    view.DivisionNames.push_back(s.Brackets[b].Name);
    for (int team : s.Brackets[b].Teams)
      if (t.IsTeam(team)) view.TeamDivision[static_cast<std::size_t>(team)] = static_cast<int>(b);
  }
  view.Format.AllRounds = 1;  // the games are already chosen
  return view;
}

}  // namespace drav
