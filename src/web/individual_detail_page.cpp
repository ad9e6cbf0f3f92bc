#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "stats/figures.h"
#include "web/html.h"
#include "web/page_frame.h"
#include "web/pages.h"
#include "web/team_games.h"

namespace drav {

namespace {

using web::Line;
using web::Num;

using web::LineRun;

void Head(std::string& page, std::string_view text) {
  Line(page, "  <td ALIGN=RIGHT><B>", text, "</B></td>");
}
// A figure stays a NumberText up to the run, which copies it without a call.
template <typename Text>
void Data(LineRun& run, const Text& text) {
  run.Line("  <td ALIGN=RIGHT>", text, "</td>");
}
template <typename Text>
void Total(LineRun& run, const Text& text) {
  run.Line("  <td ALIGN=RIGHT><B>", text, "</B></td>");
}

struct NamePairHash {
  std::size_t operator()(const std::pair<std::string_view, std::string_view>& names) const {
    const std::hash<std::string_view> hash;
    return hash(names.first) * 31 + hash(names.second);
  }
};

// A player's row in one game: the side the team played and the row index.
struct PlayerRow {
  const GameStats* game;
  bool isA;
  int row;
};

struct Line64 {
  double gp = 0;
  std::int64_t slots[kColumns] = {};
  std::int64_t tuh = 0;
  std::int64_t points = 0;
};

// The figure cells of one game row or of the total row (cell writes the cell).
template <typename CellFn>
void FigureCells(const Tournament& t, const Line64& v, CellFn cell) {
  const TourneyFormat& f = t.Format;
  cell(AverageFigure(v.gp));
  for (int k = 0; k < kColumns; ++k)
    if (t.QuestionValues[k] != 0) cell(NumberText::Integer(v.slots[k]));
  if (f.TUHeard) {
    cell(NumberText::Integer(v.tuh));
    cell(RatioFigure(Quotient(static_cast<double>(v.points), static_cast<double>(v.tuh))));
  }
  if (f.PowNeg) {
    cell(RatioOrInfFigure(v.slots[0], v.slots[2]));
    cell(RatioOrInfFigure(v.slots[0] + v.slots[1], v.slots[2]));
  }
  cell(NumberText::Integer(v.points));
}

void TableHeader(std::string& page, const Tournament& t, bool packetColumn) {
  const TourneyFormat& f = t.Format;
  Line(page, "<table border=1 width=100%>");
  Line(page, "<tr>");
  Line(page, "  <td ALIGN=LEFT><B>Opponent</B></td>");
  if (packetColumn) Line(page, "  <td ALIGN=LEFT><B>Packet</B></td>");
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
  Line(page, "</tr>");
}

}  // namespace

void WriteIndividualDetailPage(std::string& page, const Tournament& t,
                               const std::vector<Individuals>& playerStats,
                               std::string_view linkBase) {
  const TourneyFormat& f = t.Format;
  WritePageHead(page, t, linkBase, "Individual Detail", "Individual Detail", "#IndividualDetail");
  const bool packetColumn = f.RoundReports && !t.PacketNames.empty();

  // Players are matched to their records by team and player name; the last record of a
  // name pair decides.
  std::unordered_map<std::pair<std::string_view, std::string_view>, double, NamePairHash>
      lastGamesPlayed;
  lastGamesPlayed.reserve(playerStats.size());
  for (const Individuals& p : playerStats) lastGamesPlayed[{p.TeamName, p.PlayerName}] = p.GP;

  const auto gamesByTeam = web::GamesByTeam(t);
  const web::EscapedTeamNames escapedName(t);
  // Each player's rows of the team's games, found in one pass over the games (in game
  // order, side A before side B, row by row) rather than one pass per player.
  std::vector<std::vector<PlayerRow>> rowsOf;
  for (int team = 0; team < t.TeamCount(); ++team) {
    rowsOf.assign(static_cast<std::size_t>(t.PlayerCount(team)), {});
    for (std::size_t gameIndex : gamesByTeam[static_cast<std::size_t>(team)]) {
      const GameStats& g = t.Games[gameIndex];
      if (!RoundSelected(f, g.Round) || g.Forfeit || g.ScoreA == -1 || g.ScoreB == -1) continue;
      for (int side = 0; side < 2; ++side) {
        const bool isA = side == 0;
        if ((isA ? g.TeamA : g.TeamB) != team || (isA ? g.TeamB : g.TeamA) < 0) continue;
        const RowArray<int>& rows = isA ? g.PlayerA : g.PlayerB;
        const RowArray<double>& gp = isA ? g.GPA : g.GPB;
        for (int j = 0; j < kRows; ++j) {
          const int player = rows[j];
          if (player < 0 || static_cast<std::size_t>(player) >= rowsOf.size() || !(gp[j] > 0))
            continue;
          rowsOf[static_cast<std::size_t>(player)].push_back({&g, isA, j});
        }
      }
    }
    const std::string& teamName = t.TeamName(team);
    const std::string& escapedTeam = escapedName(team);
    for (int player = 0; player < t.PlayerCount(team); ++player) {
      const std::string& playerName = t.PlayerName(team, player);
      if (auto it = lastGamesPlayed.find({teamName, playerName});
          it != lastGamesPlayed.end() && !(it->second > 0))
        continue;
      const int position = player + 1;  // roster position; 0 holds the team name
      Line(page, "<P><P><H2><A NAME=p", Num(position), "_", Num(team), ">", HtmlEscape(playerName),
           "</A>, ", escapedTeam, "</H2><P>");
      TableHeader(page, t, packetColumn);
      LineRun run(page);
      Line64 total;
      for (const PlayerRow& r : rowsOf[static_cast<std::size_t>(player)]) {
        const GameStats& g = *r.game;
        const bool isA = r.isA;
        const int j = r.row;
        const double gp = isA ? g.GPA[j] : g.GPB[j];
        const auto columns = web::SideColumns(g, isA);
        Line64 row;
        row.gp = gp;
        for (int k = 0; k < kColumns; ++k) row.slots[k] = (*columns[k])[j];
        row.tuh = RowTossupsHeard(g.TUH, gp);
        row.points = isA ? g.PtsA[j] : g.PtsB[j];
        run.Line("<tr>");
        run.Line("  <td ALIGN=LEFT>", escapedName(isA ? g.TeamB : g.TeamA), web::TiebreakerMark(g),
                 "</td>");
        if (packetColumn) {
          const std::string* packet = web::DetailPacketName(t, g.Round);
          run.Line("  <td ALIGN=LEFT>", packet ? HtmlEscape(*packet) : std::string(" "), "</td>");
        }
        FigureCells(t, row, [&run](const auto& text) { Data(run, text); });
        run.Line("</tr>");
        total.gp += row.gp;
        for (int k = 0; k < kColumns; ++k) total.slots[k] += row.slots[k];
        // Absurd games-played values give huge per-game figures; keep the sum defined.
        AddTossupsHeard(total.tuh, row.tuh);
        total.points += row.points;
      }
      run.Line("<tr>");
      run.Line("  <td ALIGN=LEFT><B>Total</B></td>");
      if (packetColumn) run.Line("  <td ALIGN=LEFT><B> </B></td>");
      FigureCells(t, total, [&run](const auto& text) { Total(run, text); });
      run.Line("</tr>");
      run.Line("</table>");
    }
  }
  WritePageFoot(page);
}

}  // namespace drav
