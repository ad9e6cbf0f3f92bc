#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/tournament.h"
#include "schedule/search_control.h"

namespace drav {

// The repeat-free search over one group of m positions (m even): preferred[i] is the
// partner the bracket pairing gave position i; met(i, c) tells whether the teams at two
// positions have played. Candidates for the first unpaired position i are p, p+1, p-1,
// p+2, p-2, ... around p = preferred[i], until one falls outside the list. Fills partner
// (partner[i] = c and partner[c] = i) and returns kFound, or kNotFound / kCancelled.
enum class SwissSearchEnd { kFound, kNotFound, kCancelled };
template <typename Met>
SwissSearchEnd SearchWithoutRepeats(const std::vector<int>& preferred, Met met,
                                    std::vector<int>& partner, SearchMeter& meter);

// The text of Scheduling > Swiss Pairs for the tournament's games and settings.
ScheduleText SwissPairLines(const Tournament& t, const SearchControl& control = {});

// -- implementation of the template ------------------------------------------------------

template <typename Met>
SwissSearchEnd SearchWithoutRepeats(const std::vector<int>& preferred, Met met,
                                    std::vector<int>& partner, SearchMeter& meter) {
  const int m = static_cast<int>(preferred.size());
  partner.assign(static_cast<std::size_t>(m), -1);
  struct Frame {
    int i;
    int k;       // next candidate index: d = 0, +1, -1, +2, -2, ...
    int chosen;  // the partner currently tried, -1 for none
  };
  auto firstOpen = [&]() {
    for (int i = 0; i < m; ++i)
      if (partner[i] == -1) return i;
    return -1;
  };
  std::vector<Frame> stack;
  int i = firstOpen();
  if (i < 0) return SwissSearchEnd::kFound;
  stack.push_back({i, 0, -1});
  while (!stack.empty()) {
    Frame& f = stack.back();
    if (f.chosen >= 0) {
      partner[f.i] = partner[f.chosen] = -1;
      f.chosen = -1;
    }
    const int p = preferred[f.i];
    bool placed = false;
    for (;;) {
      const int d = f.k == 0 ? 0 : ((f.k + 1) / 2) * (f.k % 2 == 1 ? 1 : -1);
      ++f.k;
      if (meter.Step()) return SwissSearchEnd::kCancelled;
      const long long c = static_cast<long long>(p) + d;
      if (c < 0 || c >= m) break;  // the window closes at the first position outside
      const int ci = static_cast<int>(c);
      if (partner[ci] == -1 && ci != f.i && !met(f.i, ci)) {
        partner[f.i] = ci;
        partner[ci] = f.i;
        f.chosen = ci;
        placed = true;
        break;
      }
    }
    if (!placed) {
      stack.pop_back();
      continue;
    }
    i = firstOpen();
    if (i < 0) return SwissSearchEnd::kFound;
    stack.push_back({i, 0, -1});
  }
  return SwissSearchEnd::kNotFound;
}

}  // namespace drav
