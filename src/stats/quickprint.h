#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/tournament.h"
#include "stats/team_stats.h"

namespace drav {

// Fields count columns: one per character when s is valid UTF-8 beyond ASCII, else one per
// byte, so a cut never falls inside a character and ASCII or Windows-1252 keep their bytes.
// Left-justified field of exactly width columns: s padded with spaces, or its first
// width - 1 columns and a space when it does not fit.
std::string LeftField(std::string_view s, int width);
// Right-justified field of exactly width characters that always ends with a space: at
// most width - 1 characters of s.
std::string RightField(std::string_view s, int width);

// The header and one row of the QuickPrint team standings; place fills the # column.
std::string TeamHeader(const Tournament& t);
std::string TeamLine(const Tournament& t, const Standings& s, std::string_view place);

// The QuickPrint team standings (divisions as sections when Divisions is set).
std::vector<std::string> TeamStandingsLines(const Tournament& t);
// The QuickPrint individual standings.
std::vector<std::string> PlayerStandingsLines(const Tournament& t);
// The QuickPrint game results in round order. Sets SortByRound to 1 as the report does;
// the stored order of the games is left unchanged.
std::vector<std::string> GameResultsLines(Tournament& t);

}  // namespace drav
