#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "model/error.h"
#include "model/merge_sort.h"
#include "model/tournament.h"
#include "platform/files.h"
#include "storage/line_reader.h"
#include "storage/received_file.h"
#include "web/web_report.h"

namespace drav::web {

// What the classic and the modern report share: the games in round order for the length
// of a run, and the writing of one file after another.

// Lists the games in round order for the length of the report and puts the tournament's
// own order back however the report ends. The order is that of SortGames with
// SortByRound 1 (the same merge sort and comparator), found by sorting pointers so that
// the large game records are copied once rather than moved at every merge level.
class GamesInRoundOrder {
 public:
  explicit GamesInRoundOrder(Tournament& t) : t_(t) {
    std::vector<const GameStats*> order;
    order.reserve(t.Games.size());
    for (const GameStats& g : t.Games) order.push_back(&g);
    MergeSort(order, [](const GameStats* a, const GameStats* b) { return GameBefore(*a, *b, 1); });
    std::vector<GameStats> sorted;
    sorted.reserve(order.size());
    for (const GameStats* g : order) sorted.push_back(*g);
    saved_ = std::move(t.Games);
    t.Games = std::move(sorted);
  }
  ~GamesInRoundOrder() { t_.Games = std::move(saved_); }
  GamesInRoundOrder(const GamesInRoundOrder&) = delete;
  GamesInRoundOrder& operator=(const GamesInRoundOrder&) = delete;

 private:
  Tournament& t_;
  std::vector<GameStats> saved_;
};

// Writes the report's files one after another. Each page is built on the calling thread
// while the one before it goes to the disk on a thread of the writer's own, so building and
// writing overlap; with a sink every file goes to the sink on the calling thread.
class ReportWriter {
 public:
  ReportWriter(const std::string& basePath, const ReportSink* sink);
  // Waits for the files still being written.
  ~ReportWriter();
  ReportWriter(const ReportWriter&) = delete;
  ReportWriter& operator=(const ReportWriter&) = delete;

  // Writes one page; a failure is noted and the report goes on.
  template <typename Build>
  void Page(const std::string& suffix, Build build) {
    std::string path = basePath_ + suffix;
    // A suffix holding a folder separator (say, from a tournament file received from
    // someone else) would write outside the chosen folder, and one holding a NUL would
    // be cut short where the system reads it: refuse both.
    if (suffix.find_first_of("/\\") != std::string::npos || !IsPlainName(suffix)) {
      Fail(std::move(path));
      return;
    }
    std::string page = TakeBuffer();
    build(page);
    Save(std::move(path), std::move(page));
  }

  void CopyStyleSheet(const std::string& source);

  // Every file that could not be written, in the order they were attempted, once all
  // have been written.
  std::vector<std::string> TakeFailures();

 private:
  struct DiskThread;

  void Fail(std::string path);
  // A buffer for the next page: one the disk thread has finished with when there is one.
  std::string TakeBuffer();
  // Through a temporary file renamed over the target, so that a web server never serves
  // half a page; unlike the tournament file, a page is not forced to disk (it can always
  // be generated again, and forcing two dozen megabytes would stall a large report).
  void Save(std::string path, std::string contents);
  void WaitUntilWritten();

  const std::string& basePath_;
  const ReportSink* sink_;
  std::size_t attempts_ = 0;
  std::vector<std::pair<std::size_t, std::string>> failed_;  // attempt number, path
  std::string spare_;
  std::unique_ptr<DiskThread> disk_;  // started with the first file to write
};

}  // namespace drav::web
