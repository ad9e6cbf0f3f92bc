#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "model/error.h"
#include "model/numbers.h"
#include "storage/line_reader.h"

namespace drav {
namespace {

std::vector<std::string> AllLines(std::string_view text) {
  LineReader in(text);
  std::vector<std::string> lines;
  while (!in.AtEnd()) lines.push_back(in.NextString());
  return lines;
}

TEST(LineReader, SplitsAtLineFeedsDroppingACarriageReturnBeforeThem) {
  using Lines = std::vector<std::string>;
  EXPECT_EQ(AllLines(""), Lines{});
  EXPECT_EQ(AllLines("a\r\n\r\nb"), (Lines{"a", "", "b"}));
  EXPECT_EQ(AllLines("a\n"), Lines{"a"});
  EXPECT_EQ(AllLines("x\ry\r\n"), Lines{"x\ry"});
  const std::string longLine(40, 'n');
  EXPECT_EQ(AllLines(longLine + "\r\n" + longLine), (Lines{longLine, longLine}));
  EXPECT_EQ(AllLines(std::string("a\0b\r\nc\x1a"
                                 "d\r\n",
                                 10)),
            (Lines{"a b", "c"}));
}

TEST(LineReader, CountsTheLinesLeftAndReadsEmptyPastTheEnd) {
  LineReader in("1\r\n2\r\n3");
  EXPECT_TRUE(in.HasLines(3));
  EXPECT_FALSE(in.HasLines(4));
  in.Next();
  EXPECT_EQ(in.Remaining(), 2u);
  EXPECT_TRUE(in.HasLines(2));
  EXPECT_FALSE(in.HasLines(3));
  EXPECT_EQ(in.NextInt(), 2);
  EXPECT_EQ(in.NextInt(), 3);
  EXPECT_TRUE(in.AtEnd());
  EXPECT_EQ(in.Remaining(), 0u);
  EXPECT_EQ(in.Next(), "");
  EXPECT_EQ(in.NextInt(7), 7);
  EXPECT_EQ(in.LineNumber(), 3u);
}

// A count is refused when its items cannot fit in the lines left, whether or not the lines
// were counted before.
TEST(LineReader, RefusesACountLargerThanTheLinesLeft) {
  for (const bool counted : {false, true}) {
    LineReader fits("2\r\na\r\nb\r\nc\r\nd\r\n");
    if (counted) fits.Remaining();
    EXPECT_EQ(fits.NextCount(2), 2);
    LineReader short_("3\r\na\r\nb\r\n");
    if (counted) short_.Remaining();
    EXPECT_THROW(short_.NextCount(), DravError);
  }
  LineReader huge("2000000000\r\n");
  EXPECT_THROW(huge.NextCount(1000), DravError);
}

// Integer and games-played lines read exactly as the full number grammar reads them.
TEST(LineReader, NumbersReadAsTheNumberGrammarReadsThem) {
  const std::vector<std::string> lines = {
      "0",          "7",           "-0",          "-",         "+5",         " 5",
      "5 ",         "007",         "123456789",   "-12345678", "1234567890", "2147483647",
      "2147483648", "-2147483648", "-2147483649", "1.5",       "1e3",        "x",
      "",           "99999999999", "-.5",         "12a"};
  for (const std::string& line : lines) {
    LineReader ints(line);
    EXPECT_EQ(ints.NextInt(-99), LenientInt(line, -99)) << line;
    const std::optional<double> expected = TryStrictDecimal(line);
    LineReader decimals(line);
    if (!expected) {
      EXPECT_THROW(decimals.NextDecimal(), DravError) << line;
      continue;
    }
    const double got = decimals.NextDecimal();
    EXPECT_EQ(got, *expected) << line;
    EXPECT_EQ(std::signbit(got), std::signbit(*expected)) << line;
  }
}

}  // namespace
}  // namespace drav
