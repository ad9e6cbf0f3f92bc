#include "model/stages.h"

#include <algorithm>
#include <map>
#include <string>
#include <string_view>

#include "model/error.h"

namespace drav {

std::string TooManyStagesMessage() {
  return "A tournament may have at most " + std::to_string(kMaxStages) + " stages";
}

std::string TooManyBracketsMessage(const std::string& stage) {
  return "Stage " + stage + ": a stage may have at most " + std::to_string(kMaxBrackets) +
         " brackets";
}

void CheckStages(const std::vector<Stage>& stages, int teamCount) {
  if (stages.size() > kMaxStages) throw DravError(TooManyStagesMessage());
  // Each stage is compared with the earlier ones through a map of names and one of round
  // spans (the earlier spans never overlap, or the check would have stopped), so the
  // first fault is found, with the same earlier stage named, in n log n.
  std::map<std::string_view, std::size_t> names;
  std::map<int, std::size_t> spans;  // first round -> stage
  std::vector<std::size_t> bracketOf(teamCount > 0 ? teamCount : 0, 0);
  for (std::size_t i = 0; i < stages.size(); ++i) {
    const Stage& s = stages[i];
    if (s.Name.empty()) throw DravError("Every stage needs a name");
    if (s.FirstRound > s.LastRound)
      throw DravError("Stage " + s.Name + ": the first round comes after the last round");
    if (s.Brackets.size() > kMaxBrackets) throw DravError(TooManyBracketsMessage(s.Name));
    std::size_t sameName = i;
    if (const auto it = names.find(s.Name); it != names.end()) sameName = it->second;
    std::size_t overlapping = i;
    auto span = spans.upper_bound(s.LastRound);
    while (span != spans.begin()) {
      --span;
      if (stages[span->second].LastRound < s.FirstRound) break;
      overlapping = std::min(overlapping, span->second);
    }
    if (sameName < i && sameName <= overlapping) throw DravError("Two stages are named " + s.Name);
    if (overlapping < i)
      throw DravError("The rounds of stages " + stages[overlapping].Name + " and " + s.Name +
                      " overlap");
    names.emplace(s.Name, i);
    spans.emplace(s.FirstRound, i);
    // bracketOf[team] is 1 + the stage that last put the team in a bracket.
    for (const Bracket& b : s.Brackets) {
      for (int team : b.Teams) {
        if (team < 0 || team >= teamCount)
          throw DravError("Stage " + s.Name + ": bracket " + b.Name +
                          " names a team that does not exist");
        if (bracketOf[team] == i + 1)
          throw DravError("Stage " + s.Name + ": a team is in two brackets");
        bracketOf[team] = i + 1;
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

void CheckFinalPlaces(const std::vector<FinalPlace>& places, int teamCount) {
  std::vector<char> placed(teamCount > 0 ? static_cast<std::size_t>(teamCount) : 0, 0);
  for (const FinalPlace& p : places) {
    if (p.Team < 0 || p.Team >= teamCount)
      throw DravError("A final place names a team that does not exist");
    if (placed[static_cast<std::size_t>(p.Team)]) throw DravError("A team has two final places");
    placed[static_cast<std::size_t>(p.Team)] = 1;
    if (p.Place < 1 || p.Place > kMaxFinalPlace)
      throw DravError("A final place must be from 1 to " + std::to_string(kMaxFinalPlace));
  }
}

void RenumberFinalPlaces(std::vector<FinalPlace>& places, const std::vector<int>& newIndex) {
  std::vector<FinalPlace> kept;
  for (FinalPlace p : places) {
    p.Team = p.Team >= 0 && p.Team < static_cast<int>(newIndex.size()) ? newIndex[p.Team] : -1;
    if (p.Team >= 0) kept.push_back(p);
  }
  places = std::move(kept);
}

const char* StageKindName(StageKind kind) {
  return kind == StageKind::Elimination ? "elimination" : "pools";
}

bool ParseStageKind(std::string_view word, StageKind& kind) {
  if (word == "pools")
    kind = StageKind::Pools;
  else if (word == "elimination")
    kind = StageKind::Elimination;
  else
    return false;
  return true;
}

int StageOfRound(const std::vector<Stage>& stages, int round) {
  for (std::size_t i = 0; i < stages.size(); ++i)
    if (round >= stages[i].FirstRound && round <= stages[i].LastRound) return static_cast<int>(i);
  return -1;
}

}  // namespace drav
