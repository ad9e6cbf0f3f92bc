#pragma once

#include <string>
#include <vector>

#include "model/tournament.h"

namespace drav::test {

// A tournament of the named teams, each with players "<team> 1".."<team> n", values
// 15/10/-5, every round selected.
inline Tournament MakeTourney(const std::vector<std::string>& teams, int playersPerTeam = 2) {
  Tournament t;
  for (const std::string& name : teams) {
    std::vector<std::string> roster{name};
    for (int p = 1; p <= playersPerTeam; ++p) roster.push_back(name + " " + std::to_string(p));
    t.Rosters.push_back(roster);
    t.TeamDivision.push_back(-1);
    t.ExhibitionTeam.push_back(0);
  }
  t.QuestionValues = {15, 10, -5, 0};
  t.Format.AllRounds = 1;
  t.Format.RoundsMin = 1;
  t.Format.RoundsMax = 1;
  t.Format.SortCriterion = 1;
  return t;
}

// Appends a played game (20 toss-ups heard) and returns it for further figures.
inline GameStats& AddGame(Tournament& t, int teamA, int teamB, int scoreA, int scoreB,
                          int round = 1) {
  GameStats g;
  g.TeamA = teamA;
  g.TeamB = teamB;
  g.ScoreA = scoreA;
  g.ScoreB = scoreB;
  g.TUH = 20;
  g.Round = round;
  g.GID = std::to_string(t.Games.size() + 1);
  t.Games.push_back(g);
  return t.Games.back();
}

// Enters player (0-based) in row (0-based) of side A or B with the given counts.
inline void SetRow(GameStats& g, bool sideA, int row, int player, double gp, int q0, int q1, int q2,
                   int q3 = 0) {
  const int pts = 15 * q0 + 10 * q1 - 5 * q2;
  if (sideA) {
    g.PlayerA[row] = player;
    g.GPA[row] = gp;
    g.Q0A[row] = q0;
    g.Q1A[row] = q1;
    g.Q2A[row] = q2;
    g.Q3A[row] = q3;
    g.PtsA[row] = pts;
  } else {
    g.PlayerB[row] = player;
    g.GPB[row] = gp;
    g.Q0B[row] = q0;
    g.Q1B[row] = q1;
    g.Q2B[row] = q2;
    g.Q3B[row] = q3;
    g.PtsB[row] = pts;
  }
}

}  // namespace drav::test
