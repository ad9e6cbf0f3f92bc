#include "app/background_poster.h"

namespace drav::app {

BackgroundPoster::BackgroundPoster(Run run, Notify notify)
    : run_(std::move(run)), notify_(std::move(notify)), worker_([this] { Work(); }) {}

BackgroundPoster::~BackgroundPoster() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
    waiting_.reset();
  }
  cancel_ = true;
  changed_.notify_all();
  worker_.join();
}

void BackgroundPoster::Submit(PostToWebJob job) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (stopping_) return;
    waiting_ = std::move(job);
  }
  changed_.notify_all();
}

std::vector<PostToWebResult> BackgroundPoster::TakeResults() {
  std::lock_guard<std::mutex> lock(mutex_);
  std::vector<PostToWebResult> taken;
  taken.swap(results_);
  return taken;
}

void BackgroundPoster::WaitUntilIdle() {
  std::unique_lock<std::mutex> lock(mutex_);
  changed_.wait(lock, [this] { return stopping_ || (!running_ && !waiting_); });
}

bool BackgroundPoster::Busy() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return running_ || waiting_.has_value();
}

void BackgroundPoster::Work() {
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    changed_.wait(lock, [this] { return stopping_ || waiting_.has_value(); });
    if (stopping_) return;
    PostToWebJob job = std::move(*waiting_);
    waiting_.reset();
    running_ = true;
    lock.unlock();
    PostToWebResult result;
    try {
      result = run_(std::move(job), cancel_);
    } catch (const std::exception& e) {
      // A failure of the report writer must not end the worker (nor the program).
      result.messages.push_back({std::string(kCaptionFailure), e.what()});
    }
    lock.lock();
    if (!result.cancelled) results_.push_back(std::move(result));
    lock.unlock();
    if (notify_) notify_();
    lock.lock();
    running_ = false;
    changed_.notify_all();
  }
}

}  // namespace drav::app
