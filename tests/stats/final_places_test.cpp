#include <gtest/gtest.h>

#include "stats/final_ranking.h"
#include "stats/stats_fixture.h"

namespace drav {
namespace {

using Lines = std::vector<std::string>;

// Eight teams A..H in one elimination stage of rounds 1-3: C wins the final over A; B and D
// lose the semifinals, E..H the quarterfinals (the losers scoring less in that order).
Tournament Bracket8(bool finalPlayed = true) {
  Tournament t = test::MakeTourney({"A", "B", "C", "D", "E", "F", "G", "H"});
  test::AddGame(t, 0, 7, 300, 50, 1);
  test::AddGame(t, 1, 6, 300, 100, 1);
  test::AddGame(t, 2, 5, 300, 150, 1);
  test::AddGame(t, 3, 4, 300, 200, 1);
  test::AddGame(t, 0, 3, 250, 200, 2);
  test::AddGame(t, 2, 1, 250, 210, 2);
  if (finalPlayed) test::AddGame(t, 2, 0, 200, 180, 3);
  t.Extras.Stages = {{"Playoffs", 1, 3, false, {}, StageKind::Elimination}};
  return t;
}

// Each line of the ranking as "PLACE TEAM", e.g. "3= B".
Lines Places(const Tournament& t) {
  Lines shown;
  for (const FinalRankEntry& e : FinalRanking(t))
    shown.push_back(std::to_string(e.Rank) + (e.Tied ? "= " : " ") + t.TeamName(e.Team));
  return shown;
}

TEST(EliminationPlaces, LaterExitRanksHigherAndSameRoundExitsShareAPlace) {
  const struct {
    const char* what;
    Tournament t;
    Lines places;
  } cases[] = {
      {"decided", Bracket8(), {"1 C", "2 A", "3= B", "3= D", "5= E", "5= F", "5= G", "5= H"}},
      // The final is still to play: its two teams are still in and share the top place.
      {"final to play",
       Bracket8(false),
       {"1= A", "1= C", "3= B", "3= D", "5= E", "5= F", "5= G", "5= H"}},
  };
  for (const auto& c : cases) EXPECT_EQ(Places(c.t), c.places) << c.what;
}

TEST(EliminationPlaces, AByeKeepsATeamInAndATeamWithoutAGameEndsLast) {
  Tournament t = test::MakeTourney({"A", "B", "C", "D"});
  test::AddGame(t, 1, 2, 300, 100, 1);  // A has a bye in round 1; D never plays
  t.Extras.Stages = {{"Final", 1, 2, false, {{"Top", {0, 1, 2, 3}}}, StageKind::Elimination}};
  EXPECT_EQ(Places(t), (Lines{"1= B", "1= A", "1= D", "4 C"}));  // B has a win
  test::AddGame(t, 0, 1, 300, 200, 2);
  EXPECT_EQ(Places(t), (Lines{"1 A", "2 B", "3 C", "4 D"}));
}

TEST(EliminationPlaces, TwoGamesInTheLastRoundLeaveTheirWinnersSharingTheTop) {
  Tournament t = Bracket8();
  test::AddGame(t, 1, 3, 300, 100, 3);  // a game for third place beside the final
  EXPECT_EQ(Places(t), (Lines{"1= C", "1= B", "3= A", "3= D", "5= E", "5= F", "5= G", "5= H"}));
}

TEST(EliminationPlaces, PoolsStageRanksByRecordAsBefore) {
  Tournament t = Bracket8();
  t.Extras.Stages[0].Kind = StageKind::Pools;
  EXPECT_EQ(Places(t)[0], "1 C");  // 3-0
  EXPECT_EQ(Places(t)[1], "2 A");  // 2-1 ahead of the 1-1 teams
  EXPECT_FALSE(FinalRankingProvisional(t));
  EXPECT_EQ(FinalRankingLines(t)[0], "Final ranking");
}

TEST(HandSetPlaces, StandAtTheirNumbersAndTheComputedTeamsFillTheRest) {
  const struct {
    std::vector<FinalPlace> places;
    Lines shown;
  } cases[] = {
      {{{3, 3}, {1, 4}}, {"1 C", "2 A", "3 D", "4 B", "5= E", "5= F", "5= G", "5= H"}},
      {{{4, 2}}, {"1 C", "2 E", "3 A", "4= B", "4= D", "6= F", "6= G", "6= H"}},
      {{{7, 1}, {6, 1}}, {"1= H", "1= G", "3 C", "4 A", "5= B", "5= D", "7= E", "7= F"}},
      {{{0, 8}}, {"1 C", "2= B", "2= D", "4= E", "4= F", "4= G", "4= H", "8 A"}},
  };
  for (const auto& c : cases) {
    Tournament t = Bracket8();
    t.Extras.FinalPlaces = c.places;
    EXPECT_EQ(Places(t), c.shown) << c.shown[0];
  }
}

TEST(HandSetPlaces, TheTextSaysWhichPlacesWereSetAndProvisionalUntilFinished) {
  Tournament t = Bracket8();
  t.Extras.FinalPlaces = {{1, 3}};
  Lines lines = FinalRankingLines(t);
  EXPECT_EQ(lines[0], "Final ranking (provisional)");
  EXPECT_EQ(lines[2], "1    C                       Playoffs");
  EXPECT_EQ(lines[4], "3    B                       place set by the director");
  EXPECT_EQ(lines[5].substr(0, 6), "4    D");
  t.Extras.Finished = true;
  EXPECT_EQ(FinalRankingLines(t)[0], "Final ranking");
}

TEST(HandSetPlaces, HostileEntriesAreSkipped) {
  Tournament t = Bracket8();
  t.Extras.FinalPlaces = {{-1, 1}, {99, 1}, {2, 0}, {0, 2000000}, {5, 1}, {5, 2}};
  EXPECT_EQ(Places(t), (Lines{"1 F", "2 C", "3 A", "4= B", "4= D", "6= E", "6= G", "6= H"}));
}

}  // namespace
}  // namespace drav
