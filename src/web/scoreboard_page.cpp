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
using web::LineRun;
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
void BoxScoreLine(LineRun& run, const Tournament& t, const web::EscapedRosters& names, int team,
                  const RowArray<int>& player, const RowArray<double>& gp,
                  const RowArray<int>* const columns[kColumns], const RowArray<int>& points) {
  run.Put(names(team, 0), ": ");
  bool first = true;
  for (int j = 0; j < kRows; ++j) {
    if (!(gp[j] > 0)) continue;
    if (!first) run.Put(", ");
    first = false;
    run.Put(names(team, static_cast<long long>(player[j]) + 1), " ");
    for (int k = 0; k < kColumns; ++k) {
      if (t.QuestionValues[k] == 0) continue;
      run.Put(NumberText::Integer((*columns[k])[j]), " ");
    }
    run.Put(NumberText::Integer(points[j]));
  }
  run.Line("<br>");
}

NumberText Average(int points, int heard) {
  return RatioFigure(Quotient(points, heard));
}

void GameBlock(LineRun& run, const Tournament& t, const web::EscapedRosters& names,
               const GameStats& g) {
  const TourneyFormat& f = t.Format;
  const std::string& nameA = names(g.TeamA, 0);
  const std::string& nameB = names(g.TeamB, 0);
  if (g.Forfeit) {
    run.Line("<FONT SIZE=+1>", nameA, " defeats ", nameB, " by forfeit", web::TiebreakerMark(g),
             "</H2>");
  } else if (g.ScoreA != -1 && g.ScoreB != -1) {
    const bool aWins = g.ScoreB < g.ScoreA;
    const NumberText scoreA = NumberText::Integer(g.ScoreA);
    const NumberText scoreB = NumberText::Integer(g.ScoreB);
    run.Put("<FONT SIZE=+1>");
    if (aWins)
      run.Put(nameA, " ", scoreA, ", ", nameB, " ", scoreB);
    else
      run.Put(nameB, " ", scoreB, ", ", nameA, " ", scoreA);
    if (g.ScoreA == g.ScoreB) run.Put(" Tie");
    if (g.Overtime) run.Put(" OT");
    run.Line(web::TiebreakerMark(g), "</FONT><br>");
    run.Line("<FONT SIZE=-1>");
    const RowArray<int>* const columnsA[kColumns] = {&g.Q0A, &g.Q1A, &g.Q2A, &g.Q3A};
    const RowArray<int>* const columnsB[kColumns] = {&g.Q0B, &g.Q1B, &g.Q2B, &g.Q3B};
    BoxScoreLine(run, t, names, g.TeamA, g.PlayerA, g.GPA, columnsA, g.PtsA);
    BoxScoreLine(run, t, names, g.TeamB, g.PlayerB, g.GPB, columnsB, g.PtsB);
    if (f.Sixty)
      run.Line("Lightning: ", nameA, " ", NumberText::Integer(g.SixtyA), ", ", nameB, " ",
               NumberText::Integer(g.SixtyB), "<br>");
    if (f.TrackBonuses) {
      run.Line("Bonuses: ", nameA, " ", NumberText::Integer(g.BHA), " ", NumberText::Integer(g.BPA),
               " ", Average(g.BPA, g.BHA), ", ", nameB, " ", NumberText::Integer(g.BHB), " ",
               NumberText::Integer(g.BPB), " ", Average(g.BPB, g.BHB), "<br>");
      if (f.BonusMode == 3)
        run.Line("Bonus Bouncebacks: ", nameA, " ", NumberText::Integer(g.BncBkA), " ",
                 NumberText::Integer(g.BncBkPtsA), " ", Average(g.BncBkPtsA, g.BncBkA), ", ", nameB,
                 " ", NumberText::Integer(g.BncBkB), " ", NumberText::Integer(g.BncBkPtsB), " ",
                 Average(g.BncBkPtsB, g.BncBkB), "<br>");
    }
  }
  run.Line("<P></FONT>");
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
    LineRun run(page);
    for (std::size_t i = 0; i < t.Games.size(); ++i) {
      const GameStats& g = t.Games[i];
      if (!RoundSelected(f, g.Round) || g.TeamA < 0 || g.TeamB < 0) continue;
      if (f.RoundReports && i > 0 && g.Round > currentRound) {
        currentRound = g.Round;
        // No line end: the game's first line follows on the same line.
        run.Put("<hr>", RoundHeading(t, currentRound, baseRound));
      }
      GameBlock(run, t, names, g);
    }
  }
  WritePageFoot(page);
}

}  // namespace drav
