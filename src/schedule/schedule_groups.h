#pragma once

#include <string>
#include <vector>

#include "model/tournament.h"

namespace drav {

// One group that a scheduler works on: all teams, or the teams of one division.
struct ScheduleGroup {
  bool isDivision = false;
  std::string divisionName;
  std::vector<int> teams;  // team indexes in Rosters order
};

// Without divisions one group of every team; with divisions one group per division name,
// in list order, holding the teams whose TeamDivision is that division.
std::vector<ScheduleGroup> ScheduleGroups(const Tournament& t);

// "Round " + RightField(round, 3).
std::string RoundHeading(long long round);

}  // namespace drav
