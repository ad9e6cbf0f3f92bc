#include "stats/final_ranking.h"
#include "stats/stage_standings.h"
#include "web/html.h"
#include "web/page_frame.h"
#include "web/pages.h"

namespace drav {

using web::Line;

bool HasClassicFinalPage(const Tournament& t) {
  if (t.Extras.Stages.empty()) return false;
  if (t.Extras.Finished || !t.Extras.FinalPlaces.empty()) return true;
  for (const Stage& s : t.Extras.Stages)
    if (s.Kind == StageKind::Elimination) return true;
  return false;
}

void WriteFinalRankingPage(std::string& page, const Tournament& t, std::string_view linkBase) {
  WritePageHead(page, t, linkBase, "Final Ranking", "Final Ranking", "");
  if (FinalRankingProvisional(t))
    Line(page, "<P><I>Provisional: the tournament is not marked finished yet.</I></P>");
  Line(page, "<table border=1 width=100%>");
  Line(page, "<tr>");
  Line(page, "  <td ALIGN=RIGHT><B>Rank</B></td>");
  Line(page, "  <td ALIGN=LEFT><B>Team</B></td>");
  Line(page, "  <td ALIGN=LEFT><B>Finished in</B></td>");
  Line(page, "</tr>");
  const auto& stages = t.Extras.Stages;
  for (const FinalRankEntry& e : FinalRanking(t)) {
    std::string where;
    if (e.Manual) {
      where = "Place set by the director";
    } else if (e.Stage >= 0 && static_cast<std::size_t>(e.Stage) < stages.size()) {
      const Stage& s = stages[static_cast<std::size_t>(e.Stage)];
      where = HtmlEscape(StageLabel(s));
      if (e.Bracket >= 0 && static_cast<std::size_t>(e.Bracket) < s.Brackets.size())
        where += ": " + HtmlEscape(s.Brackets[static_cast<std::size_t>(e.Bracket)].Name);
    }
    Line(page, "<tr>");
    Line(page, "  <td ALIGN=RIGHT>", web::Num(e.Rank), e.Tied ? "=" : "", "</td>");
    Line(page, "  <td ALIGN=LEFT>", HtmlEscape(t.TeamName(e.Team)), "</td>");
    Line(page, "  <td ALIGN=LEFT>", where, "</td>");
    Line(page, "</tr>");
  }
  Line(page, "</table>");
  WritePageFoot(page);
}

}  // namespace drav
