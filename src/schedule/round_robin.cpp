#include "schedule/round_robin.h"

#include "schedule/schedule_groups.h"

namespace drav {

RoundRobinPlan PlanRoundRobin(int n, int roomLimit) {
  RoundRobinPlan plan;
  if (n < 2) return plan;
  int rooms = n / 2;
  if (roomLimit >= 1 && roomLimit < rooms) rooms = roomLimit;
  const int dummies = n - 2 * rooms;
  const int slots = n + dummies;  // even
  const int half = slots / 2;

  // Main round 1: dummies at bottom positions 1..dummies, then teams 1..n top row first.
  std::vector<int> top(half), bottom(half, -1);
  for (int k = 1; k <= dummies; ++k) bottom[k] = 0;
  int next = 1;
  for (int k = 0; k < half; ++k) top[k] = next++;
  for (int k = 0; k < half; ++k)
    if (bottom[k] != 0) bottom[k] = next++;

  struct Extra {
    int a, b, round = 0;
  };
  std::vector<Extra> extras;
  plan.mainRounds = slots - 1;
  plan.games.resize(plan.mainRounds);
  for (int r = 0; r < plan.mainRounds; ++r) {
    if (r > 0) {
      const std::vector<int> prevTop = top, prevBottom = bottom;
      for (int k = 1; k < half; ++k) bottom[k] = (k == 1) ? prevTop[0] : prevBottom[k - 1];
      for (int k = 0; k + 1 < half; ++k) top[k] = prevTop[k + 1];
      top[half - 1] = prevBottom[half - 1];
    }
    std::vector<int> rTop = top, rBottom = bottom;
    // Each meeting of two dummies leaves one game too many for the rooms: the round's
    // first real game moves to the extra rounds.
    for (int k = 0; k < half; ++k) {
      if (top[k] != 0 || bottom[k] != 0) continue;
      for (int m = 0; m < half; ++m) {
        if (rTop[m] != 0 && rBottom[m] != 0) {
          extras.push_back({rTop[m], rBottom[m]});
          rTop[m] = rBottom[m] = 0;
          break;
        }
      }
    }
    for (int k = 0; k < half; ++k)
      if (rTop[k] != 0 && rBottom[k] != 0) plan.games[r].push_back({rTop[k], rBottom[k]});
  }

  // Extra rounds: each game takes the first extra round where neither team plays yet and
  // a room is free. Full rounds stay full, so the search starts at the first non-full one.
  // Each extra round keeps the list of its teams (at most 2 x rooms), not a row per team.
  std::vector<std::vector<int>> playing;  // [extra round] -> teams placed in it
  std::size_t firstOpen = 0;
  auto plays = [](const std::vector<int>& teams, int team) {
    for (int x : teams)
      if (x == team) return true;
    return false;
  };
  for (Extra& e : extras) {
    std::size_t x = firstOpen;
    for (;; ++x) {
      if (x == playing.size()) playing.emplace_back();
      const auto& p = playing[x];
      if (static_cast<int>(p.size()) < 2 * rooms && !plays(p, e.a) && !plays(p, e.b)) break;
    }
    playing[x].push_back(e.a);
    playing[x].push_back(e.b);
    e.round = static_cast<int>(x);
    while (firstOpen < playing.size() && static_cast<int>(playing[firstOpen].size()) >= 2 * rooms)
      ++firstOpen;
  }
  plan.games.resize(plan.mainRounds + playing.size());
  for (const Extra& e : extras) plan.games[plan.mainRounds + e.round].push_back({e.a, e.b});
  return plan;
}

std::vector<std::string> RoundRobinLines(const Tournament& t) {
  std::vector<std::string> lines;
  const int limit = t.Format.RRNoLimit != 0 ? 0 : t.Format.RRRooms;
  for (const ScheduleGroup& group : ScheduleGroups(t)) {
    if (group.isDivision) {
      lines.push_back(" ");
      lines.push_back(" ");
      lines.push_back(group.divisionName);
    }
    const int n = static_cast<int>(group.teams.size());
    if (n < 2) {
      lines.insert(lines.end(), {"Too few teams", " ", " "});
      return lines;
    }
    const RoundRobinPlan plan = PlanRoundRobin(n, limit);
    auto name = [&](int number) -> const std::string& { return t.TeamName(group.teams[number - 1]); };
    for (std::size_t r = 0; r < plan.games.size(); ++r) {
      lines.push_back(" ");
      lines.push_back(RoundHeading(static_cast<long long>(r) + 1));
      for (const auto& [a, b] : plan.games[r]) lines.push_back(name(a) + " vs. " + name(b));
    }
  }
  return lines;
}

}  // namespace drav
