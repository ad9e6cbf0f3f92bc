#include <cstdint>
#include <map>

#include "stats/figures.h"
#include "stats/game_figures.h"
#include "web/html.h"
#include "web/page_frame.h"
#include "web/pages.h"

namespace drav {

namespace {

using web::Line;
using web::Num;

void Cell(std::string& page, std::string_view text) {
  Line(page, "  <td>", text, "</td>");
}

}  // namespace

void WriteRoundReportPage(std::string& page, const Tournament& t, std::string_view linkBase) {
  const TourneyFormat& f = t.Format;
  WritePageHead(page, t, linkBase, "Round Report", "Round Report", "#RoundReport");

  bool negativeRound = false;
  int lowestRound = 999999;
  for (const GameStats& g : t.Games) {
    if (g.Round < 0) negativeRound = true;
    if (g.Round < lowestRound) lowestRound = g.Round;
  }
  if (negativeRound) {
    Line(page, "Invalid round numbers");
    WritePageFoot(page);
    return;
  }

  const std::map<int, RoundFigures> rounds = ComputeRoundFigures(t);

  Line(page, "<table border=1 width=100%>");
  Line(page, "<tr>");
  auto head = [&page](std::string_view text) { Line(page, "  <td><B>", text, "</B></td>"); };
  head("Round");
  head("PPG/Team");
  if (f.TUHeard) head(f.BritishStyle ? "SPts/SH" : "TUPts/TUH");
  if (f.Sixty) head("Pts/LtngRd");
  if (f.TrackBonuses) head("BPts/BHrd");
  if (f.BonusMode == 3) head("BBPts/BBHrd");
  Line(page, "</tr>");

  for (const auto& [round, r] : rounds) {
    if (!RoundSelected(f, round) || r.TeamGames <= 0) continue;
    Line(page, "<tr>");
    // Packet names count from the lowest round of all games.
    const std::int64_t packet = static_cast<std::int64_t>(round) - lowestRound;
    if (packet >= 0 && packet < static_cast<std::int64_t>(t.PacketNames.size()))
      Cell(page, HtmlEscape(t.PacketNames[static_cast<std::size_t>(packet)]));
    else
      Cell(page, Num(round));
    Cell(page, RatioText(PointsPerTeamGame(r)));
    if (f.TUHeard) Cell(page, RatioText(TossUpPointsPerHeard(r)));
    if (f.Sixty) Cell(page, RatioText(LightningPerTeamGame(r)));
    if (f.TrackBonuses) Cell(page, RatioText(BonusConversion(r)));
    if (f.BonusMode == 3) Cell(page, RatioText(BouncebackConversion(r)));
    Line(page, "</tr>");
  }
  Line(page, "</table>");
  WritePageFoot(page);
}

}  // namespace drav
