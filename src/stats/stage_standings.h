#pragma once

#include <string>
#include <vector>

#include "model/tournament.h"
#include "stats/team_stats.h"

namespace drav {

// How reports name a stage: "Playoffs (rounds 8–12)", or "Finals (round 13)".
std::string StageLabel(const Stage& s);

// One bracket of a stage in standings order, ranked on the stage's games (StageView).
struct RankedBracket {
  int Bracket = -1;  // index in the stage's brackets; -1 for a stage ranked in one table
  std::string Name;  // the bracket's name; "" for the one table
  std::vector<Standings> Teams;  // standings order
  std::vector<int> Place;        // 1-based; teams neither ahead of the other share a place
};

// Every bracket of the stage in order, each holding all its teams (games or not). A stage
// without brackets ranks, in one table, the teams that played in it. stage must be valid.
std::vector<RankedBracket> RankStage(const Tournament& t, int stage);

// The QuickPrint team and individual standings of a stage: a line naming the stage and
// its rounds, then the described text computed on the stage's games and brackets.
std::vector<std::string> StageTeamStandingsLines(const Tournament& t, int stage);
std::vector<std::string> StagePlayerStandingsLines(const Tournament& t, int stage);

// The index of the stage of this name; throws DravError "No stage is named NAME".
int FindStage(const Tournament& t, const std::string& name);

}  // namespace drav
