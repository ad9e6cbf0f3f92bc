#pragma once

#include <string>
#include <vector>

#include "model/tournament.h"

namespace drav::test {

// Sets one player row of side A (sideA) or B of a game: player, games played, the counts
// of the first three value slots and the row's points.
inline void SetRow(GameStats& g, bool sideA, int row, int player, double gp, int q0, int q1, int q2,
                   int points) {
  (sideA ? g.PlayerA : g.PlayerB)[row] = player;
  (sideA ? g.GPA : g.GPB)[row] = gp;
  (sideA ? g.Q0A : g.Q0B)[row] = q0;
  (sideA ? g.Q1A : g.Q1B)[row] = q1;
  (sideA ? g.Q2A : g.Q2B)[row] = q2;
  (sideA ? g.PtsA : g.PtsB)[row] = points;
}

inline GameStats MakeGame(const std::string& gid, int round, int teamA, int teamB, int scoreA,
                          int scoreB) {
  GameStats g;
  g.GID = gid;
  g.Round = round;
  g.TeamA = teamA;
  g.TeamB = teamB;
  g.ScoreA = scoreA;
  g.ScoreB = scoreB;
  g.TUH = 20;
  return g;
}

// A small tournament that reaches the awkward corners of every page: names holding
// markup characters, a forfeit, a tie in overtime, a blank score, a round-0 game, a game
// of a team against itself, an exhibition team, a team without games, a player in two
// rows of one game, a row with games played 0, an opponent index outside the team list,
// and games entered out of round order.
inline Tournament WebFixture() {
  Tournament t;
  TourneyFormat& f = t.Format;
  f.TourneyName = "Fall <Open> & Co";
  f.TrackBonuses = 1;
  f.BonusMode = 1;
  f.PowNeg = 1;
  f.TUHeard = 1;
  f.AllRounds = 1;
  f.RoundsMin = 1;
  f.RoundsMax = 1;
  t.QuestionValues = {15, 10, -5, 0};
  t.Rosters = {
      {"Alpha & Omega", "Ann <Lee>", "Bo \"Q\"", "Cy", "Dee"},
      {"<script>x</script>", "Eve", "Fay"},
      {"Gamma", "Gus", "Hal", "Ida"},
      {"Delta", "Jo", "Kim"},
      {"Idle", "Nobody"},
  };
  t.DivisionNames = {"East & West", "North"};
  t.TeamDivision = {0, 1, 0, -1, 1};
  t.ExhibitionTeam = {0, 0, 0, 1, 0};
  t.PacketNames = {"Pk <One>", "Pk Two", "Pk Three"};

  GameStats g = MakeGame("7", 2, 0, 1, 180, 125);
  SetRow(g, true, 0, 0, 1, 2, 3, 1, 55);
  SetRow(g, true, 1, 1, 0.5, 1, 1, 0, 25);
  SetRow(g, true, 2, 2, 0, 0, 1, 0, 10);  // counted in the team sums, not in the box score
  SetRow(g, false, 0, 0, 1, 0, 4, 2, 30);
  SetRow(g, false, 1, 1, 1, 1, 2, 0, 35);
  g.BHA = 6, g.BPA = 90, g.BHB = 5, g.BPB = 60;
  g.BncBkA = 2, g.BncBkPtsA = 10, g.BncBkB = 3, g.BncBkPtsB = 20;
  g.SixtyA = 30, g.SixtyB = 20;
  t.Games.push_back(g);

  g = MakeGame("3", 1, 2, 0, 150, 150);
  g.Overtime = 1;
  g.TUH = 18;
  SetRow(g, true, 0, 0, 0.5, 1, 2, 0, 35);
  SetRow(g, true, 1, 0, 0.25, 0, 1, 1, 5);  // the same player in a second row
  SetRow(g, true, 2, 1, 1, 0, 3, 0, 30);
  SetRow(g, false, 0, 2, 1, 3, 0, 0, 45);
  SetRow(g, false, 3, 3, 1, 0, 2, 1, 15);
  g.BHA = 4, g.BPA = 50, g.BHB = 5, g.BPB = 40;
  g.SixtyA = 10, g.SixtyB = 0;
  t.Games.push_back(g);

  g = MakeGame("4", 1, 1, 3, 100, 20);  // forfeit, scores entered anyway
  g.Forfeit = 1;
  SetRow(g, true, 0, 0, 1, 1, 1, 0, 25);
  t.Games.push_back(g);

  g = MakeGame("5", 3, 2, 1, 100, 240);
  SetRow(g, true, 0, 0, 1, 3, 0, 0, 45);  // three powers, no negs
  SetRow(g, true, 1, 2, 1, 0, 0, 0, 0);
  SetRow(g, false, 0, 1, 1, 2, 5, 1, 75);
  g.BHA = 3, g.BPA = 10, g.BHB = 7, g.BPB = 120;
  t.Games.push_back(g);

  g = MakeGame("6", 3, 3, 0, 90, -1);  // blank score
  SetRow(g, true, 0, 0, 1, 1, 1, 0, 25);
  t.Games.push_back(g);

  g = MakeGame("1", 0, 0, 2, 200, 100);
  SetRow(g, true, 0, 3, 1, 0, 2, 0, 20);
  SetRow(g, false, 0, 1, 1, 0, 1, 0, 10);
  g.BHA = 2, g.BPA = 0, g.BHB = 1, g.BPB = 0;
  t.Games.push_back(g);

  g = MakeGame("8", 5, 2, 2, 120, 110);  // a team against itself
  SetRow(g, true, 0, 2, 1, 1, 0, 0, 15);
  SetRow(g, false, 0, 1, 1, 0, 1, 0, 10);
  t.Games.push_back(g);

  g = MakeGame("9", 2, 3, 9, 100, 50);  // opponent outside the team list
  SetRow(g, true, 0, 1, 1, 0, 2, 0, 20);
  SetRow(g, true, 1, 7, 1, 0, 1, 0, 10);  // player outside the roster
  t.Games.push_back(g);

  g = MakeGame("10", 4, 3, 2, 60, 70);  // counts for the exhibition team only
  SetRow(g, true, 0, 0, 1, 0, 3, 0, 30);
  SetRow(g, false, 0, 0, 1, 1, 2, 0, 35);
  g.BHA = 3, g.BPA = 30, g.BHB = 3, g.BPB = 35;
  t.Games.push_back(g);
  return t;
}

}  // namespace drav::test
