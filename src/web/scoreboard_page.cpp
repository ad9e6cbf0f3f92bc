#include <cstdint>

#include "model/numbers.h"
#include "stats/figures.h"
#include "web/html.h"
#include "web/page_frame.h"
#include "web/pages.h"
#include "web/team_games.h"

namespace drav {

namespace {

using web::Line;
using web::Num;

// "Round N" plus the packet name, when the packets (counted from the lowest round) have
// one for it. 64-bit arithmetic: rounds come from the file and may be extreme.
std::string RoundHeading(const Tournament& t, int round, int baseRound) {
  std::string text = "<FONT SIZE=+1 COLOR=red>Round " + Num(round);
  const std::int64_t packet = static_cast<std::int64_t>(round) - baseRound;
  if (packet >= 0 && packet < static_cast<std::int64_t>(t.PacketNames.size()))
    text += " (Packet: " + HtmlEscape(t.PacketNames[static_cast<std::size_t>(packet)]) + ")";
  text += "</FONT><P>";
  return text;
}

// "Name: player c0 c1 c2 pts, player ..." for the rows with games played.
void BoxScoreLine(std::string& page, const Tournament& t, const web::EscapedRosters& names,
                  int team, const RowArray<int>& player, const RowArray<double>& gp,
                  const RowArray<int>* const columns[kColumns], const RowArray<int>& points) {
  page += names(team, 0);
  page += ": ";
  bool first = true;
  for (int j = 0; j < kRows; ++j) {
    if (!(gp[j] > 0)) continue;
    if (!first) page += ", ";
    first = false;
    page += names(team, static_cast<long long>(player[j]) + 1);
    page += ' ';
    for (int k = 0; k < kColumns; ++k) {
      if (t.QuestionValues[k] == 0) continue;
      page += Num((*columns[k])[j]);
      page += ' ';
    }
    page += Num(points[j]);
  }
  Line(page, "<br>");
}

std::string Average(int points, int heard) {
  return RatioText(Quotient(points, heard));
}

void GameBlock(std::string& page, const Tournament& t, const web::EscapedRosters& names,
               const GameStats& g) {
  const TourneyFormat& f = t.Format;
  const std::string& nameA = names(g.TeamA, 0);
  const std::string& nameB = names(g.TeamB, 0);
  if (g.Forfeit) {
    Line(page, "<FONT SIZE=+1>", nameA, " defeats ", nameB, " by forfeit", web::TiebreakerMark(g),
         "</H2>");
  } else if (g.ScoreA != -1 && g.ScoreB != -1) {
    const bool aWins = g.ScoreB < g.ScoreA;
    std::string score = "<FONT SIZE=+1>";
    score += aWins ? nameA + " " + Num(g.ScoreA) + ", " + nameB + " " + Num(g.ScoreB)
                   : nameB + " " + Num(g.ScoreB) + ", " + nameA + " " + Num(g.ScoreA);
    if (g.ScoreA == g.ScoreB) score += " Tie";
    if (g.Overtime) score += " OT";
    score += web::TiebreakerMark(g);
    Line(page, score, "</FONT><br>");
    Line(page, "<FONT SIZE=-1>");
    const RowArray<int>* const columnsA[kColumns] = {&g.Q0A, &g.Q1A, &g.Q2A, &g.Q3A};
    const RowArray<int>* const columnsB[kColumns] = {&g.Q0B, &g.Q1B, &g.Q2B, &g.Q3B};
    BoxScoreLine(page, t, names, g.TeamA, g.PlayerA, g.GPA, columnsA, g.PtsA);
    BoxScoreLine(page, t, names, g.TeamB, g.PlayerB, g.GPB, columnsB, g.PtsB);
    if (f.Sixty)
      Line(page, "Lightning: ", nameA, " ", Num(g.SixtyA), ", ", nameB, " ", Num(g.SixtyB), "<br>");
    if (f.TrackBonuses) {
      Line(page, "Bonuses: ", nameA, " ", Num(g.BHA), " ", Num(g.BPA), " ", Average(g.BPA, g.BHA),
           ", ", nameB, " ", Num(g.BHB), " ", Num(g.BPB), " ", Average(g.BPB, g.BHB), "<br>");
      if (f.BonusMode == 3)
        Line(page, "Bonus Bouncebacks: ", nameA, " ", Num(g.BncBkA), " ", Num(g.BncBkPtsA), " ",
             Average(g.BncBkPtsA, g.BncBkA), ", ", nameB, " ", Num(g.BncBkB), " ", Num(g.BncBkPtsB),
             " ", Average(g.BncBkPtsB, g.BncBkB), "<br>");
    }
  }
  Line(page, "<P></FONT>");
}

}  // namespace

void WriteScoreboardPage(std::string& page, const Tournament& t, std::string_view linkBase) {
  const TourneyFormat& f = t.Format;
  WritePageHead(page, t, linkBase, "Scoreboard", "Scoreboard", "#Scoreboard");
  if (!t.Games.empty()) {
    const web::EscapedRosters names(t);
    const int baseRound = t.Games.front().Round;
    int currentRound = f.AllRounds ? baseRound : f.RoundsMin;
    if (f.RoundReports) Line(page, RoundHeading(t, currentRound, baseRound));
    for (std::size_t i = 0; i < t.Games.size(); ++i) {
      const GameStats& g = t.Games[i];
      if (!RoundSelected(f, g.Round) || g.TeamA < 0 || g.TeamB < 0) continue;
      if (f.RoundReports && i > 0 && g.Round > currentRound) {
        currentRound = g.Round;
        // No line end: the game's first line follows on the same line.
        page += "<hr>" + RoundHeading(t, currentRound, baseRound);
      }
      GameBlock(page, t, names, g);
    }
  }
  WritePageFoot(page);
}

}  // namespace drav
