#include "web/html.h"
#include "web/modern/site.h"

namespace drav::modern {

namespace {

void Section(std::string& page, std::string_view id, std::string_view heading,
             const std::vector<Column>& columns) {
  page += "<h2 id=\"";
  page += id;
  page += "\">";
  page += heading;
  page += "</h2>\n<dl class=\"key\">\n";
  for (const Column& c : columns)
    page += "<dt>" + c.Head + "</dt><dd>" + HtmlEscape(c.Key) + "</dd>\n";
  page += "</dl>\n";
}

}  // namespace

void WriteKeyPage(std::string& page, const Site& site) {
  const Tournament& t = site.t;
  OpenPage(page, site, "Stat key", kKeyFile);
  page +=
      "<p class=\"note\">Every column head of the tables carries its explanation as a "
      "tooltip, and every page lists the explanations of its columns in a key under its "
      "heading. Tied places show \"=\"; \"exh\" marks an exhibition team, whose games do not "
      "count for its opponents, and \"TB\" a tiebreaker game.</p>\n";
  Section(page, "teams", "Team standings", TeamColumns(t));
  Section(page, "players", "Individual standings and players' lines", PlayerColumns(t));
  Section(page, "games", "A team's games", GameColumns(t));
  Section(page, "rounds", "Round report", RoundColumns(t));
  ClosePage(page);
}

}  // namespace drav::modern
