#include <algorithm>

#include "stats/figures.h"
#include "stats/full_games_note.h"
#include "stats/player_stats.h"
#include "stats/stage_view.h"
#include "stats/standings_order.h"
#include "web/html.h"
#include "web/modern/charts.h"
#include "web/modern/site.h"

namespace drav::modern {

namespace {

std::string PageTitle(const Site& site, std::string_view what, int stage) {
  std::string title(what);
  if (stage >= 0)
    title += ": " + HtmlEscape(site.t.Extras.Stages[static_cast<std::size_t>(stage)].Name);
  else if (!site.t.Extras.Stages.empty())
    title += ": all games";
  return title;
}

// Links to the same page for the other stages.
void StageLinks(std::string& page, const Site& site, int stage, std::string (*file)(int)) {
  const auto& stages = site.t.Extras.Stages;
  if (stages.empty()) return;
  page += "<nav class=\"sub\" aria-label=\"Stages\">";
  for (int s = -1; s < static_cast<int>(stages.size()); ++s) {
    page += "<a href=\"" + Href(site, file(s)) + "\"";
    if (s == stage) page += " aria-current=\"page\"";
    page += ">";
    page += s < 0 ? std::string("All games") : HtmlEscape(stages[static_cast<std::size_t>(s)].Name);
    page += "</a>";
  }
  if (site.finalRanking) page += "<a href=\"" + Href(site, kFinalFile) + "\">Final ranking</a>";
  page += "</nav>\n";
}

// "1–250": places first+1 to end.
std::string PlacesText(std::size_t first, std::size_t end) {
  return web::Num(static_cast<std::int64_t>(first + 1)) + "\xE2\x80\x93" +
         web::Num(static_cast<std::int64_t>(end));
}

// Links to every page of a long individual standings.
void PartLinks(std::string& page, const Site& site, int stage, int part, std::size_t parts,
               std::size_t listed) {
  page += "<nav class=\"sub\" aria-label=\"Places\">";
  for (std::size_t k = 0; k < parts; ++k) {
    const int at = static_cast<int>(k);
    page += "<a href=\"" + Href(site, IndividualsFile(stage, at)) + "\"";
    if (at == part) page += " aria-current=\"page\"";
    page +=
        ">" + PlacesText(k * kPlacesPerPage, std::min(listed, (k + 1) * kPlacesPerPage)) + "</a>";
  }
  page += "</nav>\n";
}

}  // namespace

Tables TablesOf(const Tournament& t, int stage) {
  Tables out{stage < 0 ? t : StageView(t, stage), {}, {}, {}};
  out.teams = ComputeTeamStats(out.view);
  SortTeamStats(out.view, out.teams, out.byIndex);
  out.players = ComputePlayerStats(out.view);
  SortPlayerStats(out.view, out.players);
  for (const Individuals& p : out.players)
    if (p.GP > 0) ++out.listed;
  return out;
}

std::vector<SharedRank> StandingsPlaces(const Site& site) {
  const Tables& tables = site.tables.front();
  const Tournament& view = tables.view;
  const TeamOrder order(view, tables.byIndex);
  std::vector<SharedRank> places(static_cast<std::size_t>(view.TeamCount()));
  const bool grouped = view.Format.Divisions != 0;
  const std::size_t groups = grouped ? view.DivisionNames.size() : 1;
  for (std::size_t d = 0; d < groups; ++d) {
    std::vector<const Standings*> rows;
    for (const Standings& s : tables.teams)
      if (s.GamesCount > 0 && (!grouped || view.DivisionOf(s.TeamIndex) == static_cast<int>(d)))
        rows.push_back(&s);
    const auto ranks = SharedRanks(
        rows, [&](const Standings& a, const Standings& b) { return TeamBefore(a, b, order); });
    for (std::size_t i = 0; i < rows.size(); ++i)
      if (view.IsTeam(rows[i]->TeamIndex))
        places[static_cast<std::size_t>(rows[i]->TeamIndex)] = ranks[i];
  }
  return places;
}

void WriteStandingsPage(std::string& page, const Site& site, int stage) {
  const Tables& tables = site.tables.at(static_cast<std::size_t>(stage + 1));
  const Tournament& view = tables.view;
  const std::vector<Standings>& teamStats = tables.teams;
  const TeamOrder order(view, tables.byIndex);
  OpenPage(page, site, PageTitle(site, "Team standings", stage), StandingsFile(stage));
  StageLinks(page, site, stage, &StandingsFile);

  // One table per division (bracket) when used; each keeps the standings order.
  const bool grouped = view.Format.Divisions != 0;
  const std::size_t groups = grouped ? view.DivisionNames.size() : 1;
  std::vector<const Standings*> plotted;
  for (std::size_t d = 0; d < groups; ++d) {
    std::vector<const Standings*> rows;
    for (const Standings& s : teamStats) {
      if (s.GamesCount <= 0) continue;
      if (grouped && view.DivisionOf(s.TeamIndex) != static_cast<int>(d)) continue;
      rows.push_back(&s);
    }
    const auto ranks = SharedRanks(
        rows, [&](const Standings& a, const Standings& b) { return TeamBefore(a, b, order); });
    const std::string label = grouped ? HtmlEscape(view.DivisionNames[d]) : "Team standings";
    if (grouped) page += "<h2>" + label + "</h2>\n";
    if (rows.empty())
      page += "<p class=\"note\">No games yet.</p>\n";
    else
      TeamTable(page, site, view, rows, ranks, label);
    plotted.insert(plotted.end(), rows.begin(), rows.end());
  }
  page += StandingsScatter(site, plotted);
  // Teams that also played score-only games: which games their rates come from.
  const std::vector<const Standings*> mixed = TeamsWithScoreOnlyGames(teamStats);
  if (!mixed.empty()) {
    page += "<p class=\"note\">" + std::string(kFullGamesNoteHeading) + "</p>\n<ul class=\"note\">";
    for (const Standings* s : mixed)
      page += "<li>" + FullGamesNote(HtmlEscape(s->TeamName), *s) + "</li>";
    page += "</ul>\n";
  }
  ClosePage(page);
}

void WriteIndividualsPage(std::string& page, const Site& site, int stage, int part) {
  const Tables& tables = site.tables.at(static_cast<std::size_t>(stage + 1));
  const Tournament& view = tables.view;
  const std::vector<Individuals>& players = tables.players;
  const std::size_t parts = tables.IndividualsParts();
  std::string title = PageTitle(site, "Individual standings", stage);
  const std::size_t first = static_cast<std::size_t>(part) * kPlacesPerPage;
  const std::size_t end = std::min(tables.listed, first + kPlacesPerPage);
  if (parts > 1) title += " (places " + PlacesText(first, end) + ")";
  OpenPage(page, site, title, IndividualsFile(stage));
  StageLinks(page, site, stage, &IndividualsFile);
  std::vector<const Individuals*> rows;
  for (const Individuals& p : players)
    if (p.GP > 0) rows.push_back(&p);
  std::vector<SharedRank> ranks = SharedRanks(
      rows, [&](const Individuals& a, const Individuals& b) { return PlayerBefore(a, b, view); });
  if (parts > 1) {
    PartLinks(page, site, stage, part, parts, tables.listed);
    rows = {rows.begin() + static_cast<std::ptrdiff_t>(first),
            rows.begin() + static_cast<std::ptrdiff_t>(end)};
    ranks = {ranks.begin() + static_cast<std::ptrdiff_t>(first),
             ranks.begin() + static_cast<std::ptrdiff_t>(end)};
  }
  std::string_view group;
  if (view.Format.Divisions != 0) group = stage < 0 ? "Division" : "Bracket";
  if (rows.empty())
    page += "<p class=\"note\">No games yet.</p>\n";
  else
    PlayerTable(page, site, view, rows, ranks, group);
  if (parts > 1) PartLinks(page, site, stage, part, parts, tables.listed);
  ClosePage(page);
}

}  // namespace drav::modern
