#include "model/merge_sort.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <utility>
#include <vector>

namespace drav {
namespace {

TEST(MergeSort, SortsAndKeepsTiesInInputOrder) {
  std::vector<std::pair<int, int>> v{{3, 0}, {1, 1}, {3, 2}, {2, 3}, {1, 4}, {3, 5}};
  MergeSort(v, [](auto& a, auto& b) { return a.first < b.first; });
  std::vector<std::pair<int, int>> want{{1, 1}, {1, 4}, {2, 3}, {3, 0}, {3, 2}, {3, 5}};
  EXPECT_EQ(v, want);
}

TEST(MergeSort, StaysInBoundsWithAComparatorThatAlwaysSaysYes) {
  std::vector<int> v{1, 2, 3, 4, 5};
  MergeSort(v, [](int, int) { return true; });
  // Taking the right element whenever before(right, left): the order is fully reversed.
  EXPECT_EQ(v, (std::vector<int>{5, 4, 3, 2, 1}));
}

TEST(MergeSort, SurvivesRandomAnswersAndKeepsEveryElement) {
  std::mt19937 rng(7);
  std::vector<int> v(1000);
  for (int i = 0; i < 1000; ++i) v[i] = i;
  MergeSort(v, [&](int, int) { return rng() % 2 == 0; });
  std::vector<int> sorted = v;
  MergeSort(sorted, [](int a, int b) { return a < b; });
  for (int i = 0; i < 1000; ++i) EXPECT_EQ(sorted[i], i);
}

// Records are sorted through pointers: the same answers must give the same order as the
// plain values get.
TEST(MergeSort, RecordsTakeTheStepsOfPlainValues) {
  struct Record {
    int key;
    std::string name;
  };
  std::vector<int> keys(300);
  std::vector<Record> records;
  for (int i = 0; i < 300; ++i) {
    keys[i] = i;
    records.push_back({i, "record " + std::to_string(i)});
  }
  std::mt19937 plainAnswers(11), recordAnswers(11);
  MergeSort(keys, [&](int, int) { return plainAnswers() % 3 == 0; });
  MergeSort(records, [&](const Record&, const Record&) { return recordAnswers() % 3 == 0; });
  for (int i = 0; i < 300; ++i) {
    EXPECT_EQ(records[i].key, keys[i]);
    EXPECT_EQ(records[i].name, "record " + std::to_string(keys[i]));
  }
}

TEST(MergeSort, LeftHalfGetsTheSmallerHalfOfAnOddRange) {
  // With 3 items the split is [a] [b c]; a comparator answering "right first" only for
  // specific pairs shows where the split fell.
  std::vector<char> v{'a', 'b', 'c'};
  MergeSort(v, [](char r, char l) { return r == 'c' && l == 'b'; });
  EXPECT_EQ(v, (std::vector<char>{'a', 'c', 'b'}));
}

}  // namespace
}  // namespace drav
