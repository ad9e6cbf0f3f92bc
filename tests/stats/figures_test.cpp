#include "stats/figures.h"

#include <gtest/gtest.h>

namespace drav {
namespace {

TEST(Figures, ZeroDivisorGivesZero) {
  Standings s;
  EXPECT_DOUBLE_EQ(WinningPct(s), 0.0);
  EXPECT_DOUBLE_EQ(PointsPerGame(s), 0.0);
  EXPECT_DOUBLE_EQ(PointsAgainstPerGame(s), 0.0);
  EXPECT_DOUBLE_EQ(PointsPerTossupHeard(s), 0.0);
  EXPECT_DOUBLE_EQ(PointsPerBonus(s), 0.0);
  EXPECT_DOUBLE_EQ(PointsPerBounceback(s), 0.0);
  s.PointsFor = 50;
  s.BonusPts = 30;
  s.BouncePts = 10;
  EXPECT_EQ(RatioText(PointsPerTossupHeard(s)), "0.00");
  EXPECT_EQ(RatioText(PointsPerBonus(s)), "0.00");
  EXPECT_EQ(AverageText(PointsPerGame(s)), "0.0");
  EXPECT_EQ(PctText(WinningPct(s)), "0.000");
  Individuals p;
  p.Points = 40;
  EXPECT_DOUBLE_EQ(PointsPerGame(p), 0.0);
  EXPECT_DOUBLE_EQ(PointsPerTossupHeard(p), 0.0);
}

TEST(Figures, TeamAveragesAndMargin) {
  Standings s;
  s.Wins = 2;
  s.Losses = 1;
  s.ForfeitWins = 1;
  s.GamesCount = 4;
  s.PointsFor = 700;
  s.PointsAgainst = 400;
  s.TUH = 70;
  s.BonusHeard = 20;
  s.BonusPts = 310;
  s.BounceHeard = 4;
  s.BouncePts = 30;
  s.SoS = 900;
  EXPECT_EQ(PlayedGames(s), 3);
  EXPECT_EQ(ShownWins(s), 3);
  EXPECT_EQ(PctText(WinningPct(s)), "0.750");
  EXPECT_EQ(AverageText(PointsPerGame(s)), "233.3");
  EXPECT_EQ(AverageText(PointsAgainstPerGame(s)), "133.3");
  EXPECT_EQ(AverageText(Margin(s)), "100.0");
  EXPECT_EQ(AverageText(ScheduleStrength(s)), "225.0");
  EXPECT_EQ(RatioText(PointsPerTossupHeard(s)), "10.00");
  EXPECT_EQ(RatioText(PointsPerBonus(s)), "15.50");
  EXPECT_EQ(RatioText(PointsPerBounceback(s)), "7.50");
}

TEST(Figures, PowerAndGetToNegRatiosPrintInfOnlyWithPositiveNumerator) {
  Standings s;
  s.TossUps = {12, 0, 0, 0};
  EXPECT_EQ(PowerNegText(s), "inf");
  EXPECT_EQ(GetNegText(s), "inf");
  s.TossUps = {0, 0, 0, 0};
  EXPECT_EQ(PowerNegText(s), "0.00");
  EXPECT_EQ(GetNegText(s), "0.00");
  s.TossUps = {0, 3, 0, 0};
  EXPECT_EQ(PowerNegText(s), "0.00");
  EXPECT_EQ(GetNegText(s), "inf");
  s.TossUps = {3, 5, 4, 9};
  EXPECT_EQ(PowerNegText(s), "0.75");
  EXPECT_EQ(GetNegText(s), "2.00");
  s.TossUps = {-2, 0, 0, 0};  // hostile counts: no "inf" without a positive numerator
  EXPECT_EQ(PowerNegText(s), "0.00");

  Individuals p;
  p.TossUps = {4, 0, 0, 0};
  EXPECT_EQ(PowerNegText(p), "inf");
  p.TossUps = {0, 0, 0, 0};
  EXPECT_EQ(GetNegText(p), "0.00");
  p.TossUps = {1, 2, 3, 0};
  EXPECT_EQ(PowerNegText(p), "0.33");
  EXPECT_EQ(GetNegText(p), "1.00");
}

TEST(Figures, ToleranceIsStrict) {
  EXPECT_TRUE(SameFraction(1.0 / 3.0, 2.0 / 6.0));
  EXPECT_TRUE(SameFraction(0.5, 0.500009));
  EXPECT_FALSE(SameFraction(0.5, 0.50002));
  EXPECT_FALSE(SameFraction(0.25, 0.75));
}

TEST(Figures, PlayerRates) {
  Individuals p;
  p.Points = 100;
  p.GP = 2.5;
  p.TUH = 40;
  EXPECT_EQ(RatioText(PointsPerGame(p)), "40.00");
  EXPECT_EQ(RatioText(PointsPerTossupHeard(p)), "2.50");
}

}  // namespace
}  // namespace drav
