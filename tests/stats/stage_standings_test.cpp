#include "stats/stage_standings.h"

#include <gtest/gtest.h>

#include "stats/final_ranking.h"
#include "stats/quickprint.h"
#include "stats/stats_fixture.h"
#include "support/generated_tournament.h"

namespace drav {
namespace {

using Lines = std::vector<std::string>;

// The tournament with the stage's brackets as its divisions, as a director sets them by hand.
Tournament WithBracketsAsDivisions(Tournament t, const Stage& s) {
  t.Format.Divisions = s.Brackets.empty() ? 0 : 1;
  t.DivisionNames.clear();
  t.TeamDivision.assign(t.Rosters.size(), -1);
  for (std::size_t b = 0; b < s.Brackets.size(); ++b) {
    t.DivisionNames.push_back(s.Brackets[b].Name);
    for (int team : s.Brackets[b].Teams) t.TeamDivision[team] = static_cast<int>(b);
  }
  return t;
}

Lines WithoutFirst(Lines lines) {
  lines.erase(lines.begin());
  return lines;
}

// The team rows without their # column, sorted: a stage prints places within its brackets
// and orders shared places as the next stage settled them.
Lines RowsWithoutPlaces(Lines lines) {
  Lines rows;
  for (const std::string& line : lines)
    if (line.size() > 22) rows.push_back(line.substr(4));
  std::sort(rows.begin(), rows.end());
  return rows;
}

TEST(StageStandings, WithoutCarryOverEqualTheRoundFilteredStandingsOfTheBrackets) {
  for (std::uint32_t seed = 1; seed <= 12; ++seed) {
    Tournament t = test::GenerateTournament({.teams = 10, .games = 60, .rounds = 9, .seed = seed});
    t.Extras.Stages = {
        {"Prelims", 1, 4, false, {{"East", {0, 2, 4, 6, 8}}, {"West", {1, 3, 5, 7, 9}}}},
        {"Playoffs", 5, 8, false, {{"Top", {0, 1, 2, 3}}, {"Rest", {4, 5, 6, 7, 8}}}},
        {"Final", 9, 9, false, {}}};
    for (int stage = 0; stage < 3; ++stage) {
      const Stage& s = t.Extras.Stages[static_cast<std::size_t>(stage)];
      Tournament byHand = WithBracketsAsDivisions(t, s);
      byHand.Format.AllRounds = 0;
      byHand.Format.RoundsMin = s.FirstRound;
      byHand.Format.RoundsMax = s.LastRound;
      // Head-to-head (criteria 2 and 5) of a round filter reaches every game; a stage's
      // reaches only its own games.
      const int c = t.Format.SortCriterion;
      if (c == 2 || c == 5)
        std::erase_if(byHand.Games, [&](const GameStats& g) {
          return g.Round < s.FirstRound || g.Round > s.LastRound;
        });
      SCOPED_TRACE("seed " + std::to_string(seed) + ", stage " + s.Name);
      EXPECT_EQ(StageTeamStandingsLines(t, stage)[0], StageLabel(s));
      EXPECT_EQ(RowsWithoutPlaces(WithoutFirst(StageTeamStandingsLines(t, stage))),
                RowsWithoutPlaces(TeamStandingsLines(byHand)));
      EXPECT_EQ(StageTeamStandingsLines(t, stage).size(), TeamStandingsLines(byHand).size() + 1);
      EXPECT_EQ(WithoutFirst(StagePlayerStandingsLines(t, stage)), PlayerStandingsLines(byHand));
    }
  }
}

TEST(StageStandings, WithCarryOverEqualTheStandingsOfTheStageAndCarriedGames) {
  for (std::uint32_t seed = 1; seed <= 8; ++seed) {
    Tournament t = test::GenerateTournament({.teams = 8, .games = 50, .rounds = 8, .seed = seed});
    const std::vector<int> top{0, 3, 5, 6}, bottom{1, 2, 7};
    t.Extras.Stages = {{"Prelims", 1, 5, false, {}},
                       {"Playoffs", 6, 8, true, {{"Top", top}, {"Bottom", bottom}}}};
    auto in = [](const std::vector<int>& b, int team) {
      return std::find(b.begin(), b.end(), team) != b.end();
    };
    Tournament games = WithBracketsAsDivisions(t, t.Extras.Stages[1]);
    std::erase_if(games.Games, [&](const GameStats& g) {
      const bool inStage = g.Round >= 6 && g.Round <= 8;
      const bool carried =
          g.Round >= 1 && g.Round <= 5 &&
          ((in(top, g.TeamA) && in(top, g.TeamB)) || (in(bottom, g.TeamA) && in(bottom, g.TeamB)));
      return !inStage && !carried;
    });
    SCOPED_TRACE("seed " + std::to_string(seed));
    EXPECT_EQ(RowsWithoutPlaces(WithoutFirst(StageTeamStandingsLines(t, 1))),
              RowsWithoutPlaces(TeamStandingsLines(games)));
  }
}

TEST(StageStandings, LabelsNameTheRoundsWithAnEnDash) {
  EXPECT_EQ(StageLabel({"Playoffs", 8, 12, false, {}}), "Playoffs (rounds 8\u201312)");
  EXPECT_EQ(StageLabel({"Final", 13, 13, false, {}}), "Final (round 13)");
}

// Teams 0..5; prelims in two pools of three, a final stage of teams 0 and 3.
Tournament TwoStages() {
  Tournament t = test::MakeTourney({"A", "B", "C", "D", "E", "F"});
  test::AddGame(t, 0, 1, 300, 100, 1);
  test::AddGame(t, 1, 2, 200, 100, 2);
  test::AddGame(t, 0, 2, 300, 100, 3);
  test::AddGame(t, 3, 4, 200, 100, 1);
  test::AddGame(t, 5, 3, 200, 100, 2);  // D, E, F each win once, all scoring 300 in total
  test::AddGame(t, 4, 5, 200, 100, 3);
  test::AddGame(t, 3, 0, 250, 200, 4);
  t.Extras.Stages = {{"Prelims", 1, 3, false, {{"Pool 1", {0, 1, 2}}, {"Pool 2", {3, 4, 5}}}},
                     {"Final", 4, 4, false, {{"Final", {0, 3}}}}};
  return t;
}

TEST(FinalRanking, LastStageFirstThenEarlierBracketsWithTiesShared) {
  const Tournament t = TwoStages();
  const std::vector<FinalRankEntry> r = FinalRanking(t);
  ASSERT_EQ(r.size(), 6u);
  std::vector<int> teams, ranks;
  for (const FinalRankEntry& e : r) {
    teams.push_back(e.Team);
    ranks.push_back(e.Rank);
  }
  EXPECT_EQ(teams[0], 3);
  EXPECT_EQ(teams[1], 0);
  EXPECT_EQ(r[0].Stage, 1);
  EXPECT_EQ(r[2].Team, 1);  // Pool 1 without A: B, C
  EXPECT_EQ(r[3].Team, 2);
  EXPECT_EQ(r[2].Stage, 0);
  EXPECT_EQ(r[2].Bracket, 0);
  EXPECT_EQ(ranks, (std::vector<int>{1, 2, 3, 4, 5, 5}));  // E and F are tied
  EXPECT_TRUE(r[4].Tied && r[5].Tied);
  EXPECT_FALSE(r[3].Tied);
  const Lines lines = FinalRankingLines(t);
  EXPECT_EQ(lines[0], "Final ranking");
  EXPECT_EQ(lines[2], "1    D                       Final: Final");
  EXPECT_EQ(lines[6].substr(0, 5), "5=   ");
  EXPECT_EQ(lines[6].substr(29), "Prelims: Pool 2");
}

TEST(StageStandings, QuickPrintShowsBracketPlacesWithSharedPlacesInTheSettledOrder) {
  Tournament t = TwoStages();
  auto placesAndTeams = [&] {
    Lines shown;
    for (const std::string& line : StageTeamStandingsLines(t, 0))
      if (line.size() > 22 && line[0] != '#') shown.push_back(line.substr(0, 5) + line[4]);
    return shown;
  };
  // Pool 2 is a three-way tie; D went on to the final, so D heads it.
  EXPECT_EQ(placesAndTeams(), (Lines{"1   AA", "2   BB", "3   CC", "1=  DD", "1=  EE", "1=  FF"}));
  t.Extras.Stages[1].Brackets[0].Teams = {0, 5};  // F went on instead
  EXPECT_EQ(placesAndTeams(), (Lines{"1   AA", "2   BB", "3   CC", "1=  FF", "1=  DD", "1=  EE"}));
}

TEST(FinalRanking, NoStagesNoRanking) {
  EXPECT_TRUE(FinalRanking(test::MakeTourney({"A", "B"})).empty());
}

}  // namespace
}  // namespace drav
