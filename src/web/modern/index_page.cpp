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
  page += "</p>\n";

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
      page += "<tr><th><a href=\"" + Href(site, StandingsFile(i)) + "\">" +
              HtmlEscape(stage.Name) + "</a><td>" + Num(stage.FirstRound) + "\xE2\x80\x93" +
              Num(stage.LastRound) + "<td class=l>";
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
