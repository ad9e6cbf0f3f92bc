#include "platform/replaced_files.h"

#include "platform/files.h"

#if !defined(_WIN32)
#include <fcntl.h>
#include <unistd.h>
#endif

#include <condition_variable>
#include <deque>
#include <mutex>
#include <system_error>
#include <thread>

namespace drav::platform {

#if defined(_WIN32) || !defined(O_PATH)

bool RenameOverReleasingLater(const std::string& from, const std::string& to) {
  return RenameOver(from, to);
}

void WaitForReplacedFiles() {}

#else

namespace {

// Closes the handles it is given, one after the other, on a thread of its own that starts
// with the first and waits for more until the program ends (whatever is still held then,
// the system lets go with the process).
class Releaser {
 public:
  void Release(int fd) {
    {
      std::lock_guard lock(mutex_);
      if (Started()) {
        pending_.push_back(fd);
        more_.notify_all();
        return;
      }
    }
    ::close(fd);  // no thread to hand it to
  }

  void Wait() {
    std::unique_lock lock(mutex_);
    done_.wait(lock, [this] { return pending_.empty() && !closing_; });
  }

 private:
  // Called under the lock.
  bool Started() {
    if (thread_.joinable()) return true;
    try {
      thread_ = std::thread([this] { Run(); });
    } catch (const std::system_error&) {
      return false;
    }
    return true;
  }

  void Run() {
    std::unique_lock lock(mutex_);
    for (;;) {
      more_.wait(lock, [this] { return !pending_.empty(); });
      const int fd = pending_.front();
      pending_.pop_front();
      closing_ = true;
      lock.unlock();
      ::close(fd);
      lock.lock();
      closing_ = false;
      if (pending_.empty()) done_.notify_all();
    }
  }

  std::mutex mutex_;
  std::condition_variable more_;
  std::condition_variable done_;
  std::deque<int> pending_;
  bool closing_ = false;
  std::thread thread_;
};

// Never destroyed: a report written while the program ends may still hand it a file.
Releaser& TheReleaser() {
  static Releaser* const releaser = new Releaser;
  return *releaser;
}

}  // namespace

bool RenameOverReleasingLater(const std::string& from, const std::string& to) {
  // A handle on whatever has the name now (a link itself, never what it points to; O_PATH
  // opens nothing, so a FIFO or a device is not touched) keeps it alive past the rename.
  const int held = ::open(to.c_str(), O_PATH | O_NOFOLLOW | O_CLOEXEC);
  const bool renamed = RenameOver(from, to);
  if (held >= 0) {
    if (renamed)
      TheReleaser().Release(held);
    else
      ::close(held);
  }
  return renamed;
}

void WaitForReplacedFiles() {
  TheReleaser().Wait();
}

#endif

}  // namespace drav::platform
