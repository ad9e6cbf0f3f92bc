#include <cstdint>
#include <map>

#include "stats/figures.h"
#include "web/html.h"
#include "web/page_frame.h"
#include "web/pages.h"

namespace drav {

namespace {

using web::Line;
using web::Num;

// Per-round sums of the counted games (64-bit: the figures come from the file).
struct RoundData {
  std::int64_t TotalPoints = 0;
  std::int64_t TeamGames = 0;
  std::int64_t TossUpPoints = 0;
  std::int64_t TossUpsHeard = 0;
  std::int64_t BonusPoints = 0;
  std::int64_t BonusesHeard = 0;
  std::int64_t LightningPoints = 0;
  std::int64_t BouncebackPoints = 0;
  std::int64_t BouncebacksHeard = 0;
};

void Cell(std::string& page, std::string_view text) {
  Line(page, "  <td>", text, "</td>");
}

std::string Ratio(std::int64_t numerator, std::int64_t divisor) {
  return RatioText(Quotient(static_cast<double>(numerator), static_cast<double>(divisor)));
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

  // Only rounds with counted games can show a row, so the records are kept by round
  // number instead of one per round up to the highest (a round of two billion in a
  // damaged file must not allocate two billion records).
  std::map<int, RoundData> rounds;
  for (const GameStats& g : t.Games) {
    if (g.Forfeit || g.TeamA < 0 || g.TeamB < 0) continue;
    RoundData& r = rounds[g.Round];
    r.TotalPoints += static_cast<std::int64_t>(g.ScoreA) + g.ScoreB;
    r.TeamGames += 2;
    for (int j = 0; j < kRows; ++j)
      r.TossUpPoints += static_cast<std::int64_t>(g.PtsA[j]) + g.PtsB[j];
    r.TossUpsHeard += g.TUH;
    r.BonusPoints += static_cast<std::int64_t>(g.BPA) + g.BPB;
    r.BonusesHeard += static_cast<std::int64_t>(g.BHA) + g.BHB;
    r.LightningPoints += static_cast<std::int64_t>(g.SixtyA) + g.SixtyB;
    if (f.BonusMode == 3) {
      r.BouncebackPoints += static_cast<std::int64_t>(g.BncBkPtsA) + g.BncBkPtsB;
      r.BouncebacksHeard += static_cast<std::int64_t>(g.BncBkA) + g.BncBkB;
    }
  }

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
    Cell(page, Ratio(r.TotalPoints, r.TeamGames));
    if (f.TUHeard) Cell(page, Ratio(r.TossUpPoints, r.TossUpsHeard));
    if (f.Sixty) Cell(page, Ratio(r.LightningPoints, r.TeamGames));
    if (f.TrackBonuses) Cell(page, Ratio(r.BonusPoints, r.BonusesHeard));
    if (f.BonusMode == 3) Cell(page, Ratio(r.BouncebackPoints, r.BouncebacksHeard));
    Line(page, "</tr>");
  }
  Line(page, "</table>");
  WritePageFoot(page);
}

}  // namespace drav
