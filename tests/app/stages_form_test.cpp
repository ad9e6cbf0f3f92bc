#include "app/stages_form.h"

#include <gtest/gtest.h>

#include "model/error.h"
#include "support/staged_tournament.h"

namespace drav::app {
namespace {

TEST(StagesForm, FillFromStandingsKeepsTheTieOpenUntilSettled) {
  Tournament t = test::StagedTournament();
  StagesForm form(t);
  EXPECT_EQ(form.StepName(), "Stages");
  form.FillFromStandings(1, 0, "1-3 Championship\n4-6 Consolation");
  EXPECT_EQ(form.StepName(), "Re-bracket Playoffs");
  ASSERT_EQ(form.Ties().size(), 1u);
  EXPECT_EQ(form.Ties()[0].Teams, (std::vector<int>{2, 3}));
  EXPECT_THROW(form.Apply(t), DravError);
  EXPECT_TRUE(t.Extras.Stages[1].Brackets.empty());

  form.SettleTie(0, {3, 2});
  EXPECT_TRUE(form.Ties().empty());
  form.Apply(t);
  ASSERT_EQ(t.Extras.Stages[1].Brackets.size(), 2u);
  const std::vector<int>& top = t.Extras.Stages[1].Brackets[0].Teams;
  EXPECT_EQ(top.size(), 12u);
  EXPECT_EQ(top[8], 3);  // Pool 1's third place, as settled
  EXPECT_EQ(t.Extras.Stages[1].Brackets[1].Teams[0], 2);
}

TEST(StagesForm, EditsStagesAndBracketsAsText) {
  Tournament t = test::StagedTournament();
  StagesForm form(t);
  const int finals = form.AddStage("Finals");
  EXPECT_EQ(form.Stages()[2].FirstRound, 9);
  form.SetBracketsText(finals, "[Final]\nTeam 1\n  Team 7 \n");
  EXPECT_EQ(form.BracketsText(finals), "[Final]\nTeam 1\nTeam 7\n");
  EXPECT_EQ(form.MoveStage(finals, -1), 1);
  form.RenameStage(1, "Final");
  form.SetRounds(2, 6, 9);  // Playoffs now overlap the final
  EXPECT_THROW(form.Apply(t), DravError);
  form.DeleteStage(2);
  EXPECT_EQ(form.StepName(), "Stages");
  form.SetTiebreakersCount(true);
  form.Apply(t);
  ASSERT_EQ(t.Extras.Stages.size(), 2u);
  EXPECT_EQ(t.Extras.Stages[1].Name, "Final");
  EXPECT_EQ(t.Extras.Stages[1].Brackets[0].Teams, (std::vector<int>{0, 6}));
  EXPECT_TRUE(t.Extras.TiebreakersCount);
}

TEST(StagesForm, BracketTextFaultsAreNamed) {
  const Tournament t = test::StagedTournament();
  StagesForm form(t);
  try {
    form.SetBracketsText(0, "[Pool]\nNobody\n");
    FAIL();
  } catch (const DravError& e) {
    EXPECT_STREQ(e.what(), "Unknown team Nobody");
  }
  EXPECT_THROW(form.SetBracketsText(0, "Team 1\n"), DravError);
}

}  // namespace
}  // namespace drav::app
