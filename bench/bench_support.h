#pragma once

#include "model/tournament.h"

namespace drav::bench {

// A large plausible tournament for benchmarks: teams of playersPerTeam players, games
// between random pairs over the given rounds, every figure consistent.
Tournament LargeTournament(int teams, int playersPerTeam, int games, int rounds = 12,
                           int bonusMode = 1, unsigned seed = 42);

// Prints the process's peak resident memory (from /proc) to stderr with a label.
void ReportPeakMemory(const char* label);

}  // namespace drav::bench
