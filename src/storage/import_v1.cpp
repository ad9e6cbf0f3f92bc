#include "storage/import_v1.h"

#include "model/error.h"
#include "model/numbers.h"
#include "storage/import_defaults.h"
#include "storage/line_reader.h"

namespace drav {

namespace {

constexpr int kLinesPerGame = 126;
constexpr int kPlayersPerTeam = 8;

int NextStrict(LineReader& in) {
  return StrictInt(in.Next());
}

// A strict count: negative reads as 0, and one that cannot fit in the lines left means
// the file is damaged (a hostile count must not make us allocate without bound).
int NextStrictCount(LineReader& in, std::size_t linesPerItem) {
  const int count = NextStrict(in);
  if (count <= 0) return 0;
  if (static_cast<std::size_t>(count) > in.Remaining() / linesPerItem)
    throw DravError("The file ends early");
  return count;
}

// Index of the last team or player whose name equals name, or -1.
int LastMatch(const std::vector<std::string>& names, std::size_t first, std::string_view name) {
  int found = -1;
  for (std::size_t i = first; i < names.size(); ++i)
    if (names[i] == name) found = static_cast<int>(i - first);
  return found;
}

int LastTeamMatch(const Tournament& t, std::string_view name) {
  int found = -1;
  for (int i = 0; i < t.TeamCount(); ++i)
    if (t.TeamName(i) == name) found = i;
  return found;
}

// A row's player: the named player of the team if there is one, else the same row's
// player of the previous game, as long as that is still a player of this team.
int ResolvePlayer(const Tournament& t, int team, std::string_view name, int previous) {
  if (t.IsTeam(team)) {
    const int found = LastMatch(t.Rosters[team], 1, name);
    if (found >= 0) return found;
  }
  return previous >= 0 && previous < t.PlayerCount(team) ? previous : -1;
}

}  // namespace

Tournament ParseVersion1(std::string_view text, const Tournament& base) {
  Tournament t = base;
  t.Rosters.clear();
  t.Games.clear();
  t.DivisionNames.clear();
  t.TeamDivision.clear();
  t.ExhibitionTeam.clear();
  // The teams are replaced, so brackets naming the old ones by index would be wrong.
  t.Extras.Stages.clear();
  LineReader in(text);

  const int teams = NextStrictCount(in, 1);
  in.Next();  // not used
  // Checked against the lines left after the team names, two lines per player.
  const int playerCountLine = NextStrict(in);
  in.Next();  // not used
  const int gameCount = NextStrict(in);

  std::vector<std::string> teamNames;
  teamNames.reserve(teams);
  for (int i = 0; i < teams; ++i) teamNames.push_back(in.NextString());
  const int players = playerCountLine <= 0 ? 0 : playerCountLine;
  if (static_cast<std::size_t>(players) > in.Remaining() / 2)
    throw DravError("The file ends early");
  std::vector<std::string> playerNames;
  playerNames.reserve(players);
  for (int i = 0; i < players; ++i) {
    playerNames.push_back(in.NextString());
    in.Next();  // not used
  }

  // Team k takes players 8k .. 8k+7 of the list, as far as the list goes.
  t.Rosters.reserve(teams);
  for (int k = 0; k < teams; ++k) {
    std::vector<std::string> roster{teamNames[k]};
    const std::size_t first = static_cast<std::size_t>(k) * kPlayersPerTeam;
    for (std::size_t p = first; p < first + kPlayersPerTeam && p < playerNames.size(); ++p)
      roster.push_back(playerNames[p]);
    t.Rosters.push_back(std::move(roster));
  }

  // A missing game fails on its first number line, so the count is never trusted for
  // memory: each game read consumes its 126 lines.
  GameStats previous;  // -1 teams and players before the first game
  previous.TeamA = -1;
  previous.TeamB = -1;
  for (int i = 0; i < gameCount; ++i) {
    GameStats g;
    g.GID = in.NextString();
    const std::string_view nameA = in.Next();
    const std::string_view nameB = in.Next();
    in.Next();  // not used
    in.Next();  // not used
    const int teamA = LastTeamMatch(t, nameA);
    const int teamB = LastTeamMatch(t, nameB);
    g.TeamA = teamA >= 0 ? teamA : previous.TeamA;
    g.TeamB = teamB >= 0 ? teamB : previous.TeamB;
    g.ScoreA = NextStrict(in);
    g.ScoreB = NextStrict(in);
    g.TUH = NextStrict(in);
    g.BHA = NextStrict(in);
    g.BPA = NextStrict(in);
    g.BHB = NextStrict(in);
    g.BPB = NextStrict(in);
    g.SixtyA = NextStrict(in);
    g.SixtyB = NextStrict(in);
    for (int r = 0; r < kRows; ++r) {
      const std::string_view playerA = in.Next();
      const std::string_view playerB = in.Next();
      g.PlayerA[r] = ResolvePlayer(t, g.TeamA, playerA, previous.PlayerA[r]);
      g.PlayerB[r] = ResolvePlayer(t, g.TeamB, playerB, previous.PlayerB[r]);
      g.Q0A[r] = NextStrict(in);
      g.Q1A[r] = NextStrict(in);
      g.Q2A[r] = NextStrict(in);
      g.Q3A[r] = NextStrict(in);
      g.PtsA[r] = NextStrict(in);
      g.GPA[r] = NextStrict(in);
      g.Q0B[r] = NextStrict(in);
      g.Q1B[r] = NextStrict(in);
      g.Q2B[r] = NextStrict(in);
      g.Q3B[r] = NextStrict(in);
      g.PtsB[r] = NextStrict(in);
      g.GPB[r] = NextStrict(in);
    }
    // Round, forfeit, overtime and bouncebacks did not exist: they stay 0.
    t.Games.push_back(g);
    previous = std::move(g);
  }

  TourneyFormat& f = t.Format;
  switch (NextStrict(in)) {
    case 0:
      f.TrackBonuses = 1;
      f.BonusMode = 1;
      break;
    case 1:
      f.TrackBonuses = 1;
      f.BonusMode = 0;
      break;
    case 2:
      f.TrackBonuses = 0;
      f.BonusMode = 0;
      break;
    default:
      break;  // an unknown option leaves bonus tracking as it was
  }
  f.PowNeg = NextStrict(in);
  f.Sixty = NextStrict(in);
  f.TUHeard = NextStrict(in);

  f.TUHSort = 0;
  f.Warning1 = f.Warning2 = f.Warning3 = f.Warning4 = 1;
  f.Warning5 = f.Warning6 = f.Warning7 = 1;
  f.AllRounds = 1;
  f.RoundsMin = 1;
  f.RoundsMax = 1;
  f.RoundReports = 0;
  ApplyOlderVersionReportDefaults(f);

  for (int& v : t.QuestionValues) v = NextStrict(in);

  t.TeamDivision.assign(t.Rosters.size(), -1);
  t.ExhibitionTeam.assign(t.Rosters.size(), 0);
  t.SavedGameCount = t.GameCount();
  t.CurrentGame = 0;
  t.CurrentTeam = 0;
  return t;
}

void ImportVersion1(Tournament& t, const std::string& path) {
  const std::string text = ReadWholeFile(path);
  t = ParseVersion1(text, t);
}

}  // namespace drav
