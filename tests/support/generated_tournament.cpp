#include "support/generated_tournament.h"

#include <random>
#include <string>

namespace drav::test {

namespace {

std::string Word(std::mt19937& rng, int minLen, int maxLen) {
  static const char kLetters[] = "abcdefghijklmnopqrstuvwxyz";
  std::uniform_int_distribution<int> len(minLen, maxLen);
  std::uniform_int_distribution<int> letter(0, 25);
  std::string w;
  const int n = len(rng);
  for (int i = 0; i < n; ++i) w += kLetters[letter(rng)];
  if (!w.empty()) w[0] = static_cast<char>(w[0] - 'a' + 'A');
  return w;
}

}  // namespace

Tournament GenerateTournament(const GeneratedShape& shape) {
  std::mt19937 rng(shape.seed);
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };

  Tournament t;
  TourneyFormat& f = t.Format;
  f.TourneyName = "Generated Open " + std::to_string(shape.seed);
  f.BonusMode = shape.bonusMode;
  f.TrackBonuses = 1;
  f.PowNeg = pick(0, 1);
  f.Sixty = pick(0, 1);
  f.TUHeard = 1;
  f.TUHSort = pick(0, 1);
  f.Warning1 = f.Warning2 = f.Warning3 = f.Warning4 = 1;
  f.Warning5 = f.Warning6 = f.Warning7 = pick(0, 1);
  f.AllRounds = 1;
  f.RoundsMin = 1;
  f.RoundsMax = 1;
  f.Divisions = shape.divisions > 0 ? 1 : 0;
  f.SortCriterion = pick(1, 5);
  f.BaseName = "gen";
  f.BritishStyle = pick(0, 1);
  f.Paths = pick(0, 1);
  f.RoundReports = pick(0, 1);
  t.QuestionValues = {15, 10, -5, 0};

  for (int d = 0; d < shape.divisions; ++d) t.DivisionNames.push_back("Division " + Word(rng, 1, 6));
  for (int i = 0; i < shape.teams; ++i) {
    std::vector<std::string> team{Word(rng, 3, 12) + " " + std::to_string(i)};
    for (int p = 0; p < shape.playersPerTeam; ++p) team.push_back(Word(rng, 2, 8) + " " + Word(rng, 3, 10));
    t.Rosters.push_back(std::move(team));
    t.TeamDivision.push_back(shape.divisions > 0 ? pick(-1, shape.divisions - 1) : -1);
    t.ExhibitionTeam.push_back(pick(0, 9) == 0 ? 1 : 0);
  }
  for (int r = 0; r < shape.rounds; ++r) t.PacketNames.push_back(r % 3 == 2 ? "" : "Packet " + Word(rng, 1, 5));

  for (int gi = 0; gi < shape.games && shape.teams >= 2; ++gi) {
    GameStats g;
    g.GID = std::to_string(gi);
    g.Round = pick(1, shape.rounds);
    g.TeamA = pick(0, shape.teams - 1);
    do g.TeamB = pick(0, shape.teams - 1); while (g.TeamB == g.TeamA);
    g.TUH = pick(18, 24);
    if (pick(0, 30) == 0) {
      g.Forfeit = 1;
      t.Games.push_back(g);
      continue;
    }
    auto fillSide = [&](int team, RowArray<int>& player, RowArray<double>& gp,
                        RowArray<int>* cols[4], RowArray<int>& pts, int& tuPoints, int& gets) {
      const int players = static_cast<int>(t.Rosters[team].size()) - 1;
      const int rows = std::min(players, pick(3, 4));
      for (int r = 0; r < rows; ++r) {
        player[r] = r;
        gp[r] = pick(0, 5) == 0 ? 0.5 : 1.0;
        int sum = 0;
        for (int c = 0; c < 3; ++c) {
          (*cols[c])[r] = pick(0, 3);
          sum += (*cols[c])[r] * t.QuestionValues[c];
        }
        gets += (*cols[0])[r] + (*cols[1])[r];
        pts[r] = sum;
        tuPoints += sum;
      }
    };
    int tuA = 0, tuB = 0, getsA = 0, getsB = 0;
    RowArray<int>* colsA[4] = {&g.Q0A, &g.Q1A, &g.Q2A, &g.Q3A};
    RowArray<int>* colsB[4] = {&g.Q0B, &g.Q1B, &g.Q2B, &g.Q3B};
    fillSide(g.TeamA, g.PlayerA, g.GPA, colsA, g.PtsA, tuA, getsA);
    fillSide(g.TeamB, g.PlayerB, g.GPB, colsB, g.PtsB, tuB, getsB);
    g.BHA = getsA;
    g.BHB = getsB;
    g.BPA = 10 * pick(0, 3 * getsA);
    g.BPB = 10 * pick(0, 3 * getsB);
    if (shape.bonusMode == 3) {
      g.BncBkA = pick(0, 5);
      g.BncBkPtsA = 10 * pick(0, g.BncBkA);
      g.BncBkB = pick(0, 5);
      g.BncBkPtsB = 10 * pick(0, g.BncBkB);
    }
    if (f.Sixty) {
      g.SixtyA = 10 * pick(0, 6);
      g.SixtyB = 10 * pick(0, 6);
    }
    g.ScoreA = tuA + g.BPA + g.BncBkPtsA + g.SixtyA;
    g.ScoreB = tuB + g.BPB + g.BncBkPtsB + g.SixtyB;
    if (pick(0, 15) == 0) {
      g.Overtime = 1;
      g.OTA = pick(0, 1);
      g.OTB = 1 - g.OTA;
    }
    t.Games.push_back(g);
  }
  return t;
}

}  // namespace drav::test
