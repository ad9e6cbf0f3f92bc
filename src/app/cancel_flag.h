#pragma once

#include <atomic>

namespace drav::app {

// Set by the user interface (Cancel button), polled by long work on another thread.
class CancelFlag {
 public:
  void Cancel() { cancelled_.store(true, std::memory_order_relaxed); }
  bool Cancelled() const { return cancelled_.load(std::memory_order_relaxed); }
  // For searches that poll an atomic flag themselves.
  const std::atomic<bool>* Atomic() const { return &cancelled_; }

 private:
  std::atomic<bool> cancelled_{false};
};

}  // namespace drav::app
