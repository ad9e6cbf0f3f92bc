#include "schedule/schedule_groups.h"

#include "stats/quickprint.h"

namespace drav {

std::vector<ScheduleGroup> ScheduleGroups(const Tournament& t) {
  std::vector<ScheduleGroup> groups;
  if (t.Format.Divisions == 0) {
    ScheduleGroup all;
    for (int team = 0; team < t.TeamCount(); ++team) all.teams.push_back(team);
    groups.push_back(std::move(all));
    return groups;
  }
  for (std::size_t d = 0; d < t.DivisionNames.size(); ++d) {
    ScheduleGroup g;
    g.isDivision = true;
    g.divisionName = t.DivisionNames[d];
    for (int team = 0; team < t.TeamCount(); ++team)
      if (t.DivisionOf(team) == static_cast<int>(d)) g.teams.push_back(team);
    groups.push_back(std::move(g));
  }
  return groups;
}

std::string RoundHeading(long long round) {
  return "Round " + RightField(std::to_string(round), 3);
}

}  // namespace drav
