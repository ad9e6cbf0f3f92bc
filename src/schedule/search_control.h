#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace drav {

// Lets a caller run a schedule search in the background: the search looks at the cancel
// flag every few thousand steps and reports its step count through the progress callback.
struct SearchControl {
  const std::atomic<bool>* cancel = nullptr;
  std::function<void(std::uint64_t steps)> progress;
  // Steps between two looks at the flag and two progress reports.
  std::uint64_t checkEvery = 4096;
};

// Counts the work of one search and answers whether it should stop.
class SearchMeter {
 public:
  explicit SearchMeter(const SearchControl& control) : control_(control) {}

  // Counts one step; true when the caller asked to cancel.
  bool Step() {
    ++steps_;
    if (control_.checkEvery != 0 && steps_ % control_.checkEvery != 0) return false;
    if (control_.progress) control_.progress(steps_);
    return Cancelled();
  }
  bool Cancelled() const {
    return control_.cancel != nullptr && control_.cancel->load(std::memory_order_relaxed);
  }
  std::uint64_t Steps() const { return steps_; }

 private:
  const SearchControl& control_;
  std::uint64_t steps_ = 0;
};

// The text of one schedule command; cancelled when the user stopped a search (the lines
// then hold what was written before it and should not be shown as a schedule).
struct ScheduleText {
  std::vector<std::string> lines;
  bool cancelled = false;
};

}  // namespace drav
