#include "stats/game_figures.h"

#include "stats/figures.h"
#include "stats/team_stats.h"

namespace drav {

SideFigures SideOfGame(const GameStats& g, bool sideA) {
  SideFigures s;
  s.Own = sideA ? g.ScoreA : g.ScoreB;
  s.Other = sideA ? g.ScoreB : g.ScoreA;
  for (int k = 0; k < kColumns; ++k)
    for (int j = 0; j < kRows; ++j) s.Slots[k] += sideA ? g.QA(k, j) : g.QB(k, j);
  s.TUH = g.TUH;
  s.Lightning = sideA ? g.SixtyA : g.SixtyB;
  s.BonusHeard = sideA ? g.BHA : g.BHB;
  s.BonusPts = sideA ? g.BPA : g.BPB;
  s.BounceHeard = sideA ? g.BncBkA : g.BncBkB;
  s.BouncePts = sideA ? g.BncBkPtsA : g.BncBkPtsB;
  return s;
}

GameResult ResultForSide(const Tournament& t, const GameStats& g, bool sideA) {
  const int own = sideA ? g.TeamA : g.TeamB;
  if (!t.IsTeam(own) || !(sideA ? CountsForTeamA(t, g) : CountsForTeamB(t, g)) ||
      !CountsInTeamStandings(t, g))
    return GameResult::NotCounted;
  if (g.Forfeit != 0) return sideA ? GameResult::Win : GameResult::Loss;
  if (!IsPlayedGame(g)) return GameResult::NotCounted;
  const int a = sideA ? g.ScoreA : g.ScoreB;
  const int b = sideA ? g.ScoreB : g.ScoreA;
  return a > b ? GameResult::Win : a < b ? GameResult::Loss : GameResult::Tie;
}

std::map<int, RoundFigures> ComputeRoundFigures(const Tournament& t) {
  // Kept by round number rather than one record per round up to the highest: a round of
  // two billion in a damaged file must not allocate two billion records.
  std::map<int, RoundFigures> rounds;
  for (const GameStats& g : t.Games) {
    if (g.Forfeit || g.TeamA < 0 || g.TeamB < 0) continue;
    RoundFigures& r = rounds[g.Round];
    r.TotalPoints += static_cast<std::int64_t>(g.ScoreA) + g.ScoreB;
    r.TeamGames += 2;
    for (int j = 0; j < kRows; ++j)
      r.TossUpPoints += static_cast<std::int64_t>(g.PtsA[j]) + g.PtsB[j];
    if (!g.ScoreOnly) r.TossUpsHeard += g.TUH;  // its toss-up points are not known
    r.BonusPoints += static_cast<std::int64_t>(g.BPA) + g.BPB;
    r.BonusesHeard += static_cast<std::int64_t>(g.BHA) + g.BHB;
    r.LightningPoints += static_cast<std::int64_t>(g.SixtyA) + g.SixtyB;
    if (t.Format.BonusMode == 3) {
      r.BouncebackPoints += static_cast<std::int64_t>(g.BncBkPtsA) + g.BncBkPtsB;
      r.BouncebacksHeard += static_cast<std::int64_t>(g.BncBkA) + g.BncBkB;
    }
  }
  return rounds;
}

namespace {
double Over(std::int64_t numerator, std::int64_t divisor) {
  return Quotient(static_cast<double>(numerator), static_cast<double>(divisor));
}
}  // namespace

double PointsPerTeamGame(const RoundFigures& r) {
  return Over(r.TotalPoints, r.TeamGames);
}
double TossUpPointsPerHeard(const RoundFigures& r) {
  return Over(r.TossUpPoints, r.TossUpsHeard);
}
double LightningPerTeamGame(const RoundFigures& r) {
  return Over(r.LightningPoints, r.TeamGames);
}
double BonusConversion(const RoundFigures& r) {
  return Over(r.BonusPoints, r.BonusesHeard);
}
double BouncebackConversion(const RoundFigures& r) {
  return Over(r.BouncebackPoints, r.BouncebacksHeard);
}

}  // namespace drav
