// QBJ export: the tournament as a QBJ 2.1.1 document that other statistics programs read.

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <map>
#include <nlohmann/json.hpp>
#include <string>
#include <unordered_set>
#include <vector>

#include "model/stages.h"
#include "model/text_codec.h"
#include "storage/line_reader.h"
#include "storage/qbj.h"

namespace drav {

namespace {

using ojson = nlohmann::ordered_json;

constexpr int kRegulationTossups = 20;

// Names are byte strings; JSON wants UTF-8. They are decoded as everywhere they are shown.
std::string ToUtf8(const std::string& s) {
  return EncodeUtf8(DecodeName(s));
}

// A statistics program finds teams by ids of the form "Team_<name>"; repeated names get
// "_2", "_3", ... so that ids stay unique.
std::vector<std::string> TeamIds(const Tournament& t, std::unordered_set<std::string>& used) {
  std::vector<std::string> ids;
  for (int team = 0; team < t.TeamCount(); ++team) {
    const std::string base = "Team_" + ToUtf8(t.TeamName(team));
    std::string id = base;
    for (int k = 2; used.count(id) > 0; ++k) id = base + "_" + std::to_string(k);
    used.insert(id);
    ids.push_back(id);
  }
  return ids;
}

int BracketOf(const Stage& s, int team) {
  for (std::size_t b = 0; b < s.Brackets.size(); ++b)
    for (int member : s.Brackets[b].Teams)
      if (member == team) return static_cast<int>(b);
  return -1;
}

// The later stages that carry this game over: both teams in one of their brackets.
std::vector<int> CarryoverStages(const Tournament& t, const GameStats& g) {
  std::vector<int> out;
  const auto& stages = t.Extras.Stages;
  const int playedIn = StageOfRound(stages, g.Round);
  if (playedIn < 0) return out;
  for (int j = playedIn + 1; j < static_cast<int>(stages.size()); ++j) {
    const Stage& s = stages[static_cast<std::size_t>(j)];
    if (!s.CarryOver) continue;
    const int bracket = BracketOf(s, g.TeamA);
    if (bracket >= 0 && bracket == BracketOf(s, g.TeamB)) out.push_back(j);
  }
  return out;
}

int ClampToInt(double v) {
  if (!std::isfinite(v)) return 0;
  if (v >= INT_MAX) return INT_MAX;
  if (v <= INT_MIN) return INT_MIN;
  return static_cast<int>(std::llround(v));
}

// Toss-ups a row heard as written in the file: games played times the toss-ups read.
int TossupsHeardOfRow(std::int64_t read, double gp) {
  return ClampToInt(gp * static_cast<double>(read > 0 ? read : kRegulationTossups));
}
int TossupsHeardOfRow(const GameStats& g, double gp) {
  return TossupsHeardOfRow(g.TUH, gp);
}

// The toss-up counts a match is written with. Readers take regulation as the toss-ups read
// less the overtime ones, and give a bonus to every correct answer in regulation only; so
// that they count what DRAV counts, a side's overtime answers are those that earned no bonus
// (its correct answers less its bonuses heard, or its overtime toss-ups when bonuses are not
// kept), never more than it answered; the overtime toss-ups read hold both sides' overtime
// answers, and the toss-ups read hold the regulation answers besides.
struct TossupCounts {
  std::int64_t read = 0;          // 0: not kept
  std::int64_t overtimeRead = 0;  // 0: no overtime
  std::int64_t overtime[2] = {0, 0};
  bool raised = false;  // read is more than the game's toss-ups heard
};

std::int64_t CorrectAnswers(const Tournament& t, const GameStats& g, bool isA) {
  const int team = isA ? g.TeamA : g.TeamB;
  std::int64_t gets = 0;
  for (int r = 0; r < kRows; ++r) {
    const int player = isA ? g.PlayerA[r] : g.PlayerB[r];
    if (player < 0 || player >= t.PlayerCount(team)) continue;  // a row that is not written
    for (int k = 0; k < kColumns; ++k)
      if (t.QuestionValues[static_cast<std::size_t>(k)] > 0)
        gets += std::max(0, isA ? g.QA(k, r) : g.QB(k, r));
  }
  return gets;
}

TossupCounts CountTossups(const Tournament& t, const GameStats& g) {
  TossupCounts c;
  c.read = std::max(0, g.TUH);
  if (!g.Overtime) return c;
  std::int64_t regulationAnswers = 0;
  for (int s = 0; s < 2; ++s) {
    const bool isA = s == 0;
    const std::int64_t gets = CorrectAnswers(t, g, isA);
    const std::int64_t withoutBonus =
        t.Format.TrackBonuses ? gets - (isA ? g.BHA : g.BHB) : (isA ? g.OTA : g.OTB);
    c.overtime[s] = std::clamp<std::int64_t>(withoutBonus, 0, gets);
    regulationAnswers += gets - c.overtime[s];
  }
  c.overtimeRead = std::max<std::int64_t>(1, c.overtime[0] + c.overtime[1]);
  if (c.read > 0 && c.read < regulationAnswers + c.overtimeRead) {
    c.read = regulationAnswers + c.overtimeRead;
    c.raised = true;
  }
  return c;
}

// The players a team may field at once, as far as one game shows: every player who played
// counts, and the toss-ups its players heard must fit that many players hearing every
// toss-up read (readers refuse a game whose players heard more).
int PlayersAtOnce(const Tournament& t, const GameStats& g) {
  const std::int64_t read = g.TUH > 0 ? g.TUH : kRegulationTossups;
  std::int64_t most = 0;
  for (int s = 0; s < 2; ++s) {
    const bool isA = s == 0;
    const int team = isA ? g.TeamA : g.TeamB;
    std::int64_t played = 0, heard = 0;
    for (int r = 0; r < kRows; ++r) {
      const int player = isA ? g.PlayerA[r] : g.PlayerB[r];
      if (player < 0 || player >= t.PlayerCount(team)) continue;
      const double gp = isA ? g.GPA[r] : g.GPB[r];
      bool any = gp != 0;
      for (int k = 0; k < kColumns; ++k) any = any || (isA ? g.QA(k, r) : g.QB(k, r)) != 0;
      if (any) ++played;
      heard += std::max(0, TossupsHeardOfRow(g, gp));
    }
    most = std::max({most, played, (heard + read - 1) / read});
  }
  return static_cast<int>(std::min<std::int64_t>(most, INT_MAX));
}

std::string StandInPlayerId(int team) {
  return "player_" + std::to_string(team + 1) + "_" + std::string(kStandInPlayerSuffix);
}
std::string PlayerId(int team, int player) {
  return "player_" + std::to_string(team + 1) + "_" + std::to_string(player + 1);
}
std::string Quote(const std::string& s) {
  return "\"" + s + "\"";
}
ojson Ref(const std::string& id) {
  return ojson{{"$ref", id}};
}

// Which players answered a side's overtime toss-ups is not recorded: they are given to the
// side's correct answers in row order, so that the counts add up to the side's overtime
// answers as CountTossups gives them.
void AddOvertimeBuzzes(const Tournament& t, const GameStats& g, bool isA, std::int64_t overtime,
                       const std::string& teamId, ojson& out) {
  const int team = isA ? g.TeamA : g.TeamB;
  std::int64_t left = overtime;
  for (int r = 0; r < kRows && left > 0; ++r) {
    const int player = isA ? g.PlayerA[r] : g.PlayerB[r];
    if (player < 0 || player >= t.PlayerCount(team)) continue;
    ojson buzzes = ojson::array();
    for (int k = 0; k < kColumns && left > 0; ++k) {
      const int value = t.QuestionValues[static_cast<std::size_t>(k)];
      const std::int64_t n = std::min<std::int64_t>(left, isA ? g.QA(k, r) : g.QB(k, r));
      if (value <= 0 || n <= 0) continue;
      buzzes.push_back({{"answer_type", {{"value", value}}}, {"number", n}});
      left -= n;
    }
    if (!buzzes.empty())
      out.push_back(
          {{"team", Ref(teamId)}, {"player", Ref(PlayerId(team, player))}, {"buzzes", buzzes}});
  }
}

}  // namespace

std::string SerializeQbj(const Tournament& t, std::vector<std::string>* notes) {
  const auto& values = t.QuestionValues;
  std::unordered_set<std::string> usedIds = {"tournament", "scoring_rules", "phase_1"};

  const auto& stages = t.Extras.Stages;
  for (std::size_t k = 0; k < stages.size(); ++k) usedIds.insert("phase_" + std::to_string(k + 1));
  usedIds.insert("phase_other");
  const std::vector<std::string> teamIds = TeamIds(t, usedIds);
  auto TeamId = [&](int team) { return teamIds[static_cast<std::size_t>(team)]; };

  ojson registrations = ojson::array();
  ojson objects = ojson::array();
  for (int team = 0; team < t.TeamCount(); ++team) {
    ojson players = ojson::array();
    for (int p = 0; p < t.PlayerCount(team); ++p) {
      players.push_back(
          {{"type", "Player"}, {"id", PlayerId(team, p)}, {"name", ToUtf8(t.PlayerName(team, p))}});
      usedIds.insert(PlayerId(team, p));
    }
    // Readers refuse a file with a team that has no players (a walk-in team), so such a team
    // gets one player named after it, which DRAV's import leaves out again.
    if (players.empty()) {
      const std::string id = StandInPlayerId(team);
      players.push_back({{"type", "Player"}, {"id", id}, {"name", ToUtf8(t.TeamName(team))}});
      usedIds.insert(id);
    }
    const std::string regId = "registration_" + std::to_string(team + 1);
    usedIds.insert(regId);
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
  std::vector<std::string> raisedRead;  // overtime games whose toss-ups heard were too few
  std::map<int, ojson> rounds;          // round number -> match references
  int regulation = kRegulationTossups;
  int playersAtOnce = 4;
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
    if (g.Tiebreaker) match["tiebreaker"] = true;
    // Every match lists its carry-over phases, empty or not: a reader relies on the field.
    ojson carryover = ojson::array();
    for (int stage : CarryoverStages(t, g))
      carryover.push_back(Ref("phase_" + std::to_string(stage + 1)));
    match["carryover_phases"] = carryover;
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
    const TossupCounts tally = CountTossups(t, g);
    if (tally.read > 0) {
      match["tossups_read"] = tally.read;
      match["overtime_tossups_read"] = tally.overtimeRead;
      regulation = static_cast<int>(std::min<std::int64_t>(
          INT_MAX, std::max<std::int64_t>(regulation, tally.read - tally.overtimeRead)));
    } else if (g.Overtime) {
      match["overtime_tossups_read"] = tally.overtimeRead;
    }
    if (tally.raised) raisedRead.push_back(Quote(id));
    playersAtOnce = std::max(playersAtOnce, PlayersAtOnce(t, g));
    ojson overtimeBuzzes = ojson::array();
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
                           {"tossups_heard", TossupsHeardOfRow(tally.read, gp)},
                           {"answer_counts", counts}});
      }
      const int score = isA ? g.ScoreA : g.ScoreB;
      const int bonus = isA ? g.BPA : g.BPB;
      const int heard = isA ? g.BHA : g.BHB;
      const int bounce = t.Format.BonusMode == 3 ? (isA ? g.BncBkPtsA : g.BncBkPtsB) : 0;
      const int sixty = isA ? g.SixtyA : g.SixtyB;
      ojson side = {{"team", Ref(TeamId(team))}};
      if (g.ScoreOnly) {
        // A game that keeps only its scores: the team's points and no players.
        side["points"] = score;
        side["match_players"] = ojson::array();
        teams.push_back(side);
        continue;
      }
      // Bonus points are preferred, and let readers add up the score themselves; a score
      // that does not add up is written as it stands.
      if (score == tossupPoints + bonus + bounce + sixty) {
        side["bonus_points"] = bonus;
      } else {
        side["points"] = score;
      }
      if (t.Format.BonusMode == 3) side["bonus_bounceback_points"] = bounce;
      std::int64_t withoutBonus = 0;
      if (g.Overtime) {
        withoutBonus = tally.overtime[s];
      } else if (t.Format.TrackBonuses) {
        withoutBonus = gets - heard;
      }
      if (withoutBonus > 0) side["correct_tossups_without_bonuses"] = withoutBonus;
      if (sixty != 0 || t.Format.Sixty) side["lightning_points"] = sixty;
      side["match_players"] = players;
      teams.push_back(side);
      if (g.Overtime) AddOvertimeBuzzes(t, g, isA, tally.overtime[s], TeamId(team), overtimeBuzzes);
    }
    match["match_teams"] = teams;
    match["YfData"] = {{"overTimeBuzzes", overtimeBuzzes}};
    objects.push_back(match);
    rounds[g.Round].push_back(Ref(id));
  }

  // Rounds are named by their plain number, which readers take as the round.
  auto Round = [&](int number) {
    auto it = rounds.find(number);
    return ojson{{"id", "round_" + std::to_string(number)},
                 {"name", std::to_string(number)},
                 {"matches", it == rounds.end() ? ojson::array() : it->second}};
  };
  auto Pools = [&](const std::vector<std::pair<std::string, std::vector<int>>>& groups,
                   const std::string& prefix) {
    ojson pools = ojson::array();
    for (std::size_t k = 0; k < groups.size(); ++k) {
      ojson poolTeams = ojson::array();
      for (int team : groups[k].second)
        if (t.IsTeam(team)) poolTeams.push_back({{"team", Ref(TeamId(team))}});
      if (poolTeams.empty()) continue;  // a pool without teams confuses readers
      pools.push_back({{"id", prefix + std::to_string(k + 1)},
                       {"name", ToUtf8(groups[k].first)},
                       {"pool_teams", poolTeams}});
    }
    return pools;
  };
  ojson phases = ojson::array();
  if (stages.empty()) {
    ojson phaseRounds = ojson::array();
    for (const auto& entry : rounds) phaseRounds.push_back(Round(entry.first));
    if (phaseRounds.empty()) phaseRounds.push_back(Round(1));  // readers want a round
    ojson phase = {{"id", "phase_1"}, {"name", "All Games"}, {"rounds", phaseRounds}};
    std::vector<std::pair<std::string, std::vector<int>>> divisions;
    for (int d = 0; d < static_cast<int>(t.DivisionNames.size()); ++d) {
      divisions.push_back({t.DivisionNames[d], {}});
      for (int team = 0; team < t.TeamCount(); ++team)
        if (t.DivisionOf(team) == d) divisions.back().second.push_back(team);
    }
    ojson pools = Pools(divisions, "pool_");
    if (!pools.empty()) phase["pools"] = pools;
    phases.push_back(phase);
  } else {
    // A phase per stage: its first and last rounds (so that its range comes back) and every
    // round with games between them; its brackets as pools.
    std::vector<bool> placed(rounds.size(), false);
    for (std::size_t k = 0; k < stages.size(); ++k) {
      const Stage& st = stages[k];
      std::map<int, bool> numbers = {{st.FirstRound, true}, {st.LastRound, true}};
      std::size_t i = 0;
      for (const auto& entry : rounds) {
        if (entry.first >= st.FirstRound && entry.first <= st.LastRound) {
          numbers[entry.first] = true;
          placed[i] = true;
        }
        ++i;
      }
      ojson phaseRounds = ojson::array();
      for (const auto& n : numbers) phaseRounds.push_back(Round(n.first));
      ojson phase = {{"id", "phase_" + std::to_string(k + 1)},
                     {"name", ToUtf8(st.Name)},
                     {"rounds", phaseRounds}};
      std::vector<std::pair<std::string, std::vector<int>>> brackets;
      for (const Bracket& b : st.Brackets) brackets.push_back({b.Name, b.Teams});
      ojson pools = Pools(brackets, "pool_" + std::to_string(k + 1) + "_");
      if (!pools.empty()) phase["pools"] = pools;
      phases.push_back(phase);
    }
    ojson otherRounds = ojson::array();
    std::size_t i = 0;
    for (const auto& entry : rounds) {
      if (!placed[i++]) otherRounds.push_back(Round(entry.first));
    }
    if (!otherRounds.empty())
      phases.push_back({{"id", "phase_other"}, {"name", "Other games"}, {"rounds", otherRounds}});
  }

  ojson answerTypes = ojson::array();
  for (int k = 0; k < kColumns; ++k) {
    if (values[k] == 0) continue;
    bool repeated = false;
    for (int j = 0; j < k; ++j) repeated = repeated || values[j] == values[k];
    if (!repeated) answerTypes.push_back({{"value", values[k]}});
  }
  ojson rules = {{"id", "scoring_rules"},
                 {"name", "DRAV"},
                 {"maximum_players_per_team", playersAtOnce},
                 {"regulation_tossup_count", kRegulationTossups},
                 {"maximum_regulation_tossup_count", regulation}};
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
                      {"phases", phases}};
  objects.insert(objects.begin(), tournament);

  if (notes) {
    if (skippedTeams > 0)
      notes->push_back(std::to_string(skippedTeams) +
                       (skippedTeams == 1 ? " game names" : " games name") +
                       " a team that does not exist and was not written");
    if (skippedBlank > 0)
      notes->push_back(std::to_string(skippedBlank) +
                       (skippedBlank == 1 ? " game has" : " games have") + " no score and " +
                       (skippedBlank == 1 ? "was" : "were") + " not written");
    if (skippedRows > 0)
      notes->push_back(std::to_string(skippedRows) +
                       (skippedRows == 1 ? " player row has" : " player rows have") +
                       " figures but no player and " + (skippedRows == 1 ? "was" : "were") +
                       " not written");
    if (!renamed.empty()) {
      std::string s = "game identifiers that were empty or repeated were written with new ones: ";
      for (std::size_t i = 0; i < renamed.size(); ++i) s += (i ? ", " : "") + renamed[i];
      notes->push_back(s);
    }
    if (!raisedRead.empty()) {
      std::string s =
          "overtime games whose toss-ups heard cannot hold their correct answers were written "
          "with as many toss-ups read as they hold: ";
      for (std::size_t i = 0; i < raisedRead.size(); ++i) s += (i ? ", " : "") + raisedRead[i];
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
