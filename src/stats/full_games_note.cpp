// Which games the per-toss-up and per-bonus figures of each team rest on.
#include "stats/full_games_note.h"

#include "stats/figures.h"

namespace drav {

std::vector<const Standings*> TeamsWithScoreOnlyGames(const std::vector<Standings>& teams) {
  std::vector<const Standings*> found;
  for (const Standings& s : teams)
    if (s.GamesCount > 0 && s.FullGames < PlayedGames(s)) found.push_back(&s);
  return found;
}

std::string FullGamesNote(std::string_view name, const Standings& s) {
  const std::int64_t played = PlayedGames(s);
  return std::string(name) + ": from " + std::to_string(s.FullGames) + " of " +
         std::to_string(played) + " games (" + std::to_string(played - s.FullGames) +
         " score-only)";
}

}  // namespace drav
