#include "web/page_frame.h"

#include "web/html.h"

namespace drav {

using web::Line;

std::string PageHref(std::string_view linkBase, std::string_view suffix, std::string_view anchor) {
  std::string href(linkBase);
  href += EncodeLinkName(suffix);
  href += anchor;
  return HtmlEscapeLink(href);
}

void WritePageHead(std::string& page, const Tournament& t, std::string_view linkBase,
                   std::string_view titleWord, std::string_view h1Word,
                   std::string_view statKeyAnchor) {
  const TourneyFormat& f = t.Format;
  const std::string name = HtmlEscape(f.TourneyName);
  Line(page, "<HTML>");
  Line(page, "<HEAD>");
  Line(page, "<TITLE> ", name, " ", titleWord, " </TITLE>");
  if (f.StyleSheet)
    Line(page, "<LINK REL=stylesheet TYPE=\"text/css\" HREF=", PageHref(linkBase, "_style.css"),
         ">");
  else
    Line(page, "");
  Line(page, "</HEAD>");
  Line(page, "<BODY>");
  Line(page, "<table border=0 width=100%>");
  Line(page, "<tr>");
  struct NavItem {
    int on;
    const std::string& suffix;
    const char* label;
  };
  const NavItem items[] = {
      {f.TeamStandings, f.StandingsFile, "Standings"},
      {f.IndividualStandings, f.IndividualsFile, "Individuals"},
      {f.Scoreboard, f.ScoreboardFile, "Scoreboard"},
      {f.TeamDetail, f.TeamDetailFile, "Team Detail"},
      {f.IndividualDetail, f.PlayerDetailFile, "Individual Detail"},
      {f.RoundReports, f.RoundsFile, "Round Report"},
  };
  for (const NavItem& item : items) {
    if (item.on)
      Line(page, "  <td><A HREF=", PageHref(linkBase, item.suffix), ">", item.label, "</A></td>");
  }
  if (f.StatKey)
    Line(page, "  <td><A HREF=", PageHref(linkBase, f.StatKeyFile, statKeyAnchor),
         ">Stat Key</A></td>");
  Line(page, "</tr>");
  Line(page, "</table>");
  Line(page, "<H1>", name, " ", h1Word, "</H1><P>");
}

void WritePageFoot(std::string& page) {
  Line(page, "</BODY>");
  Line(page, "</HTML>");
}

}  // namespace drav
