#include "stats/rebracket.h"

#include <gtest/gtest.h>

#include "model/error.h"
#include "stats/stats_fixture.h"

namespace drav {
namespace {

TEST(RebracketRules, ReadPlacesAndBracketNames) {
  EXPECT_EQ(
      ParseRebracketRules("1-2 Championship\r\n\n 3-4  Places 5-8 \n5 Last\n"),
      (std::vector<RebracketRule>{{1, 2, "Championship"}, {3, 4, "Places 5-8"}, {5, 5, "Last"}}));
}

TEST(RebracketRules, FaultsNameTheLine) {
  const struct {
    const char* text;
    const char* message;
  } cases[] = {
      {"1-2", "Rule line 1 does not read as places and a bracket, as in \"1-2 Championship\""},
      {"1-2 Top\n2-1 Low",
       "Rule line 2 does not read as places and a bracket, as in \"1-2 Championship\""},
      {"0 Top", "Rule line 1 does not read as places and a bracket, as in \"1-2 Championship\""},
      {"x-2 Top", "Rule line 1 does not read as places and a bracket, as in \"1-2 Championship\""},
      {"1-3 Top\n3-4 Low", "Rule line 2 gives places that an earlier rule gives"},
  };
  for (const auto& c : cases) {
    try {
      ParseRebracketRules(c.text);
      ADD_FAILURE() << c.text;
    } catch (const DravError& e) {
      EXPECT_STREQ(e.what(), c.message);
    }
  }
}

// Two pools of four; in pool 2, teams 5 and 6 finish level in places 2-3.
Tournament Pools() {
  Tournament t = test::MakeTourney({"A", "B", "C", "D", "E", "F", "G", "H"});
  const int pool1[] = {0, 1, 2, 3};
  for (int i = 0; i < 4; ++i)
    for (int j = i + 1; j < 4; ++j)
      test::AddGame(t, pool1[i], pool1[j], 300 - 10 * i, 100 + 10 * j);
  test::AddGame(t, 4, 5, 300, 100);
  test::AddGame(t, 4, 6, 300, 100);
  test::AddGame(t, 4, 7, 300, 100);
  test::AddGame(t, 5, 6, 200, 200);
  test::AddGame(t, 5, 7, 200, 100);
  test::AddGame(t, 6, 7, 200, 100);
  t.Extras.Stages = {
      {"Prelims", 1, 1, false, {{"Pool 1", {0, 1, 2, 3}}, {"Pool 2", {4, 5, 6, 7}}}}};
  return t;
}

TEST(Rebracket, SeedsByPlaceThenPoolAndReportsTheTieAtTheBorder) {
  const Tournament t = Pools();
  const auto rules = ParseRebracketRules("1-2 Championship\n3-4 Consolation");
  const RebracketResult open = Rebracket(t, 0, rules);
  ASSERT_EQ(open.Ties.size(), 1u);
  EXPECT_EQ(open.Ties[0].SourceBracket, 1);
  EXPECT_EQ(open.Ties[0].FirstPlace, 2);
  EXPECT_EQ(open.Ties[0].LastPlace, 3);
  EXPECT_EQ(DescribeTie(t, open.Ties[0]), "Pool 2, places 2-3: F, G");
  ASSERT_EQ(open.Brackets.size(), 2u);
  EXPECT_EQ(open.Brackets[0].Name, "Championship");
  EXPECT_EQ(open.Brackets[0].Teams, (std::vector<int>{0, 4, 1, 5}));  // provisional
  EXPECT_EQ(open.Brackets[1].Teams, (std::vector<int>{2, 6, 3, 7}));

  const RebracketResult settled = Rebracket(t, 0, rules, {{6, 5}});
  EXPECT_TRUE(settled.Ties.empty());
  EXPECT_EQ(settled.Brackets[0].Teams, (std::vector<int>{0, 4, 1, 6}));
  EXPECT_EQ(settled.Brackets[1].Teams, (std::vector<int>{2, 5, 3, 7}));
}

TEST(Rebracket, TiesInsideOneRuleAreNoBorder) {
  const Tournament t = Pools();
  EXPECT_TRUE(Rebracket(t, 0, ParseRebracketRules("1-4 All")).Ties.empty());
  // Places past every rule are a border too: place 3 would drop out.
  EXPECT_EQ(Rebracket(t, 0, ParseRebracketRules("1-2 Top")).Ties.size(), 1u);
}

}  // namespace
}  // namespace drav
