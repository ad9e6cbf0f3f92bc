#pragma once

#include <cstdint>

#include "model/tournament.h"

namespace drav::test {

struct GeneratedShape {
  int teams = 8;
  int playersPerTeam = 5;
  int games = 20;
  int rounds = 5;
  int bonusMode = 1;
  int divisions = 0;  // number of division names; 0 = no divisions
  std::uint32_t seed = 1;
};

// A plausible tournament made from a seed: names, rosters, games with consistent row
// points and scores, settings varied by the seed. Same shape and seed, same tournament.
Tournament GenerateTournament(const GeneratedShape& shape);

}  // namespace drav::test
