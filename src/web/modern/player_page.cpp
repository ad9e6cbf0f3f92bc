#include <cmath>

#include "stats/figures.h"
#include "stats/game_figures.h"
#include "web/html.h"
#include "web/modern/site.h"

namespace drav::modern {

namespace {

using web::Num;

// A games-played fraction of one game: whole games plainly, parts to two places.
std::string GamesPlayedText(double gp) {
  return gp == std::floor(gp) && std::fabs(gp) < 1e15 ? Num(static_cast<std::int64_t>(gp))
                                                      : RatioText(gp);
}

// The player's figures in one game: every row of the player summed.
struct Line {
  double gp = 0;
  std::int64_t tuh = 0;
  std::array<std::int64_t, kColumns> slots{};
  std::int64_t points = 0;
};

Line LineOf(const GameStats& g, bool sideA, int player) {
  Line line;
  for (int row = 0; row < kRows; ++row) {
    if ((sideA ? g.PlayerA[row] : g.PlayerB[row]) != player) continue;
    const double gp = sideA ? g.GPA[row] : g.GPB[row];
    line.gp += gp;
    AddTossupsHeard(line.tuh, RowTossupsHeard(g.TUH, gp));
    for (int k = 0; k < kColumns; ++k) line.slots[k] += sideA ? g.QA(k, row) : g.QB(k, row);
    line.points += sideA ? g.PtsA[row] : g.PtsB[row];
  }
  return line;
}

}  // namespace

void WritePlayerPage(std::string& page, const Site& site, const Individuals& p,
                     const std::vector<PlayerGame>& games) {
  const Tournament& t = site.t;
  const bool british = t.Format.BritishStyle != 0;
  const int team = p.TeamIndex;
  OpenPage(page, site, HtmlEscape(p.PlayerName), "");
  page += "<p class=\"note\">" + TeamLink(site, team) + " \xC2\xB7 " + Num(p.Points) +
          " points in " + AverageText(p.GP) + " games played, " + RatioText(PointsPerGame(p)) +
          " per game</p>\n<h2>Games</h2>\n";
  if (games.empty()) {
    page += "<p class=\"note\">No games yet.</p>\n";
    ClosePage(page);
    return;
  }
  OpenTableBox(page, "Games");
  page += "<table class=\"st sort log\">\n<thead><tr>";
  HeadCell(page, {"Rd", "Round: opens the round's scoreboard"}, "r");
  HeadCell(page, {"Opponent", "Opens the opponent's page"}, "n");
  HeadCell(page, {"Result", "Won (W), lost (L) or tied (T), with the score: opens the box score"},
           "l");
  HeadCell(page, {"GP", "Games played: the part of the game the player played"});
  HeadCell(page, {british ? "SH" : "TUH", british ? "Starters heard" : "Toss-ups heard"});
  for (int v : t.QuestionValues)
    if (v != 0)
      HeadCell(page, {Num(v), v < 0 ? "Incorrect interrupts" : Num(v) + "-point answers"});
  HeadCell(page, {"Pts", "Points"});
  page += "</tr></thead>\n<tbody>\n";
  for (const PlayerGame& pg : games) {
    const GameStats& g = t.Games[pg.game];
    const SideFigures s = SideOfGame(g, pg.sideA);
    const Line line = LineOf(g, pg.sideA, p.PlayerIndex - 1);
    const std::string round = Href(site, RoundFile(g.Round));
    page += "<tr><td><a href=\"" + round + "\">" + Num(g.Round) + "</a><th>" +
            TeamLink(site, pg.sideA ? g.TeamB : g.TeamA) + "<td class=l>" +
            (s.Own > s.Other   ? "W "
             : s.Own < s.Other ? "L "
                               : "T ") +
            "<a href=\"" + round + "#g" + Num(static_cast<std::int64_t>(pg.game)) + "\">" +
            ScorePair(s.Own, s.Other) + "</a><td>" + GamesPlayedText(line.gp) + "<td>" +
            Num(line.tuh);
    for (int k = 0; k < kColumns; ++k)
      if (t.QuestionValues[k] != 0) page += "<td>" + Num(line.slots[k]);
    page += "<td>" + Num(line.points) + "\n";
  }
  // The totals are the player's figures of the standings, games played as QuickPrint has it.
  page += "</tbody>\n<tfoot><tr><td class=r><th class=n>Total<td class=l><td>" + AverageText(p.GP) +
          "<td>" + Num(p.TUH);
  for (int k = 0; k < kColumns; ++k)
    if (t.QuestionValues[k] != 0) page += "<td>" + Num(p.TossUps[k]);
  page += "<td>" + Num(p.Points) + "</tfoot></table></div>\n";
  ClosePage(page);
}

}  // namespace drav::modern
