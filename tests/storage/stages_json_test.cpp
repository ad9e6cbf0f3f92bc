#include "storage/stages_json.h"

#include <gtest/gtest.h>

#include "model/error.h"

namespace drav {
namespace {

Tournament ThreeTeams() {
  Tournament t;
  t.Rosters = {{"Aces"}, {"Bees"}, {"Aces"}};
  return t;
}

TEST(StagesJson, ReadsStagesWithDefaultsAndTeamsByName) {
  const Tournament t = ThreeTeams();
  const auto stages = ParseStagesJson(
      R"([{"name": "Prelims", "first_round": 1, "last_round": 4},
          {"name": "Final", "first_round": 5, "last_round": 5, "carry_over": true,
           "brackets": [{"name": "Top", "teams": ["Bees"]}]}])",
      t);
  ASSERT_EQ(stages.size(), 2u);
  EXPECT_FALSE(stages[0].CarryOver);
  EXPECT_TRUE(stages[0].Brackets.empty());
  EXPECT_EQ(stages[1], (Stage{"Final", 5, 5, true, {{"Top", {1}}}}));
}

TEST(StagesJson, FaultsAreNamed) {
  const Tournament t = ThreeTeams();
  const struct {
    const char* json;
    const char* message;
  } cases[] = {
      {R"({"name": "P"})", "The stages must be a JSON list"},
      {R"([{"first_round": 1, "last_round": 2}])", "Stage 1 has no \"name\""},
      {R"([{"name": "P", "first_round": 1.5, "last_round": 2}])",
       "Stage 1: \"first_round\" must be a whole number"},
      {R"([{"name": "P", "first_round": 1, "last_round": 18446744073709551615}])",
       "Stage 1: \"last_round\" is out of range"},
      {R"([{"name": "P\nQ", "first_round": 1, "last_round": 2}])",
       "Stage 1: \"name\" cannot hold a line break"},
      {R"([{"name": "P", "first_round": 1, "last_round": 2, "carry_over": 1}])",
       "Stage 1: \"carry_over\" must be true or false"},
      {R"([{"name": "P", "first_round": 1, "last_round": 2, "brackets": [{"name": "B", "teams": ["Aces"]}]}])",
       "More than one team is named Aces"},
      {R"([{"name": "P", "first_round": 1, "last_round": 2, "brackets": [{"name": "B", "teams": ["Bees"]}, {"name": "C", "teams": ["Bees"]}]}])",
       "Stage P: a team is in two brackets"},
  };
  for (const auto& c : cases) {
    try {
      ParseStagesJson(c.json, t);
      ADD_FAILURE() << c.json;
    } catch (const DravError& e) {
      EXPECT_STREQ(e.what(), c.message) << c.json;
    }
  }
}

}  // namespace
}  // namespace drav
