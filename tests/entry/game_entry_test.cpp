#include "entry/game_entry.h"

#include <gtest/gtest.h>

#include "entry_test_support.h"
#include "model/error.h"
#include "storage/tournament_file.h"
#include "support/generated_tournament.h"

namespace drav::entry {
namespace {

using Messages = std::vector<std::string>;
using test::FakeHost;

class GameEntry : public ::testing::Test {
 protected:
  // The form is made on first use, so a test can adjust the tournament first.
  GameEntryForm& Form() {
    if (!form_) form_ = std::make_unique<GameEntryForm>(t, host);
    return *form_;
  }

  // Types a team A row's counts (columns 0..2).
  void TypeCounts(bool sideA, int row, const char* powers, const char* tens, const char* negs) {
    GameEntryForm& f = Form();
    Edit& q0 = sideA ? f.QA(0, row) : f.QB(0, row);
    Edit& q1 = sideA ? f.QA(1, row) : f.QB(1, row);
    Edit& q2 = sideA ? f.QA(2, row) : f.QB(2, row);
    q0.SetText(powers);
    q1.SetText(tens);
    q2.SetText(negs);
  }

  // Alpha against Beta: Alpha 4 powers, 9 tens, 2 negs (140) and 230 points; Beta one ten
  // and 20 points.
  void TypeAlphaBeta() {
    GameEntryForm& f = Form();
    f.ChooseTeamA(0);
    f.ChooseTeamB(1);
    f.ScoreA.SetText("230");
    f.ScoreB.SetText("20");
    TypeCounts(true, 1, "2", "3", "1");
    TypeCounts(true, 2, "2", "6", "1");
    TypeCounts(false, 1, "", "1", "");
    f.TUH.SetText("20");
    f.Round.SetText("3");
  }

  Tournament t = test::ThreeTeams();
  FakeHost host;
  std::unique_ptr<GameEntryForm> form_;
};

TEST_F(GameEntry, ColumnHeadsShowTheQuestionValues) {
  GameEntryForm& f = Form();
  const char* heads[] = {"15", "10", "-5", ""};
  for (int k = 0; k < 4; ++k) {
    EXPECT_EQ(f.ColumnHeads[k].Caption(), heads[k]);
    EXPECT_EQ(f.ColumnHeads[4 + k].Caption(), heads[k]);
  }
  EXPECT_EQ(f.FindControl("Label5"), &f.ColumnHeads[4]);
  EXPECT_EQ(f.FindEdit("Q2B5"), &f.QB(2, 5));
  EXPECT_EQ(f.FindComboBox("PlayerA8"), &f.PlayerA(8));
  EXPECT_EQ(f.FindCheckBox("Forfeit"), &f.Forfeit);
  EXPECT_EQ(f.FindEdit("Forfeit"), nullptr);
  EXPECT_EQ(f.FindControl("Q4A1"), nullptr);
}

TEST_F(GameEntry, SetUpHidesWhatTheFormatDoesNotTrack) {
  t.Format.TrackBonuses = 0;
  t.Format.BonusMode = 0;
  t.Format.TUHeard = 0;
  GameEntryForm& f = Form();
  for (const char* name : {"BHA", "BPA", "BHB", "BPB", "Panel1", "Panel3", "OTA", "OTB", "TUH",
                           "TULabel", "Panel2", "SixtyA", "SixtyB", "Panel8", "Panel9",
                           "BncBkA", "BncBkPtsB", "Panel11", "Panel12", "PlayerA1", "GPB8"})
    EXPECT_FALSE(f.FindControl(name)->Visible()) << name;
  for (const char* name : {"TeamAName", "ScoreA", "Round", "GID", "Jump", "Forfeit", "Overtime",
                           "Next", "Previous", "Button1", "DeleteGame"})
    EXPECT_TRUE(f.FindControl(name)->Visible()) << name;
}

TEST_F(GameEntry, BonusModesDecideWhichBonusBoxesAreTyped) {
  {
    GameEntryForm& f = Form();  // Automatic
    EXPECT_FALSE(f.BHA.Enabled());
    EXPECT_FALSE(f.BPB.Enabled());
    EXPECT_TRUE(f.OTA.Visible());
    EXPECT_FALSE(f.BncBkA.Visible());
  }
  form_.reset();
  t.Format.BonusMode = 2;
  EXPECT_TRUE(Form().BHA.Enabled());
  EXPECT_FALSE(Form().BPA.Enabled());
  form_.reset();
  t.Format.BonusMode = 3;
  EXPECT_TRUE(Form().BPA.Enabled());
  EXPECT_TRUE(Form().BncBkPtsA.Visible());
  EXPECT_TRUE(Form().Panel12.Visible());
}

TEST_F(GameEntry, StartsOnABlankNewGameNamedByItsPosition) {
  t.CurrentGame = 5;
  GameEntryForm& f = Form();
  EXPECT_EQ(t.CurrentGame, 0);
  EXPECT_EQ(f.GID.Text(), "0");
  EXPECT_EQ(f.TeamAName.Items(), (std::vector<std::string>{"Alpha", "Beta", "Gamma"}));
  EXPECT_EQ(f.TeamAName.ItemIndex(), -1);
  EXPECT_EQ(f.ScoreA.Text(), "");
  for (int r = 1; r <= 8; ++r) EXPECT_FALSE(f.GPA(r).Visible());
}

TEST_F(GameEntry, ChoosingATeamProposesItsFirstFourPlayers) {
  GameEntryForm& f = Form();
  f.ChooseTeamB(1);  // Beta: three players
  for (int r = 1; r <= 3; ++r) {
    EXPECT_TRUE(f.PlayerB(r).Visible());
    EXPECT_EQ(f.PlayerB(r).Items(), (std::vector<std::string>{"Bea", "Bob", "Bud"}));
    EXPECT_EQ(f.PlayerB(r).ItemIndex(), r - 1);
    EXPECT_EQ(f.GPB(r).Text(), "1");
    EXPECT_TRUE(f.QB(0, r).Visible());
    EXPECT_TRUE(f.QB(0, r).Enabled());
    EXPECT_FALSE(f.QB(3, r).Visible());  // the fourth column is off
    EXPECT_TRUE(f.PtsB(r).Visible());
    EXPECT_FALSE(f.PtsB(r).Enabled());
  }
  for (int r = 4; r <= 8; ++r) {
    EXPECT_FALSE(f.PlayerB(r).Visible());
    EXPECT_EQ(f.GPB(r).Text(), "");
  }

  f.ChooseTeamA(0);  // Alpha: six players
  EXPECT_EQ(f.GPA(4).Text(), "1");
  EXPECT_EQ(f.GPA(5).Text(), "0");
  EXPECT_EQ(f.GPA(6).Text(), "0");
  EXPECT_EQ(f.PlayerA(6).ItemIndex(), 5);
  EXPECT_FALSE(f.QA(0, 5).Enabled());
  EXPECT_FALSE(f.QA(1, 6).Enabled());
  EXPECT_FALSE(f.PlayerA(7).Visible());
  f.GPA(5).SetText("1/2");
  EXPECT_TRUE(f.QA(0, 5).Enabled());
  EXPECT_TRUE(f.QA(3, 5).Enabled());

  // Choosing another team replaces the side's rows.
  f.QA(0, 1).SetText("3");
  f.ChooseTeamA(1);
  EXPECT_EQ(f.QA(0, 1).Text(), "");
  EXPECT_EQ(f.PtsA(1).Text(), "");
  EXPECT_FALSE(f.GPA(4).Visible());
  EXPECT_EQ(f.PlayerA(1).ItemCount(), 3);
}

TEST_F(GameEntry, GamesPlayedTextEnablesTheRowsCounts) {
  GameEntryForm& f = Form();
  f.ChooseTeamA(0);
  for (const char* text : {"1/2", "1", ".5", "0.25"}) {
    f.GPA(1).SetText("0");
    f.GPA(1).SetText(text);
    EXPECT_TRUE(f.QA(0, 1).Enabled()) << text;
  }
  for (const char* text : {"0", "", "abc", "1/2/3", "1.5.2", "1/2.5", "/3"}) {
    f.GPA(1).SetText("1");
    f.GPA(1).SetText(text);
    EXPECT_FALSE(f.QA(0, 1).Enabled()) << text;
  }
  EXPECT_TRUE(host.messages.empty());
}

TEST_F(GameEntry, UnreadableGamesPlayedWhileTypingInterruptsNothingAndChangesNothing) {
  GameEntryForm& f = Form();
  f.ChooseTeamA(0);
  f.GPA(3).SetText(".");  // on the way to ".5"
  EXPECT_TRUE(host.messages.empty());
  EXPECT_TRUE(f.QA(0, 3).Enabled());
  f.GPA(3).SetText(".5");
  EXPECT_TRUE(f.QA(0, 3).Enabled());
  f.GPB(1).SetText("1/0");
  EXPECT_TRUE(host.messages.empty());
}

TEST_F(GameEntry, RowPointsFollowTheCounts) {
  GameEntryForm& f = Form();
  f.ChooseTeamA(0);
  TypeCounts(true, 1, "2", "3", "1");
  EXPECT_EQ(f.PtsA(1).Text(), "55");
  f.QA(1, 1).SetText("x");  // not a number: 0
  EXPECT_EQ(f.PtsA(1).Text(), "25");
  TypeCounts(true, 1, "", "", "");
  EXPECT_EQ(f.PtsA(1).Text(), "-5");  // all four empty: the box keeps its last value
  f.QA(2, 1).SetText("-2");  // counts may be negative
  EXPECT_EQ(f.PtsA(1).Text(), "10");
}

TEST_F(GameEntry, AutomaticModeDerivesBothBonusBoxes) {
  GameEntryForm& f = Form();
  f.ChooseTeamA(0);
  f.ScoreA.SetText("230");
  TypeCounts(true, 1, "2", "3", "1");
  TypeCounts(true, 2, "2", "6", "1");
  EXPECT_EQ(f.BHA.Text(), "13");
  EXPECT_EQ(f.BPA.Text(), "90");
  f.Overtime.SetChecked(true);  // no reaction of its own
  EXPECT_EQ(f.BHA.Text(), "13");
  f.OTA.SetText("1");
  EXPECT_EQ(f.BHA.Text(), "12");
  EXPECT_EQ(f.BPA.Text(), "90");
  f.SixtyA.SetText("30");
  EXPECT_EQ(f.BPA.Text(), "60");
  // Counts in a row whose GP was set to 0 still count.
  f.GPA(2).SetText("0");
  EXPECT_EQ(f.BHA.Text(), "12");
  f.Overtime.SetChecked(false);
  f.NextEnter();
  EXPECT_EQ(f.BHA.Text(), "13");
}

TEST_F(GameEntry, ManualHeardModeDerivesOnlyThePoints) {
  t.Format.BonusMode = 2;
  GameEntryForm& f = Form();
  f.ChooseTeamA(0);
  TypeCounts(true, 1, "1", "1", "");
  f.BHA.SetText("7");
  EXPECT_EQ(f.BPA.Text(), "-25");
  f.ScoreA.SetText("100");
  EXPECT_EQ(f.BHA.Text(), "7");
  EXPECT_EQ(f.BPA.Text(), "75");
}

TEST_F(GameEntry, ManualModesDeriveNoBonus) {
  t.Format.BonusMode = 0;
  GameEntryForm& f = Form();
  f.ChooseTeamA(0);
  f.BPA.SetText("40");
  TypeCounts(true, 1, "1", "1", "");
  f.ScoreA.SetText("100");
  EXPECT_EQ(f.BHA.Text(), "");
  EXPECT_EQ(f.BPA.Text(), "40");
}

TEST_F(GameEntry, ForfeitLocksTheNumberBoxes) {
  GameEntryForm& f = Form();
  f.ChooseTeamA(0);
  f.ChooseTeamB(1);
  TypeCounts(true, 1, "1", "2", "");
  f.Forfeit.SetChecked(true);
  EXPECT_EQ(f.ScoreA.Text(), "W");
  EXPECT_EQ(f.ScoreB.Text(), "L");
  EXPECT_EQ(f.BPA.Text(), "-35");  // "W" reads as 0
  for (const char* name : {"ScoreA", "ScoreB", "GPA1", "GPB8", "Q0A1", "Q3B8", "SixtyA",
                           "BncBkPtsB", "BHA", "BPB", "TUH", "OTA", "OTB"})
    EXPECT_FALSE(f.FindControl(name)->Enabled()) << name;
  for (const char* name : {"TeamAName", "PlayerA1", "Round", "GID", "Overtime", "Next",
                           "DeleteGame"})
    EXPECT_TRUE(f.FindControl(name)->Enabled()) << name;

  f.Forfeit.SetChecked(false);
  EXPECT_EQ(f.ScoreA.Text(), "W");
  EXPECT_TRUE(f.ScoreA.Enabled());
  EXPECT_TRUE(f.QA(0, 6).Enabled());  // also rows with GP 0
  EXPECT_TRUE(f.TUH.Enabled());
  EXPECT_FALSE(f.BHA.Enabled());  // Automatic mode keeps the bonus boxes derived
  EXPECT_FALSE(f.BPB.Enabled());
}

TEST_F(GameEntry, NextStoresTheGameFieldByField) {
  t.Format.Sixty = 1;
  TypeAlphaBeta();
  GameEntryForm& f = Form();
  f.PlayerA(2).SetItemIndex(5);  // Al played in row 2 (row 6, also Al, did not play)
  f.GPA(4).SetText("1/2");
  f.GPA(5).SetText("0.5");
  f.QA(0, 5).SetText("1");
  f.SixtyB.SetText("10");
  f.Overtime.SetChecked(true);
  f.OTA.SetText("1");
  f.OTB.SetText("0");
  f.GID.SetText("R3-1");
  f.BHA.SetText("999");  // a derived box: what it shows is not stored
  const Messages warnings = f.NextClick();

  ASSERT_EQ(t.GameCount(), 1);
  const GameStats& g = t.Games[0];
  EXPECT_EQ(g.TeamA, 0);
  EXPECT_EQ(g.TeamB, 1);
  EXPECT_EQ(g.ScoreA, 230);
  EXPECT_EQ(g.ScoreB, 20);
  EXPECT_EQ(g.PlayerA, (RowArray<int>{0, 5, 2, 3, 4, 5, -1, -1}));
  EXPECT_EQ(g.GPA, (RowArray<double>{1, 1, 1, 0.5, 0.5, 0, 0, 0}));
  EXPECT_EQ(g.Q0A, (RowArray<int>{2, 2, 0, 0, 1, 0, 0, 0}));
  EXPECT_EQ(g.Q1A, (RowArray<int>{3, 6, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(g.Q2A, (RowArray<int>{1, 1, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(g.Q3A, (RowArray<int>{}));
  EXPECT_EQ(g.PtsA, (RowArray<int>{55, 85, 0, 0, 15, 0, 0, 0}));
  EXPECT_EQ(g.PlayerB, (RowArray<int>{0, 1, 2, -1, -1, -1, -1, -1}));
  EXPECT_EQ(g.GPB, (RowArray<double>{1, 1, 1, 0, 0, 0, 0, 0}));
  EXPECT_EQ(g.Q1B, (RowArray<int>{1, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(g.PtsB, (RowArray<int>{10, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(g.BHA, 14 - 1);  // 5 powers and 9 tens, less the overtime toss-up
  EXPECT_EQ(g.BPA, 230 - 155);
  EXPECT_EQ(g.BHB, 1);
  EXPECT_EQ(g.BPB, 20 - 10 - 10);
  EXPECT_EQ(g.BncBkA, 0);
  EXPECT_EQ(g.SixtyA, 0);
  EXPECT_EQ(g.SixtyB, 10);
  EXPECT_EQ(g.TUH, 20);
  EXPECT_EQ(g.Round, 3);
  EXPECT_EQ(g.GID, "R3-1");
  EXPECT_EQ(g.Forfeit, 0);
  EXPECT_EQ(g.Overtime, 1);
  EXPECT_EQ(g.OTA, 1);
  EXPECT_EQ(g.OTB, 0);
  // 75 bonus points from 13 bonuses and 155 + 75 = 230: nothing to warn about.
  EXPECT_EQ(warnings, Messages{});

  // On to a blank new game.
  EXPECT_EQ(t.CurrentGame, 1);
  EXPECT_EQ(f.GID.Text(), "1");
  EXPECT_EQ(f.TeamAName.ItemIndex(), -1);
  EXPECT_EQ(f.ScoreA.Text(), "");
  EXPECT_FALSE(f.Overtime.Checked());
  EXPECT_FALSE(f.GPA(1).Visible());
}

TEST_F(GameEntry, UntouchedBoxesStoreTheirDefaults) {
  GameEntryForm& f = Form();
  f.ChooseTeamA(0);
  f.ChooseTeamB(2);
  f.NextClick();
  ASSERT_EQ(t.GameCount(), 1);
  const GameStats& g = t.Games[0];
  EXPECT_EQ(g.ScoreA, -1);
  EXPECT_EQ(g.ScoreB, -1);
  EXPECT_EQ(g.TUH, 0);
  EXPECT_EQ(g.Round, 0);
  EXPECT_EQ(g.GID, "0");
  EXPECT_EQ(g.BPA, -1);  // the stored score less nothing
  EXPECT_EQ(g.GPB[4], 0);
}

TEST_F(GameEntry, ABlankPageIsNotStoredButNextStillMovesOn) {
  GameEntryForm& f = Form();
  f.ChooseTeamA(0);  // only one team
  f.NextClick();
  EXPECT_EQ(t.GameCount(), 0);
  EXPECT_EQ(t.CurrentGame, 1);
  EXPECT_EQ(f.GID.Text(), "1");
  f.NextClick();
  EXPECT_EQ(t.CurrentGame, 2);
  TypeAlphaBeta();
  f.NextClick();
  ASSERT_EQ(t.GameCount(), 1);  // appended at the true end
  EXPECT_EQ(t.Games[0].GID, "2");
  EXPECT_EQ(t.CurrentGame, 3);
}

TEST_F(GameEntry, LoadingShowsTheStoredGame) {
  TypeAlphaBeta();
  GameEntryForm& f = Form();
  f.GPA(4).SetText("1/3");
  f.Overtime.SetChecked(true);
  f.OTB.SetText("2");
  f.NextClick();
  f.PreviousClick();  // a blank page with no teams is not stored
  ASSERT_EQ(t.CurrentGame, 0);
  EXPECT_EQ(t.GameCount(), 1);
  EXPECT_EQ(f.GID.Text(), "0");
  EXPECT_EQ(f.TeamAName.ItemIndex(), 0);
  EXPECT_EQ(f.TeamBName.ItemIndex(), 1);
  EXPECT_EQ(f.ScoreA.Text(), "230");
  EXPECT_EQ(f.GPA(1).Text(), "1");
  EXPECT_EQ(f.GPA(4).Text(), "0.333333333333333");
  EXPECT_EQ(f.QA(0, 1).Text(), "2");
  EXPECT_EQ(f.QA(3, 1).Text(), "0");
  EXPECT_EQ(f.PtsA(2).Text(), "85");
  EXPECT_EQ(f.GPA(5).Text(), "");  // games played 0: empty boxes
  EXPECT_EQ(f.QA(0, 5).Text(), "");
  EXPECT_TRUE(f.GPA(5).Visible());
  EXPECT_FALSE(f.GPA(7).Visible());
  EXPECT_EQ(f.PlayerA(3).ItemIndex(), 2);
  EXPECT_EQ(f.PlayerB(4).ItemIndex(), -1);
  EXPECT_EQ(f.PlayerB(4).ItemCount(), 3);
  EXPECT_TRUE(f.Overtime.Checked());
  EXPECT_EQ(f.OTB.Text(), "2");
  EXPECT_EQ(f.BHA.Text(), "13");
  EXPECT_EQ(f.BPA.Text(), "90");
  EXPECT_EQ(f.TUH.Text(), "20");
  EXPECT_EQ(f.Round.Text(), "3");
  EXPECT_FALSE(f.Forfeit.Checked());
}

TEST_F(GameEntry, StoringAnUnchangedGameAgainChangesNothing) {
  TypeAlphaBeta();
  GameEntryForm& f = Form();
  f.GPA(4).SetText("1/2");
  f.Forfeit.SetChecked(true);
  f.NextClick();
  f.PreviousClick();
  const GameStats before = t.Games.at(0);
  f.PreviousClick();
  f.NextClick();
  EXPECT_EQ(t.GameCount(), 1);
  EXPECT_EQ(t.Games[0], before);
}

TEST_F(GameEntry, OnlyANextThatStoredAChangeCallsItsHook) {
  int calls = 0;
  Form().SetAfterNextStores([&calls] { ++calls; });
  TypeAlphaBeta();
  Form().NextClick();
  EXPECT_EQ(calls, 1);
  // Paging back over the stored game and on again stores nothing new.
  Form().PreviousClick();
  Form().NextClick();
  EXPECT_EQ(calls, 1);
  Form().PreviousClick();
  Form().ScoreB.SetText("25");
  Form().NextClick();
  EXPECT_EQ(calls, 2);
}

TEST_F(GameEntry, LoadingRecomputesDerivedBonusesInAutomaticMode) {
  GameStats g;
  g.TeamA = 0;
  g.TeamB = 1;
  g.PlayerA[0] = 0;
  g.GPA[0] = 1;
  g.Q1A[0] = 2;
  g.PtsA[0] = 20;
  g.ScoreA = 50;
  g.BHA = 9;  // not what the counts say
  g.BPA = 9;
  g.GID = "x";
  t.Games.push_back(g);
  GameEntryForm& f = Form();
  EXPECT_EQ(f.BHA.Text(), "2");
  EXPECT_EQ(f.BPA.Text(), "30");
}

TEST_F(GameEntry, AForfeitLoadsLockedWithWinAndLoss) {
  TypeAlphaBeta();
  GameEntryForm& f = Form();
  f.Forfeit.SetChecked(true);
  f.NextClick();
  const GameStats& g = t.Games[0];
  EXPECT_EQ(g.Forfeit, 1);
  EXPECT_EQ(g.ScoreA, -1);
  EXPECT_EQ(g.ScoreB, -1);
  EXPECT_EQ(g.BHA, 0);
  EXPECT_EQ(g.BPA, 0);
  EXPECT_EQ(g.BHB, 0);
  EXPECT_TRUE(f.ScoreA.Enabled());  // the blank page is unlocked again
  EXPECT_TRUE(f.TUH.Enabled());

  f.PreviousClick();
  EXPECT_EQ(f.ScoreA.Text(), "W");
  EXPECT_EQ(f.ScoreB.Text(), "L");
  EXPECT_TRUE(f.Forfeit.Checked());
  EXPECT_FALSE(f.ScoreA.Enabled());
  EXPECT_FALSE(f.GPA(1).Enabled());
  EXPECT_FALSE(f.QA(0, 1).Enabled());
  EXPECT_FALSE(f.TUH.Enabled());
}

TEST_F(GameEntry, ManualHeardForfeitKeepsTheTypedBonusesHeard) {
  t.Format.BonusMode = 2;
  TypeAlphaBeta();
  GameEntryForm& f = Form();
  f.BHA.SetText("4");
  f.Forfeit.SetChecked(true);
  f.NextClick();
  EXPECT_EQ(t.Games[0].BHA, 4);
  EXPECT_EQ(t.Games[0].BPA, 0);
  EXPECT_EQ(t.Games[0].BHB, 0);
}

TEST_F(GameEntry, ManualModesStoreTheTypedBonusBoxes) {
  for (int mode : {0, 3}) {
    t = test::ThreeTeams(mode);
    form_.reset();
    TypeAlphaBeta();
    GameEntryForm& f = Form();
    f.BHA.SetText("11");
    f.BPA.SetText("170");
    f.BHB.SetText("2");
    f.BPB.SetText("x");
    f.BncBkPtsB.SetText("30");
    f.Forfeit.SetChecked(true);
    f.NextClick();
    ASSERT_EQ(t.GameCount(), 1) << mode;
    const GameStats& g = t.Games[0];
    EXPECT_EQ(g.BHA, 11);
    EXPECT_EQ(g.BPA, 170);
    EXPECT_EQ(g.BHB, 2);
    EXPECT_EQ(g.BPB, 0);
    EXPECT_EQ(g.BncBkPtsB, 30);
  }
}

TEST_F(GameEntry, OvertimeTossUpsCountOnlyWhenOvertimeIsTicked) {
  TypeAlphaBeta();
  GameEntryForm& f = Form();
  f.OTA.SetText("2");
  f.NextClick();
  EXPECT_EQ(t.Games[0].BHA, 13);
  EXPECT_EQ(t.Games[0].OTA, 2);
  f.PreviousClick();
  f.Overtime.SetChecked(true);
  f.OTA.SetText("2");
  f.PreviousClick();
  EXPECT_EQ(t.Games[0].BHA, 11);
}

TEST_F(GameEntry, NextAndPreviousReturnTheWarningsOfTheStoredGame) {
  GameEntryForm& f = Form();
  f.ChooseTeamA(0);
  f.ChooseTeamB(0);
  f.TUH.SetText("-1");
  f.ScoreA.SetText("0");
  f.ScoreB.SetText("0");
  EXPECT_EQ(f.NextClick(), (Messages{"Team Playing Itself", "Negative Toss-Ups Heard"}));
  EXPECT_EQ(f.PreviousClick(), Messages{});  // the blank page was not stored: nothing checked
  ASSERT_EQ(t.CurrentGame, 0);
  // Previous on the first game stores and warns without reloading.
  f.GID.SetText("first");
  EXPECT_EQ(f.PreviousClick().size(), 2u);
  EXPECT_EQ(t.CurrentGame, 0);
  EXPECT_EQ(t.Games[0].GID, "first");
  EXPECT_EQ(f.GID.Text(), "first");
  // All seven switched off: no checking at all.
  TourneyFormat& fm = t.Format;
  fm.Warning1 = fm.Warning2 = fm.Warning3 = fm.Warning4 = fm.Warning5 = fm.Warning6 =
      fm.Warning7 = 0;
  EXPECT_EQ(f.NextClick(), Messages{});
}

TEST_F(GameEntry, GoToFindsTheExactIdentifier) {
  for (const char* id : {"0", "3", "1"}) {
    TypeAlphaBeta();
    Form().GID.SetText(id);
    Form().NextClick();
  }
  GameEntryForm& f = Form();
  ASSERT_EQ(t.GameCount(), 3);
  f.ChooseTeamA(2);
  f.ChooseTeamB(0);
  f.TUH.SetText("-1");  // would warn, but Go To does not check
  f.Jump.SetText("3");
  f.Button1Click();
  EXPECT_EQ(t.GameCount(), 4);  // the page on screen was stored first
  EXPECT_EQ(t.CurrentGame, 1);
  EXPECT_EQ(f.GID.Text(), "3");
  EXPECT_TRUE(host.messages.empty());

  f.Round.SetText("9");
  f.Jump.SetText("03");
  f.Button1Click();
  EXPECT_EQ(t.CurrentGame, 1);  // no match: stored, and the window stays
  EXPECT_EQ(t.Games[1].Round, 9);
  EXPECT_EQ(f.Round.Text(), "9");
  ASSERT_EQ(host.messages.size(), 1u);  // and it says so
  EXPECT_EQ(host.messages[0].second, "No game has the Id \"03\".");
}

TEST_F(GameEntry, DeleteAsksAndRemovesTheShownGame) {
  for (const char* id : {"a", "b", "c"}) {
    TypeAlphaBeta();
    Form().GID.SetText(id);
    Form().NextClick();
  }
  GameEntryForm& f = Form();
  f.Jump.SetText("b");
  f.Button1Click();  // the blank page is not stored
  ASSERT_EQ(t.CurrentGame, 1);
  host.answers = {false};
  f.DeleteGameClick();
  EXPECT_EQ(t.GameCount(), 3);
  EXPECT_EQ(host.confirmations, 1);

  f.ScoreA.SetText("1");  // unstored edit: lost
  f.DeleteGameClick();
  ASSERT_EQ(t.GameCount(), 2);
  EXPECT_EQ(t.Games[0].GID, "a");
  EXPECT_EQ(t.Games[1].GID, "c");
  EXPECT_EQ(t.CurrentGame, 0);
  EXPECT_EQ(f.GID.Text(), "a");
  EXPECT_EQ(f.ScoreA.Text(), "230");

  f.DeleteGameClick();  // at position 0: stays there
  EXPECT_EQ(t.CurrentGame, 0);
  EXPECT_EQ(f.GID.Text(), "c");

  // On a new page nothing is removed, but the window steps back.
  f.NextClick();
  ASSERT_EQ(t.CurrentGame, 1);
  f.DeleteGameClick();
  EXPECT_EQ(t.GameCount(), 1);
  EXPECT_EQ(t.CurrentGame, 0);
  EXPECT_EQ(f.GID.Text(), "c");
}

TEST_F(GameEntry, ActivationRefillsTheTeamListsKeepingTheChoice) {
  GameEntryForm& f = Form();
  f.ChooseTeamA(2);
  t.Rosters.push_back({"Delta", "Dee"});
  f.FormActivate();
  EXPECT_EQ(f.TeamAName.ItemCount(), 4);
  EXPECT_EQ(f.TeamAName.ItemIndex(), 2);
  EXPECT_EQ(f.TeamBName.ItemIndex(), -1);
  f.ChooseTeamB(3);
  EXPECT_EQ(f.PlayerB(1).Items(), std::vector<std::string>{"Dee"});
}

TEST_F(GameEntry, UnreadableGamesPlayedStopsTheStoreNamingTheRow) {
  TypeAlphaBeta();
  GameEntryForm& f = Form();
  f.GPB(2).SetText("1/0");
  host.messages.clear();
  EXPECT_EQ(f.NextClick(), Messages{});
  EXPECT_EQ(t.GameCount(), 0);
  EXPECT_EQ(t.CurrentGame, 0);
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0],
            (std::pair<std::string, std::string>{
                "Error", "Games played in row 2 of team B: '1/0' divides by zero"}));
  f.GPB(2).SetText(".");
  f.Jump.SetText("0");
  f.Button1Click();
  EXPECT_EQ(t.GameCount(), 0);
  EXPECT_EQ(f.ScoreA.Text(), "230");  // nothing moved
  f.GPB(2).SetText("1");
  f.NextClick();
  EXPECT_EQ(t.GameCount(), 1);
}

TEST_F(GameEntry, BouncebackModeRefusesValuesTheFileCannotKeep) {
  t = test::ThreeTeams(3);
  TypeAlphaBeta();
  GameEntryForm& f = Form();
  f.BHA.SetText("12");
  f.BncBkA.SetText("3");
  f.BPA.SetText("10000");
  host.messages.clear();
  f.NextClick();
  EXPECT_EQ(t.GameCount(), 0);
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].second,
            "The bonus points of team A must be between 0 and 9999, not 10000");
  f.BPA.SetText("9999");
  f.BncBkPtsB.SetText("-10");
  f.NextClick();
  EXPECT_EQ(t.GameCount(), 0);
  EXPECT_EQ(host.messages.back().second,
            "The bounceback points of team B must be between 0 and 9999, not -10");
  f.BncBkPtsB.SetText("9999");
  f.NextClick();
  ASSERT_EQ(t.GameCount(), 1);

  // What is stored comes back from the file as it was typed.
  const Tournament reread = ParseTournament(SerializeTournament(t), Tournament{});
  ASSERT_EQ(reread.GameCount(), 1);
  EXPECT_EQ(reread.Games[0], t.Games[0]);
  EXPECT_EQ(reread.Games[0].BHA, 12);
  EXPECT_EQ(reread.Games[0].BncBkA, 3);
  EXPECT_EQ(reread.Games[0].BPA, 9999);
}

TEST_F(GameEntry, DamagedIndicesLoadWithoutReadingOutsideTheLists) {
  GameStats g;
  g.TeamA = 0;
  g.TeamB = 1;
  g.PlayerA = {1000, -7, 2147483647, -2147483647 - 1, 0, 0, 0, 0};
  g.GPA = {1, 1, 1, 1, 0, 0, 0, 0};
  g.GID = "valid teams";
  t.Games.push_back(g);
  g.TeamA = 3;  // one past the last team
  g.GID = "team past the end";
  t.Games.push_back(g);
  g.TeamA = -1;
  g.TeamB = -2147483647 - 1;
  g.GID = "negative teams";
  t.Games.push_back(g);

  GameEntryForm& f = Form();
  EXPECT_EQ(f.GID.Text(), "valid teams");
  for (int r = 1; r <= 4; ++r) EXPECT_EQ(f.PlayerA(r).ItemIndex(), -1) << r;
  EXPECT_EQ(f.PlayerA(5).ItemIndex(), 0);

  f.Jump.SetText("team past the end");
  f.Button1Click();
  EXPECT_EQ(t.CurrentGame, 1);
  EXPECT_EQ(f.GID.Text(), "1");  // a blank page with its default identifier
  EXPECT_EQ(f.ScoreA.Text(), "");
  EXPECT_FALSE(f.GPA(1).Visible());

  f.NextClick();
  EXPECT_EQ(t.CurrentGame, 2);
  EXPECT_EQ(f.GID.Text(), "2");
  EXPECT_EQ(f.ScoreA.Text(), "");
}

TEST_F(GameEntry, TabOrderVisitsTheCountBoxesRowByRow) {
  const std::vector<std::string> order = GameEntryForm::TabOrder();
  ASSERT_EQ(order.size(), 4u + 64u + 15u);
  EXPECT_EQ(order[4], "Q0A1");
  EXPECT_EQ(order[8], "Q0A2");
  EXPECT_EQ(order[36], "Q0B1");
  EXPECT_EQ(order[68], "TUH");
  EXPECT_EQ(order.back(), "Next");
  GameEntryForm& f = Form();
  for (const std::string& name : order) EXPECT_NE(f.FindControl(name), nullptr) << name;
}

}  // namespace
}  // namespace drav::entry

namespace drav::entry {
namespace {

// Paging through a whole generated tournament with Next stores every game back as it was
// (a forfeit's scores become -1, as its "W" and "L" boxes read).
TEST(GameEntryPaging, NextThroughEveryGameKeepsTheGames) {
  for (int mode : {0, 3}) {
    ::drav::test::GeneratedShape shape;
    shape.games = 60;
    shape.bonusMode = mode;
    shape.seed = 11 + mode;
    Tournament t = ::drav::test::GenerateTournament(shape);
    t.Format.BonusMode = mode;
    std::vector<GameStats> expected = t.Games;
    for (GameStats& g : expected) {
      if (!g.Forfeit) continue;
      g.ScoreA = -1;
      g.ScoreB = -1;
    }
    FakeHost host;
    GameEntryForm form(t, host);
    for (int i = 0; i < shape.games; ++i) form.NextClick();
    EXPECT_TRUE(host.messages.empty());
    ASSERT_EQ(t.Games.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
      EXPECT_EQ(t.Games[i], expected[i]) << "mode " << mode << " game " << i;
  }
}

}  // namespace
}  // namespace drav::entry

namespace drav::entry {
namespace {

TEST_F(GameEntry, HugeCountsWrapLikeThirtyTwoBitFigures) {
  t.QuestionValues = {2147483647, 2147483647, 2147483647, 2147483647};
  GameEntryForm& f = Form();
  f.ChooseTeamA(0);
  f.ChooseTeamB(1);
  for (int k = 0; k < 4; ++k) f.QA(k, 1).SetText("2147483647");
  EXPECT_EQ(f.PtsA(1).Text(), "4");  // 4 * (2^31 - 1)^2 keeps 4 in its low 32 bits
  EXPECT_EQ(f.BHA.Text(), "-4");
  EXPECT_EQ(f.BPA.Text(), "-4");
  f.ScoreA.SetText("-2147483648");
  f.SixtyA.SetText("2147483647");
  f.NextClick();
  ASSERT_EQ(t.GameCount(), 1);
  EXPECT_EQ(t.Games[0].PtsA[0], 4);
  EXPECT_EQ(t.Games[0].BPA, -2147483648LL - 2147483647LL - 4 + 4294967296LL);
}

TEST_F(GameEntry, UnstoredEditsAreWhatTheUserTypedNotWhatTheWindowFilledIn) {
  GameEntryForm& f = Form();
  EXPECT_FALSE(f.HasUnstoredEdits());
  EXPECT_EQ(f.PositionCaption(), "New game 1");
  // Choosing teams fills GP boxes, and focusing Next recomputes bonuses: neither is typed.
  f.ChooseTeamA(0);
  f.ChooseTeamB(1);
  f.NextEnter();
  EXPECT_FALSE(f.HasUnstoredEdits());
  f.ScoreA.SetText("230");
  EXPECT_TRUE(f.HasUnstoredEdits());

  TypeAlphaBeta();
  f.StoreOnScreen();
  ASSERT_EQ(t.GameCount(), 1);
  // Stored in place: the window now shows the stored game, and storing again adds nothing.
  EXPECT_EQ(t.CurrentGame, 0);
  EXPECT_EQ(f.PositionCaption(), "Game 1 of 1");
  EXPECT_FALSE(f.HasUnstoredEdits());
  f.StoreOnScreen();
  EXPECT_EQ(t.GameCount(), 1);

  f.ScoreB.SetText("25");
  EXPECT_TRUE(f.HasUnstoredEdits());
  f.StoreOnScreen();
  EXPECT_EQ(t.Games[0].ScoreB, 25);
  // An unreadable games-played text counts as an edit, and its store is refused.
  f.GPA(1).SetText("1/0");
  EXPECT_TRUE(f.HasUnstoredEdits());
  EXPECT_THROW(f.StoreOnScreen(), DravError);
  EXPECT_EQ(t.Games[0].GPA[0], 1.0);
  EXPECT_EQ(f.ShownGameDescription(), "Round 3: Alpha vs. Beta");
}

TEST_F(GameEntry, AStoredGameTheWindowRecomputesIsNotAnEdit) {
  GameStats g;
  g.TeamA = 0;
  g.TeamB = 1;
  g.ScoreA = 100;
  g.ScoreB = 50;
  g.GPA[0] = g.GPB[0] = 1;
  g.Q1A[0] = 3;
  g.BPA = 999;  // automatic mode shows the bonus points recomputed from the score
  g.PtsA[0] = 7;
  t.Games = {g, g};
  GameEntryForm& f = Form();
  EXPECT_EQ(f.PositionCaption(), "Game 1 of 2");
  EXPECT_FALSE(f.HasUnstoredEdits());
}

TEST_F(GameEntry, CountBoxesRefuseJunkAndPointsBeyondThirtyTwoBits) {
  GameEntryForm& f = Form();
  f.ChooseTeamA(0);
  const struct {
    const char* text;
    bool accepted;
  } cases[] = {{"", true},     {"-", true},         {"12", true},        {"-3", true},
               {"1x", false},  {"+1", false},       {" 1", false},       {"2147483647", false},
               {"1e3", false}, {"143165576", true}, {"143165577", false}};
  // Column 0 is worth 15: 143165576 * 15 still fits, one more does not.
  for (const auto& c : cases)
    EXPECT_EQ(f.AcceptsCountText(true, 1, 0, c.text), c.accepted) << c.text;
}

}  // namespace
TEST_F(GameEntry, TiebreakerBoxShowsAndStoresTheMark) {
  TypeAlphaBeta();
  GameEntryForm& f = Form();
  f.Tiebreaker.SetChecked(true);
  f.NextClick();
  EXPECT_TRUE(t.Games.at(0).Tiebreaker);
  EXPECT_FALSE(f.Tiebreaker.Checked());  // the new blank game
  f.PreviousClick();
  EXPECT_TRUE(f.Tiebreaker.Checked());
  f.Tiebreaker.SetChecked(false);
  f.NextClick();
  EXPECT_FALSE(t.Games.at(0).Tiebreaker);
}

}  // namespace drav::entry
