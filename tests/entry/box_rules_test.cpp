#include "entry/box_rules.h"

#include <gtest/gtest.h>

namespace drav::entry {
namespace {

TEST(BoxRules, IntegerAndGamesPlayedBoxesTakeOnlyWhatTheyCanHold) {
  const struct {
    const char* text;
    bool integer;
    bool gamesPlayed;
  } cases[] = {
      {"", true, true},
      {"-", true, false},
      {"0", true, true},
      {"-12", true, false},
      {"2147483647", true, true},
      {"2147483648", false, false},
      {"-2147483648", true, false},
      {"-2147483649", false, false},
      {"1-", false, false},
      {"a", false, false},
      {"1.5", false, true},
      {".5", false, true},
      {"1/2", false, true},
      {"1/2/3", false, false},
      {"1.5/2", false, false},
      {"1 ", false, false},
      {"9999999999/2", false, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsIntegerBoxText(c.text), c.integer) << c.text;
    EXPECT_EQ(IsGamesPlayedBoxText(c.text), c.gamesPlayed) << c.text;
  }
}

}  // namespace
}  // namespace drav::entry
