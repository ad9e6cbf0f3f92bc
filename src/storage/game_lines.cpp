#include "storage/game_lines.h"

namespace drav {

std::vector<std::vector<std::string>> ReadTeamLists(LineReader& in) {
  std::vector<std::vector<std::string>> teams;
  const int count = in.NextCount();
  teams.reserve(count);
  for (int i = 0; i < count; ++i) {
    const int strings = in.NextCount();
    std::vector<std::string> team;
    team.reserve(strings);
    for (int s = 0; s < strings; ++s) team.push_back(in.NextString());
    teams.push_back(std::move(team));
  }
  return teams;
}

void ReadGameLines(LineReader& in, GameStats& g, int playerFallback) {
  g.GID = in.NextString();
  g.TeamA = in.NextInt();
  g.TeamB = in.NextInt();
  g.ScoreA = in.NextInt();
  g.ScoreB = in.NextInt();
  g.TUH = in.NextInt();
  g.Round = in.NextInt();
  g.BHA = in.NextInt();
  g.BPA = in.NextInt();
  g.BHB = in.NextInt();
  g.BPB = in.NextInt();
  g.Overtime = in.NextInt();
  g.OTA = in.NextInt();
  g.OTB = in.NextInt();
  g.Forfeit = in.NextInt();
  g.SixtyA = in.NextInt();
  g.SixtyB = in.NextInt();
  for (int r = 0; r < kRows; ++r) {
    g.PlayerA[r] = in.NextInt(playerFallback);
    g.GPA[r] = in.NextDecimal();
    g.Q0A[r] = in.NextInt();
    g.Q1A[r] = in.NextInt();
    g.Q2A[r] = in.NextInt();
    g.Q3A[r] = in.NextInt();
    g.PtsA[r] = in.NextInt();
    g.PlayerB[r] = in.NextInt(playerFallback);
    g.GPB[r] = in.NextDecimal();
    g.Q0B[r] = in.NextInt();
    g.Q1B[r] = in.NextInt();
    g.Q2B[r] = in.NextInt();
    g.Q3B[r] = in.NextInt();
    g.PtsB[r] = in.NextInt();
  }
}

namespace {
void Unpack(int& bonus, int& bounceback) {
  bounceback = bonus / 10000;
  bonus = bonus % 10000;
}
}  // namespace

void UnpackBouncebacks(GameStats& g) {
  Unpack(g.BHA, g.BncBkA);
  Unpack(g.BPA, g.BncBkPtsA);
  Unpack(g.BHB, g.BncBkB);
  Unpack(g.BPB, g.BncBkPtsB);
}

}  // namespace drav
