// QBJ export: the tournament as a QBJ 2.1.1 document that other statistics programs read.

#include <climits>
#include <cmath>
#include <cstdint>
#include <map>
#include <string>
#include <unordered_set>
#include <vector>

#include <nlohmann/json.hpp>

#include "model/text_codec.h"
#include "storage/line_reader.h"
#include "storage/qbj.h"

namespace drav {

namespace {

using ojson = nlohmann::ordered_json;

constexpr int kRegulationTossups = 20;

// Names are byte strings; JSON wants UTF-8. They are decoded as everywhere they are shown.
std::string ToUtf8(const std::string& s) { return EncodeUtf8(DecodeName(s)); }

std::string TeamId(int team) { return "team_" + std::to_string(team + 1); }
std::string PlayerId(int team, int player) { return "player_" + std::to_string(team + 1) + "_" + std::to_string(player + 1); }
std::string Quote(const std::string& s) { return "\"" + s + "\""; }
ojson Ref(const std::string& id) { return ojson{{"$ref", id}}; }

int ClampToInt(double v) {
  if (!std::isfinite(v)) return 0;
  if (v >= INT_MAX) return INT_MAX;
  if (v <= INT_MIN) return INT_MIN;
  return static_cast<int>(std::llround(v));
}

}  // namespace

std::string SerializeQbj(const Tournament& t, std::vector<std::string>* notes) {
  const auto& values = t.QuestionValues;
  std::unordered_set<std::string> usedIds = {"tournament", "scoring_rules", "phase_1"};

  ojson registrations = ojson::array();
  ojson objects = ojson::array();
  for (int team = 0; team < t.TeamCount(); ++team) {
    ojson players = ojson::array();
    for (int p = 0; p < t.PlayerCount(team); ++p) {
      players.push_back({{"type", "Player"}, {"id", PlayerId(team, p)}, {"name", ToUtf8(t.PlayerName(team, p))}});
      usedIds.insert(PlayerId(team, p));
    }
    const std::string regId = "registration_" + std::to_string(team + 1);
    usedIds.insert(regId);
    usedIds.insert(TeamId(team));
    registrations.push_back(Ref(regId));
    objects.push_back({{"type", "Registration"},
                       {"id", regId},
                       {"name", ToUtf8(t.TeamName(team))},
                       {"teams", ojson::array({{{"type", "Team"},
                                                {"id", TeamId(team)},
                                                {"name", ToUtf8(t.TeamName(team))},
                                                {"players", players}}})}});
  }

  int skippedTeams = 0, skippedBlank = 0, skippedRows = 0;
  std::vector<std::string> renamed;
  std::map<int, ojson> rounds;  // round number -> match references
  for (std::size_t gi = 0; gi < t.Games.size(); ++gi) {
    const GameStats& g = t.Games[gi];
    if (!t.IsTeam(g.TeamA) || !t.IsTeam(g.TeamB)) {
      ++skippedTeams;
      continue;
    }
    if (!g.Forfeit && (g.ScoreA == -1 || g.ScoreB == -1)) {
      ++skippedBlank;
      continue;
    }
    // Match ids must be unique in the file; the game's identifier is kept when it can be.
    const std::string base = g.GID.empty() ? "game_" + std::to_string(gi + 1) : ToUtf8(g.GID);
    std::string id = base;
    for (int k = 2; usedIds.count(id) > 0; ++k) id = base + "_" + std::to_string(k);
    usedIds.insert(id);
    if (id != g.GID) renamed.push_back(Quote(g.GID) + " as " + Quote(id));

    ojson match = {{"type", "Match"}, {"id", id}};
    ojson teams = ojson::array();
    if (g.Forfeit) {
      // Team A won by forfeit.
      teams.push_back({{"team", Ref(TeamId(g.TeamA))}, {"forfeit_loss", false}});
      teams.push_back({{"team", Ref(TeamId(g.TeamB))}, {"forfeit_loss", true}});
      match["match_teams"] = teams;
      objects.push_back(match);
      rounds[g.Round].push_back(Ref(id));
      continue;
    }
    if (g.TUH > 0) {
      match["tossups_read"] = g.TUH;
      match["overtime_tossups_read"] = g.Overtime ? std::max<std::int64_t>(1, std::int64_t{g.OTA} + g.OTB) : 0;
    } else if (g.Overtime) {
      match["overtime_tossups_read"] = std::max<std::int64_t>(1, std::int64_t{g.OTA} + g.OTB);
    }
    for (int s = 0; s < 2; ++s) {
      const bool isA = s == 0;
      const int team = isA ? g.TeamA : g.TeamB;
      ojson players = ojson::array();
      std::int64_t tossupPoints = 0, gets = 0;
      for (int r = 0; r < kRows; ++r) {
        const int player = isA ? g.PlayerA[r] : g.PlayerB[r];
        bool any = (isA ? g.GPA[r] : g.GPB[r]) != 0;
        for (int k = 0; k < kColumns; ++k) any = any || (isA ? g.QA(k, r) : g.QB(k, r)) != 0;
        if (player < 0 || player >= t.PlayerCount(team)) {
          if (any) ++skippedRows;
          continue;
        }
        const double gp = isA ? g.GPA[r] : g.GPB[r];
        ojson counts = ojson::array();
        for (int k = 0; k < kColumns; ++k) {
          if (values[k] == 0) continue;
          const int n = isA ? g.QA(k, r) : g.QB(k, r);
          counts.push_back({{"answer_type", {{"value", values[k]}}}, {"number", n}});
          tossupPoints += std::int64_t{n} * values[k];
          if (values[k] > 0) gets += n;
        }
        players.push_back({{"player", Ref(PlayerId(team, player))},
                           {"tossups_heard", ClampToInt(gp * (g.TUH > 0 ? g.TUH : kRegulationTossups))},
                           {"answer_counts", counts}});
      }
      const int score = isA ? g.ScoreA : g.ScoreB;
      const int bonus = isA ? g.BPA : g.BPB;
      const int heard = isA ? g.BHA : g.BHB;
      const int bounce = t.Format.BonusMode == 3 ? (isA ? g.BncBkPtsA : g.BncBkPtsB) : 0;
      const int sixty = isA ? g.SixtyA : g.SixtyB;
      const int overtime = isA ? g.OTA : g.OTB;
      ojson side = {{"team", Ref(TeamId(team))}};
      // Bonus points are preferred, and let readers add up the score themselves; a score
      // that does not add up is written as it stands.
      if (score == tossupPoints + bonus + bounce + sixty) {
        side["bonus_points"] = bonus;
      } else {
        side["points"] = score;
      }
      if (t.Format.BonusMode == 3) side["bonus_bounceback_points"] = bounce;
      std::int64_t withoutBonus = 0;
      if (t.Format.TrackBonuses) {
        withoutBonus = gets - heard;
      } else if (g.Overtime) {
        withoutBonus = overtime;
      }
      if (withoutBonus > 0) side["correct_tossups_without_bonuses"] = withoutBonus;
      if (sixty != 0 || t.Format.Sixty) side["lightning_points"] = sixty;
      side["match_players"] = players;
      teams.push_back(side);
    }
    match["match_teams"] = teams;
    objects.push_back(match);
    rounds[g.Round].push_back(Ref(id));
  }

  ojson phaseRounds = ojson::array();
  for (auto& [number, matches] : rounds) {
    phaseRounds.push_back({{"id", "round_" + std::to_string(number)},
                           {"name", "Round " + std::to_string(number)},
                           {"matches", matches}});
  }
  ojson phase = {{"id", "phase_1"}, {"name", "All Games"}, {"rounds", phaseRounds}};
  ojson pools = ojson::array();
  for (int d = 0; d < static_cast<int>(t.DivisionNames.size()); ++d) {
    ojson poolTeams = ojson::array();
    for (int team = 0; team < t.TeamCount(); ++team)
      if (t.DivisionOf(team) == d) poolTeams.push_back({{"team", Ref(TeamId(team))}});
    if (poolTeams.empty()) continue;
    pools.push_back({{"id", "pool_" + std::to_string(d + 1)}, {"name", ToUtf8(t.DivisionNames[d])}, {"pool_teams", poolTeams}});
  }
  if (!pools.empty()) phase["pools"] = pools;

  ojson answerTypes = ojson::array();
  for (int k = 0; k < kColumns; ++k) {
    if (values[k] == 0) continue;
    bool repeated = false;
    for (int j = 0; j < k; ++j) repeated = repeated || values[j] == values[k];
    if (!repeated) answerTypes.push_back({{"value", values[k]}});
  }
  ojson rules = {{"id", "scoring_rules"},
                 {"name", "DRAV"},
                 {"maximum_players_per_team", kRows},
                 {"regulation_tossup_count", kRegulationTossups}};
  if (t.Format.TrackBonuses) {
    rules["maximum_bonus_score"] = 30;
    rules["bonuses_bounce_back"] = t.Format.BonusMode == 3;
  }
  if (t.Format.Sixty) rules["lightning_count_per_team"] = 1;
  rules["answer_types"] = answerTypes;

  ojson tournament = {{"type", "Tournament"},
                      {"id", "tournament"},
                      {"name", ToUtf8(t.Format.TourneyName)},
                      {"scoring_rules", rules},
                      {"registrations", registrations},
                      {"phases", ojson::array({phase})}};
  objects.insert(objects.begin(), tournament);

  if (notes) {
    if (skippedTeams > 0)
      notes->push_back(std::to_string(skippedTeams) + (skippedTeams == 1 ? " game names" : " games name") +
                       " a team that does not exist and was not written");
    if (skippedBlank > 0)
      notes->push_back(std::to_string(skippedBlank) + (skippedBlank == 1 ? " game has" : " games have") +
                       " no score and " + (skippedBlank == 1 ? "was" : "were") + " not written");
    if (skippedRows > 0)
      notes->push_back(std::to_string(skippedRows) + (skippedRows == 1 ? " player row has" : " player rows have") +
                       " figures but no player and " + (skippedRows == 1 ? "was" : "were") + " not written");
    if (!renamed.empty()) {
      std::string s = "game identifiers that were empty or repeated were written with new ones: ";
      for (std::size_t i = 0; i < renamed.size(); ++i) s += (i ? ", " : "") + renamed[i];
      notes->push_back(s);
    }
  }

  ojson document = {{"version", "2.1.1"}, {"objects", objects}};
  return document.dump(2) + "\n";
}

std::vector<std::string> ExportQbj(const Tournament& t, const std::string& path) {
  std::vector<std::string> notes;
  const std::string text = SerializeQbj(t, &notes);
  WriteFileAtomically(path, text);
  return notes;
}

}  // namespace drav
