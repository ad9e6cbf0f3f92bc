#include "entry/game_computations.h"

#include <gtest/gtest.h>

#include "model/error.h"

namespace drav::entry {
namespace {

TEST(ParseGamesPlayed, ReadsDecimalsAndFractions) {
  EXPECT_EQ(ParseGamesPlayed(""), 0);
  EXPECT_EQ(ParseGamesPlayed("1"), 1);
  EXPECT_EQ(ParseGamesPlayed("0.5"), 0.5);
  EXPECT_EQ(ParseGamesPlayed(".75"), 0.75);
  EXPECT_EQ(ParseGamesPlayed("2."), 2);
  EXPECT_EQ(ParseGamesPlayed("1/2"), 0.5);
  EXPECT_DOUBLE_EQ(ParseGamesPlayed("2/3"), 2.0 / 3.0);
  EXPECT_EQ(ParseGamesPlayed("1/"), 1);
  EXPECT_EQ(ParseGamesPlayed("/3"), 0);
}

TEST(ParseGamesPlayed, ReadsOtherTextsAsZero) {
  for (const char* text : {"abc", "1/2/3", "1.5.2", "1/2.5", "-1", " 1", "1e3", "+1", "½"})
    EXPECT_EQ(ParseGamesPlayed(text), 0) << text;
  // A numerator outside the 32-bit range reads as 0, like any unreadable integer.
  EXPECT_EQ(ParseGamesPlayed("99999999999/2"), 0);
  // A denominator that is not a 32-bit integer takes the default 1.
  EXPECT_EQ(ParseGamesPlayed("3/99999999999"), 3);
}

TEST(ParseGamesPlayed, FailsOnALoneDotAndOnAZeroDenominator) {
  EXPECT_THROW(ParseGamesPlayed("."), DravError);
  EXPECT_THROW(ParseGamesPlayed("1/0"), DravError);
  EXPECT_THROW(ParseGamesPlayed("0/0"), DravError);
  try {
    ParseGamesPlayed(".");
  } catch (const DravError& e) {
    EXPECT_STREQ(e.what(), "'.' is not a valid floating point value");
  }
}

TEST(FormatGamesPlayed, ShowsAtMostFifteenDigitsWithoutTrailingZeros) {
  EXPECT_EQ(FormatGamesPlayed(1), "1");
  EXPECT_EQ(FormatGamesPlayed(0.5), "0.5");
  EXPECT_EQ(FormatGamesPlayed(1.0 / 3.0), "0.333333333333333");
  EXPECT_EQ(FormatGamesPlayed(2.0 / 3.0), "0.666666666666667");
}

TEST(RowPointsOf, SumsValueTimesCountInSixtyFourBits) {
  EXPECT_EQ(RowPointsOf({15, 10, -5, 0}, {2, 3, 1, 0}), 55);
  EXPECT_EQ(RowPointsOf({15, 10, -5, 0}, {-1, 0, 0, 7}), -15);
  EXPECT_EQ(RowPointsOf({2147483647, 0, 0, 0}, {2147483647, 0, 0, 0}),
            static_cast<std::int64_t>(2147483647) * 2147483647);
  EXPECT_EQ(Wrap32(4294967296LL + 5), 5);
}

}  // namespace
}  // namespace drav::entry
