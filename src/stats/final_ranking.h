#pragma once

#include <string>
#include <vector>

#include "model/tournament.h"
#include "stats/stage_standings.h"

namespace drav {

// One team's place in the final ranking.
struct FinalRankEntry {
  int Team = -1;      // index into Rosters
  int Rank = 0;       // 1-based; tied teams share the rank of the first of them
  bool Tied = false;  // shares its rank with another team (shown "=")
  int Stage = -1;     // the stage the team finished in
  int Bracket = -1;   // its bracket there; -1 in a stage ranked in one table
};

// The teams of the last stage's brackets first, bracket by bracket in order, each in its
// standings order; then the teams that stopped in an earlier stage, by that stage's
// brackets the same way. Teams that took part in no stage are not ranked. Empty without
// stages.
std::vector<FinalRankEntry> FinalRanking(const Tournament& t);

// The same from every stage's RankStage, in stage order, when the caller has them already.
std::vector<FinalRankEntry> FinalRanking(const Tournament& t,
                                         const std::vector<std::vector<RankedBracket>>& stages);

// The QuickPrint text of the final ranking: a title line, a header, one line per team.
std::vector<std::string> FinalRankingLines(const Tournament& t);

}  // namespace drav
