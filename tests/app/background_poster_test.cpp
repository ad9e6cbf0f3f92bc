#include "app/background_poster.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace drav::app {
namespace {

PostToWebJob Job(const std::string& name) {
  PostToWebJob job;
  job.tournament.Format.TourneyName = name;
  return job;
}

// A runner that records each job and holds the first one until released.
struct GatedRunner {
  std::mutex mutex;
  std::condition_variable cv;
  bool released = false;
  bool firstStarted = false;
  std::vector<std::string> ran;

  BackgroundPoster::Run Run() {
    return [this](PostToWebJob job, const std::atomic<bool>& cancel) {
      std::unique_lock<std::mutex> lock(mutex);
      ran.push_back(job.tournament.Format.TourneyName);
      firstStarted = true;
      cv.notify_all();
      // The cancel flag is polled, as a transfer polls it.
      while (!released && !cancel.load()) cv.wait_for(lock, std::chrono::milliseconds(5));
      PostToWebResult result;
      result.cancelled = cancel.load();
      result.messages.push_back({"Completed", job.tournament.Format.TourneyName});
      return result;
    };
  }
  void WaitForFirst() {
    std::unique_lock<std::mutex> lock(mutex);
    cv.wait(lock, [&] { return firstStarted; });
  }
  void Release() {
    std::lock_guard<std::mutex> lock(mutex);
    released = true;
    cv.notify_all();
  }
};

TEST(BackgroundPoster, PostsWhileRunningCoalesceIntoTheNewestOne) {
  GatedRunner runner;
  std::atomic<int> notified{0};
  BackgroundPoster poster(runner.Run(), [&] { ++notified; });
  poster.Submit(Job("game 1"));
  runner.WaitForFirst();
  // Submit returns at once even though the first post is held.
  poster.Submit(Job("game 2"));
  poster.Submit(Job("game 3"));
  poster.Submit(Job("game 4"));
  EXPECT_TRUE(poster.Busy());
  runner.Release();
  poster.WaitUntilIdle();
  EXPECT_FALSE(poster.Busy());
  EXPECT_EQ(runner.ran, (std::vector<std::string>{"game 1", "game 4"}));
  const auto results = poster.TakeResults();
  ASSERT_EQ(results.size(), 2u);
  EXPECT_EQ(results[1].messages.at(0).text, "game 4");
  EXPECT_EQ(notified.load(), 2);
  EXPECT_TRUE(poster.TakeResults().empty());
}

TEST(BackgroundPoster, DestroyingCancelsTheRunningPostAndDropsTheWaitingOne) {
  GatedRunner runner;
  {
    BackgroundPoster poster(runner.Run(), {});
    poster.Submit(Job("running"));
    runner.WaitForFirst();
    poster.Submit(Job("waiting"));
  }  // must not hang on the held post
  EXPECT_EQ(runner.ran, (std::vector<std::string>{"running"}));
}

TEST(BackgroundPoster, AFailingRunBecomesAFailureResultAndTheWorkerGoesOn) {
  int calls = 0;
  BackgroundPoster poster(
      [&](PostToWebJob, const std::atomic<bool>&) -> PostToWebResult {
        if (++calls == 1) throw std::runtime_error("Cannot write fall_standings.html");
        return {};
      },
      {});
  poster.Submit(Job("a"));
  poster.WaitUntilIdle();
  poster.Submit(Job("b"));
  poster.WaitUntilIdle();
  const auto results = poster.TakeResults();
  ASSERT_EQ(results.size(), 2u);
  EXPECT_EQ(results[0].messages.at(0),
            (PostMessage{"Failure", "Cannot write fall_standings.html"}));
  EXPECT_TRUE(results[1].messages.empty());
}

}  // namespace
}  // namespace drav::app
