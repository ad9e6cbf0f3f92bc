#pragma once

#include <cstddef>
#include <vector>

namespace drav {

// A place in an ordered table: equal neighbours (neither ranks ahead of the other) share
// the place of the first of them, and each of them is marked tied.
struct SharedRank {
  int Rank = 0;
  bool Tied = false;
};

// ranked is in standings order; before(a, b) is the order's "a ranks ahead of b".
template <typename T, typename Before>
std::vector<SharedRank> SharedRanks(const std::vector<const T*>& ranked, Before before) {
  std::vector<SharedRank> ranks(ranked.size());
  for (std::size_t i = 0; i < ranked.size(); ++i) {
    ranks[i].Rank = static_cast<int>(i) + 1;
    if (i == 0) continue;
    const T& a = *ranked[i - 1];
    const T& b = *ranked[i];
    if (!before(a, b) && !before(b, a)) {
      ranks[i].Rank = ranks[i - 1].Rank;
      ranks[i].Tied = ranks[i - 1].Tied = true;
    }
  }
  return ranks;
}

}  // namespace drav
