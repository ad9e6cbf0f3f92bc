#include "stats/final_ranking.h"
#include "stats/stage_standings.h"
#include "web/html.h"
#include "web/modern/charts.h"
#include "web/modern/site.h"

namespace drav::modern {

void WriteFinalPage(std::string& page, const Site& site) {
  const Tournament& t = site.t;
  OpenPage(page, site, "Final ranking", kFinalFile);
  const std::vector<FinalRankEntry> ranking = FinalRanking(t);
  if (ranking.empty()) {
    page += "<p class=\"note\">No team has a place yet.</p>\n";
    ClosePage(page);
    return;
  }
  const auto& stages = t.Extras.Stages;
  if (!stages.empty() && stages.back().Kind == StageKind::Elimination)
    page +=
        "<p class=\"note\">The teams of the last stage first, the later a team went out the "
        "higher, then the teams that stopped in an earlier stage.</p>\n";
  else
    page +=
        "<p class=\"note\">The teams of the last stage first, bracket by bracket, then the "
        "teams that stopped in an earlier stage.</p>\n";
  if (FinalRankingProvisional(t))
    page += "<p class=\"note\">Provisional: the tournament is not marked finished yet.</p>\n";
  OpenTableBox(page, "Final ranking");
  page += "<table class=\"st sort\">\n<thead><tr>";
  HeadCell(page, {"#", "Place in the final ranking; = marks a shared place"}, "r");
  HeadCell(page, {"Team", ""}, "n");
  HeadCell(page, {"Stage", "The stage the team finished in"}, "l");
  HeadCell(page, {"Bracket", "Its bracket there"}, "l");
  page += "</tr></thead>\n<tbody>\n";
  for (const FinalRankEntry& e : ranking) {
    if (!t.IsTeam(e.Team)) continue;
    page += "<tr><td class=r>" + RankText({e.Rank, e.Tied}) + "<th class=n>" +
            TeamLink(site, e.Team) + "<td class=l>";
    if (e.Stage >= 0 && static_cast<std::size_t>(e.Stage) < stages.size()) {
      const Stage& stage = stages[static_cast<std::size_t>(e.Stage)];
      page += "<a href=\"" + Href(site, StandingsFile(e.Stage)) + "\">" +
              HtmlEscape(StageLabel(stage)) + "</a><td class=l>";
      if (e.Bracket >= 0 && static_cast<std::size_t>(e.Bracket) < stage.Brackets.size())
        page += HtmlEscape(stage.Brackets[static_cast<std::size_t>(e.Bracket)].Name);
    } else {
      page += "<td class=l>";
    }
    if (e.Manual) page += " (place set by the director)";
    page += "\n";
  }
  page += "</tbody></table></div>\n";
  for (std::size_t s = 0; s < stages.size(); ++s)
    if (stages[s].Kind == StageKind::Elimination) page += StageBracket(site, static_cast<int>(s));
  ClosePage(page);
}

}  // namespace drav::modern
