#include "model/stages.h"

#include <gtest/gtest.h>

#include "model/error.h"

namespace drav {
namespace {

TEST(Stages, CheckNamesTheFirstFault) {
  const struct {
    std::vector<Stage> stages;
    std::string message;  // empty: valid
  } cases[] = {
      {{{"Prelims", 1, 7, false, {{"A", {0, 1}}, {"B", {2}}}}, {"Playoffs", 8, 9, true, {}}}, ""},
      {{{"", 1, 2, false, {}}}, "Every stage needs a name"},
      {{{"Prelims", 3, 2, false, {}}}, "Stage Prelims: the first round comes after the last round"},
      {{{"X", 1, 2, false, {}}, {"X", 3, 4, false, {}}}, "Two stages are named X"},
      {{{"P", 1, 5, false, {}}, {"Q", 5, 6, false, {}}}, "The rounds of stages P and Q overlap"},
      {{{"P", 1, 5, false, {{"A", {3}}}}}, "Stage P: bracket A names a team that does not exist"},
      {{{"P", 1, 5, false, {{"A", {-1}}}}}, "Stage P: bracket A names a team that does not exist"},
      {{{"P", 1, 5, false, {{"A", {1}}, {"B", {1}}}}}, "Stage P: a team is in two brackets"},
      // The same team in brackets of two stages is fine.
      {{{"P", 1, 5, false, {{"A", {1}}}}, {"Q", 6, 7, false, {{"B", {1}}}}}, ""},
      // Of several earlier stages, the first one (in the list) that clashes is named.
      {{{"P", 20, 30, false, {}},
        {"Q", 1, 5, false, {}},
        {"R", 6, 9, false, {}},
        {"S", 4, 25, false, {}}},
       "The rounds of stages P and S overlap"},
      {{{"P", 1, 2, false, {}},
        {"Q", 3, 4, false, {}},
        {"R", 9, 9, false, {}},
        {"Q", 2, 2, false, {}}},
       "The rounds of stages P and Q overlap"},
      {{{"P", 1, 2, false, {}}, {"Q", 3, 4, false, {}}, {"P", 3, 3, false, {}}},
       "Two stages are named P"},
  };
  for (const auto& c : cases) {
    try {
      CheckStages(c.stages, 3);
      EXPECT_EQ(c.message, "");
    } catch (const DravError& e) {
      EXPECT_EQ(std::string(e.what()), c.message);
    }
  }
}

// A received file could hold any number of stages: beyond the bound they are refused with
// a message, and at the bound the checks stay fast (a bench, not this test, times them).
TEST(Stages, MoreStagesOrBracketsThanTheBoundAreRefused) {
  std::vector<Stage> stages(kMaxStages);
  for (std::size_t i = 0; i < stages.size(); ++i)
    stages[i] = {"S" + std::to_string(i), static_cast<int>(i), static_cast<int>(i), false, {}};
  EXPECT_NO_THROW(CheckStages(stages, 0));
  stages.push_back({"Last", -5, -5, false, {}});
  try {
    CheckStages(stages, 0);
    ADD_FAILURE();
  } catch (const DravError& e) {
    EXPECT_STREQ(e.what(), "A tournament may have at most 1000 stages");
  }
  Stage wide{"Wide", 1, 1, false, std::vector<Bracket>(kMaxBrackets + 1)};
  try {
    CheckStages({wide}, 0);
    ADD_FAILURE();
  } catch (const DravError& e) {
    EXPECT_STREQ(e.what(), "Stage Wide: a stage may have at most 1000 brackets");
  }
}

TEST(Stages, RenumberingFollowsTheMapAndDropsDeletedTeams) {
  std::vector<Stage> stages = {{"P", 1, 2, false, {{"A", {0, 1, 2}}, {"B", {3, 7}}}}};
  RenumberStageTeams(stages, {2, -1, 0, 1});
  EXPECT_EQ(stages[0].Brackets[0].Teams, (std::vector<int>{2, 0}));
  EXPECT_EQ(stages[0].Brackets[1].Teams, (std::vector<int>{1}));
}

TEST(Stages, StageOfRound) {
  const std::vector<Stage> stages = {{"P", 1, 7, false, {}}, {"Q", 9, 9, false, {}}};
  EXPECT_EQ(StageOfRound(stages, 1), 0);
  EXPECT_EQ(StageOfRound(stages, 7), 0);
  EXPECT_EQ(StageOfRound(stages, 8), -1);
  EXPECT_EQ(StageOfRound(stages, 9), 1);
}

}  // namespace
}  // namespace drav
