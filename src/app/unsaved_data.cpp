#include "app/unsaved_data.h"

#include <algorithm>

#include "storage/tournament_file.h"

namespace drav::app {

namespace {

// Positions where the two lists differ, a position held by only one of them included.
template <typename Same>
int CountDiffering(std::size_t savedCount, std::size_t nowCount, Same same) {
  int differing = 0;
  for (std::size_t i = 0; i < std::max(savedCount, nowCount); ++i)
    if (i >= savedCount || i >= nowCount || !same(i)) ++differing;
  return differing;
}

std::string Counted(int n, const char* one, const char* many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
}

}  // namespace

std::string LastPathComponent(const std::string& path) {
  const std::size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string WithTournamentExtension(const std::string& path) {
  const std::string last = LastPathComponent(path);
  if (last.empty() || last.find('.') != std::string::npos) return path;
  return path + ".dat";
}

std::string DescribeUnsavedChanges(const Tournament& saved, const Tournament& now) {
  if (SerializeTournament(saved) == SerializeTournament(now)) return {};
  const int games = CountDiffering(saved.Games.size(), now.Games.size(),
                                   [&](std::size_t i) { return saved.Games[i] == now.Games[i]; });
  const int teams = CountDiffering(saved.Rosters.size(), now.Rosters.size(), [&](std::size_t i) {
    const int team = static_cast<int>(i);
    return saved.Rosters[i] == now.Rosters[i] && saved.DivisionOf(team) == now.DivisionOf(team) &&
           saved.IsExhibition(team) == now.IsExhibition(team);
  });
  const std::string where =
      now.FileName.empty() ? " in a file" : " in " + LastPathComponent(now.FileName);
  if (games == 0 && teams == 0) return "Changes to the settings are not saved" + where;
  std::string what;
  if (games > 0) what = Counted(games, "game", "games");
  if (teams > 0) what += (what.empty() ? "" : " and ") + Counted(teams, "team", "teams");
  const bool one = games + teams == 1;
  return what + (one ? " is" : " are") + " not saved" + where;
}

}  // namespace drav::app
