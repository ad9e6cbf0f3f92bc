#include "app/unsaved_data.h"

#include <gtest/gtest.h>

namespace drav::app {
namespace {

TEST(UnsavedData, NamesWhatWouldBeLostAndWhere) {
  Tournament saved;
  saved.FileName = "C:\\cups\\riverside.dat";
  saved.Rosters = {{"Lakeview"}, {"Northfield"}};
  saved.Games.resize(2);
  EXPECT_EQ(DescribeUnsavedChanges(saved, saved), "");

  Tournament now = saved;
  now.Games.resize(5);
  now.Games[0].ScoreA = 7;
  now.Rosters[1] = {"Northfield", "Ned"};
  EXPECT_EQ(DescribeUnsavedChanges(saved, now),
            "4 games and 1 team are not saved in riverside.dat");

  now = saved;
  now.Games.pop_back();
  EXPECT_EQ(DescribeUnsavedChanges(saved, now), "1 game is not saved in riverside.dat");

  now = saved;
  now.FileName.clear();
  now.Format.TourneyName = "Spring Open";
  EXPECT_EQ(DescribeUnsavedChanges(saved, now), "Changes to the settings are not saved in a file");
}

}  // namespace
}  // namespace drav::app
