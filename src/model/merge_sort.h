#pragma once

#include <cstddef>
#include <utility>
#include <vector>

namespace drav {

// The one sort of the program: a top-down merge sort that splits at n/2 (the left half
// gets n/2 elements) and takes the right element only when before(right, left) holds.
// It is stable and never leaves the range, whatever the comparator answers, so every
// part of the program agrees on the order of ties.
template <typename T, typename Before>
void MergeSort(std::vector<T>& items, Before before) {
  const std::size_t n = items.size();
  if (n < 2) return;
  std::vector<T> scratch(items.begin(), items.end());
  // Bottom-up passes would split differently; recurse on ranges (depth is log2 n).
  struct Sorter {
    Before& before;
    void Sort(std::vector<T>& a, std::vector<T>& tmp, std::size_t lo, std::size_t hi) {
      // Sorts a[lo, hi) using tmp as scratch; result in a.
      const std::size_t n = hi - lo;
      if (n < 2) return;
      const std::size_t mid = lo + n / 2;
      Sort(a, tmp, lo, mid);
      Sort(a, tmp, mid, hi);
      std::size_t i = lo, j = mid, k = lo;
      while (i < mid && j < hi) {
        if (before(a[j], a[i]))
          tmp[k++] = std::move(a[j++]);
        else
          tmp[k++] = std::move(a[i++]);
      }
      while (i < mid) tmp[k++] = std::move(a[i++]);
      while (j < hi) tmp[k++] = std::move(a[j++]);
      for (std::size_t m = lo; m < hi; ++m) a[m] = std::move(tmp[m]);
    }
  };
  Sorter{before}.Sort(items, scratch, 0, n);
}

}  // namespace drav
