// The QBJ import's inner parts, shared by the files that read a document's tournament,
// its teams and its matches; nothing outside storage/qbj_*.cpp includes it.

#pragma once

#include <climits>
#include <cmath>
#include <cstdint>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "model/error.h"
#include "model/numbers.h"
#include "model/stages.h"
#include "storage/qbj.h"

namespace drav::qbj_import {

using json = nlohmann::json;

// Deeper nesting than any real QBJ file has; guards the walks below (and the stack).
constexpr int kMaxDepth = 64;
// A reference may point to another reference; a longer chain is a loop.
constexpr int kMaxRefChain = 16;
constexpr int kDefaultRegulationTossups = 20;

// Names become lines of the tournament file, where a line break or a Ctrl-Z would
// corrupt everything after them.
std::string CleanText(std::string s);
std::string Quote(std::string_view s);
std::string Lower(std::string s);
// The number a round's name carries ("Round 7" is 7, "Playoff Round -1" is -1).
std::optional<int> NumberInName(const std::string& name);
// The deepest nesting of arrays and objects in a JSON text (strings skipped), found before
// parsing: cheaper than a parser callback, and it keeps hostile nesting off the stack.
int NestingDepth(std::string_view text);

enum class Kind { Tournament, Registration, Team, Match, Other };

Kind KindOf(const json& o);

// A name as people retype it: case, repeated spaces and a trailing grade ("Lakeview (12)")
// set aside.
std::string LooseName(const std::string& name);
bool IsStandInPlayer(const json& player, const std::string& name, const std::string& team);

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
  Importer(Tournament& work, const QbjImportOptions& options);

  std::vector<std::string>& Notes() { return notes_; }
  std::vector<std::string>& Changed() { return changed_; }

  void ImportDocument(const QbjSource& source);

  // Fills the division and exhibition lists of the new teams.
  void Finish();

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
  int FindOrAddTeam(const Document& doc, const std::string& name);

  void NoteLooseMatch(const std::string& pair) {
    if (looseNoted_.insert(pair).second) looseMatches_.push_back(pair);
  }

  // fromMatch: the player is named only in a match, not in the team's roster.
  int FindOrAddPlayer(int team, const std::string& name, bool fromMatch);

  // A team object: its name, and its roster merged in. Cached per object, since the
  // sides of every match point to the same few.
  int AddTeam(const Document& doc, const json& team);

  void ImportMatch(const Document& doc, const json& match, std::optional<int> round, int ordinal);
  // Appends the game unless the tournament has it already, or puts a changed match's new
  // version in place of its game; false when nothing was stored. content: the match's digest.
  bool StoreGame(const Document& doc, GameStats&& g, const std::string& matchId,
                 const std::string& content);
  // The game a record's match brought: the one its game digest names, else the one game of
  // g's round between g's teams; -1 when neither is found.
  int GameOf(const ImportedMatch& record, const GameStats& g) const;
  void ReplaceGame(ImportedMatch& record, GameStats&& g, const std::string& content,
                   const std::string& described);
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
  // File and match id of every match taken before -> its records (one per occurrence, as a
  // file may give the same id to several matches), indexes into Extras.ImportedMatches.
  std::unordered_map<std::string, std::vector<std::size_t>> importedKeys_;
  std::vector<Stage> stages_;  // from the first document with phases
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
  std::unordered_map<std::string, std::size_t> occurrences_;  // of each key in this document
  std::vector<std::string> changedHere_;
  std::vector<std::string> replacedHere_;
  std::vector<std::string> changed_;  // over every document
  std::size_t gamesBefore_ = 0;       // games before this document: where duplicates are looked for
  std::unordered_map<const json*, int> stageOfPhase_;
  std::vector<Stage> docStages_;
};

}  // namespace drav::qbj_import
