#include "stats/quickprint.h"

#include <algorithm>
#include <string>

#include "model/merge_sort.h"
#include "model/numbers.h"
#include "model/text_codec.h"
#include "stats/figures.h"
#include "stats/full_games_note.h"
#include "stats/player_stats.h"
#include "stats/standings_order.h"
#include "stats/team_stats.h"

namespace drav {

namespace {

// A field's columns: one per character for valid UTF-8 beyond ASCII, else one per byte
// (ASCII and Windows-1252 names keep their bytes).
struct Columns {
  std::string_view s;
  bool utf8;
  explicit Columns(std::string_view text)
      : s(text),
        utf8(std::any_of(text.begin(), text.end(),
                         [](char c) { return static_cast<unsigned char>(c) >= 0x80; }) &&
             IsValidUtf8(text)) {}
  std::size_t Count() const {
    if (!utf8) return s.size();
    return static_cast<std::size_t>(std::count_if(
        s.begin(), s.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
  }
  // The first n columns, never ending inside a character.
  std::string_view First(std::size_t n) const {
    if (!utf8) return s.substr(0, n);
    std::size_t at = 0;
    for (std::size_t seen = 0; at < s.size(); ++at) {
      if ((static_cast<unsigned char>(s[at]) & 0xC0) != 0x80 && seen++ == n) break;
    }
    return s.substr(0, at);
  }
};

}  // namespace

std::string LeftField(std::string_view s, int width) {
  if (width <= 0) return std::string();
  const std::size_t w = static_cast<std::size_t>(width);
  const Columns c(s);
  const std::size_t n = c.Count();
  if (n < w) return std::string(s) + std::string(w - n, ' ');
  return std::string(c.First(w - 1)) + ' ';
}

std::string RightField(std::string_view s, int width) {
  if (width <= 0) return std::string();
  const std::size_t w = static_cast<std::size_t>(width);
  const Columns c(s);
  const std::size_t n = c.Count();
  if (n < w) return std::string(w - 1 - n, ' ') + std::string(s) + ' ';
  return std::string(c.First(w - 1)) + ' ';
}

namespace {

std::string Num(std::int64_t n) {
  return std::to_string(n);
}

}  // namespace

std::string TeamHeader(const Tournament& t) {
  const TourneyFormat& f = t.Format;
  std::string line = LeftField("#", 4) + LeftField("Team", 18) + RightField("W", 3) +
                     RightField("L", 3) + RightField("T", 3) + RightField("Pct", 6) +
                     RightField("PPG", 6) + RightField("PAPG", 6) + RightField("Mrg", 7);
  if (f.SortCriterion == 3) line += RightField("SoS", 6);
  for (int k = 0; k < kColumns; ++k)
    if (t.QuestionValues[k] != 0) line += RightField(Num(t.QuestionValues[k]), 4);
  if (f.TUHeard != 0) {
    line += RightField(f.BritishStyle != 0 ? "SH" : "TUH", 4);
    line += RightField(f.BritishStyle != 0 ? "PPSH" : "PPTH", 6);
  }
  if (f.PowNeg != 0) line += RightField("P/N", 6) + RightField("G/N", 6);
  if (f.Sixty != 0) line += RightField("Ltng", 5);
  if (f.TrackBonuses != 0) {
    line += RightField("BH", 4) + RightField("BPts", 5) + RightField("P/B", 6);
    if (f.BonusMode == 3)
      line += RightField("BBH", 4) + RightField("BBPts", 5) + RightField("P/BB", 6);
  }
  return line;
}

std::string TeamLine(const Tournament& t, const Standings& s, std::string_view place) {
  const TourneyFormat& f = t.Format;
  std::string line =
      LeftField(place, 4) + LeftField(s.TeamName, 18) + RightField(Num(ShownWins(s)), 3) +
      RightField(Num(ShownLosses(s)), 3) + RightField(Num(s.Ties), 3) +
      RightField(PctText(WinningPct(s)), 6) + RightField(AverageText(PointsPerGame(s)), 6) +
      RightField(AverageText(PointsAgainstPerGame(s)), 6) + RightField(AverageText(Margin(s)), 7);
  if (f.SortCriterion == 3) line += RightField(AverageText(ScheduleStrength(s)), 6);
  for (int k = 0; k < kColumns; ++k)
    if (t.QuestionValues[k] != 0) line += RightField(Num(s.TossUps[k]), 4);
  if (f.TUHeard != 0)
    line += RightField(Num(s.TUH), 4) + RightField(RatioText(PointsPerTossupHeard(s)), 6);
  if (f.PowNeg != 0) line += RightField(PowerNegText(s), 6) + RightField(GetNegText(s), 6);
  if (f.Sixty != 0) line += RightField(Num(s.LightningPts), 5);
  if (f.TrackBonuses != 0) {
    line += RightField(Num(s.BonusHeard), 4) + RightField(Num(s.BonusPts), 5) +
            RightField(RatioText(PointsPerBonus(s)), 6);
    if (f.BonusMode == 3)
      line += RightField(Num(s.BounceHeard), 4) + RightField(Num(s.BouncePts), 5) +
              RightField(RatioText(PointsPerBounceback(s)), 6);
  }
  return line;
}

namespace {

// The name of a team's division, "" when it has none.
std::string DivisionName(const Tournament& t, int team) {
  const int d = t.DivisionOf(team);
  if (d < 0 || d >= static_cast<int>(t.DivisionNames.size())) return std::string();
  return t.DivisionNames[d];
}

}  // namespace

std::vector<std::string> TeamStandingsLines(const Tournament& t) {
  const TeamTables tables = ComputeStandings(t);
  std::vector<std::string> lines;
  // division < 0: the one section without divisions.
  auto section = [&](int division) {
    if (division >= 0) lines.push_back(t.DivisionNames[division]);
    lines.push_back(TeamHeader(t));
    for (std::size_t i = 0; i < tables.TeamStats.size(); ++i) {
      const Standings& s = tables.TeamStats[i];
      if (s.GamesCount <= 0) continue;
      if (division >= 0 && t.DivisionOf(s.TeamIndex) != division) continue;
      lines.push_back(TeamLine(t, s, Num(static_cast<std::int64_t>(i) + 1)));
    }
    lines.push_back(" ");
  };
  if (t.Format.Divisions != 0) {
    for (int d = 0; d < static_cast<int>(t.DivisionNames.size()); ++d) section(d);
  } else {
    section(-1);
  }
  const std::vector<const Standings*> mixed = TeamsWithScoreOnlyGames(tables.TeamStats);
  if (!mixed.empty()) {
    lines.push_back(kFullGamesNoteHeading);
    for (const Standings* s : mixed) lines.push_back("  " + FullGamesNote(s->TeamName, *s));
    lines.push_back(" ");
  }
  return lines;
}

std::vector<std::string> PlayerStandingsLines(const Tournament& t) {
  const TourneyFormat& f = t.Format;
  std::vector<Individuals> players = ComputePlayerStats(t);
  SortPlayerStats(t, players);

  std::vector<std::string> lines;
  std::string header = LeftField("#", 4) + LeftField("Player", 20) + LeftField("Team", 15);
  if (f.Divisions != 0) header += LeftField("Div", 10);
  header += RightField("GP", 5);
  for (int k = 0; k < kColumns; ++k)
    if (t.QuestionValues[k] != 0) header += RightField(Num(t.QuestionValues[k]), 4);
  if (f.TUHeard != 0) {
    header += RightField(f.BritishStyle != 0 ? "SH" : "TUH", 4);
    header += RightField(f.BritishStyle != 0 ? "PPSH" : "PPTH", 6);
  }
  if (f.PowNeg != 0) header += RightField("P/N", 6) + RightField("G/N", 6);
  header += RightField("Pts", 8) + RightField("PPG", 10);
  lines.push_back(header);

  for (std::size_t i = 0; i < players.size(); ++i) {
    const Individuals& p = players[i];
    if (!(p.GP > 0)) continue;
    std::string line = LeftField(Num(static_cast<std::int64_t>(i) + 1), 4) +
                       LeftField(p.PlayerName, 20) + LeftField(p.TeamName, 15);
    if (f.Divisions != 0) line += LeftField(DivisionName(t, p.TeamIndex), 10);
    line += RightField(AverageText(p.GP), 5);
    for (int k = 0; k < kColumns; ++k)
      if (t.QuestionValues[k] != 0) line += RightField(Num(p.TossUps[k]), 4);
    if (f.TUHeard != 0)
      line += RightField(Num(p.TUH), 4) + RightField(RatioText(PointsPerTossupHeard(p)), 6);
    if (f.PowNeg != 0) line += RightField(PowerNegText(p), 6) + RightField(GetNegText(p), 6);
    line += RightField(Num(p.Points), 8) + RightField(RatioText(PointsPerGame(p)), 10);
    lines.push_back(line);
  }
  return lines;
}

std::vector<std::string> GameResultsLines(Tournament& t) {
  // The same merge sort as SortGames, on references: the games' stored order stays as it
  // was (as putting a copy back would) and no game is copied.
  t.Format.SortByRound = 1;
  std::vector<const GameStats*> games;
  games.reserve(t.Games.size());
  for (const GameStats& g : t.Games) games.push_back(&g);
  MergeSort(games, [](const GameStats* a, const GameStats* b) { return GameBefore(*a, *b, 1); });

  const TourneyFormat& f = t.Format;
  int currentRound = games.empty() ? 0 : games.front()->Round;
  if (f.AllRounds == 0) currentRound = f.RoundsMin;

  std::vector<std::string> lines;
  if (f.RoundReports != 0 && !games.empty()) lines.push_back("Round " + Num(currentRound));
  for (std::size_t i = 0; i < games.size(); ++i) {
    const GameStats& g = *games[i];
    if (!RoundSelected(f, g.Round) || !t.IsTeam(g.TeamA) || !t.IsTeam(g.TeamB)) continue;
    if (f.RoundReports != 0 && i > 0 && g.Round > currentRound) {
      currentRound = g.Round;
      lines.push_back("");
      lines.push_back("Round " + Num(currentRound));
    }
    const std::string& nameA = t.TeamName(g.TeamA);
    const std::string& nameB = t.TeamName(g.TeamB);
    if (g.Forfeit != 0) {
      lines.push_back(nameA + " defeats " + nameB + " by forfeit" +
                      (g.Tiebreaker ? " (tiebreaker)" : ""));
      continue;
    }
    if (g.ScoreA == -1 || g.ScoreB == -1) continue;
    std::string line;
    if (g.ScoreA > g.ScoreB)
      line = LeftField(nameA, 20) + RightField(Num(g.ScoreA), 5) + "   " + LeftField(nameB, 20) +
             RightField(Num(g.ScoreB), 5);
    else
      line = LeftField(nameB, 20) + RightField(Num(g.ScoreB), 5) + "   " + LeftField(nameA, 20) +
             RightField(Num(g.ScoreA), 5);
    if (g.ScoreA == g.ScoreB) line += LeftField("Tie", 5);
    if (g.Overtime != 0) line += LeftField("OT", 5);
    if (g.Tiebreaker) line += "(tiebreaker)";
    lines.push_back(line);
  }
  return lines;
}

}  // namespace drav
