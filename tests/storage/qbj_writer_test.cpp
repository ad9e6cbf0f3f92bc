#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <nlohmann/json.hpp>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "model/error.h"
#include "model/score_only.h"
#include "storage/qbj.h"
#include "storage/qbj_samples.h"
#include "storage/tournament_file.h"
#include "support/cli_runner.h"
#include "support/generated_tournament.h"

namespace drav {
namespace {

using json = nlohmann::json;

// An empty tournament with the settings the games are to be read under.
Tournament EmptyLike(const Tournament& t) {
  Tournament e;
  e.Format.TrackBonuses = t.Format.TrackBonuses;
  e.Format.BonusMode = t.Format.BonusMode;
  e.QuestionValues = t.QuestionValues;
  return e;
}

// Overtime toss-ups earn no bonus, and an overtime game read at least as many toss-ups as
// were answered, one of them in overtime; the generator sees to neither.
void MakeOvertimeConsistent(Tournament& t) {
  for (GameStats& g : t.Games) {
    if (!g.Overtime || g.Forfeit) continue;
    g.OTA = std::min(g.OTA, g.BHA);
    g.OTB = std::min(g.OTB, g.BHB);
    g.BHA -= g.OTA;
    g.BHB -= g.OTB;
    int answered = 0;
    for (int r = 0; r < kRows; ++r) answered += g.Q0A[r] + g.Q1A[r] + g.Q0B[r] + g.Q1B[r];
    g.TUH = std::max(g.TUH, answered + (g.OTA + g.OTB == 0 ? 1 : 0));
  }
}

std::string DivisionName(const Tournament& t, int team) {
  const int d = t.DivisionOf(team);
  return d >= 0 && d < static_cast<int>(t.DivisionNames.size()) ? t.DivisionNames[d] : "(none)";
}

void ExpectSameWithinQbj(const Tournament& original, const Tournament& back) {
  EXPECT_EQ(back.Format.TourneyName, original.Format.TourneyName);
  ASSERT_EQ(back.Rosters, original.Rosters);
  for (int team = 0; team < original.TeamCount(); ++team)
    EXPECT_EQ(DivisionName(back, team), DivisionName(original, team)) << "team " << team;
  ASSERT_EQ(back.GameCount(), original.GameCount());
  for (int i = 0; i < original.GameCount(); ++i) {
    const GameStats& a = original.Games[i];
    const GameStats& b = back.Games[i];
    SCOPED_TRACE("game " + a.GID);
    EXPECT_EQ(b.GID, a.GID);
    EXPECT_EQ(b.Round, a.Round);
    EXPECT_EQ(b.TeamA, a.TeamA);
    EXPECT_EQ(b.TeamB, a.TeamB);
    EXPECT_EQ(b.Forfeit, a.Forfeit);
    if (a.Forfeit) continue;  // a forfeit holds no figures
    EXPECT_EQ(b.ScoreA, a.ScoreA);
    EXPECT_EQ(b.ScoreB, a.ScoreB);
    EXPECT_EQ(b.TUH, a.TUH);
    EXPECT_EQ(b.PlayerA, a.PlayerA);
    EXPECT_EQ(b.PlayerB, a.PlayerB);
    for (int k = 0; k < kColumns; ++k) {
      for (int r = 0; r < kRows; ++r) {
        EXPECT_EQ(b.QA(k, r), a.QA(k, r));
        EXPECT_EQ(b.QB(k, r), a.QB(k, r));
      }
    }
    EXPECT_EQ(b.PtsA, a.PtsA);
    EXPECT_EQ(b.PtsB, a.PtsB);
    // Games played travel as whole toss-ups heard.
    for (int r = 0; r < kRows; ++r) {
      EXPECT_NEAR(b.GPA[r], a.GPA[r], 0.5 / a.TUH + 1e-9);
      EXPECT_NEAR(b.GPB[r], a.GPB[r], 0.5 / a.TUH + 1e-9);
    }
    EXPECT_EQ(b.BHA, a.BHA);
    EXPECT_EQ(b.BHB, a.BHB);
    EXPECT_EQ(b.BPA, a.BPA);
    EXPECT_EQ(b.BPB, a.BPB);
    EXPECT_EQ(b.BncBkPtsA, a.BncBkPtsA);
    EXPECT_EQ(b.BncBkPtsB, a.BncBkPtsB);
    EXPECT_EQ(b.SixtyA, a.SixtyA);
    EXPECT_EQ(b.SixtyB, a.SixtyB);
    EXPECT_EQ(b.Overtime, a.Overtime);
    EXPECT_EQ(b.OTA, a.OTA);
    EXPECT_EQ(b.OTB, a.OTB);
  }
}

TEST(QbjWriter, ExportThenImportGivesBackTeamsPlayersAndGames) {
  for (int bonusMode : {1, 3}) {
    for (std::uint32_t seed : {1u, 2u, 3u, 4u}) {
      SCOPED_TRACE("bonus mode " + std::to_string(bonusMode) + ", seed " + std::to_string(seed));
      Tournament original = test::GenerateTournament({.teams = 12,
                                                      .playersPerTeam = 6,
                                                      .games = 60,
                                                      .rounds = 8,
                                                      .bonusMode = bonusMode,
                                                      .divisions = 3,
                                                      .seed = seed});
      MakeOvertimeConsistent(original);
      std::vector<std::string> notes;
      const std::string text = SerializeQbj(original, &notes);
      EXPECT_TRUE(notes.empty()) << notes.front();
      Tournament back = EmptyLike(original);
      ImportQbj(back, {{"round-trip.qbj", text}});
      ExpectSameWithinQbj(original, back);
    }
  }
}

// What a reader that takes regulation as the toss-ups read less the overtime ones, and gives
// a bonus to every correct answer in regulation, makes of an overtime match: each side's
// regulation answers (its bonuses heard), and whether the counts hold together.
struct ReaderView {
  int read = 0, overtimeRead = 0;
  int bonusesHeard[2] = {0, 0};
  int overtimeAnswers[2] = {0, 0};
};

ReaderView ReadAsReadersDo(const json& match) {
  ReaderView v;
  v.read = match["tossups_read"];
  v.overtimeRead = match["overtime_tossups_read"];
  for (int s = 0; s < 2; ++s) {
    const json& side = match["match_teams"][s];
    int answers = 0;
    for (const json& p : side["match_players"])
      for (const json& c : p["answer_counts"])
        if (c["answer_type"]["value"].get<int>() > 0) answers += c["number"].get<int>();
    for (const json& entry : match["YfData"]["overTimeBuzzes"])
      if (entry["team"] == side["team"])
        for (const json& b : entry["buzzes"]) v.overtimeAnswers[s] += b["number"].get<int>();
    EXPECT_EQ(side.value("correct_tossups_without_bonuses", 0), v.overtimeAnswers[s]);
    v.bonusesHeard[s] = answers - v.overtimeAnswers[s];
  }
  EXPECT_LE(v.overtimeAnswers[0] + v.overtimeAnswers[1], v.overtimeRead);
  EXPECT_LE(v.bonusesHeard[0] + v.bonusesHeard[1], v.read - v.overtimeRead);
  return v;
}

const json& MatchOf(const json& doc, const std::string& id) {
  for (const json& o : doc["objects"])
    if (o["type"] == "Match" && o["id"] == id) return o;
  static const json none;
  ADD_FAILURE() << "no match " << id;
  return none;
}

TEST(QbjWriter, OvertimeGamesAddUpAsReadersCountRegulationAndOvertime) {
  struct Case {
    const char* what;
    int bonusMode;
    int tuh;
    int powersA, tensA, tensB;
    int ota, otb, bha, bhb;  // as stored
    int read, overtimeRead;  // as written
    bool sameTuh;            // DRAV's import gives the game back as it was
  };
  const Case cases[] = {
      // 20 regulation toss-ups and one overtime toss-up, answered by A.
      {"consistent", 1, 21, 4, 8, 8, 1, 0, 11, 8, 21, 1, true},
      // Bonuses heard typed: A heard two fewer than it answered, so two were in overtime.
      {"typed bonuses heard", 2, 22, 4, 8, 8, 1, 0, 10, 8, 22, 2, true},
      // Toss-ups heard typed without the overtime: 21 answered, 20 of them in regulation.
      {"heard without overtime", 1, 20, 4, 8, 9, 1, 0, 11, 9, 21, 1, false},
      // Overtime ticked with nobody answering in it, every toss-up heard answered.
      {"nobody in overtime", 1, 20, 4, 8, 8, 0, 0, 12, 8, 21, 1, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Tournament t;
    t.Format.TrackBonuses = 1;
    t.Format.BonusMode = c.bonusMode;
    t.Format.TUHeard = 1;
    t.QuestionValues = {15, 10, -5, 0};
    t.Rosters = {{"Harbor", "Ada", "Ben"}, {"Summit", "Cy"}};
    GameStats g;
    g.GID = "ot";
    g.Round = 1;
    g.TeamA = 0;
    g.TeamB = 1;
    g.TUH = c.tuh;
    g.PlayerA[0] = 0, g.PlayerA[1] = 1, g.PlayerB[0] = 0;
    g.GPA[0] = g.GPA[1] = g.GPB[0] = 1.0;
    g.Q0A[0] = c.powersA, g.Q1A[1] = c.tensA, g.Q1B[0] = c.tensB;
    g.PtsA[0] = 15 * c.powersA, g.PtsA[1] = 10 * c.tensA, g.PtsB[0] = 10 * c.tensB;
    g.BHA = c.bha, g.BHB = c.bhb;
    g.BPA = 10 * c.bha, g.BPB = 10 * c.bhb;
    g.ScoreA = g.PtsA[0] + g.PtsA[1] + g.BPA;
    g.ScoreB = g.PtsB[0] + g.BPB;
    g.Overtime = 1, g.OTA = c.ota, g.OTB = c.otb;
    t.Games = {g};

    std::vector<std::string> notes;
    const json doc = json::parse(SerializeQbj(t, &notes));
    const ReaderView v = ReadAsReadersDo(MatchOf(doc, "ot"));
    EXPECT_EQ(v.read, c.read);
    EXPECT_EQ(v.overtimeRead, c.overtimeRead);
    EXPECT_EQ(v.bonusesHeard[0], c.bha);
    EXPECT_EQ(v.bonusesHeard[1], c.bhb);
    EXPECT_EQ(notes.empty(), c.sameTuh) << (notes.empty() ? "" : notes[0]);

    Tournament back = EmptyLike(t);
    ImportQbj(back, {{"ot.qbj", doc.dump()}});
    ASSERT_EQ(back.GameCount(), 1);
    const GameStats& b = back.Games[0];
    EXPECT_EQ(b.BHA, c.bha);
    EXPECT_EQ(b.BHB, c.bhb);
    EXPECT_EQ(b.ScoreA, g.ScoreA);
    EXPECT_EQ(b.ScoreB, g.ScoreB);
    EXPECT_EQ(b.Overtime, 1);
    EXPECT_EQ(b.TUH == g.TUH, c.sameTuh);
    if (c.sameTuh && c.bonusMode == 1) {
      EXPECT_EQ(b, g);
    }
  }
  // Every overtime game of a generated tournament reads as DRAV counts it.
  Tournament t = test::GenerateTournament({.teams = 8, .games = 80, .seed = 5});
  MakeOvertimeConsistent(t);
  const json doc = json::parse(SerializeQbj(t));
  int overtimeGames = 0;
  for (const GameStats& g : t.Games) {
    if (!g.Overtime || g.Forfeit) continue;
    ++overtimeGames;
    SCOPED_TRACE("game " + g.GID);
    const ReaderView v = ReadAsReadersDo(MatchOf(doc, g.GID));
    EXPECT_EQ(v.bonusesHeard[0], g.BHA);
    EXPECT_EQ(v.bonusesHeard[1], g.BHB);
    EXPECT_EQ(v.read, g.TUH);
  }
  EXPECT_GT(overtimeGames, 0);
}

TEST(QbjWriter, ExportedFileReadsBackThroughTheFileApi) {
  const Tournament original = test::GenerateTournament({.teams = 4, .games = 6, .seed = 9});
  const std::string dir = test::MakeTempDir();
  const std::string path = dir + "/out.qbj";
  EXPECT_TRUE(ExportQbj(original, path).empty());
  const std::string text = test::ReadFile(path);
  EXPECT_EQ(
      text.rfind(
          "{\n  \"version\": \"2.1.1\",\n  \"objects\": [\n    {\n      \"type\": \"Tournament\"",
          0),
      0u)
      << text.substr(0, 200);
  Tournament back = EmptyLike(original);
  ImportQbjFiles(back, {path});
  EXPECT_EQ(back.Rosters, original.Rosters);
  EXPECT_EQ(back.GameCount(), original.GameCount());
  EXPECT_THROW(ExportQbj(original, dir + "/missing/out.qbj"), DravError);
  EXPECT_THROW(ImportQbjFiles(back, {dir + "/nothing.qbj"}), DravError);
}

TEST(QbjWriter, WritesWhatQbjCannotHoldAsNotes) {
  Tournament t;
  t.QuestionValues = {15, 10, -5, 0};
  t.Rosters = {{"A", "Pat"}, {"B", "Sam"}};
  GameStats g;
  g.TeamA = 0;
  g.TeamB = 1;
  g.TUH = 20;
  g.ScoreA = 10;
  g.ScoreB = 0;
  g.GID = "tournament";  // the id of the tournament in the file: the match needs another
  g.PlayerA[0] = 0;
  g.GPA[0] = 1;
  g.Q1A[0] = 1;
  g.PtsA[0] = 10;
  g.Q1A[1] = 2;  // figures in a row without a player
  t.Games.push_back(g);
  g.GID = "tournament";
  t.Games.push_back(g);
  g.ScoreB = -1;  // no score yet
  t.Games.push_back(g);
  g.TeamB = 7;  // no such team
  t.Games.push_back(g);
  std::vector<std::string> notes;
  const std::string text = SerializeQbj(t, &notes);
  ASSERT_EQ(notes.size(), 4u);
  EXPECT_EQ(notes[0], "1 game names a team that does not exist and was not written");
  EXPECT_EQ(notes[1], "1 game has no score and was not written");
  EXPECT_EQ(notes[2], "2 player rows have figures but no player and were not written");
  EXPECT_EQ(notes[3],
            "game identifiers that were empty or repeated were written with new ones: "
            "\"tournament\" as \"tournament_2\", \"tournament\" as \"tournament_3\"");
  Tournament back;
  back.QuestionValues = t.QuestionValues;
  ImportQbj(back, {{"x.qbj", text}});
  ASSERT_EQ(back.GameCount(), 2);
  EXPECT_EQ(back.Games[0].GID, "tournament_2");
  EXPECT_EQ(back.Games[1].GID, "tournament_3");
  EXPECT_EQ(back.Games[0].ScoreA, 10);
}

TEST(QbjWriter, NamesThatAreNotUtf8AreReadAsWindows1252) {
  Tournament t;
  t.Format.TourneyName = "Caf\xE9 \x80 Cup";
  t.Rosters = {{"\xC3\xA9quipe", "Ren\xE9"}};
  const std::string text = SerializeQbj(t);
  EXPECT_NE(text.find("\"Caf\xC3\xA9 \xE2\x82\xAC Cup\""), std::string::npos);
  EXPECT_NE(text.find("\"\xC3\xA9quipe\""), std::string::npos);
  EXPECT_NE(text.find("\"Ren\xC3\xA9\""), std::string::npos);
}

TEST(QbjWriter, ForfeitsAndTournamentsWithoutTossupsHeard) {
  Tournament t;
  t.QuestionValues = {20, 10, 0, 0};
  t.Rosters = {{"Winner", "W"}, {"Loser", "L"}};
  GameStats f;
  f.TeamA = 0;
  f.TeamB = 1;
  f.Forfeit = 1;
  f.ScoreA = f.ScoreB = -1;
  f.Round = -2;
  f.GID = "F";
  t.Games.push_back(f);
  GameStats g;
  g.TeamA = 1;
  g.TeamB = 0;
  g.ScoreA = 120;
  g.ScoreB = 30;
  g.PlayerA[0] = 0;
  g.GPA[0] = 0.75;  // no toss-ups heard kept: travels as 15 of a regulation 20
  g.QA(0, 0) = 2;
  g.PtsA[0] = 40;
  g.GID = "G";
  t.Games.push_back(g);
  Tournament back;
  back.QuestionValues = t.QuestionValues;
  ImportQbj(back, {{"x.qbj", SerializeQbj(t)}});
  ASSERT_EQ(back.GameCount(), 2);
  EXPECT_EQ(back.Games[0].Forfeit, 1);
  EXPECT_EQ(back.Games[0].Round, -2);
  EXPECT_EQ(back.TeamName(back.Games[0].TeamA), "Winner");
  EXPECT_EQ(back.Games[1].TUH, 0);
  EXPECT_DOUBLE_EQ(back.Games[1].GPA[0], 0.75);
  EXPECT_EQ(back.Games[1].ScoreA, 120);
  EXPECT_EQ(back.Games[1].BPA, 80);
}

// What the leading statistics program needs to read every game of an export.
void ExpectReadableByStatisticsPrograms(const Tournament& t, const std::string& text) {
  const json doc = json::parse(text);
  std::map<std::string, const json*> byId;
  std::set<std::string> ids;
  const json* tournament = nullptr;
  int matches = 0;
  for (const json& o : doc["objects"]) {
    if (o["type"] == "Tournament") tournament = &o;
    if (o["type"] == "Registration") {
      for (const json& team : o["teams"]) {
        EXPECT_EQ(team["id"].get<std::string>().rfind("Team_", 0), 0u) << team["id"];
        EXPECT_TRUE(ids.insert(team["id"].get<std::string>()).second) << team["id"];
      }
    }
    if (o["type"] != "Match") continue;
    ++matches;
    EXPECT_TRUE(ids.insert(o["id"].get<std::string>()).second) << o["id"];
    EXPECT_TRUE(o["carryover_phases"].is_array()) << o["id"];
    byId[o["id"].get<std::string>()] = &o;
  }
  ASSERT_NE(tournament, nullptr);
  // Regulation toss-ups: those read less the overtime ones, counted here from the games.
  int regulation = 20;
  std::map<std::string, int> overtimeOf;
  for (const GameStats& g : t.Games) {
    if (g.Forfeit) continue;
    const int overtime = g.Overtime ? std::max(1, g.OTA + g.OTB) : 0;
    regulation = std::max(regulation, g.TUH - overtime);
    if (g.Overtime) overtimeOf[g.GID] = g.OTA + g.OTB;
  }
  const json& rules = (*tournament)["scoring_rules"];
  EXPECT_EQ(rules["maximum_regulation_tossup_count"], regulation);
  // No side fields more players, or hears more toss-ups, than that many players could.
  const int most = rules["maximum_players_per_team"];
  EXPECT_GE(most, 4);
  for (const auto& [id, match] : byId) {
    const int read = match->value("tossups_read", 20);
    for (const json& side : (*match)["match_teams"]) {
      int heard = 0, played = 0;
      for (const json& p : side.value("match_players", json::array())) {
        heard += p["tossups_heard"].get<int>();
        played += p["tossups_heard"].get<int>() > 0;
      }
      EXPECT_LE(played, most) << id;
      EXPECT_LE(heard, most * read) << id;
    }
  }
  // A team without players still has one, which the import leaves out again.
  for (const json& o : doc["objects"]) {
    if (o["type"] == "Registration") {
      EXPECT_FALSE(o["teams"][0]["players"].empty()) << o["name"];
    }
  }
  int listed = 0;
  for (const json& phase : (*tournament)["phases"]) {
    ASSERT_FALSE(phase["rounds"].empty());
    for (const json& round : phase["rounds"]) {
      const std::string name = round["name"];
      EXPECT_EQ(name, std::to_string(std::stoi(name)));
      listed += static_cast<int>(round["matches"].size());
    }
    if (phase.contains("pools")) {
      for (const json& pool : phase["pools"]) {
        EXPECT_FALSE(pool["pool_teams"].empty()) << pool["name"];
      }
    }
  }
  EXPECT_EQ(listed, matches);
  // Overtime buzzes add up to the overtime toss-ups each game's teams answered.
  for (const auto& [gid, overtime] : overtimeOf) {
    const json& m = *byId.at(gid);
    int buzzes = 0;
    for (const json& entry : m["YfData"]["overTimeBuzzes"])
      for (const json& b : entry["buzzes"]) buzzes += b["number"].get<int>();
    EXPECT_EQ(buzzes, overtime) << gid;
  }
}

// Every field of every game, games played to within half a toss-up heard.
void ExpectSameGames(const Tournament& original, const Tournament& back) {
  ASSERT_EQ(back.GameCount(), original.GameCount());
  for (int i = 0; i < original.GameCount(); ++i) {
    GameStats a = original.Games[i], b = back.Games[i];
    if (a.Forfeit) {  // a forfeit holds no figures
      EXPECT_EQ(std::tie(b.GID, b.Round, b.TeamA, b.TeamB, b.Forfeit),
                std::tie(a.GID, a.Round, a.TeamA, a.TeamB, a.Forfeit));
      continue;
    }
    for (int r = 0; r < kRows; ++r) {
      EXPECT_NEAR(b.GPA[r], a.GPA[r], 0.5 / std::max(1, a.TUH) + 1e-9);
      EXPECT_NEAR(b.GPB[r], a.GPB[r], 0.5 / std::max(1, a.TUH) + 1e-9);
      a.GPA[r] = b.GPA[r], a.GPB[r] = b.GPB[r];
    }
    EXPECT_EQ(b, a) << a.GID;
  }
}

TEST(QbjWriter, TheSampleExportsForStatisticsProgramsAndReadsBack) {
  Tournament sample;
  OpenTournament(sample, test::TestData("../../examples/sample-tournament.dat"));
  std::vector<std::string> notes;
  const std::string text = SerializeQbj(sample, &notes);
  ExpectReadableByStatisticsPrograms(sample, text);
  Tournament back = EmptyLike(sample);
  ImportQbj(back, {{"sample.qbj", text}});
  ExpectSameGames(sample, back);
}

TEST(QbjWriter, TheImportedChampionshipExportsForStatisticsProgramsAndReadsBack) {
  const std::string path = test::UnzippedQbjSample("hsnct2014.qbj");
  if (path.empty()) GTEST_SKIP() << "the 2014 championship sample (or unzip) is not available";
  Tournament t;
  t.Format.TrackBonuses = 1;
  t.Format.BonusMode = 1;
  t.QuestionValues = {15, 10, -5, 0};
  ImportQbjFiles(t, {path});
  const std::string text = SerializeQbj(t);
  ExpectReadableByStatisticsPrograms(t, text);
  EXPECT_NE(text.find("\"maximum_regulation_tossup_count\": 26"), std::string::npos);
  Tournament back = EmptyLike(t);
  ImportQbj(back, {{"again.qbj", text}});
  EXPECT_EQ(back.Extras.Stages, t.Extras.Stages);
  ASSERT_EQ(back.Extras.Stages.size(), 2u);
  ExpectSameGames(t, back);
}

TEST(QbjWriter, PlayersPerTeamCoverEveryoneWhoPlayedAndWhatTheyHeard) {
  Tournament t = test::GenerateTournament({.teams = 2, .playersPerTeam = 6, .games = 0, .seed = 3});
  GameStats g;
  g.TeamA = 0, g.TeamB = 1, g.ScoreA = 100, g.ScoreB = 50, g.TUH = 20, g.GID = "five";
  for (int r = 0; r < 5; ++r) g.PlayerA[r] = r, g.GPA[r] = 0.88;  // 4.4 games, 90 toss-ups heard
  t.Games.push_back(g);
  const std::string text = SerializeQbj(t);
  EXPECT_NE(text.find("\"maximum_players_per_team\": 5"), std::string::npos);
  ExpectReadableByStatisticsPrograms(t, text);
}

TEST(QbjWriter, AWalkInTeamTravelsWithAStandInPlayerThatTheImportLeavesOut) {
  Tournament t;
  t.Rosters = {{"Walk-in Team"}, {"Solo", "Solo"}};
  const std::string text = SerializeQbj(t);
  EXPECT_NE(text.find("\"player_1_team\""), std::string::npos);
  ExpectReadableByStatisticsPrograms(t, text);
  Tournament back = EmptyLike(t);
  ImportQbj(back, {{"walk-in.qbj", text}});
  ASSERT_EQ(back.TeamCount(), 2);
  EXPECT_EQ(back.Rosters[0], std::vector<std::string>{"Walk-in Team"});
  // A real player named after his team is kept.
  EXPECT_EQ(back.Rosters[1], (std::vector<std::string>{"Solo", "Solo"}));
}

TEST(QbjWriter, ScoreOnlyGamesTravelAsTeamScoresWithoutPlayersAndComeBackScoreOnly) {
  Tournament t = test::GenerateTournament({.teams = 4, .playersPerTeam = 4, .games = 6, .seed = 8});
  MakeOvertimeConsistent(t);
  for (int i : {1, 4}) {
    ClearBoxScore(t.Games[i]);
    t.Games[i].ScoreOnly = true;
  }
  const std::string text = SerializeQbj(t);
  const json doc = json::parse(text);
  for (const json& o : doc["objects"]) {
    if (o["type"] != "Match" || o["id"] != t.Games[1].GID) continue;
    for (const json& side : o["match_teams"]) {
      EXPECT_TRUE(side["match_players"].empty());
      EXPECT_TRUE(side.contains("points"));
    }
  }
  Tournament back = EmptyLike(t);
  ImportQbj(back, {{"scores.qbj", text}});
  ASSERT_EQ(back.GameCount(), t.GameCount());
  for (int i = 0; i < t.GameCount(); ++i) {
    EXPECT_EQ(back.Games[i].ScoreOnly, t.Games[i].ScoreOnly) << i;
    EXPECT_EQ(std::tie(back.Games[i].ScoreA, back.Games[i].ScoreB, back.Games[i].Round),
              std::tie(t.Games[i].ScoreA, t.Games[i].ScoreB, t.Games[i].Round));
  }
  EXPECT_EQ(back.Games[4], t.Games[4]);
}

TEST(QbjWriter, StagesBecomePhasesWithCarryOverAndTiebreakers) {
  Tournament t = test::GenerateTournament({.teams = 6, .games = 0, .seed = 3});
  auto game = [&](int round, int a, int b, bool tiebreaker) {
    GameStats g;
    g.GID = "g" + std::to_string(t.Games.size() + 1);
    g.Round = round, g.TeamA = a, g.TeamB = b, g.ScoreA = 100, g.ScoreB = 50, g.TUH = 20;
    g.Tiebreaker = tiebreaker;
    t.Games.push_back(g);
  };
  game(1, 0, 1, false);  // bracket-mates in the playoffs: carried over
  game(2, 0, 2, false);  // not
  game(4, 0, 1, true);
  t.Extras.Stages = {
      {"Prelims", 1, 3, false, {{"North", {0, 1, 2}}, {"South", {3, 4, 5}}, {"Nobody", {}}}},
      {"Playoffs", 4, 6, true, {{"Top", {0, 1}}, {"Rest", {2, 3}}}}};
  const std::string text = SerializeQbj(t);
  const json doc = json::parse(text);
  std::map<std::string, json> matches;
  for (const json& o : doc["objects"])
    if (o["type"] == "Match") matches[o["id"]] = o;
  EXPECT_EQ(matches["g1"]["carryover_phases"], json::parse(R"([{"$ref": "phase_2"}])"));
  EXPECT_EQ(matches["g2"]["carryover_phases"], json::array());
  EXPECT_EQ(matches["g3"]["tiebreaker"], true);
  EXPECT_FALSE(matches["g1"].contains("tiebreaker"));
  Tournament back = EmptyLike(t);
  ImportQbj(back, {{"staged.qbj", text}});
  std::vector<Stage> expected = t.Extras.Stages;
  expected[0].Brackets.pop_back();  // a bracket without teams is not written
  EXPECT_EQ(back.Extras.Stages, expected);
  ASSERT_EQ(back.GameCount(), 3);
  EXPECT_EQ(back.Games[2].Tiebreaker, true);
  EXPECT_EQ(back.Games[2].Round, 4);
}

TEST(QbjWriter, ATournamentWithoutGamesStillHasARound) {
  Tournament t;
  t.Rosters = {{"Solo"}};
  t.DivisionNames = {"Empty"};
  const json doc = json::parse(SerializeQbj(t));
  const json& phase = doc["objects"][0]["phases"][0];
  EXPECT_EQ(phase["rounds"], json::parse(R"([{"id": "round_1", "name": "1", "matches": []}])"));
  EXPECT_FALSE(phase.contains("pools"));
  EXPECT_EQ(doc["objects"][1]["teams"][0]["id"], "Team_Solo");
}

}  // namespace
}  // namespace drav
