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

}  // namespace
}  // namespace drav
