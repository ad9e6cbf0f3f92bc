// Game entry with the Score only switch, and the warnings of score-only games.
#include <gtest/gtest.h>

#include <climits>

#include "entry/check_all_games.h"
#include "entry/check_game.h"
#include "entry/game_entry.h"
#include "entry/score_only_checks.h"
#include "entry_test_support.h"

namespace drav::entry {
namespace {

class ScoreOnlyEntry : public ::testing::Test {
 protected:
  GameEntryForm& Form() {
    if (!form_) form_ = std::make_unique<GameEntryForm>(t, host);
    return *form_;
  }
  // Switches Score only on the way a click does.
  void Switch(bool on) {
    Form().ScoreOnly.SetChecked(on);
    Form().ScoreOnly.OnClick();
  }
  void Type(int a, int b, const char* scoreA, const char* scoreB, const char* round) {
    GameEntryForm& f = Form();
    f.ChooseTeamA(a);
    f.ChooseTeamB(b);
    f.ScoreA.SetText(scoreA);
    f.ScoreB.SetText(scoreB);
    f.Round.SetText(round);
  }

  Tournament t = test::ThreeTeams();
  test::FakeHost host;
  std::unique_ptr<GameEntryForm> form_;
};

TEST_F(ScoreOnlyEntry, SwitchHidesRowsAndStripAndStoresOnlyTheResult) {
  Switch(true);
  Type(0, 1, "230", "120", "2");
  GameEntryForm& f = Form();
  EXPECT_FALSE(f.PlayerA(1).Visible());
  EXPECT_FALSE(f.QA(0, 1).Visible());
  EXPECT_FALSE(f.Panel1.Visible());
  EXPECT_FALSE(f.Panel2.Visible());
  EXPECT_TRUE(f.Round.Visible());
  f.NextClick();
  ASSERT_EQ(t.GameCount(), 1);
  const GameStats& g = t.Games[0];
  EXPECT_TRUE(g.ScoreOnly);
  EXPECT_EQ(g.ScoreA, 230);
  EXPECT_EQ(g.ScoreB, 120);
  EXPECT_EQ(g.Round, 2);
  EXPECT_EQ(g.PlayerA[0], -1);
  EXPECT_EQ(g.GPA[0], 0.0);
  EXPECT_EQ(g.BPA, 0);  // automatic bonuses are not derived from the score
  // The new game keeps the switch, so a round is typed in one mode.
  EXPECT_TRUE(f.ScoreOnly.Checked());
  EXPECT_FALSE(f.PlayerA(1).Visible());
}

TEST_F(ScoreOnlyEntry, LoadingFollowsEachGamesMarkAndSwitchingBackShowsRows) {
  GameEntryForm& f = Form();
  Type(0, 1, "100", "50", "1");  // a full game
  f.NextClick();
  Switch(true);
  Type(1, 2, "80", "60", "1");
  f.NextClick();
  f.PreviousClick();
  EXPECT_TRUE(f.ScoreOnly.Checked());
  f.PreviousClick();
  EXPECT_FALSE(f.ScoreOnly.Checked());
  EXPECT_TRUE(f.PlayerA(1).Visible());
  EXPECT_TRUE(f.Panel2.Visible());
  f.NextClick();
  Switch(false);  // the score-only game gets its teams' players back
  EXPECT_TRUE(f.PlayerA(1).Visible());
  EXPECT_EQ(f.PlayerA(1).ItemIndex(), 0);
}

TEST_F(ScoreOnlyEntry, OnlyTheWarningsThatNeedNoBoxScoreFire) {
  t.QuestionValues = {15, 10, -5, 0};
  GameStats g;
  g.TeamA = 0;
  g.TeamB = 1;
  g.ScoreOnly = true;
  g.Round = 1;
  const struct {
    int a, b, overtime;
    std::vector<std::string> expected;
  } cases[] = {
      {230, 120, 0, {}},  // nothing adds up from rows, and nothing needs to
      {150, 150, 0, {"Tied Score Without Overtime"}},
      {150, 150, 1, {}},
      {232, 120, 0, {"Score of Alpha Is Not a Multiple of 5"}},
  };
  for (const auto& c : cases) {
    g.ScoreA = c.a;
    g.ScoreB = c.b;
    g.Overtime = c.overtime;
    EXPECT_EQ(CheckGameRecord(t, g), c.expected) << c.a << "-" << c.b;
  }
  g.ScoreOnly = false;  // a full game keeps its described warnings only
  g.ScoreA = g.ScoreB = 150;
  EXPECT_EQ(
      CheckGameRecord(t, g),
      (std::vector<std::string>{"Individual and Bonus Scores Do Not Add to Total Score for Alpha",
                                "Individual and Bonus Scores Do Not Add to Total Score for Beta",
                                "Bonus Points Earned Without Being Heard for Alpha",
                                "Bonus Points Earned Without Being Heard for Beta"}));
}

TEST_F(ScoreOnlyEntry, CheckAllGamesListsTwoMeetingsInARound) {
  GameStats g;
  g.TeamA = 0;
  g.TeamB = 1;
  g.ScoreA = 100;
  g.ScoreB = 50;
  g.Round = 4;
  g.ScoreOnly = true;
  t.Games = {g, g};
  std::swap(t.Games[1].TeamA, t.Games[1].TeamB);
  t.Games.push_back(g);
  t.Games.back().Round = 5;
  std::vector<std::string> lines;
  for (const GameWarning& w : CheckAllGames(t, false)) lines.push_back(WarningLine(w));
  EXPECT_EQ(lines, (std::vector<std::string>{
                       "Round 4: Alpha vs. Beta: Alpha and Beta Meet More Than Once in Round 4",
                       "Round 4: Beta vs. Alpha: Beta and Alpha Meet More Than Once in Round 4"}));
}

TEST(ScoreOnlyChecks, SmallestQuestionValueIsBySize) {
  Tournament t;
  t.QuestionValues = {20, 10, -5, 0};
  EXPECT_EQ(SmallestQuestionValue(t), 5);
  t.QuestionValues = {0, 0, 0, 0};
  EXPECT_EQ(SmallestQuestionValue(t), 0);
  t.QuestionValues = {INT_MIN, 10, 0, 0};
  EXPECT_EQ(SmallestQuestionValue(t), 10);
}

}  // namespace
}  // namespace drav::entry
