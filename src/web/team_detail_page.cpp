#include <cstdint>
#include <string>
#include <unordered_map>

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

void Head(std::string& page, std::string_view text) {
  Line(page, "  <td ALIGN=RIGHT><B>", text, "</B></td>");
}
// A figure stays a NumberText up to the run, which copies it without a call.
template <typename Text>
void Data(LineRun& run, const Text& text) {
  run.Line("  <td ALIGN=RIGHT>", text, "</td>");
}
void Total(std::string& page, std::string_view text) {
  Line(page, "  <td ALIGN=RIGHT><B>", text, "</B></td>");
}

void GamesTableHeader(std::string& page, const Tournament& t, bool packetColumn) {
  const TourneyFormat& f = t.Format;
  Line(page, "<table border=1 width=100%>");
  Line(page, "<tr>");
  Line(page, "<td ALIGN=LEFT><B>Opponent</B></td>");
  Line(page, "<td ALIGN=RIGHT><B>Result</B></td>");
  Line(page, "<td ALIGN=RIGHT><B>PF</B></td>");
  Line(page, "<td ALIGN=RIGHT><B>PA</B></td>");
  for (int v : t.QuestionValues)
    if (v != 0) Head(page, Num(v));
  if (f.TUHeard) {
    Head(page, f.BritishStyle ? "SH" : "TUH");
    Head(page, f.BritishStyle ? "PPSH" : "PPTH");
  }
  if (f.PowNeg) {
    Head(page, "P/N");
    Head(page, "G/N");
  }
  if (f.Sixty) Head(page, "Ltng");
  if (f.TrackBonuses) {
    Head(page, "BHrd");
    Head(page, "BPts");
    Head(page, "P/B");
    if (f.BonusMode == 3) {
      Head(page, "BBHrd");
      Head(page, "BBPts");
      Head(page, "P/BB");
    }
  }
  if (packetColumn) Line(page, "  <td ALIGN=LEFT><B>Packet</B></td>");
  Line(page, "</tr>");
}

NumberText RatioFigureOf(std::int64_t numerator, std::int64_t divisor) {
  return RatioFigure(Quotient(static_cast<double>(numerator), static_cast<double>(divisor)));
}

// One row of the games table, seen from side A (ownIsA) or side B of the game.
void GameRow(LineRun& run, const Tournament& t, const web::EscapedTeamNames& escapedName,
             const GameStats& g, bool ownIsA, bool packetColumn) {
  const TourneyFormat& f = t.Format;
  const int opponent = ownIsA ? g.TeamB : g.TeamA;
  run.Line("<tr>");
  run.Line("  <td ALIGN=LEFT>", escapedName(opponent), web::TiebreakerMark(g), "</td>");
  if (g.Forfeit) {
    // Team A is the side that wins a forfeit.
    Data(run, ownIsA ? "W" : "L");
    Data(run, "Forfeit");
    run.Line("</tr>");
    return;
  }
  const int own = ownIsA ? g.ScoreA : g.ScoreB;
  const int other = ownIsA ? g.ScoreB : g.ScoreA;
  Data(run, own > other ? "W" : own < other ? "L" : "T");
  Data(run, NumberText::Integer(own));
  Data(run, NumberText::Integer(other));
  std::int64_t slots[kColumns] = {};
  const auto columns = web::SideColumns(g, ownIsA);
  for (int k = 0; k < kColumns; ++k)
    for (int value : *columns[k]) slots[k] += value;
  for (int k = 0; k < kColumns; ++k)
    if (t.QuestionValues[k] != 0) Data(run, NumberText::Integer(slots[k]));
  if (f.TUHeard) {
    Data(run, NumberText::Integer(g.TUH));
    Data(run, RatioFigureOf(own, g.TUH));
  }
  if (f.PowNeg) {
    Data(run, RatioOrInfFigure(slots[0], slots[2]));
    Data(run, RatioOrInfFigure(slots[0] + slots[1], slots[2]));
  }
  if (f.Sixty) Data(run, NumberText::Integer(ownIsA ? g.SixtyA : g.SixtyB));
  if (f.TrackBonuses) {
    const int heard = ownIsA ? g.BHA : g.BHB;
    const int points = ownIsA ? g.BPA : g.BPB;
    Data(run, NumberText::Integer(heard));
    Data(run, NumberText::Integer(points));
    Data(run, RatioFigureOf(points, heard));
    if (f.BonusMode == 3) {
      const int bbHeard = ownIsA ? g.BncBkA : g.BncBkB;
      const int bbPoints = ownIsA ? g.BncBkPtsA : g.BncBkPtsB;
      Data(run, NumberText::Integer(bbHeard));
      Data(run, NumberText::Integer(bbPoints));
      Data(run, RatioFigureOf(bbPoints, bbHeard));
    }
  }
  if (packetColumn) {
    const std::string* packet = web::DetailPacketName(t, g.Round);
    run.Line("  <td ALIGN=LEFT>", packet ? HtmlEscape(*packet) : std::string(" "), "</td>");
  }
  run.Line("</tr>");
}

void TotalRow(std::string& page, const Tournament& t, const Standings& s, bool packetColumn) {
  const TourneyFormat& f = t.Format;
  Line(page, "<tr>");
  Line(page, "  <td ALIGN=LEFT><B>Total</B></td>");
  Line(page, "  <td></td>");
  Total(page, Num(s.PointsFor));
  Total(page, Num(s.PointsAgainst));
  for (int k = 0; k < kColumns; ++k)
    if (t.QuestionValues[k] != 0) Total(page, Num(s.TossUps[k]));
  if (f.TUHeard) {
    Total(page, Num(s.TUH));
    Total(page, RatioText(PointsPerTossupHeard(s)));
  }
  if (f.PowNeg) {
    Total(page, PowerNegText(s));
    Total(page, GetNegText(s));
  }
  if (f.Sixty) Total(page, Num(s.LightningPts));
  if (f.TrackBonuses) {
    Total(page, Num(s.BonusHeard));
    Total(page, Num(s.BonusPts));
    Total(page, RatioText(PointsPerBonus(s)));
    if (f.BonusMode == 3) {
      Total(page, Num(s.BounceHeard));
      Total(page, Num(s.BouncePts));
      Total(page, RatioText(PointsPerBounceback(s)));
    }
  }
  if (packetColumn) Line(page, "  <td ALIGN=LEFT> </td>");
  Line(page, "</tr>");
  Line(page, "</table><P>");
}

void PlayersTable(std::string& page, const Tournament& t,
                  const std::vector<Individuals>& playerStats,
                  const std::vector<std::size_t>& players, std::string_view linkBase) {
  const TourneyFormat& f = t.Format;
  Line(page, "<table border=1 width=100%>");
  Line(page, "<tr>");
  Line(page, "  <td ALIGN=LEFT><B>Player</B></td>");
  Line(page, "  <td ALIGN=LEFT><B>Team</B></td>");
  Head(page, "GP");
  for (int v : t.QuestionValues)
    if (v != 0) Head(page, Num(v));
  if (f.TUHeard) {
    Head(page, f.BritishStyle ? "SH" : "TUH");
    Head(page, f.BritishStyle ? "P/S" : "P/TU");
  }
  if (f.PowNeg) {
    Head(page, "P/N");
    Head(page, "G/N");
  }
  Head(page, "Pts");
  Head(page, "PPG");
  Line(page, "</tr>");
  // Every player's link differs only in its anchor, which needs no escape.
  const std::string playerHref =
      f.IndividualDetail ? PageHref(linkBase, f.PlayerDetailFile, "") : std::string();
  LineRun run(page);
  for (std::size_t index : players) {
    const Individuals& p = playerStats[index];
    if (!(p.GP > 0)) continue;
    run.Line("<tr>");
    if (f.IndividualDetail)
      run.Line("  <td ALIGN=LEFT><A HREF=", playerHref, "#p", NumberText::Integer(p.PlayerIndex),
               "_", NumberText::Integer(p.LinkIndex), ">", HtmlEscape(p.PlayerName), "</A></td>");
    else
      run.Line("  <td ALIGN=LEFT>", HtmlEscape(p.PlayerName), "</td>");
    run.Line("  <td ALIGN=LEFT>", HtmlEscape(p.TeamName), "</td>");
    Data(run, AverageFigure(p.GP));
    for (int k = 0; k < kColumns; ++k)
      if (t.QuestionValues[k] != 0) Data(run, NumberText::Integer(p.TossUps[k]));
    if (f.TUHeard) {
      Data(run, NumberText::Integer(p.TUH));
      Data(run, RatioFigure(PointsPerTossupHeard(p)));
    }
    if (f.PowNeg) {
      Data(run, RatioOrInfFigure(p.TossUps[0], p.TossUps[2]));
      Data(run, RatioOrInfFigure(p.TossUps[0] + p.TossUps[1], p.TossUps[2]));
    }
    Data(run, NumberText::Integer(p.Points));
    Data(run, RatioFigure(PointsPerGame(p)));
    run.Line("</tr>");
  }
  run.Flush();
  Line(page, "</table>");
}

}  // namespace

void WriteTeamDetailPage(std::string& page, const Tournament& t,
                         const std::vector<Standings>& teamStats,
                         const std::vector<Individuals>& playerStats, std::string_view linkBase) {
  const TourneyFormat& f = t.Format;
  WritePageHead(page, t, linkBase, "Team Details", "Team Detail", "#TeamDetail");
  const bool packetColumn = f.RoundReports && !t.PacketNames.empty();

  // Teams and players are matched by name, as the standings records carry them; with two
  // teams of one name the last record decides whether the team is shown.
  std::unordered_map<std::string, std::size_t> lastRecordOfName;
  for (std::size_t i = 0; i < teamStats.size(); ++i) lastRecordOfName[teamStats[i].TeamName] = i;
  std::unordered_map<std::string, std::vector<std::size_t>> playersOfTeamName;
  for (std::size_t i = 0; i < playerStats.size(); ++i)
    playersOfTeamName[playerStats[i].TeamName].push_back(i);
  const std::vector<std::size_t> noPlayers;
  const Standings noRecord;

  const auto gamesByTeam = web::GamesByTeam(t);
  const web::EscapedTeamNames escapedName(t);
  for (int team = 0; team < t.TeamCount(); ++team) {
    const std::string& teamName = t.TeamName(team);
    if (auto it = lastRecordOfName.find(teamName); it != lastRecordOfName.end()) {
      const Standings& s = teamStats[it->second];
      const std::int64_t games =
          static_cast<std::int64_t>(s.Wins) + s.Losses + s.Ties + s.ForfeitWins + s.ForfeitLosses;
      if (games <= 0) continue;
    }
    Line(page, "<P><P><H2><A NAME=t", Num(team), ">", HtmlEscape(teamName), "</A></H2><P>");
    GamesTableHeader(page, t, packetColumn);
    {
      LineRun run(page);
      for (std::size_t gameIndex : gamesByTeam[static_cast<std::size_t>(team)]) {
        const GameStats& g = t.Games[gameIndex];
        if (!RoundSelected(f, g.Round)) continue;
        if (g.TeamA == team && g.TeamB >= 0) GameRow(run, t, escapedName, g, true, packetColumn);
        if (g.TeamB == team && g.TeamA >= 0) GameRow(run, t, escapedName, g, false, packetColumn);
      }
    }
    const std::size_t slot = static_cast<std::size_t>(team);
    TotalRow(page, t, slot < teamStats.size() ? teamStats[slot] : noRecord, packetColumn);
    auto players = playersOfTeamName.find(teamName);
    PlayersTable(page, t, playerStats,
                 players != playersOfTeamName.end() ? players->second : noPlayers, linkBase);
  }
  WritePageFoot(page);
}

}  // namespace drav
