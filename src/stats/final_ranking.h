#pragma once

#include <string>
#include <vector>

#include "model/tournament.h"
#include "stats/stage_standings.h"

namespace drav {

// One team's place in the final ranking.
struct FinalRankEntry {
  int Team = -1;        // index into Rosters
  int Rank = 0;         // 1-based; tied teams share the rank of the first of them
  bool Tied = false;    // shares its rank with another team (shown "=")
  int Stage = -1;       // the stage the team finished in; -1: none
  int Bracket = -1;     // its bracket there; -1 in a stage ranked in one table
  bool Manual = false;  // the director set this place by hand
};

// The teams of the last stage's brackets first, bracket by bracket in order, each in its
// standings order (an elimination stage: by how far each team went, PlaceByElimination);
// then the teams that stopped in an earlier stage, by that stage's brackets the same way.
// Teams that took part in no stage are not ranked. Empty without stages. The places the
// director set by hand then stand at their numbers, the computed ones filling the others
// in their order.
std::vector<FinalRankEntry> FinalRanking(const Tournament& t);

// The same from every stage's RankStage, in stage order, when the caller has them already.
std::vector<FinalRankEntry> FinalRanking(const Tournament& t,
                                         const std::vector<std::vector<RankedBracket>>& stages);

// True while the final ranking is to be read as provisional: the director uses an
// elimination stage or hand-set places and has not marked the tournament finished. A
// ranking of pools alone, without hand-set places, reads as it always did.
bool FinalRankingProvisional(const Tournament& t);

// The QuickPrint text of the final ranking: a title line ("Final ranking (provisional)"
// while provisional), a header, one line per team; a hand-set place says so where the
// stage would be.
std::vector<std::string> FinalRankingLines(const Tournament& t);

}  // namespace drav
