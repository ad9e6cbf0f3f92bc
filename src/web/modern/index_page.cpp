#include "stats/figures.h"
#include "stats/final_ranking.h"
#include "web/html.h"
#include "web/modern/site.h"

namespace drav::modern {

namespace {
using web::Num;

void Link(std::string& page, const Site& site, std::string_view suffix, std::string_view label) {
  page += "<li><a href=\"" + Href(site, suffix) + "\">";
  page += label;
  page += "</a></li>\n";
}
// The top of the final ranking (its champion first) once there is one, otherwise of the
// standings, and the leading scorers.
void Leaders(std::string& page, const Site& site) {
  constexpr std::size_t kShown = 5;
  const Tournament& t = site.t;
  std::vector<std::pair<SharedRank, int>> top;  // place, team
  bool final = false;
  if (site.finalRanking) {
    for (const FinalRankEntry& e : site.ranking)
      if (Covers(site, e.Team) && top.size() < kShown) top.push_back({{e.Rank, e.Tied}, e.Team});
    final = !top.empty();
  }
  if (!final) {
    const std::vector<SharedRank>& places = site.places;
    // With divisions, each division's leaders: places in different divisions do not compare.
    const bool divisions = t.Format.Divisions != 0;
    for (const Standings& s : site.tables.front().teams) {
      const SharedRank place = places[static_cast<std::size_t>(s.TeamIndex)];
      if (top.size() < kShown && Covers(site, s.TeamIndex) && place.Rank > 0 &&
          (!divisions || place.Rank == 1))
        top.push_back({place, s.TeamIndex});
    }
  }
  if (!top.empty()) {
    // A champion only once the director has marked the tournament finished: before that the
    // top of the ranking may be a prelim leader with the playoffs still to come.
    if (final && t.Extras.Finished && top.front().first.Rank == 1 && !top.front().first.Tied)
      page += "<p class=\"champ\">Champion: " + TeamLink(site, top.front().second) + "</p>\n";
    if (final)
      page += FinalRankingProvisional(t) ? "<h2>Final ranking (provisional)</h2>\n"
                                         : "<h2>Final ranking</h2>\n";
    else
      page += "<h2>Leading teams</h2>\n";
    page += "<ol class=\"top\">\n";
    for (const auto& [place, team] : top) {
      page += "<li><span class=\"pl\">" + RankText(place) + "</span> " + TeamLink(site, team);
      const int d = t.DivisionOf(team);
      if (!final && t.Format.Divisions != 0 && d >= 0 &&
          static_cast<std::size_t>(d) < t.DivisionNames.size())
        page += " <span class=\"note\">" +
                HtmlEscape(t.DivisionNames[static_cast<std::size_t>(d)]) + "</span>";
      page += "</li>\n";
    }
    page += "</ol>\n";
    page += "<p><a href=\"" + Href(site, final ? kFinalFile : StandingsFile(-1)) + "\">" +
            (final ? "The whole final ranking" : "The whole standings") + "</a></p>\n";
  }
  std::vector<const Individuals*> scorers;
  for (const Individuals& p : site.tables.front().players)
    if (p.GP > 0 && Covers(site, p.TeamIndex) && scorers.size() < kShown) scorers.push_back(&p);
  if (scorers.empty()) return;
  page += "<h2>Leading scorers</h2>\n<ol class=\"top\">\n";
  for (const Individuals* p : scorers)
    page += "<li>" + PlayerLink(site, p->TeamIndex, p->PlayerIndex - 1) + " <span class=\"note\">" +
            HtmlEscape(p->TeamName) + ", " + RatioText(PointsPerGame(*p)) + " PPG</span></li>\n";
  page += "</ol>\n";
}

}  // namespace

void WriteIndexPage(std::string& page, const Site& site) {
  const Tournament& t = site.t;
  OpenPage(page, site,
           t.Format.TourneyName.empty() ? std::string("Tournament statistics")
                                        : HtmlEscape(t.Format.TourneyName),
           kIndexFile);
  std::int64_t games = 0;
  for (const GameStats& g : t.Games) games += OnScoreboard(t, g) ? 1 : 0;
  std::int64_t teams = 0;
  for (int team = 0; team < t.TeamCount(); ++team) teams += Covers(site, team) ? 1 : 0;
  page += "<p class=\"note\">" + Num(teams) + (teams == 1 ? " team, " : " teams, ") + Num(games) +
          (games == 1 ? " game" : " games");
  if (site.rounds.size() == 1)
    page += ", round " + Num(site.rounds.front());
  else if (!site.rounds.empty())
    page += ", rounds " + Num(site.rounds.front()) + "\xE2\x80\x93" + Num(site.rounds.back());
  page += "</p>\n<p class=\"note\">Updated " + site.updated + "</p>\n";
  // The search: shown by the script once the data file beside the pages has loaded.
  page +=
      "<form class=\"find\" role=\"search\" hidden><label for=\"find\">Find a team or "
      "player</label>\n<input id=\"find\" type=\"search\" autocomplete=\"off\" "
      "spellcheck=\"false\" aria-describedby=\"found-count\" aria-controls=\"found\">\n"
      "<p id=\"found-count\" class=\"note\" aria-live=\"polite\"></p>\n"
      "<ul id=\"found\" class=\"links\"></ul></form>\n<script src=\"" +
      Href(site, kSearchFile) + "\" defer></script>\n";
  Leaders(page, site);

  const auto& stages = t.Extras.Stages;
  if (!stages.empty()) {
    page += "<h2>Stages</h2>\n";
    OpenTableBox(page, "Stages");
    page += "<table class=\"st nr\">\n<thead><tr>";
    HeadCell(page, {"Stage", "The stage: opens its team standings"}, "n");
    HeadCell(page, {"Rounds", "The rounds the stage covers"});
    HeadCell(page, {"Brackets", "The brackets of the stage, each ranked in its own table"}, "l");
    HeadCell(page, {"Players", "The individual standings of the stage"}, "l");
    page += "</tr></thead>\n<tbody>\n";
    for (std::size_t s = 0; s < stages.size(); ++s) {
      const Stage& stage = stages[s];
      const int i = static_cast<int>(s);
      page += "<tr><th><a href=\"" + Href(site, StandingsFile(i)) + "\">" + HtmlEscape(stage.Name) +
              "</a><td>" + Num(stage.FirstRound) + "\xE2\x80\x93" + Num(stage.LastRound) +
              "<td class=l>";
      for (std::size_t b = 0; b < stage.Brackets.size(); ++b)
        page += (b > 0 ? ", " : "") + HtmlEscape(stage.Brackets[b].Name);
      page += "<td class=l><a href=\"" + Href(site, IndividualsFile(i)) + "\">Individuals</a>\n";
    }
    page += "</tbody></table></div>\n";
  }

  page += "<h2>Reports</h2>\n<ul class=\"links\">\n";
  if (site.finalRanking) Link(page, site, kFinalFile, "Final ranking");
  Link(page, site, StandingsFile(-1),
       stages.empty() ? "Team standings" : "Team standings, all games");
  Link(page, site, IndividualsFile(-1),
       stages.empty() ? "Individual standings" : "Individual standings, all games");
  Link(page, site, kGamesFile, "Scoreboard, round by round");
  Link(page, site, kRoundsFile, "Round report");
  Link(page, site, kKeyFile, "Stat key");
  page += "</ul>\n<h2>Teams</h2>\n<ul class=\"teams\">\n";
  for (int team = 0; team < t.TeamCount(); ++team)
    if (Covers(site, team)) page += "<li>" + TeamLink(site, team) + "</li>\n";
  page += "</ul>\n";
  ClosePage(page);
}

}  // namespace drav::modern
