#pragma once

#include "model/tournament.h"

namespace drav::test {

// 24 teams "Team 1".."Team 24" in four prelim pools of six (stage "Prelims", rounds 1-5,
// pool p holding teams 6p..6p+5), each pool a full round robin where the better seed
// wins 200-100, except that in Pool 1 the third and fourth seeds draw 150-150 and finish
// level in places 3-4.
Tournament StagedTournament();

}  // namespace drav::test
