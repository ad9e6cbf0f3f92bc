// What a score-only game keeps, and whether a tournament has any.
#include "model/score_only.h"

namespace drav {

void ClearBoxScore(GameStats& g) {
  GameStats empty;
  g.PlayerA = empty.PlayerA;
  g.GPA = empty.GPA;
  g.Q0A = empty.Q0A;
  g.Q1A = empty.Q1A;
  g.Q2A = empty.Q2A;
  g.Q3A = empty.Q3A;
  g.PtsA = empty.PtsA;
  g.PlayerB = empty.PlayerB;
  g.GPB = empty.GPB;
  g.Q0B = empty.Q0B;
  g.Q1B = empty.Q1B;
  g.Q2B = empty.Q2B;
  g.Q3B = empty.Q3B;
  g.PtsB = empty.PtsB;
  g.BHA = g.BPA = g.BHB = g.BPB = 0;
  g.BncBkA = g.BncBkPtsA = g.BncBkB = g.BncBkPtsB = 0;
  g.SixtyA = g.SixtyB = 0;
}

bool AnyScoreOnly(const Tournament& t) {
  for (const GameStats& g : t.Games)
    if (g.ScoreOnly) return true;
  return false;
}

}  // namespace drav
