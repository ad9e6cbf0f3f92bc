#include "model/numbers.h"
#include "web/html.h"
#include "web/page_frame.h"
#include "web/pages.h"

namespace drav {

const char kDravHomepage[] = "https://github.com/drav-stats/drav/blob/main/README.md";

namespace {

using web::Line;

constexpr const char* kTossUpsText =
    "<td>Number of toss-ups answered for the corresponding point value (negative point "
    "values are for incorrect interrupts)</td>";
constexpr const char* kStartersText =
    "<td>Number of starters answered for the corresponding point value (negative point "
    "values are for incorrect interrupts)</td>";
// The team detail section has always read this way, without the closing parenthesis.
constexpr const char* kTeamDetailValuesText =
    "<td>Number of toss-ups answered for the corresponding point value (negative point "
    "values are for incorrect interrupts</td>";

void KeyRow(std::string& page, std::string_view label, std::string_view explanation) {
  Line(page, "<tr>");
  Line(page, label);
  Line(page, explanation);
  Line(page, "</tr>");
}

void ValueRow(std::string& page, const Tournament& t, std::string_view explanation) {
  std::string label = "<td>";
  for (int v : t.QuestionValues) {
    if (v != 0) label += web::Num(v) + " ";
  }
  label += "</td>";
  KeyRow(page, label, explanation);
}

void PowNegRows(std::string& page) {
  KeyRow(page, "<td>P/N</td>", "<td>Ratio of powers to negs</td>");
  KeyRow(page, "<td>G/N</td>", "<td>Ratio of gets (correctly answered questions) to negs</td>");
}

void LightningRow(std::string& page) {
  KeyRow(page, "<td>Ltng</td>",
         "<td>Total number of points scored by the team in the lightning round</td>");
}

void BonusRows(std::string& page, const TourneyFormat& f) {
  if (!f.TrackBonuses) return;
  KeyRow(page, "<td>BHrd</td>", "<td>Total number of bonus questions heard by the team</td>");
  KeyRow(page, "<td>BPts</td>",
         "<td>Total number of points scored by the team on bonus questions</td>");
  KeyRow(page, "<td>P/B</td>",
         "<td>Average number of points scored by the team on bonus questions</td>");
  if (f.BonusMode != 3) return;
  KeyRow(page, "<td>BBHrd</td>", "<td>Total number of bonus bouncebacks heard by the team</td>");
  KeyRow(page, "<td>BBPts</td>",
         "<td>Total number of points scored by the team on bonus bouncebacks</td>");
  KeyRow(page, "<td>P/BB</td>",
         "<td>Average number of points scored by the team on bonus bouncebacks</td>");
}

void TeamStandingsSection(std::string& page, const Tournament& t) {
  const TourneyFormat& f = t.Format;
  const bool british = f.BritishStyle != 0;
  Line(page, "<H2><A NAME=TeamStandings>Team Standings</A></H2><br>");
  Line(page, "<table border=1 width=100%>");
  KeyRow(page, "<td>W, L, T</td>", "<td>Number of games won (W), lost (L), or tied (T)</td>");
  KeyRow(page, "<td>Pct</td>", "<td>Fraction of games won</td>");
  KeyRow(page, "<td>PPG</td>", "<td>Average number of points scored by the team in a game</td>");
  KeyRow(page, "<td>PAPG</td>",
         "<td>Average number of points scored against the team in a game</td>");
  KeyRow(page, "<td>Mrg</td>",
         "<td>Team's average margin of victory (if positive) or defeat (if negative)</td>");
  if (f.SortCriterion == 3)
    KeyRow(page, "<td>SoS</td>",
           "<td>Strength of schedule: Average of own PPG and all opponents' total PPG</td>");
  ValueRow(page, t, british ? kStartersText : kTossUpsText);
  if (f.TUHeard) {
    KeyRow(page, british ? "<td>SH</td>" : "<td>TUH</td>",
           british ? "<td>Total number of starters heard by the team</td>"
                   : "<td>Total number of toss-ups heard by the team</td>");
    KeyRow(page, british ? "<td>PPSH</td>" : "<td>PPTH</td>",
           british ? "<td>Average number of points scored by the team per starter heard</td>"
                   : "<td>Average number of points scored by the team per toss-up heard</td>");
  }
  if (f.PowNeg) PowNegRows(page);
  if (f.Sixty) LightningRow(page);
  BonusRows(page, f);
  Line(page, "</table><P>");
}

// The individual standings and individual detail sections share their rows; only the
// detail section words the value row for starters in British style.
void IndividualRows(std::string& page, const Tournament& t, bool startersForValues) {
  const TourneyFormat& f = t.Format;
  const bool british = f.BritishStyle != 0;
  Line(page, "<table border=1 width=100%>");
  KeyRow(page, "<td>GP</td>", "<td>Number of games in which the player participated</td>");
  ValueRow(page, t, startersForValues ? kStartersText : kTossUpsText);
  if (f.TUHeard) {
    KeyRow(page, british ? "<td>SH</td>" : "<td>TUH</td>",
           british ? "<td>Total number of starters heard by the player</td>"
                   : "<td>Total number of toss-ups heard by the player</td>");
    KeyRow(page, british ? "<td>P/S</td>" : "<td>P/TU</td>",
           british ? "<td>Average number of points scored by the player per starter heard</td>"
                   : "<td>Average number of points scored by the player per toss-up heard</td>");
  }
  if (f.PowNeg) PowNegRows(page);
  KeyRow(page, "<td>Pts</td>", "<td>Total number of points scored by the player</td>");
  KeyRow(page, "<td>PPG</td>", "<td>Average number of points scored by the player per game</td>");
  Line(page, "</table><P>");
}

void ScoreboardSection(std::string& page, const TourneyFormat& f) {
  Line(page, "<H2><A NAME=Scoreboard>Scoreboard</A></H2><br>");
  Line(page, "For each game, the score is listed in large bold print on the first line.  ");
  Line(page, "Then each individual who played in the game is listed, by team, along with ");
  Line(page, "the number of each type of question answered (in the order that they appear ");
  Line(page, "in the other reports (usually decreasing order, such as 15 10 -5).  The ");
  Line(page, "last number after each name is the individual's total points for the game.  ");
  if (f.Sixty) {
    Line(page, "The next line of the boxscore gives, for each team, the total number of ");
    Line(page, "points scored in the lightning round.  ");
  }
  if (f.TrackBonuses) {
    Line(page, "The next line of the boxscore gives, for each team, the total number of bonuses ");
    Line(page, "heard, the total number of points scored on bonuses, and the average number of ");
    Line(page, "points scored per bonus heard.");
    if (f.BonusMode == 3) {
      Line(page, "The next line of the boxscore gives, for each team, the total number of bonus ");
      Line(page, "bouncebacks heard, the total number of points scored on bonus bouncebacks, ");
      Line(page, "and the average number of points scored per bonus bounceback heard.");
    }
  }
  Line(page, "<P><P>");
}

void TeamDetailSection(std::string& page, const Tournament& t) {
  const TourneyFormat& f = t.Format;
  const bool british = f.BritishStyle != 0;
  Line(page, "<H2><A NAME=TeamDetail>Team Detail</A></H2><br>");
  Line(page, "<table border=1 width=100%>");
  KeyRow(page, "<td>Result</td>",
         "<td>Whether the team won (W), lost (L), or tied (T) the game</td>");
  KeyRow(page, "<td>PF</td>", "<td>Total number of points scored by the team</td>");
  KeyRow(page, "<td>PA</td>", "<td>Total number of points scored by the opponent</td>");
  ValueRow(page, t, kTeamDetailValuesText);
  if (f.TUHeard) {
    KeyRow(page, british ? "<td>SH</td>" : "<td>TUH</td>",
           british ? "<td>Total number of starters heard</td>"
                   : "<td>Total number of toss-ups heard</td>");
    KeyRow(page, british ? "<td>PPSH</td>" : "<td>PPTH</td>",
           british ? "<td>Average number of points scored by the team per starter heard</td>"
                   : "<td>Average number of points scored by the team per toss-up heard</td>");
  }
  if (f.PowNeg) PowNegRows(page);
  if (f.Sixty) LightningRow(page);
  BonusRows(page, f);
  Line(page, "</table><P>");
}

void RoundReportSection(std::string& page, const TourneyFormat& f) {
  Line(page, "<H2><A NAME=RoundReport>Round Report</A></H2><br>");
  Line(page, "<table border=1 width=100%>");
  KeyRow(page, "<td>PPG/Team</td>", "<td>Average number of points scored per team per game</td>");
  if (f.TUHeard)
    KeyRow(page, "<td>TUPts/TUH.</td>",
           "<td>Average number of points scored on toss-up questions per toss-up heard</td>");
  if (f.Sixty)
    KeyRow(page, "<td>Pts/LtngRd</td>",
           "<td>Average number of points scored in the lightning round per team per game</td>");
  if (f.TrackBonuses) {
    KeyRow(page, "<td>BPts/BH</td>",
           "<td>Average number of points scored on bonus questions per bonus heard</td>");
    if (f.BonusMode == 3)
      KeyRow(page, "<td>BBPts/BBH</td>",
             "<td>Average number of points scored on bonus bouncebacks per bonus bounceback "
             "heard</td>");
  }
  Line(page, "</table><P><P>");
}

}  // namespace

void WriteStatKeyPage(std::string& page, const Tournament& t, std::string_view linkBase) {
  WritePageHead(page, t, linkBase, "Stat Key", "Stat Key", "");
  TeamStandingsSection(page, t);
  Line(page, "<H2><A NAME=IndividualStandings>Individual Statistics</A></H2><br>");
  IndividualRows(page, t, false);
  ScoreboardSection(page, t.Format);
  TeamDetailSection(page, t);
  Line(page, "<H2><A NAME=IndividualDetail>Individual Detail</A></H2><br>");
  IndividualRows(page, t, t.Format.BritishStyle != 0);
  RoundReportSection(page, t.Format);
  Line(page, "For information about this statistics program, visit the ");
  Line(page, "<A HREF=\"", kDravHomepage, "\">DRAV homepage</A>.");
  WritePageFoot(page);
}

}  // namespace drav
