#include <cstdint>
#include <string>

#include "stats/figures.h"
#include "stats/full_games_note.h"
#include "web/html.h"
#include "web/page_frame.h"
#include "web/pages.h"

namespace drav {

namespace {

using web::Line;
using web::Num;

void LeftHead(std::string& page, std::string_view text) {
  Line(page, "  <td ALIGN=LEFT><B>", text, "</B></td>");
}
void RightHead(std::string& page, std::string_view text) {
  Line(page, "  <td ALIGN=RIGHT><B>", text, "</B></td>");
}
void Data(std::string& page, std::string_view text) {
  Line(page, "  <td ALIGN=RIGHT>", text, "</td>");
}

void TeamHeader(std::string& page, const Tournament& t) {
  const TourneyFormat& f = t.Format;
  Line(page, "<table border=1 width=100%>");
  Line(page, "<tr>");
  LeftHead(page, "Rank");
  LeftHead(page, "Team");
  for (const char* head : {"W", "L", "T", "Pct", "PPG", "PAPG", "Mrg"}) RightHead(page, head);
  if (f.SortCriterion == 3) RightHead(page, "SoS");
  for (int v : t.QuestionValues)
    if (v != 0) RightHead(page, Num(v));
  if (f.TUHeard) {
    RightHead(page, f.BritishStyle ? "SH" : "TUH");
    RightHead(page, f.BritishStyle ? "PPSH" : "PPTH");
  }
  if (f.PowNeg) {
    RightHead(page, "P/N");
    RightHead(page, "G/N");
  }
  if (f.Sixty) RightHead(page, "Ltng");
  if (f.TrackBonuses) {
    RightHead(page, "BHrd");
    RightHead(page, "BPts");
    RightHead(page, "P/B");
    if (f.BonusMode == 3) {
      RightHead(page, "BBHrd");
      RightHead(page, "BBPts");
      RightHead(page, "P/BB");
    }
  }
  Line(page, "</tr>");
}

void TeamRow(std::string& page, const Tournament& t, const Standings& s, int rank,
             std::string_view linkBase) {
  const TourneyFormat& f = t.Format;
  Line(page, "<tr>");
  Line(page, "  <td ALIGN=LEFT>", Num(rank), "</td>");
  Line(page, "  <td ALIGN=LEFT>");
  const std::string name = HtmlEscape(s.TeamName);
  if (f.TeamDetail)
    Line(page, "<A HREF=", PageHref(linkBase, f.TeamDetailFile, "#t" + Num(s.LinkIndex)), ">", name,
         "</A></td>");
  else
    Line(page, name, "</td>");
  Data(page, Num(ShownWins(s)));
  Data(page, Num(ShownLosses(s)));
  Data(page, Num(s.Ties));
  Data(page, PctText(WinningPct(s)));
  Data(page, AverageText(PointsPerGame(s)));
  Data(page, AverageText(PointsAgainstPerGame(s)));
  Data(page, AverageText(Margin(s)));
  if (f.SortCriterion == 3) Data(page, AverageText(ScheduleStrength(s)));
  for (int k = 0; k < kColumns; ++k)
    if (t.QuestionValues[k] != 0) Data(page, Num(s.TossUps[k]));
  if (f.TUHeard) {
    Data(page, Num(s.TUH));
    Data(page, RatioText(PointsPerTossupHeard(s)));
  }
  if (f.PowNeg) {
    Data(page, PowerNegText(s));
    Data(page, GetNegText(s));
  }
  if (f.Sixty) Data(page, Num(s.LightningPts));
  if (f.TrackBonuses) {
    Data(page, Num(s.BonusHeard));
    Data(page, Num(s.BonusPts));
    Data(page, RatioText(PointsPerBonus(s)));
    if (f.BonusMode == 3) {
      Data(page, Num(s.BounceHeard));
      Data(page, Num(s.BouncePts));
      Data(page, RatioText(PointsPerBounceback(s)));
    }
  }
  Line(page, "</tr>");
}

// One table of the teams with games, in the given (standings) order; division -1 means
// every team, otherwise only the teams of that division.
void TeamSection(std::string& page, const Tournament& t, const std::vector<Standings>& teamStats,
                 int division, std::string_view linkBase) {
  TeamHeader(page, t);
  int rank = 1;
  for (const Standings& s : teamStats) {
    if (s.GamesCount <= 0) continue;
    if (division >= 0 && t.DivisionOf(s.TeamIndex) != division) continue;
    TeamRow(page, t, s, rank++, linkBase);
  }
  Line(page, "</table>");
}

}  // namespace

void WriteTeamStandingsPage(std::string& page, const Tournament& t,
                            const std::vector<Standings>& teamStats, std::string_view linkBase) {
  WritePageHead(page, t, linkBase, "Team Standings", "Team Standings", "#TeamStandings");
  if (t.Format.Divisions) {
    for (std::size_t d = 0; d < t.DivisionNames.size(); ++d) {
      Line(page, "<P><P><H2>", HtmlEscape(t.DivisionNames[d]), "</H2><P>");
      TeamSection(page, t, teamStats, static_cast<int>(d), linkBase);
    }
  } else {
    TeamSection(page, t, teamStats, -1, linkBase);
  }
  const std::vector<const Standings*> mixed = TeamsWithScoreOnlyGames(teamStats);
  if (!mixed.empty()) {
    Line(page, "<P>", kFullGamesNoteHeading);
    for (const Standings* s : mixed) Line(page, "<BR>", FullGamesNote(HtmlEscape(s->TeamName), *s));
  }
  WritePageFoot(page);
}

void WriteIndividualStandingsPage(std::string& page, const Tournament& t,
                                  const std::vector<Individuals>& playerStats,
                                  std::string_view linkBase) {
  const TourneyFormat& f = t.Format;
  WritePageHead(page, t, linkBase, "Individual Statistics", "Individual Statistics",
                "#IndividualStandings");
  Line(page, "<table border=1 width=100%>");
  Line(page, "<tr>");
  LeftHead(page, "Rank");
  LeftHead(page, "Player");
  LeftHead(page, "Team");
  if (f.Divisions) LeftHead(page, "Division");
  RightHead(page, "GP");
  for (int v : t.QuestionValues)
    if (v != 0) RightHead(page, Num(v));
  if (f.TUHeard) {
    RightHead(page, f.BritishStyle ? "SH" : "TUH");
    RightHead(page, f.BritishStyle ? "P/S" : "P/TU");
  }
  if (f.PowNeg) {
    RightHead(page, "P/N");
    RightHead(page, "G/N");
  }
  RightHead(page, "Pts");
  RightHead(page, "PPG");
  Line(page, "</tr>");

  int rank = 1;
  for (const Individuals& p : playerStats) {
    if (!(p.GP > 0)) continue;
    Line(page, "<tr>");
    Line(page, "  <td ALIGN=LEFT>", Num(rank++), "</td>");
    const std::string name = HtmlEscape(p.PlayerName);
    if (f.IndividualDetail)
      Line(page, "  <td ALIGN=LEFT><A HREF=",
           PageHref(linkBase, f.PlayerDetailFile,
                    "#p" + Num(p.PlayerIndex) + "_" + Num(p.LinkIndex)),
           ">", name, "</A></td>");
    else
      Line(page, "  <td ALIGN=LEFT>", name, "</td>");
    Line(page, "  <td ALIGN=LEFT>", HtmlEscape(p.TeamName), "</td>");
    if (f.Divisions) {
      const int division = t.DivisionOf(p.TeamIndex);
      if (division >= 0 && static_cast<std::size_t>(division) < t.DivisionNames.size())
        Line(page, "  <td ALIGN=LEFT>",
             HtmlEscape(t.DivisionNames[static_cast<std::size_t>(division)]), "</td>");
      else
        Line(page, "  <td ALIGN=LEFT> </td>");
    }
    Data(page, AverageText(p.GP));
    for (int k = 0; k < kColumns; ++k)
      if (t.QuestionValues[k] != 0) Data(page, Num(p.TossUps[k]));
    if (f.TUHeard) {
      Data(page, Num(p.TUH));
      Data(page, RatioText(PointsPerTossupHeard(p)));
    }
    if (f.PowNeg) {
      Data(page, PowerNegText(p));
      Data(page, GetNegText(p));
    }
    Data(page, Num(p.Points));
    Data(page, RatioText(PointsPerGame(p)));
    Line(page, "</tr>");
  }
  Line(page, "</table>");
  WritePageFoot(page);
}

}  // namespace drav
