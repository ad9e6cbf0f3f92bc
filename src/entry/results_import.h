// Quick results entry: a table of results pasted from a spreadsheet (CSV or tab-separated)
// read into score-only games, with a preview of every row and all-or-nothing storing.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/tournament.h"

namespace drav::entry {

// One data row of the table as it will be stored, and what is wrong with it.
struct ResultsRow {
  int line = 0;       // 1-based line of the text
  GameStats game;     // score-only; teams are indices into the tournament after import
  std::string teamA;  // the names as written
  std::string teamB;
  std::string packet;
  std::vector<std::string> problems;  // "line 4: unknown team "Lakview" (closest: Lakeview)"
  std::string Meaning(const Tournament& t) const;  // "Round 2: Lakeview 230, Northfield 120"
};

struct ResultsPreview {
  std::vector<ResultsRow> rows;
  std::vector<std::string> problems;  // every row's problems and the table's, in line order
  std::vector<std::string> newTeams;  // names that will be added (when adding is allowed)
  bool Ok() const { return problems.empty(); }
};

// Reads the table (tabs when the header line holds one, else commas; double quotes as a
// spreadsheet writes them). The header names the columns in any order and case: round,
// team a, score a, team b, score b, and optionally forfeit, overtime, packet and toss-ups
// heard (tuh). Teams are matched by name, then ignoring case; an unknown team is a problem
// naming the closest known name, unless addTeams, when it is to be added. A game the
// tournament or an earlier row already has (same two teams, same round) is a problem.
ResultsPreview PreviewResults(const Tournament& t, std::string_view text, bool addTeams);

// Adds the previewed games (and new teams) to t. Refuses (DravError naming the first
// problem) and changes nothing unless preview.Ok().
void ApplyResults(Tournament& t, const ResultsPreview& preview);

// The known team name nearest to name by edit distance, ignoring case; "" without teams.
std::string ClosestTeamName(const Tournament& t, std::string_view name);
// Its index (-1 without teams), and its distance when asked.
int ClosestTeam(const Tournament& t, std::string_view name, std::size_t* distance = nullptr);
// The team a mistyped name most likely means: the closest one when at most a third of the
// name's letters differ ("Harbour Tech" for "Harbor Tech"); else -1.
int LikelyTeam(const Tournament& t, std::string_view name);

}  // namespace drav::entry
