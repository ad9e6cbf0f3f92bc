#include "entry/controls.h"

#include <gtest/gtest.h>

namespace drav::entry {
namespace {

TEST(Controls, EditRunsItsReactionOnlyWhenTheTextChanges) {
  Edit e("ScoreA");
  int runs = 0;
  e.OnChange = [&] { ++runs; };
  e.SetText("");
  EXPECT_EQ(runs, 0);
  e.SetText("12");
  e.SetText("12");
  EXPECT_EQ(runs, 1);
  e.SetText("");
  EXPECT_EQ(runs, 2);
  EXPECT_EQ(e.Text(), "");
}

TEST(Controls, CheckBoxRunsItsClickOnlyWhenTheStateChanges) {
  CheckBox c("Forfeit", "Forfeit");
  int runs = 0;
  c.OnClick = [&] { ++runs; };
  c.SetChecked(false);
  c.SetChecked(true);
  c.SetChecked(true);
  c.SetChecked(false);
  EXPECT_EQ(runs, 2);
}

TEST(Controls, ComboBoxSelectsNothingOutsideItsItems) {
  ComboBox list("TeamAName");
  EXPECT_EQ(list.ItemIndex(), -1);
  list.AddItem("Alpha");
  list.AddItem("Beta");
  list.SetItemIndex(1);
  EXPECT_EQ(list.SelectedText(), "Beta");
  list.SetItemIndex(2);
  EXPECT_EQ(list.ItemIndex(), -1);
  EXPECT_EQ(list.SelectedText(), "");
  list.SetItemIndex(-5);
  EXPECT_EQ(list.ItemIndex(), -1);
  list.SetItemIndex(0);
  list.Clear();
  EXPECT_EQ(list.ItemIndex(), -1);
  EXPECT_EQ(list.ItemCount(), 0);
}

TEST(Controls, MemoSplitsPastedTextIntoLines) {
  Memo m("Memo1");
  m.SetText("Ann\r\n\r\n  Bob \nCy\n");
  EXPECT_EQ(m.Lines(), (std::vector<std::string>{"Ann", "", "  Bob ", "Cy"}));
  EXPECT_EQ(m.Text(), "Ann\n\n  Bob \nCy");
  m.SetText("");
  EXPECT_TRUE(m.Lines().empty());
}

}  // namespace
}  // namespace drav::entry
