#include "stats/figures.h"
#include "stats/game_figures.h"
#include "web/html.h"
#include "web/modern/charts.h"
#include "web/modern/site.h"

namespace drav::modern {

namespace {

using web::Num;

std::string Ratio(std::int64_t numerator, std::int64_t divisor) {
  return RatioText(Quotient(static_cast<double>(numerator), static_cast<double>(divisor)));
}

std::vector<std::string> GameValues(const Tournament& t, const SideFigures& s) {
  const TourneyFormat& f = t.Format;
  std::vector<std::string> v;
  for (int k = 0; k < kColumns; ++k)
    if (t.QuestionValues[k] != 0) v.push_back(Num(s.Slots[k]));
  if (f.TUHeard) {
    v.push_back(Num(s.TUH));
    v.push_back(Ratio(s.Own, s.TUH));
  }
  if (f.PowNeg) {
    v.push_back(RatioOrInfText(s.Slots[0], s.Slots[2]));
    v.push_back(RatioOrInfText(s.Slots[0] + s.Slots[1], s.Slots[2]));
  }
  if (f.Sixty) v.push_back(Num(s.Lightning));
  if (f.TrackBonuses) {
    v.push_back(Num(s.BonusHeard));
    v.push_back(Num(s.BonusPts));
    v.push_back(Ratio(s.BonusPts, s.BonusHeard));
    if (f.BonusMode == 3) {
      v.push_back(Num(s.BounceHeard));
      v.push_back(Num(s.BouncePts));
      v.push_back(Ratio(s.BouncePts, s.BounceHeard));
    }
  }
  return v;
}

struct Record {
  int wins = 0;
  int losses = 0;
  int ties = 0;
  std::string Text() const {
    return Num(wins) + "\xE2\x80\x93" + Num(losses) + (ties > 0 ? "\xE2\x80\x93" + Num(ties) : "");
  }
};

void GameRow(std::string& page, const Site& site, const GameStats& g, std::size_t index, bool sideA,
             Record& record, std::size_t valueCount) {
  const Tournament& t = site.t;
  const int opponent = sideA ? g.TeamB : g.TeamA;
  const GameResult result = ResultForSide(t, g, sideA);
  if (result == GameResult::Win) ++record.wins;
  if (result == GameResult::Loss) ++record.losses;
  if (result == GameResult::Tie) ++record.ties;
  const std::string boxHref =
      Href(site, RoundFile(g.Round)) + "#g" + Num(static_cast<std::int64_t>(index));
  page += "<tr><td><a href=\"" + Href(site, RoundFile(g.Round)) + "\">" + Num(g.Round) +
          "</a><th>" + TeamLink(site, opponent) + "<td class=l>";
  const SideFigures s = SideOfGame(g, sideA);
  if (g.Forfeit != 0) {
    page += sideA ? "W" : "L";
  } else if (IsPlayedGame(g)) {
    page += s.Own > s.Other ? "W" : s.Own < s.Other ? "L" : "T";
    if (g.Overtime != 0) page += " <abbr class=\"tag\" title=\"Overtime\">OT</abbr>";
  }
  if (g.Tiebreaker) page += " <abbr class=\"tag tb\" title=\"Tiebreaker game\">TB</abbr>";
  page += "<td class=l><a href=\"" + boxHref + "\">";
  if (g.Forfeit != 0)
    page += "forfeit";
  else if (IsPlayedGame(g))
    page += ScorePair(s.Own, s.Other);
  else
    page += "no score";
  page += "</a><td>";
  page += result == GameResult::NotCounted ? std::string("\xE2\x80\x94") : record.Text();
  if (g.Forfeit != 0 || !IsPlayedGame(g)) {
    for (std::size_t k = 0; k < valueCount; ++k) page += "<td>";
  } else {
    for (const std::string& v : GameValues(t, s)) page += "<td>" + v;
  }
  page += "\n";
}

// The team's place (final once there is a final ranking, else in the standings) and its
// record in each stage it played in.
void Standing(std::string& page, const Site& site, int team) {
  const Tournament& t = site.t;
  std::string place;
  for (const FinalRankEntry& e : site.ranking)
    if (e.Team == team) place = "Final place: <b>" + RankText({e.Rank, e.Tied}) + "</b>";
  const auto slot = static_cast<std::size_t>(team);
  if (place.empty() && slot < site.places.size() && site.places[slot].Rank > 0) {
    place = "Place in the standings: <b>" + RankText(site.places[slot]) + "</b>";
    const int d = t.DivisionOf(team);
    if (t.Format.Divisions != 0 && d >= 0 && static_cast<std::size_t>(d) < t.DivisionNames.size())
      place += " in " + HtmlEscape(t.DivisionNames[static_cast<std::size_t>(d)]);
  }
  if (!place.empty()) page += "<p class=\"place\">" + place + "</p>\n";
  const auto& stages = t.Extras.Stages;
  std::string lines;
  for (std::size_t s = 0; s < stages.size() && s + 1 < site.tables.size(); ++s) {
    const auto& byIndex = site.tables[s + 1].byIndex;
    if (slot >= byIndex.size() || byIndex[slot].GamesCount <= 0) continue;
    const Standings& r = byIndex[slot];
    lines += "<li><a href=\"" + Href(site, StandingsFile(static_cast<int>(s))) + "\">" +
             HtmlEscape(stages[s].Name) + "</a>: " + Num(ShownWins(r)) + "\xE2\x80\x93" +
             Num(ShownLosses(r)) + (r.Ties > 0 ? "\xE2\x80\x93" + Num(r.Ties) : "") + ", " +
             AverageText(PointsPerGame(r)) + " PPG</li>\n";
  }
  if (!lines.empty()) page += "<ul class=\"stages\">\n" + lines + "</ul>\n";
}

}  // namespace

std::vector<Column> GameColumns(const Tournament& t) {
  const TourneyFormat& f = t.Format;
  const bool british = f.BritishStyle != 0;
  std::vector<Column> c;
  for (int v : t.QuestionValues)
    if (v != 0)
      c.push_back({Num(v), v < 0 ? "Incorrect interrupts (" + Num(v) + ")"
                                 : (british ? "Starters for " : "Toss-ups for ") + Num(v)});
  if (f.TUHeard) {
    c.push_back({british ? "SH" : "TUH", british ? "Starters heard" : "Toss-ups heard"});
    c.push_back({british ? "PPSH" : "PPTH",
                 british ? "Points per starter heard" : "Points per toss-up heard"});
  }
  if (f.PowNeg) {
    c.push_back({"P/N", "Ratio of powers to negs"});
    c.push_back({"G/N", "Ratio of gets to negs"});
  }
  if (f.Sixty) c.push_back({"Ltng", "Lightning round points"});
  if (f.TrackBonuses) {
    c.push_back({"BHrd", "Bonuses heard"});
    c.push_back({"BPts", "Bonus points"});
    c.push_back({"P/B", "Points per bonus heard"});
    if (f.BonusMode == 3) {
      c.push_back({"BBHrd", "Bonus bouncebacks heard"});
      c.push_back({"BBPts", "Bonus bounceback points"});
      c.push_back({"P/BB", "Points per bonus bounceback heard"});
    }
  }
  return c;
}

void WriteTeamPage(std::string& page, const Site& site, int team,
                   const std::vector<std::size_t>& games, const Standings& record,
                   const std::vector<const Individuals*>& players) {
  const Tournament& t = site.t;
  OpenPage(page, site, HtmlEscape(t.TeamName(team)), "");
  std::string facts;
  if (t.IsExhibition(team)) facts += "Exhibition team: its games do not count for its opponents. ";
  const int division = t.DivisionOf(team);
  if (t.Format.Divisions != 0 && division >= 0 &&
      static_cast<std::size_t>(division) < t.DivisionNames.size())
    facts += "Division: " + HtmlEscape(t.DivisionNames[static_cast<std::size_t>(division)]) + ". ";
  for (const Stage& stage : t.Extras.Stages)
    for (const Bracket& b : stage.Brackets)
      for (int member : b.Teams)
        if (member == team) facts += HtmlEscape(stage.Name) + ": " + HtmlEscape(b.Name) + ". ";
  if (!facts.empty()) page += "<p class=\"note\">" + facts + "</p>\n";
  Standing(page, site, team);

  page += "<h2>Record</h2>\n";
  TeamTable(page, site, t, {&record}, {}, "Record");

  page += "<h2>Games</h2>\n";
  const std::vector<Column> columns = GameColumns(t);
  OpenTableBox(page, "Games");
  page += "<table class=\"st sort\">\n<thead><tr>";
  HeadCell(page, {"Rd", "Round: opens the round's scoreboard"}, "r");
  HeadCell(page, {"Opponent", "Opens the opponent's page"}, "n");
  HeadCell(page, {"Result", "Won (W), lost (L) or tied (T); TB marks a tiebreaker game"}, "l");
  HeadCell(page, {"Score", "Own score, then the opponent's: opens the box score"}, "l");
  HeadCell(page, {"W\xE2\x80\x93L", "Won-lost record after the game, as the standings count it"});
  for (const Column& c : columns) HeadCell(page, c);
  page += "</tr></thead>\n<tbody>\n";
  Record so;
  for (std::size_t index : games) {
    const GameStats& g = t.Games[index];
    if (!OnScoreboard(t, g)) continue;
    if (g.TeamA == team) GameRow(page, site, g, index, true, so, columns.size());
    if (g.TeamB == team) GameRow(page, site, g, index, false, so, columns.size());
  }
  page += "</tbody>\n<tfoot><tr><td class=r><th class=n>Total<td class=l><td class=l>" +
          ScorePair(record.PointsFor, record.PointsAgainst) + "<td>" + Num(ShownWins(record)) +
          "\xE2\x80\x93" + Num(ShownLosses(record)) +
          (record.Ties > 0 ? "\xE2\x80\x93" + Num(record.Ties) : "");
  for (const std::string& v : TeamCountValues(t, record)) page += "<td>" + v;
  page += "</tfoot></table></div>\n";
  page += TeamPointsChart(site, team, games);

  page += "<h2>Players</h2>\n";
  if (players.empty()) {
    page += "<p class=\"note\">No player has played yet.</p>\n";
  } else {
    OpenTableBox(page, "Players");
    page += "<table class=\"st sort nr\">\n<thead><tr>";
    HeadCell(page, {"Player", "Opens the player's games"}, "n");
    for (const Column& c : PlayerColumns(t)) HeadCell(page, c);
    page += "</tr></thead>\n<tbody>\n";
    for (const Individuals* p : players) {
      page += "<tr><th>" + PlayerLink(site, team, p->PlayerIndex - 1);
      for (const std::string& v : PlayerValues(t, *p)) page += "<td>" + v;
      page += "\n";
    }
    page += "</tbody></table></div>\n";
  }
  ClosePage(page);
}

}  // namespace drav::modern
