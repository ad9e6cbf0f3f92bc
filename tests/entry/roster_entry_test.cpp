#include "entry/roster_entry.h"

#include <gtest/gtest.h>

#include "entry_test_support.h"

namespace drav::entry {
namespace {

using Lines = std::vector<std::string>;
using test::FakeHost;

class RosterEntry : public ::testing::Test {
 protected:
  RosterEntryForm& Form() {
    if (!form_) form_ = std::make_unique<RosterEntryForm>(t, host);
    return *form_;
  }

  Tournament t;
  FakeHost host;
  std::unique_ptr<RosterEntryForm> form_;
};

TEST_F(RosterEntry, NextAppendsATeamDroppingBlankLines) {
  RosterEntryForm& f = Form();
  EXPECT_EQ(f.Team.Text(), "");
  f.Team.SetText("Alpha");
  f.Memo1.SetText("Ann\n\nBob\n  \n\n");
  f.ExbTeam.SetChecked(true);
  f.NextClick();
  ASSERT_EQ(t.TeamCount(), 1);
  EXPECT_EQ(t.Rosters[0], (Lines{"Alpha", "Ann", "Bob", "  "}));  // blanks are a name
  EXPECT_EQ(t.TeamDivision, std::vector<int>{-1});
  EXPECT_EQ(t.ExhibitionTeam, std::vector<int>{1});
  EXPECT_EQ(t.CurrentTeam, 1);
  EXPECT_EQ(f.Team.Text(), "");
  EXPECT_TRUE(f.Memo1.Lines().empty());
  EXPECT_FALSE(f.ExbTeam.Checked());

  f.PreviousClick();  // a blank page stores nothing
  EXPECT_EQ(t.TeamCount(), 1);
  EXPECT_EQ(t.CurrentTeam, 0);
  EXPECT_EQ(f.Team.Text(), "Alpha");
  EXPECT_EQ(f.Memo1.Lines(), (Lines{"Ann", "Bob", "  "}));
  EXPECT_TRUE(f.ExbTeam.Checked());
}

TEST_F(RosterEntry, AnEmptyNameStoresNothing) {
  t.Rosters = {{"Alpha", "Ann"}};
  t.TeamDivision = {-1};
  t.ExhibitionTeam = {0};
  RosterEntryForm& f = Form();
  f.Team.SetText("");
  f.Memo1.SetText("Zed");
  f.ExbTeam.SetChecked(true);
  f.NextClick();
  EXPECT_EQ(t.Rosters[0], (Lines{"Alpha", "Ann"}));
  EXPECT_EQ(t.ExhibitionTeam[0], 0);
  // A blank new page with players but no name: nothing appended, and Next still moves on.
  f.Memo1.SetText("Yan");
  f.NextClick();
  EXPECT_EQ(t.TeamCount(), 1);
  EXPECT_EQ(t.CurrentTeam, 2);
  f.Team.SetText("Beta");
  f.NextClick();
  ASSERT_EQ(t.TeamCount(), 2);  // appended at the true end
  EXPECT_EQ(t.Rosters[1], Lines{"Beta"});
  EXPECT_EQ(t.TeamDivision.size(), 2u);
  EXPECT_EQ(t.ExhibitionTeam.size(), 2u);
}

TEST_F(RosterEntry, PreviousOnTheFirstTeamStoresWithoutReloading) {
  t.Rosters = {{"Alpha", "Ann"}};
  t.TeamDivision = {-1};
  t.ExhibitionTeam = {0};
  RosterEntryForm& f = Form();
  f.Team.SetText("Alpha Prime");
  f.Memo1.SetText("Ann\nAbe");
  f.PreviousClick();
  EXPECT_EQ(t.Rosters[0], (Lines{"Alpha Prime", "Ann", "Abe"}));
  EXPECT_EQ(t.CurrentTeam, 0);
  EXPECT_EQ(f.Memo1.Lines(), (Lines{"Ann", "Abe"}));
}

TEST_F(RosterEntry, ActivationDiscardsUnstoredEdits) {
  t.Rosters = {{"Alpha", "Ann"}};
  t.TeamDivision = {-1};
  t.ExhibitionTeam = {0};
  RosterEntryForm& f = Form();
  f.Team.SetText("Half typed");
  f.Memo1.AddLine("Zed");
  f.FormActivate();
  EXPECT_EQ(f.Team.Text(), "Alpha");
  EXPECT_EQ(f.Memo1.Lines(), Lines{"Ann"});
  EXPECT_EQ(t.Rosters[0], (Lines{"Alpha", "Ann"}));
}

TEST_F(RosterEntry, DivisionBoxOnlyWithDivisions) {
  t.DivisionNames = {"East", "West"};
  t.Rosters = {{"Alpha"}, {"Beta"}};
  t.TeamDivision = {1, 0};
  t.ExhibitionTeam = {0, 0};
  {
    RosterEntryForm& f = Form();
    EXPECT_FALSE(f.Division.Visible());
    EXPECT_FALSE(f.Label3.Visible());
    EXPECT_FALSE(f.Division.Enabled());
    EXPECT_EQ(f.Division.ItemIndex(), -1);
    f.NextClick();  // without divisions every stored team gets -1
    EXPECT_EQ(t.TeamDivision[0], -1);
  }
  form_.reset();
  t.Format.Divisions = 1;
  t.TeamDivision = {1, 0};
  RosterEntryForm& f = Form();
  EXPECT_TRUE(f.Division.Visible());
  EXPECT_TRUE(f.Label3.Enabled());
  EXPECT_EQ(f.Division.Items(), (Lines{"East", "West"}));
  EXPECT_EQ(f.Division.SelectedText(), "West");
  f.Division.SetItemIndex(0);
  f.NextClick();
  EXPECT_EQ(t.TeamDivision, (std::vector<int>{0, 0}));
  EXPECT_EQ(f.Division.SelectedText(), "East");
  // The settings switch divisions off meanwhile: the next activation hides the box.
  t.Format.Divisions = 0;
  f.FormActivate();
  EXPECT_FALSE(f.Division.Visible());
}

TEST_F(RosterEntry, StrayDivisionIndexSelectsNothing) {
  t.Format.Divisions = 1;
  t.DivisionNames = {"East"};
  t.Rosters = {{"Alpha"}};
  t.TeamDivision = {4};
  t.ExhibitionTeam = {0};
  EXPECT_EQ(Form().Division.ItemIndex(), -1);
}

TEST_F(RosterEntry, DeletionIsRefusedOnceGamesExist) {
  t.Rosters = {{"Alpha"}, {"Beta"}};
  t.TeamDivision = {-1, -1};
  t.ExhibitionTeam = {0, 0};
  t.Games.emplace_back();
  RosterEntryForm& f = Form();
  f.DeleteTeamButtonClick();
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0],
            (std::pair<std::string, std::string>{
                "Error", "You cannot delete a team once games have been entered"}));
  EXPECT_EQ(host.confirmations, 0);
  EXPECT_EQ(t.TeamCount(), 2);
}

TEST_F(RosterEntry, DeletionAsksAndKeepsTheListsParallel) {
  t.Rosters = {{"Alpha"}, {"Beta"}, {"Gamma"}};
  t.TeamDivision = {0, 1, 2};
  t.ExhibitionTeam = {0, 1, 0};
  RosterEntryForm& f = Form();
  f.NextClick();
  host.answers = {false};
  f.DeleteTeamButtonClick();
  EXPECT_EQ(t.TeamCount(), 3);
  f.DeleteTeamButtonClick();
  EXPECT_EQ(host.confirmations, 2);
  ASSERT_EQ(t.TeamCount(), 2);
  EXPECT_EQ(t.Rosters[1], Lines{"Gamma"});
  EXPECT_EQ(t.TeamDivision, (std::vector<int>{-1, 2}));  // Alpha was stored without divisions
  EXPECT_EQ(t.ExhibitionTeam, (std::vector<int>{0, 0}));
  EXPECT_EQ(t.CurrentTeam, 0);
  EXPECT_EQ(f.Team.Text(), "Alpha");
}

TEST_F(RosterEntry, DeletingTheOnlyTeamLeavesABlankPage) {
  t.Rosters = {{"Alpha", "Ann"}};
  t.TeamDivision = {-1};
  t.ExhibitionTeam = {1};
  RosterEntryForm& f = Form();
  f.DeleteTeamButtonClick();
  EXPECT_TRUE(t.Rosters.empty());
  EXPECT_TRUE(t.TeamDivision.empty());
  EXPECT_TRUE(t.ExhibitionTeam.empty());
  EXPECT_EQ(t.CurrentTeam, 0);
  EXPECT_EQ(f.Team.Text(), "");
  EXPECT_FALSE(f.ExbTeam.Checked());
  // Delete on a blank page removes nothing but steps back.
  f.Team.SetText("X");
  f.NextClick();
  f.NextClick();
  ASSERT_EQ(t.CurrentTeam, 2);
  f.DeleteTeamButtonClick();
  EXPECT_EQ(t.TeamCount(), 1);
  EXPECT_EQ(t.CurrentTeam, 1);
}

TEST_F(RosterEntry, ShortPerTeamListsArePaddedBeforeStoring) {
  t.Rosters = {{"Alpha"}, {"Beta"}};  // lists left short by some earlier step
  RosterEntryForm& f = Form();
  f.ExbTeam.SetChecked(true);
  f.NextClick();
  f.NextClick();
  f.Team.SetText("Gamma");
  f.NextClick();
  EXPECT_EQ(t.TeamDivision, (std::vector<int>{-1, -1, -1}));
  EXPECT_EQ(t.ExhibitionTeam, (std::vector<int>{1, 0, 0}));
}

TEST_F(RosterEntry, DeletionTakesTheTeamOutOfItsBracketAndMovesLaterTeamsUp) {
  t.Rosters = {{"Alpha"}, {"Beta"}, {"Gamma"}};
  t.TeamDivision = {-1, -1, -1};
  t.ExhibitionTeam = {0, 0, 0};
  t.Extras.Stages = {{"Prelims", 1, 5, false, {{"A", {2, 1}}, {"B", {0}}}}};
  RosterEntryForm& f = Form();
  f.NextClick();  // Beta
  host.answers = {true};
  f.DeleteTeamButtonClick();
  ASSERT_EQ(t.TeamCount(), 2);
  EXPECT_EQ(t.Extras.Stages[0].Brackets[0].Teams, (std::vector<int>{1}));
  EXPECT_EQ(t.Extras.Stages[0].Brackets[1].Teams, (std::vector<int>{0}));
}

}  // namespace
}  // namespace drav::entry

namespace drav::entry {
namespace {

TEST(RosterEntryUnstored, LeavingTheWindowStoresTheEditedTeamInPlace) {
  Tournament t;
  t.Rosters = {{"Lakeview", "Ann"}, {"Northfield", "Ned"}};
  t.TeamDivision = {3, -1};  // a division the window cannot show while divisions are off
  t.ExhibitionTeam = {0, 0};
  test::FakeHost host;
  RosterEntryForm f(t, host);
  EXPECT_EQ(f.PositionCaption(), "Team 1 of 2");
  EXPECT_FALSE(f.HasUnstoredEdits());
  f.FormDeactivate();
  EXPECT_EQ(t.TeamDivision[0], 3);

  f.Team.SetText("Lakeview High");
  EXPECT_TRUE(f.HasUnstoredEdits());
  f.FormDeactivate();
  EXPECT_EQ(t.Rosters[0], (std::vector<std::string>{"Lakeview High", "Ann"}));
  EXPECT_EQ(t.CurrentTeam, 0);
  EXPECT_FALSE(f.HasUnstoredEdits());

  // A new team, once stored, is the team shown; storing again does not add it twice.
  f.NextClick();
  f.NextClick();
  EXPECT_EQ(f.PositionCaption(), "New team 3");
  f.Team.SetText("Oak Ridge");
  f.StoreOnScreen();
  f.StoreOnScreen();
  EXPECT_EQ(t.TeamCount(), 3);
  EXPECT_EQ(f.PositionCaption(), "Team 3 of 3");
}

}  // namespace
}  // namespace drav::entry
