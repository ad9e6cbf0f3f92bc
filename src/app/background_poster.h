#pragma once

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "posting/post_to_web.h"

namespace drav::app {

// Posts to the web off the user-interface thread, one post at a time. A post asked for
// while another runs waits; a later request replaces a waiting one, so after a burst of
// games only the newest state is posted, once the running post is done. Submit never waits.
class BackgroundPoster {
 public:
  // Runs one post on the worker thread; cancel turns true when the poster is destroyed.
  using Run = std::function<PostToWebResult(PostToWebJob job, const std::atomic<bool>& cancel)>;
  // Called on the worker thread after each post; the results wait in TakeResults.
  using Notify = std::function<void()>;

  BackgroundPoster(Run run, Notify notify);
  // Cancels a running post and waits for it to stop; a waiting one is dropped.
  ~BackgroundPoster();
  BackgroundPoster(const BackgroundPoster&) = delete;
  BackgroundPoster& operator=(const BackgroundPoster&) = delete;

  void Submit(PostToWebJob job);
  // The results of the posts finished since the last call, oldest first.
  std::vector<PostToWebResult> TakeResults();
  // Blocks until no post runs or waits (for a post that must not overlap with them).
  void WaitUntilIdle();
  bool Busy() const;

 private:
  void Work();

  Run run_;
  Notify notify_;
  mutable std::mutex mutex_;
  std::condition_variable changed_;
  std::optional<PostToWebJob> waiting_;
  std::vector<PostToWebResult> results_;
  bool running_ = false;
  bool stopping_ = false;
  std::atomic<bool> cancel_{false};
  std::thread worker_;  // last: started once everything above exists
};

}  // namespace drav::app
