#pragma once

#include "model/tournament.h"

namespace drav {

// True when the game's round lies in the stage's rounds, or (with carry-over) it was played
// in an earlier stage between two teams of the same bracket of this stage.
bool GameCountsInStage(const Tournament& t, int stage, const GameStats& g);

// The tournament as one stage sees it: only the games that count in the stage (in their
// stored order), and the stage's brackets in place of the divisions (no brackets: one table).
// Every described computation and report then runs on it unchanged. stage must be valid.
Tournament StageView(const Tournament& t, int stage);

}  // namespace drav
