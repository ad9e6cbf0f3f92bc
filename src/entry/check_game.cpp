#include "entry/check_game.h"

#include <cstdint>

#include "entry/score_only_checks.h"

namespace drav::entry {

namespace {

struct SideView {
  int team;
  int score;
  const RowArray<int>& player;
  const RowArray<double>& gp;
  const RowArray<int>& pts;
  std::array<const RowArray<int>*, kColumns> counts;
  int sixty;
  int bp;
  int bncBkPts;
  int ot;
};

SideView SideA(const GameStats& g) {
  return {g.TeamA, g.ScoreA, g.PlayerA, g.GPA, g.PtsA, {&g.Q0A, &g.Q1A, &g.Q2A, &g.Q3A},
          g.SixtyA, g.BPA, g.BncBkPtsA, g.OTA};
}

SideView SideB(const GameStats& g) {
  return {g.TeamB, g.ScoreB, g.PlayerB, g.GPB, g.PtsB, {&g.Q0B, &g.Q1B, &g.Q2B, &g.Q3B},
          g.SixtyB, g.BPB, g.BncBkPtsB, g.OTB};
}

std::int64_t SumPoints(const SideView& s) {
  std::int64_t sum = 0;
  for (int r = 0; r < kRows; ++r) sum += s.pts[r];
  return sum;
}

}  // namespace

bool AnyWarningOn(const TourneyFormat& f) {
  return f.Warning1 || f.Warning2 || f.Warning3 || f.Warning4 || f.Warning5 || f.Warning6 ||
         f.Warning7;
}

std::vector<std::string> CheckGame(const Tournament& t, int position) {
  if (position < 0 || position >= t.GameCount()) return {};
  return CheckGameRecord(t, t.Games[position]);
}

std::vector<std::string> CheckGameRecord(const Tournament& t, const GameStats& g) {
  const TourneyFormat& f = t.Format;
  std::vector<std::string> messages;
  if (g.Forfeit) return messages;
  if (g.TeamA < 0 || g.TeamB < 0) return messages;

  if (g.TeamA == g.TeamB && f.Warning1) messages.push_back("Team Playing Itself");
  if (g.TUH < 0 && f.Warning7) messages.push_back("Negative Toss-Ups Heard");
  // A score-only game has no rows or bonuses for the other warnings to look at.
  if (g.ScoreOnly) {
    for (std::string& m : ScoreOnlyChecks(t, g)) messages.push_back(std::move(m));
    return messages;
  }

  const SideView sides[2] = {SideA(g), SideB(g)};

  // The last repetition in the scan order (rows i outer, j inner, team A before team B)
  // is the one named.
  int repeatedSide = -1;
  int repeatedRow = -1;
  for (int i = 0; i < kRows; ++i) {
    for (int j = 0; j < kRows; ++j) {
      if (i == j) continue;
      for (int s = 0; s < 2; ++s) {
        const SideView& side = sides[s];
        if (side.gp[i] > 0 && side.gp[j] > 0 && side.player[i] == side.player[j]) {
          repeatedSide = s;
          repeatedRow = i;
        }
      }
    }
  }
  if (repeatedSide >= 0 && f.Warning2) {
    const SideView& side = sides[repeatedSide];
    if (t.IsTeam(side.team)) {
      // Entry player+1 of the roster list: the player's name, or the team's own name for
      // a row without a player. Anything outside the list names nobody.
      const auto& roster = t.Rosters[side.team];
      const std::int64_t entry = static_cast<std::int64_t>(side.player[repeatedRow]) + 1;
      if (entry >= 0 && entry < static_cast<std::int64_t>(roster.size()))
        messages.push_back("Player " + roster[entry] + " entered more than once");
    }
  }

  std::int64_t totals[2];
  double gamesPlayed[2];
  for (int s = 0; s < 2; ++s) {
    const SideView& side = sides[s];
    std::int64_t total = SumPoints(side);
    if (f.Sixty) total += side.sixty;
    if (f.TrackBonuses) total += side.bp;
    if (f.BonusMode == 3) total += side.bncBkPts;
    totals[s] = total;
    double gp = 0;
    for (int r = 0; r < kRows; ++r) gp += side.gp[r];
    gamesPlayed[s] = gp;
  }

  for (int s = 0; s < 2; ++s) {
    const SideView& side = sides[s];
    if (totals[s] != side.score && t.IsTeam(side.team) && f.Warning3)
      messages.push_back("Individual and Bonus Scores Do Not Add to Total Score for " +
                         t.TeamName(side.team));
  }
  for (int s = 0; s < 2; ++s) {
    const SideView& side = sides[s];
    if (gamesPlayed[s] > 4.01 && t.IsTeam(side.team) && f.Warning4)
      messages.push_back("Total Games Played Greater Than Four for " + t.TeamName(side.team));
  }

  if (f.BonusMode == 1) {
    for (int s = 0; s < 2; ++s) {
      const SideView& side = sides[s];
      std::int64_t heard = 0;
      for (int k = 0; k < kColumns; ++k) {
        if (t.QuestionValues[k] <= 0) continue;
        for (int r = 0; r < kRows; ++r) heard += (*side.counts[k])[r];
      }
      if (g.Overtime) heard -= side.ot;
      const std::int64_t points = static_cast<std::int64_t>(side.score) - SumPoints(side) -
                                  side.sixty;
      const bool exists = t.IsTeam(side.team);
      if (((heard > 0 && static_cast<double>(points) / static_cast<double>(heard) > 30.01) ||
           points < 0) &&
          exists && f.Warning5)
        messages.push_back("Points Per Bonus Not Between 0 and 30 for " + t.TeamName(side.team));
      if (points > 0 && heard <= 0 && exists && f.Warning6)
        messages.push_back("Bonus Points Earned Without Being Heard for " +
                           t.TeamName(side.team));
    }
  }
  return messages;
}

}  // namespace drav::entry
