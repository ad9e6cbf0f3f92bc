#pragma once

#include <cstddef>
#include <type_traits>
#include <utility>
#include <vector>

namespace drav {

// The one sort of the program: a top-down merge sort that splits at n/2 (the left half
// gets n/2 elements) and takes the right element only when before(right, left) holds.
// It is stable and never leaves the range, whatever the comparator answers, so every
// part of the program agrees on the order of ties.
namespace merge_sort_detail {

template <typename T, typename Before>
void Sort(std::vector<T>& a, std::vector<T>& tmp, Before& before, std::size_t lo, std::size_t hi) {
  // Sorts a[lo, hi) using tmp as scratch; result in a.
  const std::size_t n = hi - lo;
  if (n < 2) return;
  const std::size_t mid = lo + n / 2;
  Sort(a, tmp, before, lo, mid);
  Sort(a, tmp, before, mid, hi);
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

}  // namespace merge_sort_detail

// The one sort of the program: a top-down merge sort that splits at n/2 (the left half
// gets n/2 elements) and takes the right element only when before(right, left) holds.
// It is stable and never leaves the range, whatever the comparator answers, so every
// part of the program agrees on the order of ties.
template <typename T, typename Before>
void MergeSort(std::vector<T>& items, Before before) {
  const std::size_t n = items.size();
  if (n < 2) return;
  // Bottom-up passes would split differently; recurse on ranges (depth is log2 n).
  if constexpr (std::is_trivially_copyable_v<T> && sizeof(T) <= 2 * sizeof(void*)) {
    std::vector<T> scratch(items.begin(), items.end());
    merge_sort_detail::Sort(items, scratch, before, 0, n);
  } else {
    // Records (names, figures) are sorted as pointers, the same steps on the same
    // answers, and each moved once into place rather than at every level.
    std::vector<T*> order;
    order.reserve(n);
    for (T& item : items) order.push_back(&item);
    std::vector<T*> scratch(order);
    auto pointed = [&before](const T* a, const T* b) { return before(*a, *b); };
    merge_sort_detail::Sort(order, scratch, pointed, 0, n);
    std::vector<T> sorted;
    sorted.reserve(n);
    for (T* item : order) sorted.push_back(std::move(*item));
    items = std::move(sorted);
  }
}

}  // namespace drav
