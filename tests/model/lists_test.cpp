#include "model/lists.h"

#include <gtest/gtest.h>

namespace drav {
namespace {

using Lines = std::vector<std::string>;

TEST(Lists, MemoLinesSplitAtEveryLineEnd) {
  EXPECT_EQ(MemoLines(""), Lines{});
  EXPECT_EQ(MemoLines("a\r\nb\r\n"), (Lines{"a", "b"}));
  EXPECT_EQ(MemoLines("a\n\nc"), (Lines{"a", "", "c"}));
  EXPECT_EQ(MemoLines("a\rb\r\n\r\n"), (Lines{"a", "b", ""}));
  EXPECT_EQ(MemoLines(MemoText({"x", "", "z"})), (Lines{"x", "", "z"}));
}

TEST(Lists, DivisionEnterDropsEmptyLinesAndKeepsTeamIndices) {
  Tournament t;
  t.DivisionNames = {"Old"};
  t.TeamDivision = {0, 1, -1};
  EnterDivisionNames(t, {"North", "", "South"});
  EXPECT_EQ(t.DivisionNames, (Lines{"North", "South"}));
  EXPECT_EQ(t.TeamDivision, (std::vector<int>{0, 1, -1}));
  EnterDivisionNames(t, {});
  EXPECT_TRUE(t.DivisionNames.empty());
  EXPECT_EQ(t.TeamDivision, (std::vector<int>{0, 1, -1}));
}

TEST(Lists, PacketEnterKeepsEmptyLinesInPlace) {
  Tournament t;
  EnterPacketNames(t, {"One", "", "Three"});
  EXPECT_EQ(t.PacketNames, (Lines{"One", "", "Three"}));
}

}  // namespace
}  // namespace drav
