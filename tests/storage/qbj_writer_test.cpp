#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "model/error.h"
#include "storage/qbj.h"
#include "support/cli_runner.h"
#include "support/generated_tournament.h"

namespace drav {
namespace {

// An empty tournament with the settings the games are to be read under.
Tournament EmptyLike(const Tournament& t) {
  Tournament e;
  e.Format.TrackBonuses = t.Format.TrackBonuses;
  e.Format.BonusMode = t.Format.BonusMode;
  e.QuestionValues = t.QuestionValues;
  return e;
}

// Overtime toss-ups earn no bonus; the generator does not take them off.
void MakeOvertimeConsistent(Tournament& t) {
  for (GameStats& g : t.Games) {
    if (!g.Overtime || g.Forfeit) continue;
    g.OTA = std::min(g.OTA, g.BHA);
    g.OTB = std::min(g.OTB, g.BHB);
    g.BHA -= g.OTA;
    g.BHB -= g.OTB;
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

}  // namespace
}  // namespace drav
