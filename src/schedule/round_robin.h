#pragma once

#include <string>
#include <vector>

#include "model/tournament.h"

namespace drav {

// One group's round robin: games[r] lists the games of round r (0-based) as pairs of team
// numbers 1..n; the first mainRounds rounds come from the rotation, the rest are the extra
// rounds that take the games the room limit moved out.
struct RoundRobinPlan {
  int mainRounds = 0;
  std::vector<std::vector<std::pair<int, int>>> games;
};

// The round robin of n >= 2 teams with at most roomLimit games per round; a limit below 1
// means no limit.
RoundRobinPlan PlanRoundRobin(int n, int roomLimit);

// The text of Scheduling > Round Robin for the tournament's teams and settings.
std::vector<std::string> RoundRobinLines(const Tournament& t);

}  // namespace drav
