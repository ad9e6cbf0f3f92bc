#include "entry/ordering.h"

#include <gtest/gtest.h>

namespace drav {
namespace {

GameStats Game(const std::string& id, int round, int a = 0, int b = 1) {
  GameStats g;
  g.GID = id;
  g.Round = round;
  g.TeamA = a;
  g.TeamB = b;
  return g;
}

std::vector<std::string> Ids(const Tournament& t) {
  std::vector<std::string> ids;
  for (const auto& g : t.Games) ids.push_back(g.GID);
  return ids;
}

TEST(Ordering, SortGamesOrdersIdentifiersAsText) {
  Tournament t;
  t.Games = {Game("1", 4), Game("2", 3), Game("10", 2), Game("9", 1), Game("B", 0), Game("a", 0)};
  t.CurrentGame = 3;
  SortGamesByIdentifier(t);
  EXPECT_EQ(Ids(t), (std::vector<std::string>{"1", "10", "2", "9", "B", "a"}));
  EXPECT_EQ(t.Format.SortByRound, 0);
  EXPECT_EQ(t.CurrentGame, 0);
  EXPECT_EQ(t.Games[1].Round, 2);  // every field moves with its game
}

TEST(Ordering, GroupRoundsOrdersByRoundNumber) {
  Tournament t;
  t.Games = {Game("x", 3), Game("y", 1), Game("z", 2), Game("w", 1), Game("v", -2)};
  GroupRounds(t);
  EXPECT_EQ(t.Format.SortByRound, 1);
  std::vector<int> rounds;
  for (const auto& g : t.Games) rounds.push_back(g.Round);
  EXPECT_EQ(rounds, (std::vector<int>{-2, 1, 1, 2, 3}));
}

TEST(Ordering, EmptyListsAreFine) {
  Tournament t;
  SortGamesByIdentifier(t);
  GroupRounds(t);
  EXPECT_TRUE(SortTeams(t).empty());
  EXPECT_TRUE(t.Rosters.empty());
}

TEST(Ordering, SortTeamsRenumbersGamesAndCarriesTeamLists) {
  Tournament t;
  t.Rosters = {{"beta", "b1"}, {"Alpha", "a1", "a2"}, {"Gamma"}};
  t.TeamDivision = {1, -1, 0};
  t.ExhibitionTeam = {0, 1, 0};
  t.DivisionNames = {"D0", "D1"};
  GameStats g = Game("g", 1, 0, 2);
  g.PlayerA[0] = 0;
  g.ScoreA = 250;
  g.PtsB[3] = 10;
  t.Games = {g, Game("h", 2, 2, 1), Game("bad", 3, -1, 7)};
  t.CurrentTeam = 2;
  const std::vector<int> map = SortTeams(t);
  EXPECT_EQ(map, (std::vector<int>{2, 0, 1}));
  EXPECT_EQ(t.Rosters, (std::vector<std::vector<std::string>>{
                           {"Alpha", "a1", "a2"}, {"Gamma"}, {"beta", "b1"}}));
  EXPECT_EQ(t.TeamDivision, (std::vector<int>{-1, 0, 1}));
  EXPECT_EQ(t.ExhibitionTeam, (std::vector<int>{1, 0, 0}));
  EXPECT_EQ(t.DivisionNames, (std::vector<std::string>{"D0", "D1"}));
  GameStats expected = g;
  expected.TeamA = 2;
  expected.TeamB = 1;
  EXPECT_EQ(t.Games[0], expected);
  EXPECT_EQ(t.Games[1].TeamA, 1);
  EXPECT_EQ(t.Games[1].TeamB, 0);
  EXPECT_EQ(t.Games[2].TeamA, -1);  // names no team: left alone
  EXPECT_EQ(t.Games[2].TeamB, 7);
  EXPECT_EQ(t.CurrentTeam, 0);
}

TEST(Ordering, SortTeamsWithSharedNamesRenumbersEachReferenceOnce) {
  Tournament t;
  t.Rosters = {{"Same", "x"}, {"Other"}, {"Same", "y"}, {"Alpha"}};
  t.TeamDivision = {0, 1, 2, 3};
  t.ExhibitionTeam = {1, 0, 1, 0};
  t.Games = {Game("1", 1, 0, 2), Game("2", 1, 2, 3), Game("3", 1, 1, 0)};
  const std::vector<int> map = SortTeams(t);
  ASSERT_EQ(t.Rosters.size(), 4u);
  // Each old team is placed exactly once.
  std::vector<int> seen(4, 0);
  for (int m : map) ++seen.at(m);
  EXPECT_EQ(seen, (std::vector<int>(4, 1)));
  // The games still name the same rosters, divisions and flags.
  const std::vector<std::vector<std::string>> before = {
      {"Same", "x"}, {"Other"}, {"Same", "y"}, {"Alpha"}};
  const std::pair<int, int> oldTeams[] = {{0, 2}, {2, 3}, {1, 0}};
  for (std::size_t i = 0; i < t.Games.size(); ++i) {
    EXPECT_EQ(t.Rosters[t.Games[i].TeamA], before[oldTeams[i].first]);
    EXPECT_EQ(t.Rosters[t.Games[i].TeamB], before[oldTeams[i].second]);
    EXPECT_EQ(t.TeamDivision[t.Games[i].TeamA], oldTeams[i].first);
  }
  EXPECT_EQ(t.Rosters[0][0], "Alpha");
  EXPECT_EQ(t.Rosters[3][0], "Same");
}

TEST(Ordering, SortTeamsCarriesTheBracketsAlong) {
  Tournament t;
  t.Rosters = {{"beta"}, {"Alpha"}, {"Gamma"}};
  t.Extras.Stages = {{"Prelims", 1, 3, false, {{"One", {0, 2}}, {"Two", {1}}}}};
  SortTeams(t);
  EXPECT_EQ(t.Extras.Stages[0].Brackets[0].Teams, (std::vector<int>{2, 1}));
  EXPECT_EQ(t.Extras.Stages[0].Brackets[1].Teams, (std::vector<int>{0}));
}

}  // namespace
}  // namespace drav
