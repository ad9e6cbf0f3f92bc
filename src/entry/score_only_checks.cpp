// Warnings for score-only games: the ones that need no box score.
#include "entry/score_only_checks.h"

#include <climits>
#include <cstdlib>

namespace drav::entry {

int SmallestQuestionValue(const Tournament& t) {
  long long smallest = 0;
  for (int v : t.QuestionValues) {
    // Question values are small, but a damaged file may hold INT_MIN, whose size no int holds.
    const long long size = std::llabs(static_cast<long long>(v));
    if (size == 0 || size > INT_MAX) continue;
    if (smallest == 0 || size < smallest) smallest = size;
  }
  return static_cast<int>(smallest);
}

std::vector<std::string> ScoreOnlyChecks(const Tournament& t, const GameStats& g) {
  std::vector<std::string> messages;
  if (!g.ScoreOnly || g.Forfeit != 0 || g.ScoreA == -1 || g.ScoreB == -1) return messages;
  if (g.ScoreA == g.ScoreB && g.Overtime == 0) messages.push_back("Tied Score Without Overtime");
  const int unit = SmallestQuestionValue(t);
  if (unit > 1) {
    const std::pair<int, int> sides[] = {{g.TeamA, g.ScoreA}, {g.TeamB, g.ScoreB}};
    for (const auto& [team, score] : sides)
      if (score % unit != 0)
        messages.push_back("Score of " + t.TeamName(team) + " Is Not a Multiple of " +
                           std::to_string(unit));
  }
  for (const GameStats& other : t.Games) {
    if (&other == &g || other.Round != g.Round) continue;
    const bool same = (other.TeamA == g.TeamA && other.TeamB == g.TeamB) ||
                      (other.TeamA == g.TeamB && other.TeamB == g.TeamA);
    if (!same) continue;
    messages.push_back(t.TeamName(g.TeamA) + " and " + t.TeamName(g.TeamB) +
                       " Meet More Than Once in Round " + std::to_string(g.Round));
    break;
  }
  return messages;
}

}  // namespace drav::entry
