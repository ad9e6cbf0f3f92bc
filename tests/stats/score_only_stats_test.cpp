// Statistics of tournaments mixing score-only games with full box scores.
#include <gtest/gtest.h>

#include <cstdint>
#include <map>

#include "model/score_only.h"
#include "stats/figures.h"
#include "stats/full_games_note.h"
#include "stats/player_stats.h"
#include "stats/quickprint.h"
#include "stats/team_stats.h"
#include "support/generated_tournament.h"

namespace drav {
namespace {

// What a team's figures should be, added up here game by game without the code under test.
struct Expected {
  int wins = 0, losses = 0, ties = 0, forfeitWins = 0, forfeitLosses = 0, full = 0;
  std::int64_t pointsFor = 0, pointsAgainst = 0, fullPoints = 0, tuh = 0, bonusHeard = 0,
               bonusPts = 0, lightning = 0;
  std::int64_t slots[kColumns] = {};
};

std::map<int, Expected> Independent(const Tournament& t) {
  std::map<int, Expected> e;
  for (const GameStats& g : t.Games) {
    for (int side = 0; side < 2; ++side) {
      const int own = side == 0 ? g.TeamA : g.TeamB;
      const int other = side == 0 ? g.TeamB : g.TeamA;
      if (t.ExhibitionTeam[other] == 1) continue;
      Expected& x = e[own];
      if (g.Forfeit != 0) {
        (side == 0 ? x.forfeitWins : x.forfeitLosses) += 1;
        continue;
      }
      const int us = side == 0 ? g.ScoreA : g.ScoreB;
      const int them = side == 0 ? g.ScoreB : g.ScoreA;
      if (us == -1 || them == -1) continue;
      (us > them ? x.wins : us < them ? x.losses : x.ties) += 1;
      x.pointsFor += us;
      x.pointsAgainst += them;
      if (g.ScoreOnly) continue;
      ++x.full;
      x.fullPoints += us;
      x.tuh += g.TUH;
      x.bonusHeard += side == 0 ? g.BHA : g.BHB;
      x.bonusPts += side == 0 ? g.BPA : g.BPB;
      x.lightning += side == 0 ? g.SixtyA : g.SixtyB;
      for (int k = 0; k < kColumns; ++k)
        for (int r = 0; r < kRows; ++r) x.slots[k] += side == 0 ? g.QA(k, r) : g.QB(k, r);
    }
  }
  return e;
}

// Marks every third game score-only; the toss-ups heard stay, as the director may keep them.
Tournament Mixed(std::uint32_t seed) {
  Tournament t = test::GenerateTournament({.teams = 8, .games = 30, .rounds = 6, .seed = seed});
  for (std::size_t i = 0; i < t.Games.size(); i += 3) {
    t.Games[i].ScoreOnly = true;
    ClearBoxScore(t.Games[i]);
  }
  return t;
}

TEST(ScoreOnlyStats, RecordsCountEveryGameAndRatesOnlyFullGames) {
  for (std::uint32_t seed = 1; seed <= 12; ++seed) {
    const Tournament t = Mixed(seed);
    const std::map<int, Expected> expected = Independent(t);
    for (const Standings& s : ComputeTeamStats(t)) {
      const Expected x = expected.count(s.TeamIndex) ? expected.at(s.TeamIndex) : Expected{};
      SCOPED_TRACE("seed " + std::to_string(seed) + " team " + s.TeamName);
      EXPECT_EQ(ShownWins(s), x.wins + x.forfeitWins);
      EXPECT_EQ(ShownLosses(s), x.losses + x.forfeitLosses);
      EXPECT_EQ(s.Ties, x.ties);
      EXPECT_EQ(s.PointsFor, x.pointsFor);
      EXPECT_EQ(s.PointsAgainst, x.pointsAgainst);
      const int played = x.wins + x.losses + x.ties;
      EXPECT_DOUBLE_EQ(PointsPerGame(s), played ? double(x.pointsFor) / played : 0.0);
      EXPECT_NEAR(Margin(s), played ? double(x.pointsFor - x.pointsAgainst) / played : 0.0, 1e-9);
      EXPECT_EQ(s.FullGames, x.full);
      EXPECT_EQ(s.TUH, x.tuh);
      EXPECT_DOUBLE_EQ(PointsPerTossupHeard(s), x.tuh ? double(x.fullPoints) / x.tuh : 0.0);
      EXPECT_DOUBLE_EQ(PointsPerBonus(s), x.bonusHeard ? double(x.bonusPts) / x.bonusHeard : 0.0);
      EXPECT_EQ(s.LightningPts, x.lightning);
      for (int k = 0; k < kColumns; ++k) EXPECT_EQ(s.TossUps[k], x.slots[k]);
      EXPECT_EQ(PowerNegText(s), RatioOrInfText(x.slots[0], x.slots[2]));
    }
  }
}

TEST(ScoreOnlyStats, PlayersGainNothingFromAScoreOnlyGameEvenWithRowsInIt) {
  Tournament t = test::GenerateTournament({.seed = 3});
  Tournament without = t;
  without.Games.erase(without.Games.begin());
  t.Games[0].ScoreOnly = true;  // rows left in on purpose: a hand-edited record
  EXPECT_EQ(ComputePlayerStats(t), ComputePlayerStats(without));
}

TEST(ScoreOnlyStats, WithoutScoreOnlyGamesFullCountsEqualPlayedAndNoNoteIsPrinted) {
  const Tournament t = test::GenerateTournament({.seed = 5});
  for (const Standings& s : ComputeTeamStats(t)) {
    EXPECT_EQ(s.FullGames, PlayedGames(s));
    EXPECT_EQ(s.FullPointsFor, s.PointsFor);
  }
  for (const std::string& line : TeamStandingsLines(t))
    EXPECT_EQ(line.find("full games"), std::string::npos);
}

TEST(ScoreOnlyStats, QuickPrintNamesWhatTheFiguresRestOn) {
  const Tournament t = Mixed(2);
  const std::vector<std::string> lines = TeamStandingsLines(t);
  std::size_t heading = 0;
  while (heading < lines.size() && lines[heading] != kFullGamesNoteHeading) ++heading;
  ASSERT_LT(heading, lines.size());
  const std::vector<Standings> stats = ComputeTeamStats(t);
  const Standings* first = TeamsWithScoreOnlyGames(stats).at(0);
  bool named = false;
  for (std::size_t i = heading + 1; i < lines.size(); ++i)
    named = named || lines[i].find(first->TeamName + ": from ") != std::string::npos;
  EXPECT_TRUE(named);
}

}  // namespace
}  // namespace drav
