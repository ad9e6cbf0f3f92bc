#pragma once

#include <array>
#include <string>

namespace drav {

// Player rows per team in one game. Row r (1..8, as the entry window numbers them) is
// stored at index r - 1 of every per-row array.
inline constexpr int kRows = 8;
// Toss-up value columns.
inline constexpr int kColumns = 4;

template <typename T>
using RowArray = std::array<T, kRows>;

// One game between team A and team B. Teams are indices into Rosters; players are
// 0-based indices into their team's players, -1 for an empty row.
struct GameStats {
  int TeamA = 0;
  int TeamB = 0;
  int ScoreA = 0;
  int ScoreB = 0;
  RowArray<int> PlayerA = FilledRows(-1);
  RowArray<double> GPA{};
  RowArray<int> Q0A{};
  RowArray<int> Q1A{};
  RowArray<int> Q2A{};
  RowArray<int> Q3A{};
  RowArray<int> PtsA{};
  RowArray<int> PlayerB = FilledRows(-1);
  RowArray<double> GPB{};
  RowArray<int> Q0B{};
  RowArray<int> Q1B{};
  RowArray<int> Q2B{};
  RowArray<int> Q3B{};
  RowArray<int> PtsB{};
  int BHA = 0;
  int BPA = 0;
  int BHB = 0;
  int BPB = 0;
  int BncBkA = 0;
  int BncBkPtsA = 0;
  int BncBkB = 0;
  int BncBkPtsB = 0;
  int SixtyA = 0;
  int SixtyB = 0;
  int TUH = 0;
  int Round = 0;
  std::string GID;
  int Forfeit = 0;
  int Overtime = 0;
  int OTA = 0;
  int OTB = 0;
  // A tiebreaker game is left out of the won-lost records and standings figures (unless the
  // tournament says they count) but still counts for the players.
  bool Tiebreaker = false;
  // A score-only game keeps the teams, scores, round, forfeit and overtime marks and the
  // toss-ups heard, but no player rows and no bonus, lightning or bounceback figures.
  bool ScoreOnly = false;

  bool operator==(const GameStats&) const = default;

  // Count of toss-ups at a value column (0..3) for row index 0..7 of side A or B.
  int& QA(int column, int row);
  int& QB(int column, int row);
  int QA(int column, int row) const;
  int QB(int column, int row) const;

 private:
  static constexpr RowArray<int> FilledRows(int v) {
    RowArray<int> a{};
    for (auto& x : a) x = v;
    return a;
  }
};

}  // namespace drav
