// What New Tournament will do to an open tournament, said before it does it.
#pragma once

#include <string>

#include "model/tournament.h"

namespace drav::app {

// Empty when the tournament has no teams and no games (nothing to warn about); otherwise
// one paragraph naming what stays, what goes and that the file is not touched yet.
std::string NewTournamentNotice(const Tournament& t);

}  // namespace drav::app
