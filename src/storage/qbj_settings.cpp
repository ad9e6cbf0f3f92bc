#include "storage/qbj.h"

namespace drav {

void AdoptQbjSettings(Tournament& t) {
  if (!t.DivisionNames.empty()) t.Format.Divisions = 1;
  // A match without a round number goes into round 0.
  for (const GameStats& g : t.Games) {
    if (g.Round != 0) {
      t.Format.RoundReports = 1;
      break;
    }
  }
}

}  // namespace drav
