#include <gtest/gtest.h>

#include "model/error.h"
#include "model/stages.h"
#include "storage/stages_json.h"

namespace drav {
namespace {

Tournament ThreeTeams() {
  Tournament t;
  t.Rosters = {{"Aces"}, {"Bees"}, {"Cats"}};
  return t;
}

TEST(StageSettingsJson, AnObjectSetsKindsPlacesAndTheFinishedMark) {
  Tournament t = ThreeTeams();
  const StageSettings s = ParseStageSettingsJson(
      R"({"stages": [{"name": "Final", "first_round": 1, "last_round": 2, "kind": "elimination"}],
          "final_places": [{"team": "Cats", "place": 1}, {"team": "Aces", "place": 1}],
          "finished": true})",
      t);
  ApplyStageSettings(s, t);
  EXPECT_EQ(t.Extras.Stages,
            (std::vector<Stage>{{"Final", 1, 2, false, {}, StageKind::Elimination}}));
  EXPECT_EQ(t.Extras.FinalPlaces, (std::vector<FinalPlace>{{2, 1}, {0, 1}}));
  EXPECT_TRUE(t.Extras.Finished);
  EXPECT_EQ(StageListLines(t),
            (std::vector<std::string>{"Final: rounds 1-2; elimination", "Final place 1: Cats",
                                      "Final place 1: Aces", "Finished"}));
  // What an object leaves out stays; a list replaces only the stages.
  ApplyStageSettings(ParseStageSettingsJson(R"({"finished": false})", t), t);
  EXPECT_FALSE(t.Extras.Finished);
  EXPECT_EQ(t.Extras.FinalPlaces.size(), 2u);
  ApplyStageSettings(ParseStageSettingsJson("[]", t), t);
  EXPECT_TRUE(t.Extras.Stages.empty());
  EXPECT_EQ(t.Extras.FinalPlaces.size(), 2u);
}

TEST(StageSettingsJson, FaultsAreNamed) {
  const Tournament t = ThreeTeams();
  const struct {
    const char* json;
    const char* message;
  } cases[] = {
      {R"([{"name": "P", "first_round": 1, "last_round": 2, "kind": "swiss"}])",
       "Stage 1: \"kind\" must be \"pools\" or \"elimination\""},
      {R"({"stages": [], "places": []})", "Unknown member \"places\""},
      {R"({"final_places": {"team": "Aces"}})", "\"final_places\" must be a list"},
      {R"({"final_places": [{"team": "Aces"}]})", "Final place 1 has no \"place\""},
      {R"({"final_places": [{"team": "Dogs", "place": 1}]})", "Unknown team Dogs"},
      {R"({"final_places": [{"team": "Aces", "place": 4}]})",
       "Final place 1: \"place\" must be from 1 to the number of teams"},
      {R"({"final_places": [{"team": "Aces", "place": 1}, {"team": "Aces", "place": 2}]})",
       "A team has two final places"},
      {R"({"finished": "yes"})", "\"finished\" must be true or false"},
  };
  for (const auto& c : cases) {
    try {
      ParseStageSettingsJson(c.json, t);
      ADD_FAILURE() << c.json;
    } catch (const DravError& e) {
      EXPECT_STREQ(e.what(), c.message) << c.json;
    }
  }
}

TEST(StageSettingsJson, DeletedTeamsLoseTheirPlaces) {
  std::vector<FinalPlace> places{{0, 3}, {1, 1}, {2, 2}};
  RenumberFinalPlaces(places, {1, -1, 0});
  EXPECT_EQ(places, (std::vector<FinalPlace>{{1, 3}, {0, 2}}));
}

}  // namespace
}  // namespace drav
