#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/tournament.h"
#include "stats/player_stats.h"
#include "stats/team_stats.h"

namespace drav {

// The seven page writers. Each appends one complete page (frame included) to page.
// The pages that list games expect t.Games in round order, as the report driver
// arranges; every name from the tournament is HTML-escaped.

// Per-round productivity: points per team, per toss-up heard, bonus conversion.
void WriteRoundReportPage(std::string& page, const Tournament& t, std::string_view linkBase);

// A game-by-game table and a players table per team. teamStats must be in team order
// (record t of team t) and playerStats in roster order, as computed.
void WriteTeamDetailPage(std::string& page, const Tournament& t,
                         const std::vector<Standings>& teamStats,
                         const std::vector<Individuals>& playerStats, std::string_view linkBase);

// A game-by-game table per player; playerStats only decides who is shown.
void WriteIndividualDetailPage(std::string& page, const Tournament& t,
                               const std::vector<Individuals>& playerStats,
                               std::string_view linkBase);

// Every game with its score and box score, optionally with round headings.
void WriteScoreboardPage(std::string& page, const Tournament& t, std::string_view linkBase);

// The players in standings order (playerStats sorted).
void WriteIndividualStandingsPage(std::string& page, const Tournament& t,
                                  const std::vector<Individuals>& playerStats,
                                  std::string_view linkBase);

// The teams in standings order (teamStats sorted), one table per division when used.
void WriteTeamStandingsPage(std::string& page, const Tournament& t,
                            const std::vector<Standings>& teamStats, std::string_view linkBase);

// The explanation of every column of the other pages; depends only on the settings.
void WriteStatKeyPage(std::string& page, const Tournament& t, std::string_view linkBase);

// The final ranking (FinalRanking), written beside the described pages as
// kClassicFinalFile only when HasClassicFinalPage: the tournament has stages and uses an
// elimination stage, a hand-set place or the finished mark, so that a report without them
// stays the described report.
inline constexpr std::string_view kClassicFinalFile = "_final.html";
bool HasClassicFinalPage(const Tournament& t);
void WriteFinalRankingPage(std::string& page, const Tournament& t, std::string_view linkBase);

// The address the stat key's "DRAV homepage" link points to.
extern const char kDravHomepage[];

}  // namespace drav
