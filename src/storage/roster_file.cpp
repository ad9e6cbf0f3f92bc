#include "storage/roster_file.h"

#include "model/stages.h"
#include "storage/line_reader.h"

namespace drav {

namespace {

int FindOrAddDivision(std::vector<std::string>& names, std::string_view name) {
  for (std::size_t i = 0; i < names.size(); ++i)
    if (names[i] == name) return static_cast<int>(i);
  names.emplace_back(name);
  return static_cast<int>(names.size()) - 1;
}

// The start of every roster read: the window's choices applied, the team lists emptied.
Tournament WithoutTeams(const Tournament& base, const NewTournamentChoices& choices) {
  Tournament t = base;
  ApplyTournamentChoices(t, choices);
  t.Rosters.clear();
  t.TeamDivision.clear();
  t.ExhibitionTeam.clear();
  return t;
}

// The teams are replaced: a bracket keeps a team when the new list has one of its name
// (namesakes pair up in order, so no new team stands for two old ones).
void KeepBracketTeams(Tournament& t, const Tournament& base) {
  std::vector<int> newIndex(base.Rosters.size(), -1);
  std::vector<char> taken(t.Rosters.size(), 0);
  for (int old = 0; old < base.TeamCount(); ++old)
    for (int i = 0; i < t.TeamCount(); ++i)
      if (!taken[static_cast<std::size_t>(i)] && t.TeamName(i) == base.TeamName(old)) {
        newIndex[static_cast<std::size_t>(old)] = i;
        taken[static_cast<std::size_t>(i)] = 1;
        break;
      }
  RenumberStageTeams(t.Extras.Stages, newIndex);
  RenumberFinalPlaces(t.Extras.FinalPlaces, newIndex);
}

}  // namespace

Tournament ParseRosters(std::string_view text, const Tournament& base,
                        const NewTournamentChoices& choices) {
  Tournament t = WithoutTeams(base, choices);

  LineReader in(text);
  std::string_view previousTeam;
  std::string_view previousPlayer;  // carried over from team to team
  while (!in.AtEnd()) {
    const std::string_view name = in.Next();
    if (name == "~" || name == previousTeam) break;
    previousTeam = name;
    std::vector<std::string> team{std::string(name)};

    if (t.Format.Divisions == 1) {
      // A file cut off right after a team name has no division line; the team then
      // simply has none rather than an empty-named division.
      t.TeamDivision.push_back(in.AtEnd() ? -1 : FindOrAddDivision(t.DivisionNames, in.Next()));
    }
    t.ExhibitionTeam.push_back(0);

    while (!in.AtEnd()) {
      const std::string_view player = in.Next();
      if (player == "." || player == previousPlayer) break;
      team.emplace_back(player);
      previousPlayer = player;
    }
    t.Rosters.push_back(std::move(team));
  }

  if (t.TeamDivision.size() < t.Rosters.size()) t.TeamDivision.resize(t.Rosters.size(), -1);
  if (t.ExhibitionTeam.size() < t.Rosters.size()) t.ExhibitionTeam.resize(t.Rosters.size(), 0);
  KeepBracketTeams(t, base);
  t.CurrentGame = 0;
  t.CurrentTeam = 0;
  return t;
}

Tournament ParseQbjRosters(const QbjSource& source, const Tournament& base,
                           const NewTournamentChoices& choices) {
  Tournament t = WithoutTeams(base, choices);
  ImportQbj(t, {source});
  // Stages the tournament had stay, with their teams found again by name.
  if (!base.Extras.Stages.empty()) KeepBracketTeams(t, base);
  t.Games = base.Games;
  t.Extras.ImportedMatches = base.Extras.ImportedMatches;
  for (const int d : t.TeamDivision)
    if (d >= 0) t.Format.Divisions = 1;
  return t;
}

void ReadRosters(Tournament& t, const std::string& path, const NewTournamentChoices& choices) {
  const std::string text = ReadWholeFile(path);
  const bool qbj = path.size() >= 4 && (path.compare(path.size() - 4, 4, ".qbj") == 0 ||
                                        path.compare(path.size() - 4, 4, ".QBJ") == 0);
  t = qbj ? ParseQbjRosters({path, text}, t, choices) : ParseRosters(text, t, choices);
}

}  // namespace drav
