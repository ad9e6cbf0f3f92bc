#include "storage/merge.h"

#include "storage/game_lines.h"
#include "storage/line_reader.h"
#include "storage/tournament_recognition.h"

namespace drav {

namespace {

constexpr int kSettingsLines = 31;

// Index of the first entry of names[first, last) equal to name, counted from first; -1.
int FirstMatch(const std::vector<std::string>& names, std::size_t first, std::size_t last,
               std::string_view name) {
  for (std::size_t i = first; i < last && i < names.size(); ++i)
    if (names[i] == name) return static_cast<int>(i - first);
  return -1;
}

template <typename T>
bool InRange(const std::vector<T>& v, int index) {
  return index >= 0 && static_cast<std::size_t>(index) < v.size();
}

}  // namespace

int MergeMaps::MapTeam(int team) const {
  return InRange(Team, team) ? Team[team] : -1;
}

int MergeMaps::MapPlayer(int team, int player) const {
  if (!InRange(Player, team) || !InRange(Player[team], player)) return -1;
  return Player[team][player];
}

int MergeMaps::MapDivision(int division) const {
  return InRange(Division, division) ? Division[division] : -1;
}

Tournament MergeTournamentText(const Tournament& current, std::string_view other,
                               MergeMaps* mapsOut) {
  Tournament t = current;
  MergeMaps maps;
  LineReader in(other);

  // Teams appended by this merge are never matched, so two new teams of the same name
  // stay two teams.
  const int oldTeams = t.TeamCount();
  const auto otherTeams = ReadTeamLists(in);
  for (const auto& team : otherTeams) {
    const std::string name = team.empty() ? std::string() : team[0];
    int match = -1;
    for (int i = 0; i < oldTeams; ++i) {
      if (t.TeamName(i) == name) {
        match = i;
        break;
      }
    }
    std::vector<int> players;
    if (match >= 0) {
      auto& roster = t.Rosters[match];
      for (std::size_t p = 1; p < team.size(); ++p) {
        int found = FirstMatch(roster, 1, roster.size(), team[p]);
        if (found < 0) {
          if (roster.empty()) roster.emplace_back();  // a nameless team matched as ""
          roster.push_back(team[p]);
          found = static_cast<int>(roster.size()) - 2;
        }
        players.push_back(found);
      }
      maps.Team.push_back(match);
      maps.NewTeam.push_back(false);
    } else {
      t.Rosters.push_back(team);
      for (std::size_t p = 1; p < team.size(); ++p) players.push_back(static_cast<int>(p) - 1);
      maps.Team.push_back(t.TeamCount() - 1);
      maps.NewTeam.push_back(true);
    }
    maps.Player.push_back(std::move(players));
  }

  // A missing game fails on its first games-played line; the count never sizes memory.
  const bool unpack = t.Format.BonusMode == 3;
  const int games = in.NextGameCount();
  for (int i = 0; i < games; ++i) {
    GameStats g;
    ReadGameLines(in, g, -1);
    const int otherA = g.TeamA;
    const int otherB = g.TeamB;
    g.TeamA = maps.MapTeam(otherA);
    g.TeamB = maps.MapTeam(otherB);
    for (int r = 0; r < kRows; ++r) {
      g.PlayerA[r] = maps.MapPlayer(otherA, g.PlayerA[r]);
      g.PlayerB[r] = maps.MapPlayer(otherB, g.PlayerB[r]);
    }
    if (unpack) UnpackBouncebacks(g);
    t.Games.push_back(std::move(g));
  }

  for (int i = 0; i < kSettingsLines; ++i) in.Next();

  const int divisions = in.NextCount();
  for (int i = 0; i < divisions; ++i) {
    const std::string_view name = in.Next();
    int found = FirstMatch(t.DivisionNames, 0, t.DivisionNames.size(), name);
    if (found < 0) {
      t.DivisionNames.emplace_back(name);
      found = static_cast<int>(t.DivisionNames.size()) - 1;
    }
    maps.Division.push_back(found);
  }

  // New teams get their division by position, so a current TeamDivision that is not
  // parallel to the teams cannot shift them; matched teams keep their own division.
  if (t.TeamDivision.size() < t.Rosters.size()) t.TeamDivision.resize(t.Rosters.size(), -1);
  if (t.ExhibitionTeam.size() < t.Rosters.size()) t.ExhibitionTeam.resize(t.Rosters.size(), 0);
  for (std::size_t k = 0; k < otherTeams.size(); ++k) {
    if (!maps.NewTeam[k]) continue;
    t.TeamDivision[maps.Team[k]] = -1;
    t.ExhibitionTeam[maps.Team[k]] = 0;
  }
  const int teamDivisions = in.NextCount();
  for (int k = 0; k < teamDivisions; ++k) {
    const int value = in.NextInt();
    if (!InRange(maps.NewTeam, k) || !maps.NewTeam[k]) continue;
    t.TeamDivision[maps.Team[k]] = maps.MapDivision(value);
  }
  // The second file's question values, packet names and exhibition flags are not used, nor
  // its section of our own: its stages name its own team numbers and would clash with ours.
  // Teams are only appended, so the current stages' team indices stay right.

  t.SavedGameCount = t.GameCount();
  t.CurrentGame = 0;
  t.CurrentTeam = 0;
  if (mapsOut) *mapsOut = std::move(maps);
  return t;
}

void MergeTournamentFile(Tournament& t, const std::string& path) {
  const std::string text = ReadWholeFile(path);
  RequireTournamentFile(text, path);
  t = MergeTournamentText(t, text);
}

}  // namespace drav
