#include "entry/extra_checks.h"

#include <cstdint>

namespace drav::entry {

namespace {

std::int64_t Answered(const Tournament& t, const RowArray<int>* const columns[kColumns]) {
  std::int64_t answered = 0;
  for (int k = 0; k < kColumns; ++k) {
    if (t.QuestionValues[k] == 0) continue;
    for (const int count : *columns[k]) answered += count;
  }
  return answered;
}

}  // namespace

std::vector<std::string> ExtraChecks(const Tournament& t, const GameStats& game) {
  std::vector<std::string> messages;
  if (game.Forfeit != 0 || t.Format.TUHeard == 0 || game.TUH <= 0) return messages;
  const RowArray<int>* const a[kColumns] = {&game.Q0A, &game.Q1A, &game.Q2A, &game.Q3A};
  const RowArray<int>* const b[kColumns] = {&game.Q0B, &game.Q1B, &game.Q2B, &game.Q3B};
  const std::pair<int, std::int64_t> sides[] = {{game.TeamA, Answered(t, a)},
                                                {game.TeamB, Answered(t, b)}};
  for (const auto& [team, answered] : sides) {
    if (answered <= game.TUH) continue;
    messages.push_back(t.TeamName(team) + " answered " + std::to_string(answered) +
                       " toss-ups, more than the " + std::to_string(game.TUH) + " heard");
  }
  return messages;
}

}  // namespace drav::entry
