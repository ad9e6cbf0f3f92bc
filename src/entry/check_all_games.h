#pragma once

#include <string>
#include <vector>

#include "model/tournament.h"

namespace drav::entry {

// One warning of one stored game, as Check All Games lists it.
struct GameWarning {
  int game = 0;  // position in t.Games
  int round = 0;
  std::string gid;
  std::string teams;    // "Lakeview vs. Northfield"
  std::string message;  // the text of the warning box
};

// Every warning that storing each game would give, with all seven warnings on whatever
// the settings choose, game by game in stored order; with more, each game's further
// checks (ExtraChecks) follow its warnings. Each check is one entry of the list in the
// .cpp, so a new check is one more entry there.
std::vector<GameWarning> CheckAllGames(const Tournament& t, bool more = true);

// One line of the list: "Round 3: Lakeview vs. Northfield: Team Playing Itself".
std::string WarningLine(const GameWarning& w);

}  // namespace drav::entry
