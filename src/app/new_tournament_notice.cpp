// The OK/Cancel text New Tournament shows over an open tournament.
#include "app/new_tournament_notice.h"

#include <algorithm>

#include "app/unsaved_data.h"

namespace drav::app {
namespace {

std::string Count(long n, const char* one, const char* many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
}

}  // namespace

std::string NewTournamentNotice(const Tournament& t) {
  if (t.TeamCount() == 0 && t.GameCount() == 0) return {};
  const long packets = std::count_if(t.PacketNames.begin(), t.PacketNames.end(),
                                     [](const std::string& name) { return !name.empty(); });
  std::string text =
      "New Tournament keeps the " + Count(t.TeamCount(), "team", "teams") + " and " +
      Count(t.GameCount(), "game", "games") + " of " +
      (t.FileName.empty() ? std::string("this tournament") : LastPathComponent(t.FileName));
  if (packets > 0)
    text += ", empties its " + Count(packets, "packet name", "packet names") + " and";
  else
    text += " and";
  text += " sets every option to this window's values.";
  if (!t.FileName.empty()) text += " The file changes only when you save.";
  return text;
}

}  // namespace drav::app
