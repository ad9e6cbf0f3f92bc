#include "model/stages.h"

#include <string>

#include "model/error.h"

namespace drav {

void CheckStages(const std::vector<Stage>& stages, int teamCount) {
  for (std::size_t i = 0; i < stages.size(); ++i) {
    const Stage& s = stages[i];
    if (s.Name.empty()) throw DravError("Every stage needs a name");
    if (s.FirstRound > s.LastRound)
      throw DravError("Stage " + s.Name + ": the first round comes after the last round");
    for (std::size_t j = 0; j < i; ++j) {
      const Stage& o = stages[j];
      if (o.Name == s.Name) throw DravError("Two stages are named " + s.Name);
      if (s.FirstRound <= o.LastRound && o.FirstRound <= s.LastRound)
        throw DravError("The rounds of stages " + o.Name + " and " + s.Name + " overlap");
    }
    std::vector<char> seen(teamCount > 0 ? teamCount : 0, 0);
    for (const Bracket& b : s.Brackets) {
      for (int team : b.Teams) {
        if (team < 0 || team >= teamCount)
          throw DravError("Stage " + s.Name + ": bracket " + b.Name +
                          " names a team that does not exist");
        if (seen[team]) throw DravError("Stage " + s.Name + ": a team is in two brackets");
        seen[team] = 1;
      }
    }
  }
}

void RenumberStageTeams(std::vector<Stage>& stages, const std::vector<int>& newIndex) {
  for (Stage& s : stages) {
    for (Bracket& b : s.Brackets) {
      std::vector<int> kept;
      for (int team : b.Teams) {
        const int to = team >= 0 && team < static_cast<int>(newIndex.size()) ? newIndex[team] : -1;
        if (to >= 0) kept.push_back(to);
      }
      b.Teams = std::move(kept);
    }
  }
}

int StageOfRound(const std::vector<Stage>& stages, int round) {
  for (std::size_t i = 0; i < stages.size(); ++i)
    if (round >= stages[i].FirstRound && round <= stages[i].LastRound) return static_cast<int>(i);
  return -1;
}

}  // namespace drav
