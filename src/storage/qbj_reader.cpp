// QBJ import: the community's JSON exchange format, in its 2.x layout and in the older
// layout that the 2014 national championship was published in ("tossups",
// "overtimeTossups", a match-level "forfeit", answer counts with a bare "value").

#include <algorithm>
#include <cctype>
#include <climits>
#include <cmath>
#include <cstdint>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "model/error.h"
#include "model/merge_sort.h"
#include "model/numbers.h"
#include "model/stages.h"
#include "storage/line_reader.h"
#include "storage/qbj.h"

namespace drav {

namespace {

using json = nlohmann::json;

// Deeper nesting than any real QBJ file has; guards the walks below (and the stack).
constexpr int kMaxDepth = 64;
// A reference may point to another reference; a longer chain is a loop.
constexpr int kMaxRefChain = 16;
constexpr int kDefaultRegulationTossups = 20;

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

enum class Kind { Tournament, Registration, Team, Match, Other };

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

// One parsed document with its objects indexed by id.
class Document {
 public:
  explicit Document(const QbjSource& source) : name_(source.name) {
    if (NestingDepth(source.contents) > kMaxDepth) Fail("the JSON is nested too deeply");
    try {
      root_ = json::parse(source.contents);
    } catch (const json::exception& e) {
      std::string what = e.what();
      // "[json.exception.parse_error.101] parse error at line 1, ..." reads better without
      // the library's tag.
      if (!what.empty() && what[0] == '[') {
        const std::size_t close = what.find("] ");
        if (close != std::string::npos) what = what.substr(close + 2);
      }
      Fail("not valid JSON (" + what + ")");
    }
    Index(root_, 0);
  }

  const json& Root() const { return root_; }
  const std::string& Name() const { return name_; }

  [[noreturn]] void Fail(const std::string& what) const { throw DravError(name_ + ": " + what); }

  // Follows {"$ref": id} to the object defined with that id.
  const json& Resolve(const json& v) const {
    const json* cur = &v;
    for (int hop = 0; hop < kMaxRefChain; ++hop) {
      if (!cur->is_object()) return *cur;
      auto ref = cur->find("$ref");
      if (ref == cur->end()) return *cur;
      if (!ref->is_string()) Fail("a reference (\"$ref\") that is not a text");
      auto it = ids_.find(ref->get<std::string>());
      if (it == ids_.end())
        Fail("the reference " + Quote(ref->get<std::string>()) + " points to nothing in the file");
      cur = it->second;
    }
    Fail("references that point to each other in a loop");
  }

  // An integer field: nullopt when absent or null. Whole numbers written as decimals or
  // texts (the older layout has "4" in places) are accepted; anything else is an error.
  std::optional<std::int64_t> Int(const json& obj, const char* key,
                                  const std::string& where) const {
    if (!obj.is_object()) return std::nullopt;
    auto it = obj.find(key);
    if (it == obj.end() || it->is_null()) return std::nullopt;
    const json& v = *it;
    std::optional<std::int64_t> result;
    if (v.is_number_unsigned()) {
      const auto u = v.get<std::uint64_t>();
      if (u <= static_cast<std::uint64_t>(INT_MAX)) result = static_cast<std::int64_t>(u);
    } else if (v.is_number_integer()) {
      const auto i = v.get<std::int64_t>();
      if (i >= INT_MIN && i <= INT_MAX) result = i;
    } else if (v.is_number_float()) {
      const double d = v.get<double>();
      if (std::isfinite(d) && d == std::floor(d) && d >= INT_MIN && d <= INT_MAX)
        result = static_cast<std::int64_t>(d);
    } else if (v.is_string()) {
      if (auto i = TryStrictInt(v.get<std::string>())) result = *i;
    }
    if (!result) Fail(where + ": \"" + key + "\" is not a whole number in range");
    return result;
  }

  bool Flag(const json& obj, const char* key, const std::string& where) const {
    if (!obj.is_object()) return false;
    auto it = obj.find(key);
    if (it == obj.end() || it->is_null()) return false;
    if (it->is_boolean()) return it->get<bool>();
    if (it->is_number()) return it->get<double>() != 0;
    Fail(where + ": \"" + key + "\" is not true or false");
  }

  // The "name" of a team or player, which the import needs to match them.
  std::string NameOf(const json& obj, const std::string& what) const {
    if (obj.is_object()) {
      auto it = obj.find("name");
      if (it != obj.end() && it->is_string()) return CleanText(it->get<std::string>());
    }
    Fail(what + " without a name");
  }

  // An array field resolved; absent or null gives an empty list.
  std::vector<const json*> List(const json& obj, const char* key, const std::string& where) const {
    std::vector<const json*> out;
    if (!obj.is_object()) return out;
    auto it = obj.find(key);
    if (it == obj.end() || it->is_null()) return out;
    if (!it->is_array()) Fail(where + ": \"" + key + "\" is not a list");
    out.reserve(it->size());
    for (const json& e : *it) out.push_back(&Resolve(e));
    return out;
  }

 private:
  void Index(const json& v, int depth) {
    if (depth > kMaxDepth) Fail("the JSON is nested too deeply");
    if (v.is_object()) {
      auto id = v.find("id");
      if (id != v.end() && id->is_string() && !v.contains("$ref"))
        ids_.emplace(id->get<std::string>(), &v);
      for (const auto& item : v.items()) Index(item.value(), depth + 1);
    } else if (v.is_array()) {
      for (const json& e : v) Index(e, depth + 1);
    }
  }

  std::string name_;
  json root_;
  std::unordered_map<std::string, const json*> ids_;
};

// One side of a match as read, before it becomes half of a GameStats.
struct SideRow {
  int player = -1;
  std::int64_t heard = 0;
  std::int64_t counts[kColumns] = {0, 0, 0, 0};
  std::int64_t points = 0;
};

struct Side {
  int team = -1;
  std::string teamName;  // as the tournament spells it
  std::string docName;   // as the document spells it
  const json* teamObject = nullptr;
  const json* source = nullptr;
  bool forfeitLoss = false;
  bool hasPlayers = false;
  std::vector<SideRow> rows;
  std::int64_t tossupPoints = 0;
  std::int64_t bonusEarning = 0;  // correct toss-ups that earn a bonus
  std::optional<std::int64_t> points;
  std::optional<std::int64_t> bonusPoints;
  std::optional<std::int64_t> withoutBonus;  // correct_tossups_without_bonuses
  std::int64_t bounceback = 0;
  bool hasBounceback = false;
  std::int64_t lightning = 0;
  std::int64_t overtimeCorrect = 0;
};

// The state of one import over all its documents: the working copy and the name indexes.
class Importer {
 public:
  Importer(Tournament& work, const QbjImportOptions& options)
      : work_(work),
        options_(options),
        teamsBefore_(work.TeamCount()),
        stagesBefore_(!work.Extras.Stages.empty()) {
    for (int i = 0; i < work_.TeamCount(); ++i) IndexTeam(work_.TeamName(i), i);
    for (const ImportedMatch& m : work_.Extras.ImportedMatches)
      importedKeys_.insert(MatchKey(m.File, m.MatchId));
  }

  std::vector<std::string>& Notes() { return notes_; }

  void ImportDocument(const QbjSource& source);

  // Fills the division and exhibition lists of the new teams.
  void Finish() {
    const int teams = work_.TeamCount();
    if (static_cast<int>(work_.TeamDivision.size()) < teams) work_.TeamDivision.resize(teams, -1);
    if (static_cast<int>(work_.ExhibitionTeam.size()) < teams)
      work_.ExhibitionTeam.resize(teams, 0);
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

 private:
  static std::string MatchKey(const std::string& file, const std::string& id) {
    return file + '\n' + id;
  }

  void IndexTeam(const std::string& name, int idx) {
    teamIndex_.emplace(name, idx);
    looseTeamIndex_.emplace(LooseName(name), idx);
  }

  // The director's choice for a name, then the exact name, then the name loosely; a team
  // found by neither is added, unless the import may not add teams to a tournament that has
  // them.
  int FindOrAddTeam(const Document& doc, const std::string& name) {
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

  void NoteLooseMatch(const std::string& pair) {
    if (looseNoted_.insert(pair).second) looseMatches_.push_back(pair);
  }

  // fromMatch: the player is named only in a match, not in the team's roster.
  int FindOrAddPlayer(int team, const std::string& name, bool fromMatch) {
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
  int AddTeam(const Document& doc, const json& team) {
    auto cached = teamOfObject_.find(&team);
    if (cached != teamOfObject_.end()) return cached->second;
    const int idx = FindOrAddTeam(doc, doc.NameOf(team, "a team"));
    if (team.is_object() && team.contains("players")) rosterGiven_.insert(idx);
    for (const json* player : doc.List(team, "players", "team " + Quote(work_.Rosters[idx][0])))
      FindOrAddPlayer(idx, doc.NameOf(*player, "a player of team " + Quote(work_.Rosters[idx][0])),
                      false);
    teamOfObject_.emplace(&team, idx);
    return idx;
  }

  void ImportMatch(const Document& doc, const json& match, std::optional<int> round, int ordinal);
  // Appends the game unless the tournament has it already; false when it was a duplicate.
  bool StoreGame(const Document& doc, GameStats&& g, const std::string& matchId);
  static bool CountOvertimeBuzzes(const Document& doc, const json& match, const std::string& where,
                                  Side (&sides)[2]);
  static std::optional<int> RoundField(const Document& doc, const json& match, const char* key,
                                       const std::string& where);
  void ReadSide(const Document& doc, const json& matchTeam, const std::string& where, Side& side);
  static std::int64_t Checked(const Document& doc, std::int64_t v, const std::string& where) {
    if (v < INT_MIN || v > INT_MAX) doc.Fail(where + ": a figure out of range");
    return v;
  }

  Tournament& work_;
  const QbjImportOptions& options_;
  int teamsBefore_;
  bool stagesBefore_;
  std::unordered_map<std::string, int> teamIndex_;
  std::unordered_map<std::string, int> looseTeamIndex_;
  std::vector<std::unordered_map<std::string, int>> playerIndex_;
  std::vector<std::unordered_map<std::string, int>> loosePlayerIndex_;
  std::unordered_set<std::string> importedKeys_;  // file and match id of every match taken before
  std::vector<Stage> stages_;                     // from the first document with phases
  std::unordered_map<const json*, int> teamOfObject_;
  std::vector<std::pair<int, std::string>> poolOf_;  // a team's first pool
  std::unordered_set<int> pooled_;
  std::unordered_set<int> rosterGiven_;
  std::vector<std::string> notes_;

  // Per document.
  int regulationTossups_ = kDefaultRegulationTossups;
  const json* matchQuestionsOwner_ = nullptr;
  int newTeams_ = 0;
  int newPlayers_ = 0;
  int games_ = 0;
  int forfeits_ = 0;
  int doubleForfeits_ = 0;
  int unplayed_ = 0;
  int suppressed_ = 0;
  int noRound_ = 0;
  int unknownOvertime_ = 0;
  int foldedBouncebacks_ = 0;
  std::vector<std::string> addedFromMatches_;
  std::vector<std::string> looseMatches_;
  std::unordered_set<std::string> looseNoted_;
  std::vector<std::string> duplicates_;
  std::vector<ImportedMatch> takenHere_;
  std::unordered_set<std::string> takenKeys_;
  std::size_t gamesBefore_ = 0;  // games before this document: where duplicates are looked for
  std::unordered_map<const json*, int> stageOfPhase_;
  std::vector<Stage> docStages_;
};

void Importer::ImportDocument(const QbjSource& source) {
  Document doc(source);
  newTeams_ = newPlayers_ = games_ = forfeits_ = doubleForfeits_ = unplayed_ = suppressed_ = 0;
  noRound_ = unknownOvertime_ = foldedBouncebacks_ = 0;
  addedFromMatches_.clear();
  looseMatches_.clear();
  looseNoted_.clear();
  duplicates_.clear();
  takenHere_.clear();
  takenKeys_.clear();
  docStages_.clear();
  stageOfPhase_.clear();
  gamesBefore_ = work_.Games.size();
  teamOfObject_.clear();  // object addresses are only valid within one document
  regulationTossups_ = kDefaultRegulationTossups;

  // The objects at the top: a file of objects, a single match, or a list of them.
  std::vector<const json*> objects;
  const json& root = doc.Root();
  if (root.is_object() && root.contains("objects")) {
    if (!root["objects"].is_array()) doc.Fail("\"objects\" is not a list");
    for (const json& o : root["objects"]) objects.push_back(&o);
  } else if (root.is_object() && root.contains("match_teams")) {
    objects.push_back(&root);
  } else if (root.is_array()) {
    for (const json& o : root) objects.push_back(&o);
  } else {
    doc.Fail("not a QBJ file (it has no \"objects\" list and is not a match)");
  }

  const json* tournament = nullptr;
  for (const json* o : objects) {
    if (KindOf(*o) != Kind::Tournament) continue;
    if (tournament) doc.Fail("the file holds more than one tournament");
    tournament = o;
  }

  // Teams, in the order of the registrations, then teams standing on their own.
  std::vector<const json*> registrations;
  if (tournament && tournament->contains("registrations")) {
    registrations = doc.List(*tournament, "registrations", "the tournament");
  } else {
    for (const json* o : objects)
      if (KindOf(*o) == Kind::Registration) registrations.push_back(o);
  }
  for (const json* reg : registrations) {
    for (const json* team : doc.List(*reg, "teams", "a registration")) AddTeam(doc, *team);
  }
  for (const json* o : objects)
    if (KindOf(*o) == Kind::Team) AddTeam(doc, *o);

  std::unordered_map<const json*, int> roundOf;
  std::vector<const json*> listed;  // matches named by the tournament, in its order
  if (tournament) {
    if (work_.Format.TourneyName.empty()) {
      auto name = tournament->find("name");
      if (name != tournament->end() && name->is_string())
        work_.Format.TourneyName = CleanText(name->get<std::string>());
    }
    auto rules = tournament->find("scoring_rules");
    if (rules != tournament->end() && !rules->is_null()) {
      const json& r = doc.Resolve(*rules);
      if (auto n = doc.Int(r, "regulation_tossup_count", "the scoring rules"); n && *n > 0)
        regulationTossups_ = static_cast<int>(*n);
    }
    int position = 0;
    for (const json* phase : doc.List(*tournament, "phases", "the tournament")) {
      // Each phase is a stage candidate: its rounds' range, its pools as brackets.
      Stage stage;
      stage.Name = "Phase " + std::to_string(docStages_.size() + 1);
      if (phase->is_object()) {
        auto name = phase->find("name");
        if (name != phase->end() && name->is_string() && !name->get<std::string>().empty())
          stage.Name = CleanText(name->get<std::string>());
      }
      bool hasRounds = false;
      for (const json* round : doc.List(*phase, "rounds", "a phase")) {
        ++position;
        int number = position;
        if (round->is_object()) {
          auto name = round->find("name");
          if (name != round->end() && name->is_string()) {
            if (auto n = NumberInName(name->get<std::string>())) number = *n;
          }
        }
        stage.FirstRound = hasRounds ? std::min(stage.FirstRound, number) : number;
        stage.LastRound = hasRounds ? std::max(stage.LastRound, number) : number;
        hasRounds = true;
        for (const json* match : doc.List(*round, "matches", "a round")) {
          if (roundOf.emplace(match, number).second) listed.push_back(match);
        }
      }
      // Pools become divisions of the teams this import adds.
      std::unordered_set<int> bracketed;
      for (const json* pool : doc.List(*phase, "pools", "a phase")) {
        const std::string poolName = doc.NameOf(*pool, "a pool");
        Bracket bracket{poolName, {}};
        for (const json* poolTeam : doc.List(*pool, "pool_teams", "pool " + Quote(poolName))) {
          if (!poolTeam->is_object() || !poolTeam->contains("team"))
            doc.Fail("pool " + Quote(poolName) + ": an entry without a team");
          const int team = AddTeam(doc, doc.Resolve((*poolTeam)["team"]));
          if (pooled_.insert(team).second) poolOf_.emplace_back(team, poolName);
          if (bracketed.insert(team).second) bracket.Teams.push_back(team);
        }
        if (!bracket.Teams.empty()) stage.Brackets.push_back(std::move(bracket));
      }
      if (hasRounds) {
        stageOfPhase_.emplace(phase, static_cast<int>(docStages_.size()));
        docStages_.push_back(std::move(stage));
      }
    }
    // The older layout lists the matches straight under the tournament.
    for (const json* match : doc.List(*tournament, "matches", "the tournament"))
      listed.push_back(match);
  }

  // Matches in the order the file defines them, then those only the tournament holds.
  std::vector<const json*> matches;
  std::unordered_set<const json*> taken;
  for (const json* o : objects)
    if (KindOf(*o) == Kind::Match && taken.insert(o).second) matches.push_back(o);
  for (const json* m : listed)
    if (taken.insert(m).second) matches.push_back(m);

  int ordinal = 0;
  for (const json* m : matches) {
    ++ordinal;
    auto r = roundOf.find(m);
    ImportMatch(doc, *m, r == roundOf.end() ? std::nullopt : std::optional<int>(r->second),
                ordinal);
  }
  for (const ImportedMatch& m : takenHere_) {
    importedKeys_.insert(MatchKey(m.File, m.MatchId));
    work_.Extras.ImportedMatches.push_back(m);
  }

  // The older layout splits its rounds at "firstPlayoffRound" instead of into phases.
  if (tournament && docStages_.empty()) {
    if (auto first = doc.Int(*tournament, "firstPlayoffRound", "the tournament");
        first && *first > 1) {
      int last = 0;
      for (std::size_t i = gamesBefore_; i < work_.Games.size(); ++i)
        last = std::max(last, work_.Games[i].Round);
      if (last >= *first) {
        docStages_.push_back(
            Stage{"Preliminary rounds", 1, static_cast<int>(*first) - 1, false, {}});
        docStages_.push_back(Stage{"Playoffs", static_cast<int>(*first), last, false, {}});
      }
    }
  }
  // One phase is the whole tournament; two or more are its stages (taken from the first
  // document that has them, and only into a tournament without stages).
  if (docStages_.size() >= 2 && !stagesBefore_ && stages_.empty()) stages_ = docStages_;

  const std::string& n = doc.Name();
  std::string summary =
      n + ": " + std::to_string(games_) + (games_ == 1 ? " game" : " games") + " imported";
  if (forfeits_ > 0) summary += " (" + std::to_string(forfeits_) + " by forfeit)";
  summary += ", " + std::to_string(newTeams_) + (newTeams_ == 1 ? " new team" : " new teams") +
             ", " + std::to_string(newPlayers_) +
             (newPlayers_ == 1 ? " new player" : " new players");
  notes_.push_back(summary);
  if (!addedFromMatches_.empty()) {
    std::string s = n + ": players named only in match results were added to their teams: ";
    for (std::size_t i = 0; i < addedFromMatches_.size(); ++i)
      s += (i ? ", " : "") + addedFromMatches_[i];
    notes_.push_back(s);
  }
  auto count = [&](int k, const char* one, const char* many, const std::string& rest) {
    if (k > 0) notes_.push_back(n + ": " + std::to_string(k) + (k == 1 ? one : many) + rest);
  };
  if (!looseMatches_.empty()) {
    std::string s = n + ": names matched ignoring case, spaces and grades: ";
    for (std::size_t i = 0; i < looseMatches_.size(); ++i) s += (i ? ", " : "") + looseMatches_[i];
    notes_.push_back(s);
  }
  for (const std::string& d : duplicates_) notes_.push_back(n + ": already imported: " + d);
  count(unplayed_, " match has", " matches have", " no result yet and were left out");
  count(doubleForfeits_, " match was", " matches were", " forfeited by both teams and left out");
  count(suppressed_, " match is", " matches are",
        " marked to be left out of the statistics and were left out");
  count(noRound_, " match has", " matches have", " no round number and went into round 0");
  count(unknownOvertime_, " match went", " matches went",
        " to overtime without saying which team answered the overtime toss-ups; their bonuses "
        "heard count every correct toss-up");
  count(foldedBouncebacks_, " match has", " matches have",
        " bounceback points, which this tournament does not track; they count as bonus points");
}

void Importer::ReadSide(const Document& doc, const json& matchTeam, const std::string& where,
                        Side& side) {
  if (!matchTeam.is_object()) doc.Fail(where + ": a team entry that is not an object");
  side.source = &matchTeam;
  auto team = matchTeam.find("team");
  if (team == matchTeam.end() || team->is_null()) doc.Fail(where + ": a side without a team");
  side.teamObject = &doc.Resolve(*team);
  side.team = AddTeam(doc, *side.teamObject);
  side.teamName = work_.Rosters[side.team][0];
  side.docName = doc.NameOf(*side.teamObject, where + ": a team");
  side.forfeitLoss = doc.Flag(matchTeam, "forfeit_loss", where);
  side.points = doc.Int(matchTeam, "points", where);
  side.bonusPoints = doc.Int(matchTeam, "bonus_points", where);
  side.withoutBonus = doc.Int(matchTeam, "correct_tossups_without_bonuses", where);
  if (auto bb = doc.Int(matchTeam, "bonus_bounceback_points", where)) {
    side.bounceback = *bb;
    side.hasBounceback = true;
  }
  side.lightning = doc.Int(matchTeam, "lightning_points", where).value_or(0) +
                   doc.Int(matchTeam, "lightning_bounceback_points", where).value_or(0);

  const std::string sideWhere = where + ", team " + Quote(side.teamName);
  for (const json* mp : doc.List(matchTeam, "match_players", sideWhere)) {
    side.hasPlayers = true;
    if (!mp->is_object() || !mp->contains("player"))
      doc.Fail(sideWhere + ": a player entry without a player");
    const json& player = doc.Resolve((*mp)["player"]);
    SideRow row;
    row.player = FindOrAddPlayer(side.team, doc.NameOf(player, sideWhere + ": a player"), true);
    auto heard = doc.Int(*mp, "tossups_heard", sideWhere);
    row.heard = heard ? *heard : -1;  // filled in with the whole game below
    for (const json* ac : doc.List(*mp, "answer_counts", sideWhere)) {
      const std::int64_t number = doc.Int(*ac, "number", sideWhere).value_or(0);
      std::optional<std::int64_t> value;
      bool awardsBonus = false;
      bool awardsGiven = false;
      // Moderator software writes "answer" for the schema's "answer_type".
      const char* typeKey =
          ac->is_object() && !ac->contains("answer_type") ? "answer" : "answer_type";
      if (ac->is_object() && ac->contains(typeKey)) {
        const json& type = doc.Resolve((*ac)[typeKey]);
        value = doc.Int(type, "value", sideWhere);
        if (type.is_object() && type.contains("awards_bonus") && !type["awards_bonus"].is_null()) {
          awardsBonus = doc.Flag(type, "awards_bonus", sideWhere);
          awardsGiven = true;
        }
      } else {
        value = doc.Int(*ac, "value", sideWhere);
      }
      if (!value) doc.Fail(sideWhere + ": an answer count without a point value");
      if (number == 0 || *value == 0) continue;  // nothing to count, or worth nothing
      int column = -1;
      for (int k = 0; k < kColumns; ++k) {
        if (work_.QuestionValues[k] != 0 && work_.QuestionValues[k] == *value) {
          column = k;
          break;
        }
      }
      if (column < 0)
        doc.Fail(sideWhere + ": answers worth " + std::to_string(*value) +
                 " points, which is not one of this tournament's question values");
      if (!awardsGiven) awardsBonus = *value > 0;
      row.counts[column] = Checked(doc, row.counts[column] + number, sideWhere);
      row.points = Checked(doc, row.points + number * *value, sideWhere);
      if (awardsBonus) side.bonusEarning += number;
    }
    side.tossupPoints += row.points;
    side.rows.push_back(row);
  }
}

void Importer::ImportMatch(const Document& doc, const json& match, std::optional<int> round,
                           int ordinal) {
  std::string id;
  if (match.is_object() && match.contains("id") && match["id"].is_string())
    id = CleanText(match["id"].get<std::string>());
  const std::string where =
      id.empty() ? "match number " + std::to_string(ordinal) : "match " + Quote(id);
  if (!match.is_object()) doc.Fail(where + " is not an object");

  auto teams = match.find("match_teams");
  if (teams == match.end() || !teams->is_array()) doc.Fail(where + " has no \"match_teams\" list");
  if (teams->size() != 2)
    doc.Fail(where + " has " + std::to_string(teams->size()) +
             " teams; a game is between two teams");
  Side sides[2];
  for (int s = 0; s < 2; ++s) ReadSide(doc, doc.Resolve((*teams)[s]), where, sides[s]);

  for (const Side& s : sides) {
    if (doc.Flag(*s.source, "suppress_from_statistics", where)) {
      ++suppressed_;
      return;
    }
  }

  GameStats g;
  g.GID = id.empty() ? std::to_string(work_.Games.size()) : id;
  g.Tiebreaker = doc.Flag(match, "tiebreaker", where);
  if (!round) round = RoundField(doc, match, "round", where);
  if (!round) round = RoundField(doc, match, "_round", where);  // moderator software's own field
  if (round) {
    g.Round = *round;
  } else {
    g.Round = 0;
    ++noRound_;
  }
  // A match that counts in other phases too: those stages carry games over.
  for (const json* phase : doc.List(match, "carryover_phases", where)) {
    auto stage = stageOfPhase_.find(phase);
    if (stage != stageOfPhase_.end())
      docStages_[static_cast<std::size_t>(stage->second)].CarryOver = true;
  }
  const std::string matchId = id.empty() ? "#" + std::to_string(ordinal) : id;

  // Forfeits: QBJ 2.x marks the team that forfeited; the older layout marks the match and
  // gives the winner the higher score. The winner is stored as team A.
  const bool matchForfeit = doc.Flag(match, "forfeit", where);
  if (sides[0].forfeitLoss && sides[1].forfeitLoss) {
    ++doubleForfeits_;
    return;
  }
  if (matchForfeit || sides[0].forfeitLoss || sides[1].forfeitLoss) {
    int winner = 0;
    if (sides[0].forfeitLoss) {
      winner = 1;
    } else if (!sides[1].forfeitLoss) {
      winner = sides[1].points.value_or(0) > sides[0].points.value_or(0) ? 1 : 0;
    }
    g.TeamA = sides[winner].team;
    g.TeamB = sides[1 - winner].team;
    g.ScoreA = -1;
    g.ScoreB = -1;
    g.Forfeit = 1;
    if (StoreGame(doc, std::move(g), matchId)) ++forfeits_;
    return;
  }

  const bool anyResult = sides[0].hasPlayers || sides[1].hasPlayers || sides[0].points ||
                         sides[1].points || sides[0].bonusPoints || sides[1].bonusPoints;
  if (!anyResult) {
    ++unplayed_;
    return;
  }

  std::optional<std::int64_t> read = doc.Int(match, "tossups_read", where);
  if (!read) read = doc.Int(match, "tossups", where);
  std::optional<std::int64_t> overtime = doc.Int(match, "overtime_tossups_read", where);
  if (!overtime) overtime = doc.Int(match, "overtimeTossups", where);
  const std::int64_t tossups = read.value_or(0);
  const bool wentToOvertime = overtime.value_or(0) > 0;

  // Overtime toss-ups earn no bonus: which team answered them comes from the teams'
  // counts, or else from the question-by-question record of the overtime.
  if (wentToOvertime) {
    const bool counted = sides[0].withoutBonus || sides[1].withoutBonus;
    auto questions = match.find("match_questions");
    if (!counted && questions != match.end() && questions->is_array() && !questions->empty()) {
      const std::int64_t firstOvertime = tossups - *overtime + 1;
      for (const json* q : doc.List(match, "match_questions", where)) {
        if (doc.Int(*q, "question_number", where).value_or(0) < firstOvertime) continue;
        for (const json* buzz : doc.List(*q, "buzzes", where)) {
          if (!buzz->is_object() || !buzz->contains("team") || !buzz->contains("result")) continue;
          const json& team = doc.Resolve((*buzz)["team"]);
          const json& result = doc.Resolve((*buzz)["result"]);
          const std::int64_t value = doc.Int(result, "value", where).value_or(0);
          const bool awards = result.is_object() && result.contains("awards_bonus")
                                  ? doc.Flag(result, "awards_bonus", where)
                                  : value > 0;
          if (!awards) continue;
          const std::string teamName = doc.NameOf(team, where + ": a buzz of a team");
          for (Side& s : sides)
            if (s.docName == teamName) ++s.overtimeCorrect;
        }
      }
    } else if (!counted && !CountOvertimeBuzzes(doc, match, where, sides)) {
      ++unknownOvertime_;
    }
    for (Side& s : sides)
      if (s.withoutBonus) s.overtimeCorrect = *s.withoutBonus;
  }

  g.TeamA = sides[0].team;
  g.TeamB = sides[1].team;
  g.TUH = static_cast<int>(tossups);
  g.Overtime = wentToOvertime ? 1 : 0;
  const bool bouncebacks = work_.Format.BonusMode == 3;
  const bool matchHasBouncebacks = sides[0].hasBounceback || sides[1].hasBounceback;
  std::int64_t heardBonuses[2] = {0, 0};

  for (int s = 0; s < 2; ++s) {
    Side& side = sides[s];
    const bool isA = s == 0;
    const std::string sideWhere = where + ", team " + Quote(side.teamName);

    // A game has eight rows a side: keep the eight who heard the most toss-ups.
    std::vector<std::size_t> kept(side.rows.size());
    for (std::size_t i = 0; i < kept.size(); ++i) kept[i] = i;
    if (kept.size() > static_cast<std::size_t>(kRows)) {
      auto heardOf = [&](std::size_t i) {
        return side.rows[i].heard < 0 ? tossups : side.rows[i].heard;
      };
      MergeSort(kept, [&](std::size_t a, std::size_t b) { return heardOf(a) > heardOf(b); });
      kept.resize(kRows);
      MergeSort(kept, [](std::size_t a, std::size_t b) { return a < b; });
      notes_.push_back(doc.Name() + ": " + sideWhere +
                       ": kept the eight players who heard the most toss-ups (of " +
                       std::to_string(side.rows.size()) + ")");
    }
    auto& player = isA ? g.PlayerA : g.PlayerB;
    auto& gp = isA ? g.GPA : g.GPB;
    auto& pts = isA ? g.PtsA : g.PtsB;
    for (std::size_t r = 0; r < kept.size(); ++r) {
      const SideRow& row = side.rows[kept[r]];
      player[r] = row.player;
      if (row.heard < 0) {
        gp[r] = 1.0;
      } else {
        gp[r] = static_cast<double>(row.heard) /
                static_cast<double>(tossups > 0 ? tossups : regulationTossups_);
      }
      for (int k = 0; k < kColumns; ++k) {
        (isA ? g.QA(k, static_cast<int>(r)) : g.QB(k, static_cast<int>(r))) =
            static_cast<int>(row.counts[k]);
      }
      pts[r] = static_cast<int>(row.points);
    }

    const std::int64_t bounce = side.bounceback;
    std::int64_t score = 0;
    std::int64_t bonusTotal = 0;  // bonus points, bouncebacks included
    if (side.bonusPoints) {
      bonusTotal = *side.bonusPoints + bounce;
      score = side.points ? *side.points : side.tossupPoints + bonusTotal + side.lightning;
    } else if (side.points) {
      score = *side.points;
      bonusTotal = side.hasPlayers ? score - side.tossupPoints - side.lightning : 0;
    } else {
      bonusTotal = bounce;
      score = side.tossupPoints + bonusTotal + side.lightning;
    }
    std::int64_t heard = 0;
    if (side.hasPlayers)
      heard = std::max<std::int64_t>(0, side.bonusEarning - side.overtimeCorrect);
    heardBonuses[s] = heard;

    const int scoreV = static_cast<int>(Checked(doc, score, sideWhere));
    const int sixty = static_cast<int>(Checked(doc, side.lightning, sideWhere));
    const int ot =
        wentToOvertime ? static_cast<int>(Checked(doc, side.overtimeCorrect, sideWhere)) : 0;
    int bonusPts = 0;
    int bouncePts = 0;
    if (bouncebacks) {
      bonusPts = static_cast<int>(Checked(doc, bonusTotal - bounce, sideWhere));
      bouncePts = static_cast<int>(Checked(doc, bounce, sideWhere));
    } else {
      bonusPts = static_cast<int>(Checked(doc, bonusTotal, sideWhere));
    }
    if (isA) {
      g.ScoreA = scoreV, g.SixtyA = sixty, g.OTA = ot, g.BPA = bonusPts, g.BncBkPtsA = bouncePts;
      g.BHA = static_cast<int>(Checked(doc, heard, sideWhere));
    } else {
      g.ScoreB = scoreV, g.SixtyB = sixty, g.OTB = ot, g.BPB = bonusPts, g.BncBkPtsB = bouncePts;
      g.BHB = static_cast<int>(Checked(doc, heard, sideWhere));
    }
  }
  if (matchHasBouncebacks) {
    if (bouncebacks) {
      // Every bonus read to one team could bounce back to the other.
      g.BncBkA = static_cast<int>(heardBonuses[1]);
      g.BncBkB = static_cast<int>(heardBonuses[0]);
    } else if (sides[0].bounceback != 0 || sides[1].bounceback != 0) {
      ++foldedBouncebacks_;
    }
  }
  StoreGame(doc, std::move(g), matchId);
}

// The overtime buzzes that one statistics program keeps beside the schema's fields:
// {"YfData": {"overTimeBuzzes": [{"team": ..., "player": ..., "buzzes": [{"answer_type": ...,
// "number": n}]}]}}.
bool Importer::CountOvertimeBuzzes(const Document& doc, const json& match, const std::string& where,
                                   Side (&sides)[2]) {
  auto yf = match.find("YfData");
  if (yf == match.end() || !yf->is_object() || !yf->contains("overTimeBuzzes")) return false;
  for (const json* entry : doc.List(*yf, "overTimeBuzzes", where)) {
    if (!entry->is_object() || !entry->contains("team")) continue;
    const std::string teamName =
        doc.NameOf(doc.Resolve((*entry)["team"]), where + ": an overtime buzz of a team");
    for (const json* buzz : doc.List(*entry, "buzzes", where)) {
      if (!buzz->is_object()) continue;
      const char* typeKey = buzz->contains("answer_type") ? "answer_type" : "answer";
      if (!buzz->contains(typeKey)) continue;
      const std::int64_t value = doc.Int(doc.Resolve((*buzz)[typeKey]), "value", where).value_or(0);
      const std::int64_t number = doc.Int(*buzz, "number", where).value_or(0);
      if (value <= 0 || number <= 0) continue;
      for (Side& s : sides)
        if (s.docName == teamName)
          s.overtimeCorrect = Checked(doc, s.overtimeCorrect + number, where);
    }
  }
  return true;
}

std::optional<int> Importer::RoundField(const Document& doc, const json& match, const char* key,
                                        const std::string& where) {
  auto it = match.find(key);
  if (it == match.end() || it->is_null()) return std::nullopt;
  if (it->is_string()) {
    // "Round 3" as well as "3".
    if (auto n = NumberInName(it->get<std::string>())) return n;
    return std::nullopt;
  }
  return static_cast<int>(*doc.Int(match, key, where));
}

bool Importer::StoreGame(const Document& doc, GameStats&& g, const std::string& matchId) {
  const std::string described = "round " + std::to_string(g.Round) + ", " +
                                work_.TeamName(g.TeamA) + " vs. " + work_.TeamName(g.TeamB);
  const std::string key = MatchKey(doc.Name(), matchId);
  bool seen = importedKeys_.count(key) > 0;
  for (std::size_t i = 0; i < gamesBefore_ && !seen; ++i) {
    const GameStats& h = work_.Games[i];
    if (h.Round != g.Round || h.Forfeit != g.Forfeit) continue;
    seen =
        (h.TeamA == g.TeamA && h.TeamB == g.TeamB && h.ScoreA == g.ScoreA &&
         h.ScoreB == g.ScoreB) ||
        (h.TeamA == g.TeamB && h.TeamB == g.TeamA && h.ScoreA == g.ScoreB && h.ScoreB == g.ScoreA);
  }
  // Remembered either way (once), so that the next import finds it by its file and id.
  if (importedKeys_.count(key) == 0 && takenKeys_.insert(key).second)
    takenHere_.push_back({doc.Name(), matchId});
  if (seen) {
    duplicates_.push_back(described);
    return false;
  }
  work_.Games.push_back(std::move(g));
  ++games_;
  return true;
}

}  // namespace

std::vector<std::string> ImportQbj(Tournament& t, const std::vector<QbjSource>& sources,
                                   const QbjImportOptions& options) {
  Tournament work = t;
  Importer importer(work, options);
  for (const QbjSource& source : sources) importer.ImportDocument(source);
  importer.Finish();
  work.CurrentGame = 0;
  work.CurrentTeam = 0;
  std::vector<std::string> notes = std::move(importer.Notes());
  t = std::move(work);
  return notes;
}

std::vector<std::string> ImportQbjFiles(Tournament& t, const std::vector<std::string>& paths,
                                        const QbjImportOptions& options) {
  std::vector<QbjSource> sources;
  sources.reserve(paths.size());
  for (const std::string& path : paths) sources.push_back({path, ReadWholeFile(path)});
  return ImportQbj(t, sources, options);
}

}  // namespace drav
