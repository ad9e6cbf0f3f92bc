#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/tournament.h"

namespace drav {

// One team's statistics over the selected rounds. Sums are 64-bit so that hostile files
// cannot overflow them; they print as plain decimals like any count.
struct Standings {
  std::string TeamName;
  int TeamIndex = 0;
  int GroupPosition = 0;  // working storage of the Swiss pairing
  int Wins = 0;           // played games won
  int Losses = 0;
  int Ties = 0;
  int ForfeitWins = 0;    // forfeits as team A
  int ForfeitLosses = 0;  // forfeits as team B
  double Pct = 0;         // (Wins + ForfeitWins + 0.5 Ties) / GamesCount, 0 without games
  double PPG = 0;         // PointsFor / played games, 0 without played games
  int GamesCount = 0;     // played games plus forfeits
  std::int64_t PointsFor = 0;
  std::int64_t PointsAgainst = 0;
  std::int64_t TUH = 0;
  std::int64_t LightningPts = 0;
  std::int64_t BonusHeard = 0;
  std::int64_t BonusPts = 0;
  std::int64_t BounceHeard = 0;
  std::int64_t BouncePts = 0;
  std::array<std::int64_t, kColumns> TossUps{};  // per question-value slot
  int LinkIndex = 0;                             // team index again, for the "#t" anchors
  double SoS = 0;  // own scoring rate plus one opponent rate per played game
  // Played games with a box score and the points scored in them: the per-toss-up and
  // per-bonus figures rest on these alone. Without score-only games they equal the
  // played games and PointsFor.
  int FullGames = 0;
  std::int64_t FullPointsFor = 0;

  bool operator==(const Standings&) const = default;
};

// True when a game of this round counts (AllRounds, or RoundsMin <= round <= RoundsMax).
bool RoundSelected(const TourneyFormat& format, int round);

// True when the game's team A side counts: round selected and team B a listed,
// non-exhibition team. (Forfeits and blank scores are decided by the caller.)
bool CountsForTeamA(const Tournament& t, const GameStats& g);
// Same for team B's side (team A must be a listed, non-exhibition team).
bool CountsForTeamB(const Tournament& t, const GameStats& g);

// True when the game counts in the teams' records and figures: a tiebreaker game does not,
// unless the tournament counts tiebreakers in the standings. (Players' figures keep it.)
bool CountsInTeamStandings(const Tournament& t, const GameStats& g);

// True when the game was played out: not a forfeit and neither score is -1.
bool IsPlayedGame(const GameStats& g);

// One record per team of Rosters, in team order, with SoS complete (the TeamStats list).
std::vector<Standings> ComputeTeamStats(const Tournament& t);

}  // namespace drav
