#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/error.h"
#include "storage/qbj.h"
#include "storage/qbj_samples.h"
#include "storage/tournament_file.h"
#include "support/cli_runner.h"

namespace drav {
namespace {

Tournament Empty(int bonusMode = 1) {
  Tournament t;
  t.Format.TrackBonuses = 1;
  t.Format.BonusMode = bonusMode;
  t.QuestionValues = {15, 10, -5, 0};
  return t;
}

std::vector<std::string> Import(Tournament& t, const std::string& json,
                                const std::string& name = "in.qbj") {
  return ImportQbj(t, {{name, json}});
}

std::string Joined(const std::vector<std::string>& notes) {
  std::string s;
  for (const auto& n : notes) s += n + "\n";
  return s;
}

// A match between two inline teams; sides is the text of the two match_teams entries.
std::string MatchFile(const std::string& sides, const std::string& extra = "") {
  return R"({"version": "2.1", "objects": [{"type": "Match", "id": "m1", "tossups_read": 20,
           "overtime_tossups_read": 0, )" +
         extra + R"( "match_teams": [)" + sides + "]}]}";
}

std::string Player(const std::string& name, int heard, int powers, int tens, int negs) {
  return R"({"player": {"name": ")" + name + R"("}, "tossups_heard": )" + std::to_string(heard) +
         R"(, "answer_counts": [{"answer_type": {"value": 15}, "number": )" +
         std::to_string(powers) + R"(}, {"answer_type": {"value": 10}, "number": )" +
         std::to_string(tens) + R"(}, {"answer_type": {"value": -5}, "number": )" +
         std::to_string(negs) + "}]}";
}

std::string Side(const std::string& team, const std::string& fields,
                 const std::vector<std::string>& players) {
  std::string s = R"({"team": {"name": ")" + team + R"("}, )" + fields + R"( "match_players": [)";
  for (std::size_t i = 0; i < players.size(); ++i) s += (i ? "," : "") + players[i];
  return s + "]}";
}

// The per-team sums a standings line is made of, added up from the stored games.
struct Record {
  int wins = 0, losses = 0, forfeitWins = 0, forfeitLosses = 0;
  long long pointsFor = 0, pointsAgainst = 0, tuh = 0, bonusHeard = 0, bonusPoints = 0;
  long long tossUps[4] = {0, 0, 0, 0};
};

Record RecordOf(const Tournament& t, const std::string& name) {
  int team = -1;
  for (int i = 0; i < t.TeamCount(); ++i)
    if (t.TeamName(i) == name) team = i;
  Record r;
  for (const GameStats& g : t.Games) {
    for (int side = 0; side < 2; ++side) {
      const bool isA = side == 0;
      if ((isA ? g.TeamA : g.TeamB) != team) continue;
      if (g.Forfeit) {
        ++(isA ? r.forfeitWins : r.forfeitLosses);
        continue;
      }
      const int own = isA ? g.ScoreA : g.ScoreB, other = isA ? g.ScoreB : g.ScoreA;
      ++(own > other ? r.wins : r.losses);
      r.pointsFor += own;
      r.pointsAgainst += other;
      r.tuh += g.TUH;
      r.bonusHeard += isA ? g.BHA : g.BHB;
      r.bonusPoints += isA ? g.BPA : g.BPB;
      for (int k = 0; k < 4; ++k)
        for (int row = 0; row < kRows; ++row) r.tossUps[k] += isA ? g.QA(k, row) : g.QB(k, row);
    }
  }
  return r;
}

class HsnctTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    const std::string path = test::UnzippedQbjSample("hsnct2014.qbj");
    if (path.empty()) return;
    imported_ = new Tournament(Empty());
    notes_ = new std::vector<std::string>(ImportQbjFiles(*imported_, {path}));
  }
  static void TearDownTestSuite() {
    delete imported_;
    delete notes_;
    imported_ = nullptr;
    notes_ = nullptr;
  }
  void SetUp() override {
    if (!imported_) GTEST_SKIP() << "the 2014 championship sample (or unzip) is not available";
  }
  static Tournament* imported_;
  static std::vector<std::string>* notes_;
};
Tournament* HsnctTest::imported_ = nullptr;
std::vector<std::string>* HsnctTest::notes_ = nullptr;

TEST_F(HsnctTest, ImportsEveryTeamAndMatchOfTheOlderLayout) {
  const Tournament& t = *imported_;
  EXPECT_EQ(t.TeamCount(), 272);
  EXPECT_EQ(t.GameCount(), 1510);
  EXPECT_EQ(t.Format.TourneyName, "HSNCT 2014");
  int maxRound = 0, forfeits = 0, overtime = 0;
  for (const GameStats& g : t.Games) {
    maxRound = std::max(maxRound, g.Round);
    EXPECT_GE(g.Round, 1);
    forfeits += g.Forfeit;
    overtime += g.Overtime;
  }
  EXPECT_EQ(maxRound, 26);
  EXPECT_EQ(forfeits, 4);
  EXPECT_EQ(overtime, 18);
  EXPECT_EQ(t.Games[0].GID, "game_1_56121_62409");
  EXPECT_EQ(t.TeamDivision.size(), 272u);
  EXPECT_EQ(t.ExhibitionTeam.size(), 272u);
  const std::string notes = Joined(*notes_);
  EXPECT_NE(notes.find("1510 games imported (4 by forfeit), 272 new teams"), std::string::npos)
      << notes;
  EXPECT_NE(notes.find("Frank E (Germantown B)"), std::string::npos) << notes;
  EXPECT_NE(notes.find("18 matches went to overtime"), std::string::npos) << notes;
}

TEST_F(HsnctTest, TeamRecordsMatchTheSumsOfTheirMatches) {
  // Figures added up from the file's matches independently of the importer.
  const Record lasa = RecordOf(*imported_, "LASA A");
  EXPECT_EQ(lasa.wins, 16);
  EXPECT_EQ(lasa.losses, 2);
  EXPECT_EQ(lasa.pointsFor, 8795);
  EXPECT_EQ(lasa.pointsAgainst, 4340);
  EXPECT_EQ(lasa.tuh, 413);
  EXPECT_EQ(lasa.tossUps[0], 123);
  EXPECT_EQ(lasa.tossUps[1], 132);
  EXPECT_EQ(lasa.tossUps[2], 44);
  EXPECT_EQ(lasa.bonusHeard, 255);
  EXPECT_EQ(lasa.bonusPoints, 5850);

  const Record hickman = RecordOf(*imported_, "Hickman");
  EXPECT_EQ(hickman.wins, 6);
  EXPECT_EQ(hickman.losses, 4);
  EXPECT_EQ(hickman.forfeitLosses, 1);
  EXPECT_EQ(hickman.pointsFor, 2755);
  EXPECT_EQ(hickman.pointsAgainst, 2280);

  const Record hinsdale = RecordOf(*imported_, "Hinsdale Central B");
  EXPECT_EQ(hinsdale.wins, 2);
  EXPECT_EQ(hinsdale.losses, 6);
  EXPECT_EQ(hinsdale.forfeitLosses, 2);
  EXPECT_EQ(hinsdale.pointsFor, 960);
  EXPECT_EQ(hinsdale.pointsAgainst, 1585);

  const Record hoover = RecordOf(*imported_, "Hoover B");
  EXPECT_EQ(hoover.forfeitWins, 1);
  EXPECT_EQ(hoover.tossUps[0], 7);
  EXPECT_EQ(hoover.tossUps[1], 67);
  EXPECT_EQ(hoover.tossUps[2], 15);
}

TEST(QbjReader, ReadsTheSmallSampleWithReferencesAndGamesPlayedFractions) {
  const std::string path = test::UnzippedQbjSample("test.qbj");
  if (path.empty()) GTEST_SKIP() << "the small QBJ sample (or unzip) is not available";
  Tournament t = Empty();
  ImportQbjFiles(t, {path});
  ASSERT_EQ(t.TeamCount(), 4);
  EXPECT_EQ(t.Rosters[0][0], "Lake Worth A");
  EXPECT_EQ(t.Rosters[0].size(), 7u);
  ASSERT_EQ(t.GameCount(), 4);
  const GameStats& g = t.Games[0];
  EXPECT_EQ(g.GID, "game_1_lake_worth_a_lomax_b");
  EXPECT_EQ(g.Round, 1);
  EXPECT_EQ(g.TUH, 21);
  EXPECT_EQ(t.TeamName(g.TeamA), "Lake Worth A");
  EXPECT_EQ(t.TeamName(g.TeamB), "Lomax B");
  EXPECT_EQ(g.ScoreA, 335);
  EXPECT_EQ(g.ScoreB, 125);
  // Daryl Lind heard 11 of the 21 toss-ups: one ten and one neg.
  EXPECT_EQ(t.PlayerName(g.TeamA, g.PlayerA[0]), "Daryl Lind");
  EXPECT_DOUBLE_EQ(g.GPA[0], 11.0 / 21.0);
  EXPECT_EQ(g.Q1A[0], 1);
  EXPECT_EQ(g.Q2A[0], 1);
  EXPECT_EQ(g.PtsA[0], 5);
  // Toss-up points 15 + 4*10 + 3*10 + 4*10 + 10 - 5 - 5 ... make up the rest of 335.
  int tossupPoints = 0, gets = 0;
  for (int r = 0; r < kRows; ++r) {
    tossupPoints += g.PtsA[r];
    gets += g.Q0A[r] + g.Q1A[r];
  }
  EXPECT_EQ(g.BPA, 335 - tossupPoints);
  EXPECT_EQ(g.BHA, gets);
  EXPECT_EQ(t.Games[2].Round, 2);
}

TEST(QbjReader, MatchesTeamsAndPlayersExactlyThenLooselyAndAppendsNewOnes) {
  Tournament t = Empty();
  t.Rosters = {{"Lomax A", "Flo"}, {"Other", "X"}};
  t.TeamDivision = {0, -1};
  t.ExhibitionTeam = {1, 0};
  t.DivisionNames = {"North"};
  const std::string file =
      MatchFile(Side("lomax  A (12)", R"("points": 100,)",
                     {Player("FLO", 20, 1, 2, 0), Player("Ann", 20, 0, 1, 1)}) +
                "," + Side("Newcomer", R"("points": 50,)", {Player("Flo", 20, 0, 1, 0)}));
  const auto notes = Import(t, file);
  ASSERT_EQ(t.TeamCount(), 3);
  EXPECT_EQ(t.Rosters[0], (std::vector<std::string>{"Lomax A", "Flo", "Ann"}));
  EXPECT_EQ(t.Rosters[2], (std::vector<std::string>{"Newcomer", "Flo"}));
  EXPECT_EQ(t.TeamDivision, (std::vector<int>{0, -1, -1}));
  EXPECT_EQ(t.ExhibitionTeam, (std::vector<int>{1, 0, 0}));
  ASSERT_EQ(t.GameCount(), 1);
  const GameStats& g = t.Games[0];
  EXPECT_EQ(g.TeamA, 0);
  EXPECT_EQ(g.TeamB, 2);
  EXPECT_EQ(g.PlayerA[0], 0);
  EXPECT_EQ(g.PlayerA[1], 1);
  EXPECT_EQ(g.PlayerA[2], -1);
  EXPECT_EQ(g.PtsA[0], 35);
  EXPECT_EQ(g.PtsA[1], 5);
  EXPECT_EQ(g.BHA, 4);
  EXPECT_EQ(g.BPA, 60);
  EXPECT_EQ(g.BHB, 1);
  EXPECT_EQ(g.BPB, 40);
  EXPECT_EQ(g.GID, "m1");
  EXPECT_EQ(g.Round, 0);
  const std::string n = Joined(notes);
  EXPECT_NE(n.find("in.qbj: names matched ignoring case, spaces and grades: \"lomax  A (12)\" as "
                   "\"Lomax A\", \"FLO\" as \"Flo\" (Lomax A)\n"),
            std::string::npos)
      << n;
  EXPECT_NE(n.find("Ann (Lomax A)"), std::string::npos);
  EXPECT_NE(n.find("1 match has no round number"), std::string::npos);
}

TEST(QbjReader, FailuresNameTheProblemAndChangeNothing) {
  Tournament t = Empty();
  t.Rosters = {{"Keep", "Me"}};
  const std::string before = SerializeTournament(t);
  auto expectError = [&](const std::string& json, const std::string& part) {
    try {
      Import(t, json, "bad.qbj");
      ADD_FAILURE() << "no error for " << json;
    } catch (const DravError& e) {
      EXPECT_NE(std::string(e.what()).find(part), std::string::npos) << e.what();
      EXPECT_EQ(std::string(e.what()).rfind("bad.qbj: ", 0), 0u) << e.what();
    }
    EXPECT_EQ(SerializeTournament(t), before);
  };
  expectError(R"({"objects": [)", "not valid JSON");
  expectError("", "not valid JSON");
  expectError(R"({"version": "2.1"})", "not a QBJ file");
  expectError(
      R"({"objects": [{"type": "Match", "match_teams": [{"team": {"$ref": "team_9"}}, {"team": {"name": "B"}}]}]})",
      "\"team_9\" points to nothing");
  expectError(
      MatchFile(
          Side("A", "", {Player("P", 20, 0, 0, 0)}) + "," +
          Side(
              "B", "",
              {R"({"player": {"name": "Q"}, "tossups_heard": 20, "answer_counts": [{"answer": {"value": 20}, "number": 2}]})"})),
      "bad.qbj: match \"m1\", team \"B\": answers worth 20 points, which is not one of this "
      "tournament's question values");
  expectError(MatchFile(Side("A", "", {}) + "," + Side("B", "", {}) + "," + Side("C", "", {})),
              "has 3 teams");
  expectError(MatchFile(Side("A", R"("points": "many",)", {}) + "," + Side("B", "", {})),
              "\"points\" is not a whole number");
  expectError(MatchFile(Side("A", R"("points": 99999999999,)", {}) + "," + Side("B", "", {})),
              "\"points\" is not a whole number");
  expectError(
      R"({"objects": [{"type": "Match", "id": "x", "match_teams": [{"team": {"$ref": "x"}}, {"team": {"name": "B"}}]}, {"type": "Team", "id": "a", "name": 5}]})",
      "without a name");
  expectError(std::string(200, '[') + std::string(200, ']'), "nested too deeply");
  // One bad file among several: the good one is not imported either.
  try {
    ImportQbj(t, {{"good.qbj", MatchFile(Side("A", R"("points": 10,)", {}) + "," +
                                         Side("B", R"("points": 0,)", {}))},
                  {"bad.qbj", "{"}});
    ADD_FAILURE();
  } catch (const DravError& e) {
    EXPECT_EQ(std::string(e.what()).rfind("bad.qbj: ", 0), 0u);
  }
  EXPECT_EQ(SerializeTournament(t), before);
}

TEST(QbjReader, KeepsTheEightPlayersWhoHeardTheMostTossups) {
  std::vector<std::string> players;
  const int heard[10] = {20, 5, 20, 3, 20, 10, 12, 20, 8, 20};
  for (int i = 0; i < 10; ++i)
    players.push_back(Player("P" + std::to_string(i), heard[i], 0, 1, 0));
  Tournament t = Empty();
  const auto notes = Import(
      t, MatchFile(Side("A", "", players) + "," + Side("B", "", {Player("Q", 20, 0, 0, 0)})));
  const GameStats& g = t.Games[0];
  // P1 (5) and P3 (3) drop out; the others keep their order.
  const int expected[8] = {0, 2, 4, 5, 6, 7, 8, 9};
  for (int r = 0; r < kRows; ++r)
    EXPECT_EQ(t.PlayerName(g.TeamA, g.PlayerA[r]), "P" + std::to_string(expected[r]));
  // The score still counts every player's points.
  EXPECT_EQ(g.ScoreA, 100);
  EXPECT_EQ(g.BPA, 0);
  EXPECT_NE(
      Joined(notes).find("team \"A\": kept the eight players who heard the most toss-ups (of 10)"),
      std::string::npos)
      << Joined(notes);
}

TEST(QbjReader, ForfeitsStoreTheWinnerAsTeamA) {
  Tournament t = Empty();
  Import(
      t,
      MatchFile(
          R"({"team": {"name": "Quitter"}, "forfeit_loss": true}, {"team": {"name": "Winner"}})"));
  ASSERT_EQ(t.GameCount(), 1);
  EXPECT_EQ(t.TeamName(t.Games[0].TeamA), "Winner");
  EXPECT_EQ(t.TeamName(t.Games[0].TeamB), "Quitter");
  EXPECT_EQ(t.Games[0].Forfeit, 1);
  EXPECT_EQ(t.Games[0].ScoreA, -1);
  EXPECT_EQ(t.Games[0].ScoreB, -1);
  EXPECT_EQ(t.Games[0].TUH, 0);

  // Both teams forfeited: no game a DRAV tournament can hold.
  const auto notes = Import(
      t,
      MatchFile(
          R"({"team": {"name": "X"}, "forfeit_loss": true}, {"team": {"name": "Y"}, "forfeit_loss": true})"));
  EXPECT_EQ(t.GameCount(), 1);
  EXPECT_NE(Joined(notes).find("forfeited by both teams"), std::string::npos);
}

TEST(QbjReader, OvertimeTossupsEarnNoBonus) {
  Tournament t = Empty();
  // Team A answered 3 toss-ups, one of them in overtime (said outright).
  Import(t, MatchFile(Side("A", R"("bonus_points": 40, "correct_tossups_without_bonuses": 1,)",
                           {Player("P", 23, 1, 2, 0)}) +
                          "," + Side("B", R"("bonus_points": 10,)", {Player("Q", 23, 0, 1, 1)}),
                      // Later keys win over the defaults of MatchFile.
                      R"("overtime_tossups_read": 3, "tossups_read": 23,)"));
  GameStats g = t.Games[0];
  EXPECT_EQ(g.Overtime, 1);
  EXPECT_EQ(g.TUH, 23);
  EXPECT_EQ(g.OTA, 1);
  EXPECT_EQ(g.OTB, 0);
  EXPECT_EQ(g.BHA, 2);
  EXPECT_EQ(g.BPA, 40);
  EXPECT_EQ(g.ScoreA, 35 + 40);
  EXPECT_EQ(g.ScoreB, 5 + 10);

  // The same told question by question: question 21 onwards is overtime.
  t = Empty();
  const std::string questions = R"("match_questions": [
      {"question_number": 20, "buzzes": [{"team": {"$ref": "ta"}, "player": {"name": "P"}, "result": {"value": 10}}]},
      {"question_number": 21, "buzzes": [{"team": {"$ref": "tb"}, "player": {"name": "Q"}, "result": {"value": -5}},
                                          {"team": {"$ref": "ta"}, "player": {"name": "P"}, "result": {"value": 15}}]}],)";
  const std::string file =
      R"({"objects": [{"type": "Team", "id": "ta", "name": "A"}, {"type": "Team", "id": "tb", "name": "B"},
      {"type": "Match", "id": "m", "tossups_read": 21, "overtime_tossups_read": 1, )" +
      questions + R"( "match_teams": [{"team": {"$ref": "ta"}, "points": 75, "match_players": [)" +
      Player("P", 21, 1, 2, 0) +
      R"(]}, {"team": {"$ref": "tb"}, "points": 15, "match_players": [)" +
      Player("Q", 21, 0, 1, 1) + "]}]}]}";
  const auto notes = Import(t, file);
  g = t.Games[0];
  EXPECT_EQ(g.OTA, 1);
  EXPECT_EQ(g.OTB, 0);
  EXPECT_EQ(g.BHA, 2);
  EXPECT_EQ(g.BPA, 75 - 35);
  EXPECT_EQ(Joined(notes).find("overtime"), std::string::npos) << Joined(notes);
}

TEST(QbjReader, BouncebacksAreKeptApartOnlyInBouncebackMode) {
  const std::string file =
      MatchFile(Side("A", R"("bonus_points": 20, "bonus_bounceback_points": 10,)",
                     {Player("P", 20, 0, 2, 0)}) +
                "," +
                Side("B", R"("bonus_points": 10, "bonus_bounceback_points": 0,)",
                     {Player("Q", 20, 0, 1, 0)}));
  Tournament bb = Empty(3);
  Import(bb, file);
  EXPECT_EQ(bb.Games[0].ScoreA, 50);
  EXPECT_EQ(bb.Games[0].BPA, 20);
  EXPECT_EQ(bb.Games[0].BncBkPtsA, 10);
  EXPECT_EQ(bb.Games[0].BncBkA, 1);  // B heard one bonus that could bounce back
  EXPECT_EQ(bb.Games[0].BncBkB, 2);

  Tournament plain = Empty(1);
  const auto notes = Import(plain, file);
  EXPECT_EQ(plain.Games[0].ScoreA, 50);
  EXPECT_EQ(plain.Games[0].BPA, 30);
  EXPECT_EQ(plain.Games[0].BncBkPtsA, 0);
  EXPECT_NE(Joined(notes).find("1 match has bounceback points"), std::string::npos);
}

TEST(QbjReader, ReadsMatchesAsModeratorSoftwareSavesThem) {
  // A bare match without id or round, and a list of two; lightning points count in the score.
  auto match = [](int bonus) {
    return R"({"tossups_read": 20, "match_teams": [
      {"team": {"name": "A", "players": [{"name": "Bench"}, {"name": "P"}]}, "bonus_points": )" +
           std::to_string(bonus) + R"(, "lightning_points": 40, "match_players": [)" +
           Player("P", 20, 1, 1, 0) +
           R"(]}, {"team": {"name": "B"}, "bonus_points": 0, "match_players": []}]})";
  };
  const std::string one = match(30);
  Tournament t = Empty();
  t.Games.resize(3);
  const auto notes =
      ImportQbj(t, {{"one.qbj", one}, {"two.qbj", "[" + match(20) + "," + match(10) + "]"}});
  ASSERT_EQ(t.GameCount(), 6);
  EXPECT_EQ(t.Games[3].GID, "3");
  EXPECT_EQ(t.Games[5].GID, "5");
  EXPECT_EQ(t.Rosters[0], (std::vector<std::string>{"A", "Bench", "P"}));
  EXPECT_EQ(t.Games[3].PlayerA[0], 1);
  EXPECT_EQ(t.Games[3].SixtyA, 40);
  EXPECT_EQ(t.Games[3].ScoreA, 25 + 30 + 40);
  EXPECT_EQ(t.Games[3].BPA, 30);
  EXPECT_EQ(t.Games[3].ScoreB, 0);
  EXPECT_EQ(notes[0], "one.qbj: 1 game imported, 2 new teams, 2 new players");
  EXPECT_NE(Joined(notes).find("two.qbj: 2 games imported, 0 new teams, 0 new players\n"),
            std::string::npos);
  EXPECT_NE(Joined(notes).find("two.qbj: 2 matches have no round number"), std::string::npos);
}

TEST(QbjReader, RoundsPoolsAndNamesFromTheTournament) {
  const std::string file = R"({"version": "2.1.1", "objects": [
    {"type": "Tournament", "name": "Spring\nOpen", "registrations": [{"$ref": "r1"}],
     "phases": [{"name": "Prelims", "rounds": [{"name": "Round 4", "matches": [{"$ref": "m2"}]}, {"name": "Final", "matches": [{"$ref": "m1"}]}],
                 "pools": [{"name": "Gold", "pool_teams": [{"team": {"$ref": "t2"}}, {"team": {"$ref": "t1"}}]},
                           {"name": "Silver", "pool_teams": [{"team": {"$ref": "t1"}}]}]}]},
    {"type": "Registration", "id": "r1", "name": "School", "teams": [{"id": "t1", "name": "Old"}, {"id": "t2", "name": "New\r\nLine", "players": [{"name": "Al"}]}]},
    {"type": "Match", "id": "m1", "match_teams": [{"team": {"$ref": "t1"}, "points": 10}, {"team": {"$ref": "t2"}, "points": 20}]},
    {"type": "Match", "id": "m2", "match_teams": [{"team": {"$ref": "t2"}, "points": 10}, {"team": {"$ref": "t1"}, "points": 20}]},
    {"type": "Match", "id": "m3", "match_teams": [{"team": {"$ref": "t2"}}, {"team": {"$ref": "t1"}}]}]})";
  Tournament t = Empty();
  t.Rosters = {{"Old"}};
  t.TeamDivision = {-1};
  t.ExhibitionTeam = {0};
  const auto notes = Import(t, file);
  EXPECT_EQ(t.Format.TourneyName, "Spring Open");
  ASSERT_EQ(t.TeamCount(), 2);
  EXPECT_EQ(t.TeamName(1), "New  Line");
  // Only the new team takes its pool as division; the existing one keeps its own.
  EXPECT_EQ(t.DivisionNames, (std::vector<std::string>{"Gold"}));
  EXPECT_EQ(t.TeamDivision, (std::vector<int>{-1, 0}));
  // Matches come in file order; the round is the number in the round's name, or its place.
  ASSERT_EQ(t.GameCount(), 2);
  EXPECT_EQ(t.Games[0].GID, "m1");
  EXPECT_EQ(t.Games[0].Round, 2);
  EXPECT_EQ(t.Games[1].GID, "m2");
  EXPECT_EQ(t.Games[1].Round, 4);
  EXPECT_EQ(t.Games[0].ScoreA, 10);
  EXPECT_EQ(t.Games[0].BPA, 0);  // no player figures: no bonus figures either
  EXPECT_NE(Joined(notes).find("1 match has no result yet"), std::string::npos);
}

// One overtime match, as four kinds of program might save it. Lakeview: Ada Moss 2 powers,
// 3 tens, 1 neg (one ten in overtime), Ben Ortiz 1 ten in 10 of 21 toss-ups, 90 bonus
// points; Northfield: Cal Reyes 4 tens, 2 negs, Dee Park 1 power, 50 bonus points.
std::string RoomPlayers(const char* typeKey, const std::string& team) {
  auto row = [&](const std::string& name, int heard, int powers, int tens, int negs) {
    return R"({"player": {"name": ")" + name + R"("}, "tossups_heard": )" + std::to_string(heard) +
           R"(, "answer_counts": [{")" + typeKey + R"(": {"value": 15}, "number": )" +
           std::to_string(powers) + R"(}, {")" + typeKey + R"(": {"value": 10}, "number": )" +
           std::to_string(tens) + R"(}, {")" + typeKey + R"(": {"value": -5}, "number": )" +
           std::to_string(negs) + "}]}";
  };
  if (team == "Lakeview") return row("Ada Moss", 21, 2, 3, 1) + "," + row("Ben Ortiz", 10, 0, 1, 0);
  return row("Cal Reyes", 21, 0, 4, 2) + "," + row("Dee Park", 21, 1, 0, 0);
}

std::string RoomMatch(const std::string& head, const char* typeKey, const std::string& overtime,
                      bool withoutBonuses, bool northfieldFirst = false) {
  const std::string lakeview =
      R"({"team": {"name": "Lakeview"}, "bonus_points": 90, )" +
      std::string(withoutBonuses ? R"("correct_tossups_without_bonuses": 1, )" : "") +
      R"("match_players": [)" + RoomPlayers(typeKey, "Lakeview") + "]}";
  const std::string northfield =
      R"({"team": {"name": "Northfield"}, "bonus_points": 50, )" +
      std::string(withoutBonuses ? R"("correct_tossups_without_bonuses": 0, )" : "") +
      R"("match_players": [)" + RoomPlayers(typeKey, "Northfield") + "]}";
  return "{" + head + R"("tossups_read": 21, "overtime_tossups_read": 1, )" + overtime +
         R"("match_teams": [)" +
         (northfieldFirst ? northfield + "," + lakeview : lakeview + "," + northfield) + "]}";
}

// The four shapes: round 3 to round 6.
std::vector<QbjSource> RoomFiles() {
  const std::string questions = R"("match_questions": [{"question_number": 21, "buzzes": [
      {"team": {"name": "Lakeview"}, "player": {"name": "Ada Moss"}, "result": {"value": 10}}]}], )";
  const std::string yf =
      R"("YfData": {"overTimeBuzzes": [{"team": {"name": "Lakeview"}, "player": {"name": "Ada Moss"},
      "buzzes": [{"answer_type": {"value": 10}, "number": 1}]}]}, )";
  return {
      // A moderator program: bare match, no version, "answer", "_round".
      {"bare.qbj", RoomMatch(R"("id": "r3", "_round": 3, )", "answer", "", true)},
      // Objects without a tournament, version 2.1, the round as a name, overtime told by question.
      {"objects.qbj", R"({"version": "2.1", "objects": [)" +
                          RoomMatch(R"("type": "Match", "id": "r4", "_round": "Round 4", )",
                                    "answer", questions, false) +
                          "]}"},
      // A list of matches, the schema's "answer_type" and "round", overtime from a statistics
      // program's record.
      {"list.qbj", "[" + RoomMatch(R"("id": "r5", "round": 5, )", "answer_type", yf, false) + "]"},
      // A whole tournament, version 2.1.1, the round from the phase.
      {"tournament.qbj",
       R"({"version": "2.1.1", "objects": [{"type": "Tournament", "name": "Fall Open",
          "phases": [{"name": "All", "rounds": [{"name": "Round 6", "matches": [{"$ref": "r6"}]}]}]},)" +
           RoomMatch(R"("type": "Match", "id": "r6", )", "answer_type", "", true) + "]}"},
  };
}

// The match as a game, with the team and player indices of the tournament it went into.
GameStats RoomGame(int round, int lakeview, int northfield, int ada, int ben) {
  GameStats g;
  g.GID = "r" + std::to_string(round);
  g.Round = round;
  g.TeamA = lakeview;
  g.TeamB = northfield;
  g.TUH = 21;
  g.Overtime = 1;
  g.OTA = 1;
  g.PlayerA[0] = ada;
  g.GPA[0] = 1.0;
  g.Q0A[0] = 2, g.Q1A[0] = 3, g.Q2A[0] = 1, g.PtsA[0] = 55;
  g.PlayerA[1] = ben;
  g.GPA[1] = 10.0 / 21.0;
  g.Q1A[1] = 1, g.PtsA[1] = 10;
  g.PlayerB[0] = 0;
  g.GPB[0] = 1.0;
  g.Q1B[0] = 4, g.Q2B[0] = 2, g.PtsB[0] = 30;
  g.PlayerB[1] = 1;
  g.GPB[1] = 1.0;
  g.Q0B[1] = 1, g.PtsB[1] = 15;
  g.ScoreA = 155, g.BHA = 5, g.BPA = 90;
  g.ScoreB = 95, g.BHB = 5, g.BPB = 50;
  return g;
}

TEST(QbjReader, ReadsEveryShapeThatRoomProgramsWriteSinglyAndTogether) {
  const std::vector<QbjSource> files = RoomFiles();
  for (std::size_t i = 0; i < files.size(); ++i) {
    SCOPED_TRACE(files[i].name);
    Tournament t = Empty();
    const auto notes = ImportQbj(t, {files[i]});
    ASSERT_EQ(t.GameCount(), 1);
    EXPECT_EQ(t.Games[0], RoomGame(static_cast<int>(i) + 3, 0, 1, 0, 1));
    EXPECT_EQ(t.Rosters,
              (std::vector<std::vector<std::string>>{{"Lakeview", "Ada Moss", "Ben Ortiz"},
                                                     {"Northfield", "Cal Reyes", "Dee Park"}}));
    EXPECT_EQ(Joined(notes), files[i].name + ": 1 game imported, 2 new teams, 4 new players\n");
  }
  Tournament together = Empty();
  ImportQbj(together, files);
  ASSERT_EQ(together.GameCount(), 4);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(together.Games[i], RoomGame(i + 3, 0, 1, 0, 1));

  // Into a tournament under way: names as its director typed them, rosters in another order.
  Tournament existing = Empty();
  existing.Rosters = {{"Zed"},
                      {"Lakeview", "Ben Ortiz", "Ada Moss"},
                      {"NORTHFIELD (12)", "cal  reyes", "Dee Park"}};
  QbjImportOptions strict;
  strict.AddUnknownTeams = false;
  const auto notes = ImportQbj(existing, files, strict);
  ASSERT_EQ(existing.TeamCount(), 3);
  ASSERT_EQ(existing.GameCount(), 4);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(existing.Games[i], RoomGame(i + 3, 1, 2, 1, 0));
  EXPECT_EQ(existing.Rosters[2].size(), 3u);
  EXPECT_EQ(notes[1],
            "bare.qbj: names matched ignoring case, spaces and grades: \"Northfield\" as "
            "\"NORTHFIELD (12)\", "
            "\"Cal Reyes\" as \"cal  reyes\" (NORTHFIELD (12))");
}

TEST(QbjReader, ReimportingFindsEveryMatchAlreadyThere) {
  Tournament t = Empty();
  ImportQbj(t, RoomFiles());
  ASSERT_EQ(t.Extras.ImportedMatches.size(), 4u);
  EXPECT_EQ(t.Extras.ImportedMatches[0].File, "bare.qbj");
  EXPECT_EQ(t.Extras.ImportedMatches[0].MatchId, "r3");
  // Through the tournament file, as the next session would find it.
  t = ParseTournament(SerializeTournament(t), Tournament{});
  // By file and id, even after the director corrected a score.
  t.Games[0].ScoreA = 160;
  auto notes = ImportQbj(t, RoomFiles());
  EXPECT_EQ(t.GameCount(), 4);
  EXPECT_NE(Joined(notes).find("bare.qbj: 0 games imported, 0 new teams, 0 new players\nbare.qbj: "
                               "already imported: round 3, Lakeview vs. Northfield\n"),
            std::string::npos)
      << Joined(notes);
  // A copy under another name, its teams in the other order: by round, teams and scores.
  const QbjSource copy{"copy.qbj",
                       RoomMatch(R"("id": "r4", "_round": 4, )", "answer", "", true, true)};
  notes = ImportQbj(t, {copy});
  EXPECT_EQ(t.GameCount(), 4);
  EXPECT_NE(Joined(notes).find("copy.qbj: already imported: round 4, Northfield vs. Lakeview"),
            std::string::npos)
      << Joined(notes);
  EXPECT_EQ(t.Extras.ImportedMatches.back().File, "copy.qbj");
  EXPECT_EQ(t.Extras.ImportedMatches.back().MatchId, "r4");
  EXPECT_EQ(t.Extras.ImportedMatches.size(), 5u);  // each match remembered once
}

TEST(QbjReader, ATeamNotInTheTournamentIsRefusedUnlessChosenOrAllowed) {
  Tournament t = Empty();
  t.Rosters = {{"Lakeview"}, {"Northfield"}};
  QbjSource typo = RoomFiles()[0];
  typo.name = "typo.qbj";
  typo.contents.replace(typo.contents.find("Lakeview"), 8, "Lakeveiw");
  const std::string before = SerializeTournament(t);
  QbjImportOptions strict;
  strict.AddUnknownTeams = false;
  try {
    ImportQbj(t, {typo}, strict);
    ADD_FAILURE() << "the typo was taken";
  } catch (const UnknownQbjTeam& e) {
    EXPECT_EQ(e.Document(), "typo.qbj");
    EXPECT_EQ(e.Team(), "Lakeveiw");
    EXPECT_STREQ(e.what(), "typo.qbj: the team \"Lakeveiw\" is not in the tournament");
  }
  EXPECT_EQ(SerializeTournament(t), before);

  strict.TeamChoices = {{"Lakeveiw", 0}};
  ImportQbj(t, {typo}, strict);
  EXPECT_EQ(t.TeamCount(), 2);
  EXPECT_EQ(t.Games[0].TeamA, 0);

  Tournament added = Empty();
  added.Rosters = {{"Lakeview"}, {"Northfield"}};
  strict.TeamChoices = {{"Lakeveiw", -1}};
  ImportQbj(added, {typo}, strict);
  EXPECT_EQ(added.TeamCount(), 3);
  EXPECT_EQ(added.TeamName(added.Games[0].TeamA), "Lakeveiw");
}

TEST(QbjReader, PhasesBecomeStagesWithCarryOverAndTiebreakers) {
  const std::string file = R"({"version": "2.1.1", "objects": [
    {"type": "Tournament", "name": "Two Phases", "phases": [
      {"id": "p1", "name": "Prelims", "rounds": [{"name": "1", "matches": [{"$ref": "m1"}]}, {"name": "2", "matches": [{"$ref": "m2"}]}],
       "pools": [{"name": "East", "pool_teams": [{"team": {"$ref": "a"}}, {"team": {"$ref": "b"}}]},
                 {"name": "West", "pool_teams": [{"team": {"$ref": "c"}}, {"team": {"$ref": "d"}}]}]},
      {"id": "p2", "name": "Playoffs", "rounds": [{"name": "3", "matches": [{"$ref": "m3"}]}, {"name": "5", "matches": []}],
       "pools": [{"name": "Top", "pool_teams": [{"team": {"$ref": "a"}}, {"team": {"$ref": "b"}}]}, {"name": "Empty", "pool_teams": []}]}]},
    {"type": "Registration", "name": "R", "teams": [{"id": "a", "name": "A"}, {"id": "b", "name": "B"}, {"id": "c", "name": "C"}, {"id": "d", "name": "D"}]},
    {"type": "Match", "id": "m1", "carryover_phases": [{"$ref": "p2"}], "match_teams": [{"team": {"$ref": "a"}, "points": 10}, {"team": {"$ref": "b"}, "points": 0}]},
    {"type": "Match", "id": "m2", "carryover_phases": [], "match_teams": [{"team": {"$ref": "c"}, "points": 10}, {"team": {"$ref": "d"}, "points": 0}]},
    {"type": "Match", "id": "m3", "tiebreaker": true, "match_teams": [{"team": {"$ref": "a"}, "points": 10}, {"team": {"$ref": "b"}, "points": 0}]}]})";
  Tournament t = Empty();
  Import(t, file);
  const std::vector<Stage> expected = {
      {"Prelims", 1, 2, false, {{"East", {0, 1}}, {"West", {2, 3}}}},
      {"Playoffs", 3, 5, true, {{"Top", {0, 1}}}}};
  EXPECT_EQ(t.Extras.Stages, expected);
  ASSERT_EQ(t.GameCount(), 3);
  EXPECT_FALSE(t.Games[1].Tiebreaker);
  EXPECT_TRUE(t.Games[2].Tiebreaker);
  // A tournament that has stages keeps its own.
  Tournament staged = Empty();
  staged.Extras.Stages = {{"Mine", 1, 9, false, {}}};
  Import(staged, file);
  EXPECT_EQ(staged.Extras.Stages.size(), 1u);
}

TEST_F(HsnctTest, ImportsAsPreliminaryRoundsAndPlayoffs) {
  const std::vector<Stage> expected = {{"Preliminary rounds", 1, 16, false, {}},
                                       {"Playoffs", 17, 26, false, {}}};
  EXPECT_EQ(imported_->Extras.Stages, expected);
}

}  // namespace
}  // namespace drav
