#include "web/modern/site.h"

#include <algorithm>
#include <cstring>
#include <string_view>
#include <utility>

#include "stats/figures.h"
#include "web/html.h"

namespace drav::modern {

using web::Num;

std::string StandingsFile(int stage) {
  return stage < 0 ? "_standings.html" : "_standings_s" + Num(stage + 1) + ".html";
}
std::string IndividualsFile(int stage) {
  return stage < 0 ? "_individuals.html" : "_individuals_s" + Num(stage + 1) + ".html";
}
std::string IndividualsFile(int stage, int part) {
  if (part <= 0) return IndividualsFile(stage);
  std::string file = IndividualsFile(stage);
  return file.insert(file.size() - 5, "_p" + Num(part + 1));
}
std::string TeamFile(const PageAddresses& a, int team) {
  return "_team_" + a.teams.at(static_cast<std::size_t>(team)) + ".html";
}
std::string PlayerFile(const PageAddresses& a, int team, int player) {
  const auto slot = static_cast<std::size_t>(team);
  return "_player_" + a.teams.at(slot) + "_" +
         a.players.at(slot).at(static_cast<std::size_t>(player)) + ".html";
}
std::string RoundFile(int round) {
  return "_games_r" + Num(round) + ".html";
}

bool OnScoreboard(const Tournament& t, const GameStats& g) {
  return RoundSelected(t.Format, g.Round) && t.IsTeam(g.TeamA) && t.IsTeam(g.TeamB);
}

bool Covers(const Site& site, int team) {
  if (!site.t.IsTeam(team)) return false;
  return site.teams.empty() || site.teams[static_cast<std::size_t>(team)];
}

std::string Href(const Site& site, std::string_view suffix) {
  std::string href = site.linkBase;
  href += suffix;
  return HtmlEscapeLink(href);
}

void OpenPage(std::string& page, const Site& site, std::string_view title,
              std::string_view current) {
  const std::string name = HtmlEscape(site.t.Format.TourneyName);
  page += "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n";
  page += "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n";
  page += "<title>";
  page += title;
  // The index is titled with the name itself.
  if (!name.empty() && title != name) page += " \xE2\x80\x93 " + name;
  page +=
      "</title>\n<link rel=\"icon\" type=\"image/png\" href=\"" + Href(site, kIconFile) + "\">\n";
  page += "<link rel=\"stylesheet\" href=\"" + Href(site, kStyleFile) + "\">\n";
  page += "<script src=\"" + Href(site, kScriptFile) + "\" defer></script>\n</head>\n<body>\n";
  page += "<header><a class=\"site\" href=\"" + Href(site, kIndexFile) + "\">" +
          (name.empty() ? std::string("Tournament") : name) + "</a>\n<nav>";
  struct Item {
    std::string_view suffix;
    const char* label;
  };
  const std::string standings = StandingsFile(-1);
  const std::string individuals = IndividualsFile(-1);
  const Item items[] = {{standings, "Standings"},
                        {individuals, "Players"},
                        {kGamesFile, "Scoreboard"},
                        {kRoundsFile, "Rounds"},
                        {kKeyFile, "Key"}};
  for (const Item& item : items) {
    page += "<a href=\"" + Href(site, item.suffix) + "\"";
    if (item.suffix == current) page += " aria-current=\"page\"";
    page += ">";
    page += item.label;
    page += "</a>";
  }
  page += "</nav></header>\n<main>\n<h1>";
  page += title;
  page += "</h1>\n";
}

namespace {

// Where the next "<abbr " starts, from at on. A page holds a '<' every few bytes and few
// abbreviations: glibc's memmem skips ahead where stopping at each '<' would not.
std::size_t FindAbbr(std::string_view page, std::size_t at) {
  static constexpr std::string_view kOpen = "<abbr ";
  if (at >= page.size()) return std::string_view::npos;
#ifdef __GLIBC__
  const void* found = memmem(page.data() + at, page.size() - at, kOpen.data(), kOpen.size());
  return found ? static_cast<std::size_t>(static_cast<const char*>(found) - page.data())
               : std::string_view::npos;
#else
  return page.find(kOpen, at);
#endif
}

// The explanations of the page's abbreviations (<abbr title=...>), each head once, as a
// list that opens with a tap: phones show no tooltips.
std::string KeyOfPage(std::string_view page) {
  std::vector<std::string_view> heads;
  std::string items;
  for (std::size_t at = FindAbbr(page, 0); at != std::string_view::npos;
       at = FindAbbr(page, at + 1)) {
    const std::size_t title = page.find(" title=\"", at);
    const std::size_t close = page.find('>', at);
    if (title == std::string_view::npos || close == std::string_view::npos || title > close)
      continue;
    const std::size_t end = page.find("</abbr>", close);
    if (end == std::string_view::npos) break;
    const std::string_view head = page.substr(close + 1, end - close - 1);
    if (std::find(heads.begin(), heads.end(), head) != heads.end()) continue;
    // The title was escaped when written; it holds no quote.
    items += "<dt>";
    items += head;
    items += "</dt><dd>";
    items += page.substr(title + 8, close - 1 - (title + 8));
    items += "</dd>\n";
    heads.push_back(head);
  }
  if (items.empty()) return items;
  return "<details class=\"keys\"><summary>Key to the columns and marks</summary>\n"
         "<dl class=\"key\">\n" +
         items + "</dl></details>\n";
}

}  // namespace

void ClosePage(std::string& page) {
  const std::size_t heading = page.find("</h1>\n");
  if (heading != std::string::npos) page.insert(heading + 6, KeyOfPage(page));
  page += "</main>\n</body>\n</html>\n";
}

void OpenTableBox(std::string& page, std::string_view label) {
  page += "<div class=\"tw\" tabindex=\"0\" role=\"region\" aria-label=\"";
  page += label;
  page += "\">";
}

void HeadCell(std::string& page, const Column& c, std::string_view cls) {
  page += "<th";
  if (!cls.empty()) {
    page += " class=";
    page += cls;
  }
  page += ">";
  if (c.Key.empty()) {
    page += c.Head;
  } else {
    page += "<abbr title=\"";
    page += HtmlEscape(c.Key);
    page += "\">";
    page += c.Head;
    page += "</abbr>";
  }
}

namespace {

// The explanation of a question-value column.
std::string ValueKey(int value, bool british) {
  const char* what = british ? "starters" : "toss-ups";
  if (value < 0) return "Number of incorrect interrupts (" + Num(value) + " points)";
  return std::string("Number of ") + what + " answered for " + Num(value) + " points";
}

}  // namespace

std::vector<Column> TeamColumns(const Tournament& t) {
  const TourneyFormat& f = t.Format;
  const bool british = f.BritishStyle != 0;
  // What a reader wants first, narrow enough to fit a phone beside the name: the record,
  // points per game and per bonus.
  std::vector<Column> c = {
      {"W\xE2\x80\x93L", "Games won and lost (and tied, when there are ties)"},
      {"PPG", "Average number of points scored by the team in a game"},
  };
  if (f.TrackBonuses)
    c.push_back({"P/B", "Average number of points scored by the team on bonus questions"});
  c.push_back({"Pct", "Fraction of games won"});
  c.push_back({"PAPG", "Average number of points scored against the team in a game"});
  c.push_back({"Mrg", "Team's average margin of victory (if positive) or defeat (if negative)"});
  if (f.SortCriterion == 3)
    c.push_back({"SoS", "Strength of schedule: Average of own PPG and all opponents' total PPG"});
  for (int v : t.QuestionValues)
    if (v != 0) c.push_back({Num(v), ValueKey(v, british)});
  if (f.TUHeard) {
    c.push_back({british ? "SH" : "TUH", british ? "Total number of starters heard by the team"
                                                 : "Total number of toss-ups heard by the team"});
    c.push_back({british ? "PPSH" : "PPTH",
                 british ? "Average number of points scored by the team per starter heard"
                         : "Average number of points scored by the team per toss-up heard"});
  }
  if (f.PowNeg) {
    c.push_back({"P/N", "Ratio of powers to negs"});
    c.push_back({"G/N", "Ratio of gets (correctly answered questions) to negs"});
  }
  if (f.Sixty)
    c.push_back({"Ltng", "Total number of points scored by the team in the lightning round"});
  if (f.TrackBonuses) {
    c.push_back({"BHrd", "Total number of bonus questions heard by the team"});
    c.push_back({"BPts", "Total number of points scored by the team on bonus questions"});
    if (f.BonusMode == 3) {
      c.push_back({"BBHrd", "Total number of bonus bouncebacks heard by the team"});
      c.push_back({"BBPts", "Total number of points scored by the team on bonus bouncebacks"});
      c.push_back({"P/BB", "Average number of points scored by the team on bonus bouncebacks"});
    }
  }
  return c;
}

std::vector<std::string> TeamValues(const Tournament& t, const Standings& s) {
  const bool bonuses = t.Format.TrackBonuses != 0;
  std::vector<std::string> v = {RecordText(s), AverageText(PointsPerGame(s))};
  if (bonuses) v.push_back(RatioText(PointsPerBonus(s)));
  v.push_back(PctText(WinningPct(s)));
  v.push_back(AverageText(PointsAgainstPerGame(s)));
  v.push_back(AverageText(Margin(s)));
  if (t.Format.SortCriterion == 3) v.push_back(AverageText(ScheduleStrength(s)));
  std::vector<std::string> counts = TeamCountValues(t, s);
  // P/B stands at the front.
  if (bonuses) counts.erase(counts.end() - (t.Format.BonusMode == 3 ? 4 : 1));
  v.insert(v.end(), counts.begin(), counts.end());
  return v;
}

std::string RecordText(const Standings& s) {
  return Num(ShownWins(s)) + "\xE2\x80\x93" + Num(ShownLosses(s)) +
         (s.Ties > 0 ? "\xE2\x80\x93" + Num(s.Ties) : "");
}

std::vector<std::string> TeamCountValues(const Tournament& t, const Standings& s) {
  const TourneyFormat& f = t.Format;
  std::vector<std::string> v;
  for (int k = 0; k < kColumns; ++k)
    if (t.QuestionValues[k] != 0) v.push_back(Num(s.TossUps[k]));
  if (f.TUHeard) {
    v.push_back(Num(s.TUH));
    v.push_back(RatioText(PointsPerTossupHeard(s)));
  }
  if (f.PowNeg) {
    v.push_back(PowerNegText(s));
    v.push_back(GetNegText(s));
  }
  if (f.Sixty) v.push_back(Num(s.LightningPts));
  if (f.TrackBonuses) {
    v.push_back(Num(s.BonusHeard));
    v.push_back(Num(s.BonusPts));
    v.push_back(RatioText(PointsPerBonus(s)));
    if (f.BonusMode == 3) {
      v.push_back(Num(s.BounceHeard));
      v.push_back(Num(s.BouncePts));
      v.push_back(RatioText(PointsPerBounceback(s)));
    }
  }
  return v;
}

std::vector<Column> PlayerColumns(const Tournament& t) {
  const TourneyFormat& f = t.Format;
  const bool british = f.BritishStyle != 0;
  // Points, points per game and games played first: what fits a phone beside the name.
  std::vector<Column> c = {{"Pts", "Total number of points scored by the player"},
                           {"PPG", "Average number of points scored by the player per game"},
                           {"GP", "Number of games in which the player participated"}};
  for (int v : t.QuestionValues)
    if (v != 0) c.push_back({Num(v), ValueKey(v, british)});
  if (f.TUHeard) {
    c.push_back({british ? "SH" : "TUH", british ? "Total number of starters heard by the player"
                                                 : "Total number of toss-ups heard by the player"});
    c.push_back({british ? "P/S" : "P/TU",
                 british ? "Average number of points scored by the player per starter heard"
                         : "Average number of points scored by the player per toss-up heard"});
  }
  if (f.PowNeg) {
    c.push_back({"P/N", "Ratio of powers to negs"});
    c.push_back({"G/N", "Ratio of gets (correctly answered questions) to negs"});
  }
  return c;
}

std::vector<std::string> PlayerValues(const Tournament& t, const Individuals& p) {
  const TourneyFormat& f = t.Format;
  std::vector<std::string> v = {Num(p.Points), RatioText(PointsPerGame(p)), AverageText(p.GP)};
  for (int k = 0; k < kColumns; ++k)
    if (t.QuestionValues[k] != 0) v.push_back(Num(p.TossUps[k]));
  if (f.TUHeard) {
    v.push_back(Num(p.TUH));
    v.push_back(RatioText(PointsPerTossupHeard(p)));
  }
  if (f.PowNeg) {
    v.push_back(PowerNegText(p));
    v.push_back(GetNegText(p));
  }
  return v;
}

std::string ScoreNum(std::int64_t score) {
  const std::string digits = Num(score);
  return score < 0 ? "\xE2\x88\x92" + digits.substr(1) : digits;
}

std::string ScorePair(std::int64_t own, std::int64_t other) {
  // Narrow no-break spaces: the pair never breaks across lines.
  return ScoreNum(own) + "\xE2\x80\xAF\xE2\x80\x93\xE2\x80\xAF" + ScoreNum(other);
}

namespace {

std::string MakeTeamLink(const Site& site, int team) {
  std::string out = "<a href=\"" + Href(site, TeamFile(site.addresses, team)) + "\">" +
                    HtmlEscape(site.t.TeamName(team)) + "</a>";
  if (site.t.IsExhibition(team)) out += " <abbr class=\"tag\" title=\"Exhibition team\">exh</abbr>";
  return out;
}

std::string MakePlayerLink(const Site& site, int team, int player) {
  const std::string name = HtmlEscape(site.t.PlayerName(team, player));
  const auto slot = static_cast<std::size_t>(team);
  if (slot >= site.logs.size() || player < 0 ||
      static_cast<std::size_t>(player) >= site.logs[slot].size() ||
      !site.logs[slot][static_cast<std::size_t>(player)])
    return name;
  return "<a href=\"" + Href(site, PlayerFile(site.addresses, team, player)) + "\">" + name +
         "</a>";
}

}  // namespace

void MakeLinks(Site& site) {
  std::vector<std::string> teamLinks;
  std::vector<std::vector<std::string>> playerLinks(static_cast<std::size_t>(site.t.TeamCount()));
  for (int team = 0; team < site.t.TeamCount(); ++team) {
    teamLinks.push_back(MakeTeamLink(site, team));
    for (int player = 0; player < site.t.PlayerCount(team); ++player)
      playerLinks[static_cast<std::size_t>(team)].push_back(MakePlayerLink(site, team, player));
  }
  site.teamLinks = std::move(teamLinks);
  site.playerLinks = std::move(playerLinks);
}

std::string TeamLink(const Site& site, int team) {
  if (team >= 0 && static_cast<std::size_t>(team) < site.teamLinks.size())
    return site.teamLinks[static_cast<std::size_t>(team)];
  return MakeTeamLink(site, team);
}

std::string PlayerLink(const Site& site, int team, int player) {
  const auto slot = static_cast<std::size_t>(team);
  if (team >= 0 && slot < site.playerLinks.size() && player >= 0 &&
      static_cast<std::size_t>(player) < site.playerLinks[slot].size())
    return site.playerLinks[slot][static_cast<std::size_t>(player)];
  return MakePlayerLink(site, team, player);
}

std::string RankText(const SharedRank& r) {
  return r.Tied ? Num(r.Rank) + "=" : Num(r.Rank);
}

void TeamTable(std::string& page, const Site& site, const Tournament& view,
               const std::vector<const Standings*>& rows, const std::vector<SharedRank>& ranks,
               std::string_view label) {
  const std::vector<Column> columns = TeamColumns(view);
  const bool ranked = !ranks.empty();
  OpenTableBox(page, label);
  page += ranked ? "<table class=\"st sort\">" : "<table class=\"st nr\">";
  page += "\n<thead><tr>";
  if (ranked) HeadCell(page, {"#", "Place in the standings; = marks a shared place"}, "r");
  HeadCell(page, {"Team", "Opens the team's page"}, "n");
  for (const Column& c : columns) HeadCell(page, c);
  page += "</tr></thead>\n<tbody>\n";
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const Standings& s = *rows[i];
    page += "<tr>";
    if (ranked) page += "<td>" + RankText(ranks[i]);
    // Unranked, the table is a team's own record on its page: no link to itself.
    page += "<th>" + (ranked ? TeamLink(site, s.TeamIndex) : HtmlEscape(s.TeamName));
    for (const std::string& v : TeamValues(view, s)) page += "<td>" + v;
    page += "\n";
  }
  page += "</tbody></table></div>\n";
}

void PlayerTable(std::string& page, const Site& site, const Tournament& view,
                 const std::vector<const Individuals*>& rows, const std::vector<SharedRank>& ranks,
                 std::string_view groupHead) {
  const Tournament& t = site.t;
  const bool divisions = !groupHead.empty();
  OpenTableBox(page, "Individual standings");
  page += "<table class=\"st sort\">\n<thead><tr>";
  HeadCell(page, {"#", "Place in the individual standings; = marks a shared place"}, "r");
  HeadCell(page, {"Player", "Opens the player's games"}, "n");
  // The first figures stand beside the name, where a phone shows them; the team after them.
  constexpr std::size_t kFirst = 3;  // Pts, PPG, GP
  const std::vector<Column> columns = PlayerColumns(view);
  for (std::size_t c = 0; c < columns.size(); ++c) {
    if (c == kFirst) {
      HeadCell(page, {"Team", "Opens the team's page"}, "l");
      if (divisions)
        HeadCell(
            page,
            {std::string(groupHead),
             groupHead == "Division" ? "The team's division" : "The team's bracket in the stage"},
            "l");
    }
    HeadCell(page, columns[c]);
  }
  page += "</tr></thead>\n<tbody>\n";
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const Individuals& p = *rows[i];
    page +=
        "<tr><td>" + RankText(ranks[i]) + "<th>" + PlayerLink(site, p.TeamIndex, p.PlayerIndex - 1);
    const std::vector<std::string> values = PlayerValues(view, p);
    for (std::size_t c = 0; c < values.size(); ++c) {
      if (c == kFirst) {
        page += "<td class=l><a href=\"" + Href(site, TeamFile(site.addresses, p.TeamIndex)) +
                "\">" + HtmlEscape(p.TeamName) + "</a>";
        if (t.IsExhibition(p.TeamIndex))
          page += " <abbr class=\"tag\" title=\"Exhibition team\">exh</abbr>";
        if (divisions) {
          const int d = view.DivisionOf(p.TeamIndex);
          page += "<td class=l>";
          if (d >= 0 && static_cast<std::size_t>(d) < view.DivisionNames.size())
            page += HtmlEscape(view.DivisionNames[static_cast<std::size_t>(d)]);
        }
      }
      page += "<td>" + values[c];
    }
    page += "\n";
  }
  page += "</tbody></table></div>\n";
}

}  // namespace drav::modern
