#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <vector>

#include "model/tournament.h"

namespace drav {

// One side's figures of one game, as the per-game rows of the reports show them.
struct SideFigures {
  int Own = 0;                                 // own score
  int Other = 0;                               // the opponent's score
  std::array<std::int64_t, kColumns> Slots{};  // toss-ups per value slot, all rows summed
  int TUH = 0;
  int Lightning = 0;
  int BonusHeard = 0;
  int BonusPts = 0;
  int BounceHeard = 0;
  int BouncePts = 0;
};

SideFigures SideOfGame(const GameStats& g, bool sideA);

// How a game enters a side's won-lost record, by the rules of the team standings:
// Forfeits are won by team A; a game against an exhibition team, outside the selected
// rounds, with a blank score or a tiebreaker left out of the standings does not count.
enum class GameResult { NotCounted, Win, Loss, Tie };
GameResult ResultForSide(const Tournament& t, const GameStats& g, bool sideA);

// Per-round sums of the counted games (every game with both teams that is not a forfeit;
// bouncebacks only with BonusMode 3), keyed by round.
struct RoundFigures {
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
std::map<int, RoundFigures> ComputeRoundFigures(const Tournament& t);

// Round-report averages, 0 when the divisor is 0.
double PointsPerTeamGame(const RoundFigures& r);
double TossUpPointsPerHeard(const RoundFigures& r);
double LightningPerTeamGame(const RoundFigures& r);
double BonusConversion(const RoundFigures& r);
double BouncebackConversion(const RoundFigures& r);

}  // namespace drav
