#include "model/numbers.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "model/error.h"

namespace drav {
namespace {

TEST(LenientInt, AcceptsSignedDigitsWithSurroundingBlanks) {
  EXPECT_EQ(LenientInt("42", 0), 42);
  EXPECT_EQ(LenientInt(" \t-7 ", 0), -7);
  EXPECT_EQ(LenientInt("+3", 0), 3);
  EXPECT_EQ(LenientInt("2147483647", 0), 2147483647);
  EXPECT_EQ(LenientInt("-2147483648", 0), -2147483647 - 1);
}

TEST(LenientInt, GivesTheDefaultForAnythingElse) {
  EXPECT_EQ(LenientInt("", 9), 9);
  EXPECT_EQ(LenientInt("-", 9), 9);
  EXPECT_EQ(LenientInt("1.5", 9), 9);
  EXPECT_EQ(LenientInt("0x10", 9), 9);
  EXPECT_EQ(LenientInt("2147483648", 9), 9);
  EXPECT_EQ(LenientInt("99999999999999999999", 9), 9);
  EXPECT_EQ(LenientInt("1 2", 9), 9);
  EXPECT_EQ(LenientInt("12\r", 9), 9);
}

TEST(StrictDecimal, ReadsDecimalsAndExponents) {
  EXPECT_DOUBLE_EQ(*TryStrictDecimal("1"), 1.0);
  EXPECT_DOUBLE_EQ(*TryStrictDecimal(" 0.5 "), 0.5);
  EXPECT_DOUBLE_EQ(*TryStrictDecimal(".25"), 0.25);
  EXPECT_DOUBLE_EQ(*TryStrictDecimal("5."), 5.0);
  EXPECT_DOUBLE_EQ(*TryStrictDecimal("+1e2"), 100.0);
  EXPECT_DOUBLE_EQ(*TryStrictDecimal("-2.5E-1"), -0.25);
}

TEST(StrictDecimal, RejectsWithThePlatformMessage) {
  for (const char* bad : {"", ".", "e5", "1e", "inf", "nan", "0x1p3", "1/2", "1e999", "1,5"})
    EXPECT_FALSE(TryStrictDecimal(bad)) << bad;
  try {
    StrictDecimal("abc");
    FAIL();
  } catch (const DravError& e) {
    EXPECT_STREQ(e.what(), "'abc' is not a valid floating point value");
  }
  try {
    StrictInt("x1");
    FAIL();
  } catch (const DravError& e) {
    EXPECT_STREQ(e.what(), "'x1' is not a valid integer value");
  }
}

// Whole numbers take a faster path; every value must still read as printf's %g does.
TEST(Formatting, WholeNumbersAndTheirNeighboursMatchPrintfG) {
  for (double v : {0.0, -0.0, 1.0, -1.0, 2.0, 17.0, 999999.0, -999999.0, 1e6, -1e6, 999999.5,
                   123456.0, 1e15, 3.0000001, -2.5, 1e-300}) {
    char expected[64];
    std::snprintf(expected, sizeof expected, "%g", v);
    EXPECT_EQ(FormatG(v), expected) << v;
  }
}

TEST(Formatting, MatchesPrintf) {
  EXPECT_EQ(FormatG(1.0), "1");
  EXPECT_EQ(FormatG(0.5), "0.5");
  EXPECT_EQ(FormatG(1.0 / 3), "0.333333");
  EXPECT_EQ(FormatG(0.0), "0");
  EXPECT_EQ(FormatG(1234567.0), "1.23457e+06");
  EXPECT_EQ(FormatG(0.0001), "0.0001");
  EXPECT_EQ(FormatG(0.00001), "1e-05");
  EXPECT_EQ(FormatFixed(2.0 / 3, 3), "0.667");
  EXPECT_EQ(FormatFixed(12.25, 1),
            "12.2");  // round-half-even on the exact binary value, like printf
  EXPECT_EQ(FormatFixed(0.0, 2), "0.00");
}

// Report figures take a faster path; every one must still read as printf's %.Nf does,
// ties and negative zero included.
TEST(Formatting, FixedFiguresMatchPrintf) {
  std::vector<double> values = {0.0,    -0.0,   -0.001,       0.005,  0.015, 0.125, 2.675, 12.25,
                                -12.25, 1.0e-7, 2146.9999999, 2147.0, 1e9,   -5.5,  0.45,  1e300};
  for (int n = -40; n <= 400; ++n)
    for (int d = 1; d <= 24; ++d) values.push_back(static_cast<double>(n) / d);
  for (double v : values) {
    for (int decimals = 0; decimals <= 7; ++decimals) {
      char expected[400];
      std::snprintf(expected, sizeof expected, "%.*f", decimals, v);
      EXPECT_EQ(FormatFixed(v, decimals), expected) << v << " " << decimals;
    }
  }
}

// The texts held in place must be the strings' texts, at every length and sign.
TEST(Formatting, NumberTextsReadAsTheStrings) {
  for (std::int64_t v : {std::int64_t{0}, std::int64_t{7}, std::int64_t{-1}, std::int64_t{99999999},
                         std::int64_t{100000000}, std::int64_t{-9999999}, std::int64_t{-10000000},
                         INT64_MAX, INT64_MIN})
    EXPECT_EQ(std::string_view(NumberText::Integer(v)), std::to_string(v));
  for (double v : {0.0, -0.0, 0.05, -0.004, 9999.99, 12345.678, -1234.5, 2146.9999, 1e300})
    for (int decimals = 1; decimals <= 3; ++decimals)
      EXPECT_EQ(std::string_view(NumberText::Fixed(v, decimals)), FormatFixed(v, decimals))
          << v << " " << decimals;
}

}  // namespace
}  // namespace drav
