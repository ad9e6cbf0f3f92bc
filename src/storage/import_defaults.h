#pragma once

#include "model/tourney_format.h"

namespace drav {

// The report settings both older file versions lack: every page but the stat key on, no
// style sheet, no divisions, the usual page names and the first standings order.
inline void ApplyOlderVersionReportDefaults(TourneyFormat& f) {
  const TourneyFormat start;
  f.TeamStandings = 1;
  f.IndividualStandings = 1;
  f.Scoreboard = 1;
  f.TeamDetail = 1;
  f.IndividualDetail = 1;
  f.StatKey = 0;
  f.StyleSheet = 0;
  f.Divisions = 0;
  f.StandingsFile = start.StandingsFile;
  f.IndividualsFile = start.IndividualsFile;
  f.ScoreboardFile = start.ScoreboardFile;
  f.TeamDetailFile = start.TeamDetailFile;
  f.PlayerDetailFile = start.PlayerDetailFile;
  f.RoundsFile = start.RoundsFile;
  f.StatKeyFile = start.StatKeyFile;
  f.StyleSheetFile.clear();
  f.SortCriterion = 1;
}

}  // namespace drav
