#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/tournament.h"
#include "stats/final_ranking.h"
#include "stats/player_stats.h"
#include "stats/shared_ranks.h"
#include "stats/team_stats.h"
#include "web/modern/addresses.h"

namespace drav::modern {

// Suffixes after the base path. A stage is 0-based; -1 means all games.
inline constexpr std::string_view kIndexFile = "_index.html";
inline constexpr std::string_view kFinalFile = "_final.html";
inline constexpr std::string_view kGamesFile = "_games.html";
inline constexpr std::string_view kRoundsFile = "_rounds.html";
inline constexpr std::string_view kKeyFile = "_statkey.html";
inline constexpr std::string_view kStyleFile = "_modern.css";
inline constexpr std::string_view kScriptFile = "_modern.js";
inline constexpr std::string_view kIconFile = "_icon.png";
inline constexpr std::string_view kSearchFile = "_search.js";
std::string StandingsFile(int stage);
std::string IndividualsFile(int stage);
// The individual standings come in pages of this many places, so that a phone opens each
// quickly; part 0 is IndividualsFile, part k the places after k pages.
inline constexpr std::size_t kPlacesPerPage = 250;
std::string IndividualsFile(int stage, int part);
// A team's page and a player's game log (player 0-based), named by their names.
std::string TeamFile(const PageAddresses& a, int team);
std::string PlayerFile(const PageAddresses& a, int team, int player);
std::string RoundFile(int round);

// True when the scoreboard shows the game.
bool OnScoreboard(const Tournament& t, const GameStats& g);

// The figures of one standings page (all games, or one stage), computed on the games in
// their stored order as QuickPrint computes them: a sum of fractional games played depends
// on the order of its terms, and every page shows QuickPrint's figure.
struct Tables {
  Tournament view;                   // the tournament as the page sees it
  std::vector<Standings> teams;      // standings order
  std::vector<Standings> byIndex;    // team order
  std::vector<Individuals> players;  // individual standings order
  std::size_t listed = 0;            // the players who played (the individuals pages' rows)
  std::size_t IndividualsParts() const {
    return listed == 0 ? 1 : (listed + kPlacesPerPage - 1) / kPlacesPerPage;
  }
};
// stage -1: all games.
Tables TablesOf(const Tournament& t, int stage);

// What every page of one run shares. t holds its games in round order.
struct Site {
  const Tournament& t;
  std::string linkBase;
  std::vector<int> rounds;  // ScoreboardRounds
  bool finalRanking = false;
  std::vector<Tables> tables;  // [0] all games, [s + 1] stage s
  std::vector<bool> teams;     // the teams the report covers, by index; empty: all
  PageAddresses addresses;
  // Which players have a game log, by team and roster position.
  std::vector<std::vector<bool>> logs;
  std::string updated;                  // when the report was written, as the index shows it
  std::vector<FinalRankEntry> ranking;  // the final ranking, when stages exist
  std::vector<SharedRank> places;       // StandingsPlaces
  // TeamLink and PlayerLink of every team and rostered player, made once (MakeLinks):
  // a large report writes them tens of thousands of times.
  std::vector<std::string> teamLinks;
  std::vector<std::vector<std::string>> playerLinks;
};

// Fills the site's teamLinks and playerLinks; until then the links are made each time.
void MakeLinks(Site& site);

// When the report is written: now, or the seconds since 1970 in SOURCE_DATE_EPOCH (then in
// UTC), the convention of reproducible builds, so that tests and repeated runs agree.
// "9 December 2026, 10:42".
std::string ReportTimeText();

// The places of the all-games standings page (in a team's division when divisions are
// used), by team index; Rank 0 for a team without a place.
std::vector<SharedRank> StandingsPlaces(const Site& site);

// True when the report has a page for the team.
bool Covers(const Site& site, int team);

// An address within the report, escaped for an attribute value.
std::string Href(const Site& site, std::string_view suffix);

// The HTML5 frame: head, navigation (current marks this page's entry) and the heading.
void OpenPage(std::string& page, const Site& site, std::string_view title,
              std::string_view current);
void ClosePage(std::string& page);

// One column of a table: its head, the stat key's explanation, and whether it holds
// numbers (right-aligned, sorted as numbers).
struct Column {
  std::string Head;
  std::string Key;
};

// The box a table scrolls in sideways: reachable by keyboard (so it can be scrolled
// without a pointer) and named for the screen reader by label (already escaped).
void OpenTableBox(std::string& page, std::string_view label);

// "<th ...><abbr title=key>head</abbr>" for a column head.
void HeadCell(std::string& page, const Column& c, std::string_view cls = "");

// The column sets of the standings, the players' lines, the games and the box scores;
// heads and explanations follow the settings as the classic stat key does.
std::vector<Column> TeamColumns(const Tournament& t);
std::vector<std::string> TeamValues(const Tournament& t, const Standings& s);
// "W\u2013L", with "\u2013T" when there are ties.
std::string RecordText(const Standings& s);
// The counting columns of a team row (toss-ups on, after the record and averages), also the
// totals under a team's games.
std::vector<std::string> TeamCountValues(const Tournament& t, const Standings& s);
std::vector<Column> PlayerColumns(const Tournament& t);
std::vector<std::string> PlayerValues(const Tournament& t, const Individuals& p);

std::vector<Column> GameColumns(const Tournament& t);   // a team's games
std::vector<Column> RoundColumns(const Tournament& t);  // the round report

// A score with a true minus sign (U+2212), so that "-5" cannot be read as a dash.
std::string ScoreNum(std::int64_t score);
// Two scores, own first: "675 \u2013 \u22125", the dash set off by narrow spaces.
std::string ScorePair(std::int64_t own, std::int64_t other);

// A team name with its exhibition mark, linked to its page.
std::string TeamLink(const Site& site, int team);
// A player's name, linked to the player's game log when there is one (player 0-based).
std::string PlayerLink(const Site& site, int team, int player);
// "=" after a shared place.
std::string RankText(const SharedRank& r);

// The standings table: rows in standings order with their places, team names linked to
// their pages; without places (ranks empty) a team's own record, names unlinked. label
// names its box.
void TeamTable(std::string& page, const Site& site, const Tournament& view,
               const std::vector<const Standings*>& rows, const std::vector<SharedRank>& ranks,
               std::string_view label);

// The individual standings table; a group column (division or bracket) is shown under
// groupHead unless it is empty.
void PlayerTable(std::string& page, const Site& site, const Tournament& view,
                 const std::vector<const Individuals*>& rows, const std::vector<SharedRank>& ranks,
                 std::string_view groupHead);

// The pages; each appends one complete page.
void WriteIndexPage(std::string& page, const Site& site);
void WriteStandingsPage(std::string& page, const Site& site, int stage);
void WriteFinalPage(std::string& page, const Site& site);  // when stages exist
void WriteIndividualsPage(std::string& page, const Site& site, int stage, int part);
void WriteTeamPage(std::string& page, const Site& site, int team,
                   const std::vector<std::size_t>& games, const Standings& record,
                   const std::vector<const Individuals*>& players);
// One game of a player's log: the game's index and the player's side.
struct PlayerGame {
  std::size_t game;
  bool sideA;
};
void WritePlayerPage(std::string& page, const Site& site, const Individuals& player,
                     const std::vector<PlayerGame>& games);
void WriteRoundIndexPage(std::string& page, const Site& site);
void WriteRoundPage(std::string& page, const Site& site, int round,
                    const std::vector<std::size_t>& games);
void WriteRoundReport(std::string& page, const Site& site);
void WriteKeyPage(std::string& page, const Site& site);
// The search's data: every team and every player with a game log, with their addresses,
// as a script (a page opened from disk may not read a JSON file).
void WriteSearchData(std::string& page, const Site& site);

// The style sheet, the script and the icon (the program's own, a PNG) written beside the
// pages.
std::string_view StyleSheetText();
std::string_view ScriptText();
std::string_view IconBytes();

}  // namespace drav::modern
