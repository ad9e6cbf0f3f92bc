#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/tournament.h"

namespace drav {

// One rostered player's statistics over the selected rounds (64-bit sums).
struct Individuals {
  std::string PlayerName;
  std::string TeamName;
  int TeamIndex = 0;
  double GP = 0;  // sum of the games-played fractions
  std::array<std::int64_t, kColumns> TossUps{};
  std::int64_t Points = 0;
  std::int64_t TUH = 0;  // per row: integer part of game TUH * fraction + 0.5
  int PlayerIndex = 0;   // 1-based position in the team's roster list
  int LinkIndex = 0;     // team index again, for the "#p" anchors

  bool operator==(const Individuals&) const = default;
};

// Toss-ups heard credited for one row: truncation of tuh * fraction + 0.5, clamped
// into range for absurd fractions (never undefined).
std::int64_t RowTossupsHeard(int tuh, double fraction);
// sum += add, held at the 64-bit limits: huge games-played values in several games would
// otherwise overflow the player's toss-ups heard.
void AddTossupsHeard(std::int64_t& sum, std::int64_t add);

// True when the game adds to the records of side A's (or B's) players: a played game in
// the selected rounds, not score-only, against a team that is not an exhibition team.
bool CountsForPlayers(const Tournament& t, const GameStats& g, bool sideA);

// One record per rostered player, team by team and in roster order (the PlayerStats list).
std::vector<Individuals> ComputePlayerStats(const Tournament& t);

// True when a ranks ahead of b: rate (PPG, or points per TUH with TUHSort) beyond the
// tolerance, then counts of positive-value toss-up slots, then points.
bool PlayerBefore(const Individuals& a, const Individuals& b, const Tournament& t);

// Sorts the players into individual standings order with PlayerBefore (merge sort).
void SortPlayerStats(const Tournament& t, std::vector<Individuals>& playerStats);

}  // namespace drav
