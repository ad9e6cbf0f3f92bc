// QBJ import of one document: its objects, the tournament and its phases (which become
// stages), registrations and rosters, then the notes on what was taken.

#include <algorithm>

#include "storage/qbj_import.h"

namespace drav::qbj_import {

void Importer::ImportDocument(const QbjSource& source) {
  Document doc(source);
  newTeams_ = newPlayers_ = games_ = forfeits_ = doubleForfeits_ = unplayed_ = suppressed_ = 0;
  noRound_ = unknownOvertime_ = foldedBouncebacks_ = 0;
  addedFromMatches_.clear();
  looseMatches_.clear();
  looseNoted_.clear();
  duplicates_.clear();
  takenHere_.clear();
  occurrences_.clear();
  changedHere_.clear();
  replacedHere_.clear();
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
    importedKeys_[MatchKey(m.File, m.MatchId)].push_back(work_.Extras.ImportedMatches.size());
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
  for (const std::string& d : changedHere_) notes_.push_back(n + ": changed after import: " + d);
  for (const std::string& d : replacedHere_) notes_.push_back(n + ": replaced: " + d);
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

}  // namespace drav::qbj_import
