#include <algorithm>
#include <cstdint>

#include "stats/figures.h"
#include "stats/game_figures.h"
#include "stats/player_stats.h"
#include "web/html.h"
#include "web/modern/site.h"

namespace drav::modern {

namespace {

using web::Num;

// "Round N", with its packet when the packets (counted from the first round) name one.
std::string RoundLabel(const Site& site, int round) {
  std::string label = "Round " + Num(round);
  const Tournament& t = site.t;
  if (t.Games.empty()) return label;
  const std::int64_t packet = static_cast<std::int64_t>(round) - t.Games.front().Round;
  if (packet >= 0 && packet < static_cast<std::int64_t>(t.PacketNames.size()) &&
      !t.PacketNames[static_cast<std::size_t>(packet)].empty())
    label += " (" + HtmlEscape(t.PacketNames[static_cast<std::size_t>(packet)]) + ")";
  return label;
}

// Every round when they are few; otherwise the neighbours and the index, so that a file with
// thousands of rounds does not repeat thousands of links on every round page.
void RoundNav(std::string& page, const Site& site, int current) {
  constexpr std::size_t kAllRoundsUpTo = 40;
  page += "<nav class=\"sub rounds\" aria-label=\"Rounds\">";
  auto link = [&](int round, const std::string& label) {
    page += "<a href=\"" + Href(site, RoundFile(round)) + "\"";
    if (round == current) page += " aria-current=\"page\"";
    page += ">" + label + "</a>";
  };
  const std::vector<int>& rounds = site.rounds;
  if (rounds.size() <= kAllRoundsUpTo) {
    for (int round : rounds) link(round, Num(round));
  } else {
    const auto at = std::lower_bound(rounds.begin(), rounds.end(), current);
    if (at != rounds.begin()) link(*(at - 1), "\xE2\x80\xB9 " + Num(*(at - 1)));
    page += "<a href=\"" + Href(site, kGamesFile) + "\">All rounds</a>";
    if (at != rounds.end() && at + 1 != rounds.end())
      link(*(at + 1), Num(*(at + 1)) + " \xE2\x80\xBA");
  }
  page += "</nav>\n";
}

std::string Ratio(std::int64_t numerator, std::int64_t divisor) {
  return RatioText(Quotient(static_cast<double>(numerator), static_cast<double>(divisor)));
}

// The head row of every box score of the report.
std::string BoxScoreHead(const Tournament& t) {
  const TourneyFormat& f = t.Format;
  std::string head;
  HeadCell(head, {"Player", "Opens the player's games"}, "n");
  HeadCell(head,
           {f.BritishStyle ? "SH" : "TUH", f.BritishStyle ? "Starters heard" : "Toss-ups heard"});
  for (int v : t.QuestionValues)
    if (v != 0)
      HeadCell(head, {Num(v), v < 0 ? "Incorrect interrupts" : Num(v) + "-point answers"});
  HeadCell(head, {"Pts", "Points"});
  return head;
}

// One team's box score: a row per player who played, with toss-ups heard, the toss-ups
// per value and the points, then the team's bonus (and lightning) line.
void BoxScore(std::string& page, const Site& site, const std::string& boxHead, const GameStats& g,
              bool sideA) {
  const Tournament& t = site.t;
  const TourneyFormat& f = t.Format;
  const int team = sideA ? g.TeamA : g.TeamB;
  const SideFigures side = SideOfGame(g, sideA);
  const std::string name = HtmlEscape(t.TeamName(team));
  page += "<div class=\"side\">";
  OpenTableBox(page, name);
  page += "<table class=\"box nr\"><caption>";
  page += name;
  page += " ";
  page += ScoreNum(side.Own);
  page += "</caption>\n<thead><tr>";
  page += boxHead;
  page += "</tr></thead>\n<tbody>\n";
  for (int j = 0; j < kRows; ++j) {
    const double gp = sideA ? g.GPA[j] : g.GPB[j];
    if (!(gp > 0)) continue;
    const int player = sideA ? g.PlayerA[j] : g.PlayerB[j];
    page += "<tr><th>";
    if (player >= 0 && player < t.PlayerCount(team))
      page += PlayerLink(site, team, player);
    else
      page += "\xE2\x80\x94";
    page += "<td>";
    page += NumberText::Integer(RowTossupsHeard(g.TUH, gp));
    for (int k = 0; k < kColumns; ++k)
      if (t.QuestionValues[k] != 0) {
        page += "<td>";
        page += NumberText::Integer(sideA ? g.QA(k, j) : g.QB(k, j));
      }
    page += "<td>";
    page += NumberText::Integer(sideA ? g.PtsA[j] : g.PtsB[j]);
    page += "\n";
  }
  page += "</tbody></table></div>\n";
  std::string extra;
  if (f.TrackBonuses) {
    extra += "Bonuses: " + Num(side.BonusHeard) + " heard, " + Num(side.BonusPts) + " pts (" +
             Ratio(side.BonusPts, side.BonusHeard) + " per bonus)";
    if (f.BonusMode == 3)
      extra += "; bouncebacks: " + Num(side.BounceHeard) + " heard, " + Num(side.BouncePts) +
               " pts (" + Ratio(side.BouncePts, side.BounceHeard) + ")";
  }
  if (f.Sixty)
    extra += (extra.empty() ? "" : "; ") + std::string("lightning: ") + Num(side.Lightning);
  if (!extra.empty()) page += "<p class=\"bx\">" + extra + "</p>\n";
  page += "</div>\n";
}

// The round's results, one line a game, each leading to its box score below.
void Results(std::string& page, const Site& site, const std::vector<std::size_t>& games) {
  if (games.empty()) return;
  const Tournament& t = site.t;
  page += "<h2>Results</h2>\n<ul class=\"results\">\n";
  for (std::size_t index : games) {
    const GameStats& g = t.Games[index];
    const bool aFirst = g.Forfeit != 0 || !(g.ScoreA < g.ScoreB);
    const std::string first = HtmlEscape(t.TeamName(aFirst ? g.TeamA : g.TeamB));
    const std::string second = HtmlEscape(t.TeamName(aFirst ? g.TeamB : g.TeamA));
    page += "<li><a href=\"#g" + Num(static_cast<std::int64_t>(index)) + "\">";
    if (g.Forfeit != 0)
      page += first + " defeats " + second + " by forfeit";
    else if (IsPlayedGame(g))
      page += first + " " + ScoreNum(aFirst ? g.ScoreA : g.ScoreB) + ", " + second + " " +
              ScoreNum(aFirst ? g.ScoreB : g.ScoreA) + (g.Overtime != 0 ? " (OT)" : "");
    else
      page += first + " vs. " + second + ": no score";
    page += "</a></li>\n";
  }
  page += "</ul>\n";
}

void GameBlock(std::string& page, const Site& site, const std::string& boxHead, const GameStats& g,
               std::size_t index) {
  page += "<section class=\"game\" id=\"g" + Num(static_cast<std::int64_t>(index)) + "\">\n<h2>";
  const bool aFirst = g.Forfeit != 0 || !(g.ScoreA < g.ScoreB);
  const int first = aFirst ? g.TeamA : g.TeamB;
  const int second = aFirst ? g.TeamB : g.TeamA;
  if (g.Forfeit != 0) {
    page += TeamLink(site, g.TeamA) + " defeats " + TeamLink(site, g.TeamB) + " by forfeit";
  } else if (IsPlayedGame(g)) {
    page += TeamLink(site, first);
    page += " ";
    page += ScoreNum(aFirst ? g.ScoreA : g.ScoreB);
    page += ", ";
    page += TeamLink(site, second);
    page += " ";
    page += ScoreNum(aFirst ? g.ScoreB : g.ScoreA);
    if (g.ScoreA == g.ScoreB) page += " <abbr class=\"tag\" title=\"Tied game\">tie</abbr>";
    if (g.Overtime != 0) page += " <abbr class=\"tag\" title=\"Overtime\">OT</abbr>";
  } else {
    page += TeamLink(site, g.TeamA) + " vs. " + TeamLink(site, g.TeamB) + ": no score";
  }
  if (g.Tiebreaker) page += " <abbr class=\"tag tb\" title=\"Tiebreaker game\">TB</abbr>";
  page += "</h2>\n";
  if (g.Forfeit == 0 && IsPlayedGame(g)) {
    page += "<div class=\"boxes\">\n";
    BoxScore(page, site, boxHead, g, aFirst);
    BoxScore(page, site, boxHead, g, !aFirst);
    page += "</div>\n";
  }
  page += "</section>\n";
}

}  // namespace

void WriteRoundIndexPage(std::string& page, const Site& site) {
  const Tournament& t = site.t;
  OpenPage(page, site, "Scoreboard", kGamesFile);
  if (site.rounds.empty()) {
    page += "<p class=\"note\">No games yet.</p>\n";
  } else {
    page += "<ul class=\"rlist\">\n";
    std::size_t i = 0;
    for (int round : site.rounds) {
      std::int64_t games = 0;
      for (; i < t.Games.size() && t.Games[i].Round <= round; ++i)
        if (t.Games[i].Round == round && OnScoreboard(t, t.Games[i])) ++games;
      page += "<li><a href=\"" + Href(site, RoundFile(round)) + "\">" + RoundLabel(site, round) +
              "</a> <span class=\"note\">" + Num(games) + (games == 1 ? " game" : " games") +
              "</span></li>\n";
    }
    page += "</ul>\n";
  }
  ClosePage(page);
}

void WriteRoundPage(std::string& page, const Site& site, int round,
                    const std::vector<std::size_t>& games) {
  OpenPage(page, site, RoundLabel(site, round), "");
  RoundNav(page, site, round);
  Results(page, site, games);
  const std::string boxHead = BoxScoreHead(site.t);
  for (std::size_t index : games) GameBlock(page, site, boxHead, site.t.Games[index], index);
  ClosePage(page);
}

std::vector<Column> RoundColumns(const Tournament& t) {
  const TourneyFormat& f = t.Format;
  std::vector<Column> columns = {{"PPG/Team", "Average number of points scored per team per game"}};
  if (f.TUHeard)
    columns.push_back({f.BritishStyle ? "SPts/SH" : "TUPts/TUH",
                       "Average number of points scored on toss-up questions per toss-up heard"});
  if (f.Sixty)
    columns.push_back(
        {"Pts/LtngRd", "Average number of points scored in the lightning round per team per game"});
  if (f.TrackBonuses)
    columns.push_back(
        {"BPts/BHrd", "Average number of points scored on bonus questions per bonus heard"});
  if (f.BonusMode == 3)
    columns.push_back(
        {"BBPts/BBHrd",
         "Average number of points scored on bonus bouncebacks per bonus bounceback heard"});
  return columns;
}

void WriteRoundReport(std::string& page, const Site& site) {
  const Tournament& t = site.t;
  const TourneyFormat& f = t.Format;
  OpenPage(page, site, "Round report", kRoundsFile);
  const std::vector<Column> columns = RoundColumns(t);
  OpenTableBox(page, "Round report");
  page += "<table class=\"st sort nr\">\n<thead><tr>";
  HeadCell(page, {"Round", "The round and its packet: opens its scoreboard"}, "n");
  HeadCell(page, {"Games", "Games counted in the round (forfeits left out)"});
  for (const Column& c : columns) HeadCell(page, c);
  page += "</tr></thead>\n<tbody>\n";
  for (const auto& [round, r] : ComputeRoundFigures(t)) {
    if (!RoundSelected(f, round) || r.TeamGames <= 0) continue;
    page += "<tr><th>";
    if (std::binary_search(site.rounds.begin(), site.rounds.end(), round))
      page +=
          "<a href=\"" + Href(site, RoundFile(round)) + "\">" + RoundLabel(site, round) + "</a>";
    else
      page += RoundLabel(site, round);
    page += "<td>" + Num(r.TeamGames / 2) + "<td>" + RatioText(PointsPerTeamGame(r));
    if (f.TUHeard) page += "<td>" + RatioText(TossUpPointsPerHeard(r));
    if (f.Sixty) page += "<td>" + RatioText(LightningPerTeamGame(r));
    if (f.TrackBonuses) page += "<td>" + RatioText(BonusConversion(r));
    if (f.BonusMode == 3) page += "<td>" + RatioText(BouncebackConversion(r));
    page += "\n";
  }
  page += "</tbody></table></div>\n";
  ClosePage(page);
}

}  // namespace drav::modern
