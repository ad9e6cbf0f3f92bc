#include "bench_support.h"

#include <cstdio>
#include <cstring>
#include <random>
#include <string>

namespace drav::bench {

Tournament LargeTournament(int teams, int playersPerTeam, int games, int rounds, int bonusMode,
                           unsigned seed) {
  std::mt19937 rng(seed);
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  Tournament t;
  t.Format.TourneyName = "Benchmark Invitational";
  t.Format.TrackBonuses = bonusMode != 0;
  t.Format.BonusMode = bonusMode;
  t.Format.PowNeg = 1;
  t.Format.TUHeard = 1;
  t.Format.Sixty = 1;
  t.Format.AllRounds = 1;
  t.Format.BaseName = "bench";
  t.QuestionValues = {15, 10, -5, 0};
  t.DivisionNames = {"North", "South", "East", "West"};
  for (int i = 0; i < teams; ++i) {
    std::vector<std::string> team{"Team " + std::to_string(i)};
    for (int p = 0; p < playersPerTeam; ++p)
      team.push_back("Player " + std::to_string(i) + "-" + std::to_string(p));
    t.Rosters.push_back(std::move(team));
    t.TeamDivision.push_back(i % 4);
    t.ExhibitionTeam.push_back(0);
  }
  for (int r = 0; r < rounds; ++r) t.PacketNames.push_back("Packet " + std::to_string(r + 1));
  for (int gi = 0; gi < games && teams >= 2; ++gi) {
    GameStats g;
    g.GID = std::to_string(gi);
    g.Round = 1 + gi % rounds;
    g.TeamA = pick(0, teams - 1);
    do g.TeamB = pick(0, teams - 1); while (g.TeamB == g.TeamA);
    g.TUH = 20;
    int totals[2] = {0, 0}, gets[2] = {0, 0};
    for (int side = 0; side < 2; ++side) {
      for (int r = 0; r < 4 && r < playersPerTeam; ++r) {
        const int q0 = pick(0, 2), q1 = pick(0, 3), q2 = pick(0, 1);
        const int pts = 15 * q0 + 10 * q1 - 5 * q2;
        if (side == 0) {
          g.PlayerA[r] = r; g.GPA[r] = 1; g.Q0A[r] = q0; g.Q1A[r] = q1; g.Q2A[r] = q2; g.PtsA[r] = pts;
        } else {
          g.PlayerB[r] = r; g.GPB[r] = 1; g.Q0B[r] = q0; g.Q1B[r] = q1; g.Q2B[r] = q2; g.PtsB[r] = pts;
        }
        totals[side] += pts;
        gets[side] += q0 + q1;
      }
    }
    g.BHA = gets[0];
    g.BHB = gets[1];
    g.BPA = 10 * pick(0, 2 * gets[0]);
    g.BPB = 10 * pick(0, 2 * gets[1]);
    g.ScoreA = totals[0] + g.BPA;
    g.ScoreB = totals[1] + g.BPB;
    t.Games.push_back(g);
  }
  return t;
}

void ReportPeakMemory(const char* label) {
  std::FILE* f = std::fopen("/proc/self/status", "r");
  if (!f) return;
  char line[256];
  while (std::fgets(line, sizeof line, f)) {
    if (std::strncmp(line, "VmHWM:", 6) == 0) std::fprintf(stderr, "%s peak memory %s", label, line + 6);
  }
  std::fclose(f);
}

}  // namespace drav::bench
