#include "web/report_writer.h"

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <system_error>
#include <thread>

#include "platform/replaced_files.h"

namespace drav::web {

namespace {

bool WriteOne(const std::string& path, const std::string& contents) {
  std::string temp;
  std::FILE* f = CreateTempBeside(path, temp);
  if (!f) return false;
  bool ok = std::fwrite(contents.data(), 1, contents.size(), f) == contents.size();
  ok = std::fclose(f) == 0 && ok;
  // The page it replaces is let go later: freeing a large file can wait on the device.
  ok = ok && platform::RenameOverReleasingLater(temp, path);
  if (!ok) platform::RemoveFile(temp);
  return ok;
}

}  // namespace

// One file at a time: the next is handed over once the one before is written.
struct ReportWriter::DiskThread {
  std::mutex mutex;
  std::condition_variable changed;
  bool busy = false;  // a file handed over and not yet written
  bool stopping = false;
  std::size_t attempt = 0;
  std::string path;
  std::string contents;
  std::string finished;  // the buffer of the last file written, for the next page
  std::vector<std::pair<std::size_t, std::string>> failed;
  std::thread thread;

  void Run() {
    std::unique_lock lock(mutex);
    for (;;) {
      changed.wait(lock, [this] { return busy || stopping; });
      if (!busy) return;
      lock.unlock();
      const bool ok = WriteOne(path, contents);
      lock.lock();
      if (!ok) failed.emplace_back(attempt, std::move(path));
      contents.clear();
      if (contents.capacity() > finished.capacity()) finished = std::move(contents);
      busy = false;
      changed.notify_all();
    }
  }
};

ReportWriter::ReportWriter(const std::string& basePath, const ReportSink* sink)
    : basePath_(basePath), sink_(sink) {
  if (!sink_) RemoveStaleTemps(basePath);
}

ReportWriter::~ReportWriter() {
  if (!disk_) return;
  {
    std::lock_guard lock(disk_->mutex);
    disk_->stopping = true;
  }
  disk_->changed.notify_all();
  disk_->thread.join();
}

void ReportWriter::CopyStyleSheet(const std::string& source) {
  std::string target = basePath_ + "_style.css";
  // The name comes from the tournament file, which may have come from someone else: only
  // a style sheet is copied beside the pages (and so published), never any other file.
  if (!IsStyleSheetName(source)) {
    Fail(std::move(target));
    return;
  }
  std::string contents;
  try {
    // A link ("site.css" to a private file), a FIFO or a device is no style sheet.
    contents = ReadRegularFile(source);
  } catch (const DravError&) {
    Fail(std::move(target));
    return;
  }
  Save(std::move(target), std::move(contents));
}

std::vector<std::string> ReportWriter::TakeFailures() {
  WaitUntilWritten();
  if (disk_) {
    std::lock_guard lock(disk_->mutex);
    for (auto& f : disk_->failed) failed_.push_back(std::move(f));
    disk_->failed.clear();
  }
  std::stable_sort(failed_.begin(), failed_.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<std::string> paths;
  paths.reserve(failed_.size());
  for (auto& f : failed_) paths.push_back(std::move(f.second));
  failed_.clear();
  return paths;
}

void ReportWriter::Fail(std::string path) {
  failed_.emplace_back(attempts_++, std::move(path));
}

std::string ReportWriter::TakeBuffer() {
  std::string buffer = std::move(spare_);
  spare_.clear();
  if (disk_) {
    std::lock_guard lock(disk_->mutex);
    if (disk_->finished.capacity() > buffer.capacity()) buffer.swap(disk_->finished);
  }
  buffer.clear();
  return buffer;
}

void ReportWriter::Save(std::string path, std::string contents) {
  const std::size_t attempt = attempts_++;
  if (sink_) {
    (*sink_)(path, contents);
  } else {
    if (!disk_) {
      auto disk = std::make_unique<DiskThread>();
      try {
        disk->thread = std::thread([d = disk.get()] { d->Run(); });
        disk_ = std::move(disk);
      } catch (const std::system_error&) {
        // No thread to be had: every file is written here.
      }
    }
    if (disk_) {
      std::unique_lock lock(disk_->mutex);
      disk_->changed.wait(lock, [this] { return !disk_->busy; });
      disk_->attempt = attempt;
      disk_->path = std::move(path);
      disk_->contents.swap(contents);
      disk_->busy = true;
      lock.unlock();
      disk_->changed.notify_all();
      // contents now holds the buffer the thread had (empty, or its capacity to reuse).
    } else if (!WriteOne(path, contents)) {
      failed_.emplace_back(attempt, std::move(path));
    }
  }
  if (contents.capacity() > spare_.capacity()) spare_ = std::move(contents);
}

void ReportWriter::WaitUntilWritten() {
  if (!disk_) return;
  std::unique_lock lock(disk_->mutex);
  disk_->changed.wait(lock, [this] { return !disk_->busy; });
}

}  // namespace drav::web
