// QBJ import: the small helpers, and the teams and players a document names: found by
// the director's choice, by name or loosely, or added.

#include <algorithm>
#include <cctype>

#include "storage/qbj_import.h"

namespace drav::qbj_import {

// Names become lines of the tournament file, where a line break or a Ctrl-Z would
// corrupt everything after them.
std::string CleanText(std::string s) {
  for (char& c : s) {
    if (c == '\r' || c == '\n' || c == '\x1a' || c == '\0') c = ' ';
  }
  return s;
}

std::string Quote(std::string_view s) {
  return "\"" + std::string(s) + "\"";
}

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

// The number a round's name carries ("Round 7" is 7, "Playoff Round -1" is -1).
std::optional<int> NumberInName(const std::string& name) {
  std::size_t end = name.size();
  while (end > 0 && !std::isdigit(static_cast<unsigned char>(name[end - 1]))) --end;
  if (end == 0) return std::nullopt;
  std::size_t begin = end;
  while (begin > 0 && std::isdigit(static_cast<unsigned char>(name[begin - 1]))) --begin;
  if (begin > 0 && name[begin - 1] == '-') --begin;
  return TryStrictInt(std::string_view(name).substr(begin, end - begin));
}

// The deepest nesting of arrays and objects in a JSON text (strings skipped), found before
// parsing: cheaper than a parser callback, and it keeps hostile nesting off the stack.
int NestingDepth(std::string_view text) {
  int depth = 0, deepest = 0;
  bool inString = false, escaped = false;
  for (const char c : text) {
    if (inString) {
      if (escaped) {
        escaped = false;
      } else if (c == '\\') {
        escaped = true;
      } else if (c == '"') {
        inString = false;
      }
    } else if (c == '"') {
      inString = true;
    } else if (c == '[' || c == '{') {
      deepest = std::max(deepest, ++depth);
    } else if (c == ']' || c == '}') {
      --depth;
    }
  }
  return deepest;
}

Kind KindOf(const json& o) {
  if (!o.is_object()) return Kind::Other;
  auto type = o.find("type");
  if (type != o.end() && type->is_string()) {
    const std::string t = Lower(type->get<std::string>());
    if (t == "tournament") return Kind::Tournament;
    if (t == "registration") return Kind::Registration;
    if (t == "team") return Kind::Team;
    if (t == "match") return Kind::Match;
    return Kind::Other;
  }
  // The older layout leaves the type out of everything but the tournament.
  if (o.contains("match_teams")) return Kind::Match;
  if (o.contains("teams")) return Kind::Registration;
  if (o.contains("phases")) return Kind::Tournament;
  return Kind::Other;
}

// A name as people retype it: case, repeated spaces and a trailing grade ("Lakeview (12)")
// set aside.
std::string LooseName(const std::string& name) {
  std::string out;
  for (const char c : name) {
    if (std::isspace(static_cast<unsigned char>(c))) {
      if (!out.empty() && out.back() != ' ') out += ' ';
    } else {
      out += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
  }
  while (!out.empty() && out.back() == ' ') out.pop_back();
  if (out.size() > 1 && out.back() == ')') {
    std::size_t open = out.size() - 1;
    while (open > 0 && std::isdigit(static_cast<unsigned char>(out[open - 1]))) --open;
    if (open > 0 && open < out.size() - 1 && out[open - 1] == '(') {
      std::string bare = out.substr(0, open - 1);
      while (!bare.empty() && bare.back() == ' ') bare.pop_back();
      if (!bare.empty()) out = std::move(bare);
    }
  }
  return out;
}

Importer::Importer(Tournament& work, const QbjImportOptions& options)
    : work_(work),
      options_(options),
      teamsBefore_(work.TeamCount()),
      stagesBefore_(!work.Extras.Stages.empty()) {
  for (int i = 0; i < work_.TeamCount(); ++i) IndexTeam(work_.TeamName(i), i);
  for (std::size_t i = 0; i < work_.Extras.ImportedMatches.size(); ++i) {
    const ImportedMatch& m = work_.Extras.ImportedMatches[i];
    importedKeys_[MatchKey(m.File, m.MatchId)].push_back(i);
  }
}

// Fills the division and exhibition lists of the new teams.
void Importer::Finish() {
  const int teams = work_.TeamCount();
  if (static_cast<int>(work_.TeamDivision.size()) < teams) work_.TeamDivision.resize(teams, -1);
  if (static_cast<int>(work_.ExhibitionTeam.size()) < teams) work_.ExhibitionTeam.resize(teams, 0);
  for (const auto& [team, division] : poolOf_) {
    if (team < teamsBefore_ || team >= teams) continue;  // existing teams keep their division
    int d = -1;
    for (int i = 0; i < static_cast<int>(work_.DivisionNames.size()); ++i) {
      if (work_.DivisionNames[i] == division) {
        d = i;
        break;
      }
    }
    if (d < 0) {
      work_.DivisionNames.push_back(division);
      d = static_cast<int>(work_.DivisionNames.size()) - 1;
    }
    work_.TeamDivision[team] = d;
  }
  if (!stages_.empty()) {
    try {
      CheckStages(stages_, teams);
      work_.Extras.Stages = stages_;
    } catch (const DravError& e) {
      notes_.push_back(std::string("the phases were not taken as stages: ") + e.what());
    }
  }
}

// The director's choice for a name, then the exact name, then the name loosely; a team
// found by neither is added, unless the import may not add teams to a tournament that has
// them.
int Importer::FindOrAddTeam(const Document& doc, const std::string& name) {
  for (const auto& [chosen, idx] : options_.TeamChoices) {
    if (CleanText(chosen) != name) continue;
    if (idx >= 0 && idx < work_.TeamCount()) return idx;
    if (idx == -1) break;
    doc.Fail("the team chosen for " + Quote(name) + " is not in the tournament");
  }
  auto it = teamIndex_.find(name);
  if (it != teamIndex_.end()) return it->second;
  auto loose = looseTeamIndex_.find(LooseName(name));
  if (loose != looseTeamIndex_.end()) {
    NoteLooseMatch(Quote(name) + " as " + Quote(work_.TeamName(loose->second)));
    teamIndex_.emplace(name, loose->second);
    return loose->second;
  }
  bool chosenToAdd = false;
  for (const auto& [chosen, idx] : options_.TeamChoices)
    chosenToAdd = chosenToAdd || (CleanText(chosen) == name && idx == -1);
  if (!options_.AddUnknownTeams && !chosenToAdd && teamsBefore_ > 0)
    throw UnknownQbjTeam(doc.Name(), name,
                         doc.Name() + ": the team " + Quote(name) + " is not in the tournament");
  work_.Rosters.push_back({name});
  const int idx = work_.TeamCount() - 1;
  IndexTeam(name, idx);
  ++newTeams_;
  return idx;
}

// fromMatch: the player is named only in a match, not in the team's roster.
int Importer::FindOrAddPlayer(int team, const std::string& name, bool fromMatch) {
  if (static_cast<int>(playerIndex_.size()) <= team) playerIndex_.resize(team + 1);
  if (static_cast<int>(loosePlayerIndex_.size()) <= team) loosePlayerIndex_.resize(team + 1);
  auto& index = playerIndex_[team];
  auto& looseIndex = loosePlayerIndex_[team];
  auto& roster = work_.Rosters[team];
  if (index.empty()) {
    for (int p = 1; p < static_cast<int>(roster.size()); ++p) {
      index.emplace(roster[p], p - 1);
      looseIndex.emplace(LooseName(roster[p]), p - 1);
    }
  }
  auto it = index.find(name);
  if (it != index.end()) return it->second;
  auto loose = looseIndex.find(LooseName(name));
  if (loose != looseIndex.end()) {
    NoteLooseMatch(Quote(name) + " as " + Quote(roster[loose->second + 1]) + " (" + roster[0] +
                   ")");
    index.emplace(name, loose->second);
    return loose->second;
  }
  roster.push_back(name);
  const int idx = static_cast<int>(roster.size()) - 2;
  index.emplace(name, idx);
  looseIndex.emplace(LooseName(name), idx);
  ++newPlayers_;
  // Worth a word only where the file or the tournament gave the team a roster.
  if (fromMatch && (team < teamsBefore_ || rosterGiven_.count(team) > 0))
    addedFromMatches_.push_back(name + " (" + roster[0] + ")");
  return idx;
}

// A team object: its name, and its roster merged in. Cached per object, since the
// sides of every match point to the same few.
// The one player an export writes for a team without players: named after the team, with the
// stand-in id. A real player named after the team keeps his place.
bool IsStandInPlayer(const json& player, const std::string& name, const std::string& team) {
  if (name != team || !player.is_object()) return false;
  auto id = player.find("id");
  if (id == player.end() || !id->is_string()) return false;
  const std::string& text = id->get_ref<const std::string&>();
  const std::string suffix = "_" + std::string(kStandInPlayerSuffix);
  return text.size() > suffix.size() &&
         text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

int Importer::AddTeam(const Document& doc, const json& team) {
  auto cached = teamOfObject_.find(&team);
  if (cached != teamOfObject_.end()) return cached->second;
  const int idx = FindOrAddTeam(doc, doc.NameOf(team, "a team"));
  if (team.is_object() && team.contains("players")) rosterGiven_.insert(idx);
  const std::vector<const json*> players =
      doc.List(team, "players", "team " + Quote(work_.Rosters[idx][0]));
  for (const json* player : players) {
    const std::string name =
        doc.NameOf(*player, "a player of team " + Quote(work_.Rosters[idx][0]));
    if (players.size() == 1 && IsStandInPlayer(*player, name, work_.Rosters[idx][0])) continue;
    FindOrAddPlayer(idx, name, false);
  }
  teamOfObject_.emplace(&team, idx);
  return idx;
}

}  // namespace drav::qbj_import
