#include "entry/check_all_games.h"

#include "entry/check_game.h"
#include "entry/extra_checks.h"

namespace drav::entry {

namespace {

using GameCheck = std::vector<std::string> (*)(const Tournament&, const GameStats&);

// The checks run on every game, in the order their messages are listed.
constexpr struct {
  GameCheck check;
  bool further;  // beyond the seven described warnings: listed only when asked for
} kChecks[] = {
    {&CheckGameRecord, false},  // the seven warnings of the game entry window
    {&ExtraChecks, true},       // more toss-ups answered than heard
};

std::string TeamOrUnknown(const Tournament& t, int team) {
  return t.IsTeam(team) ? t.TeamName(team) : "?";
}

}  // namespace

std::vector<GameWarning> CheckAllGames(const Tournament& t, bool more) {
  Tournament allOn = t;
  TourneyFormat& f = allOn.Format;
  f.Warning1 = f.Warning2 = f.Warning3 = f.Warning4 = f.Warning5 = f.Warning6 = f.Warning7 = 1;
  std::vector<GameWarning> found;
  for (int i = 0; i < allOn.GameCount(); ++i) {
    const GameStats& g = allOn.Games[i];
    for (const auto& entry : kChecks) {
      if (entry.further && !more) continue;
      for (std::string& message : entry.check(allOn, g))
        found.push_back({i, g.Round, g.GID,
                         TeamOrUnknown(t, g.TeamA) + " vs. " + TeamOrUnknown(t, g.TeamB),
                         std::move(message)});
    }
  }
  return found;
}

std::string WarningLine(const GameWarning& w) {
  return "Round " + std::to_string(w.round) + ": " + w.teams + ": " + w.message;
}

}  // namespace drav::entry
