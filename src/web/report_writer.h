#pragma once

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "model/error.h"
#include "model/merge_sort.h"
#include "model/tournament.h"
#include "platform/files.h"
#include "platform/replaced_files.h"
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

class ReportWriter {
 public:
  ReportWriter(const std::string& basePath, const ReportSink* sink)
      : basePath_(basePath), sink_(sink) {
    if (!sink_) RemoveStaleTemps(basePath);
  }

  // Writes one page; a failure is noted and the report goes on.
  template <typename Build>
  void Page(const std::string& suffix, Build build) {
    const std::string path = basePath_ + suffix;
    // A suffix holding a folder separator (say, from a tournament file received from
    // someone else) would write outside the chosen folder, and one holding a NUL would
    // be cut short where the system reads it: refuse both.
    if (suffix.find_first_of("/\\") != std::string::npos || !IsPlainName(suffix)) {
      failed_.push_back(path);
      return;
    }
    page_.clear();
    build(page_);
    Save(path, page_);
  }

  void CopyStyleSheet(const std::string& source) {
    const std::string target = basePath_ + "_style.css";
    // The name comes from the tournament file, which may have come from someone else: only
    // a style sheet is copied beside the pages (and so published), never any other file.
    if (!IsStyleSheetName(source)) {
      failed_.push_back(target);
      return;
    }
    std::string contents;
    try {
      // A link ("site.css" to a private file), a FIFO or a device is no style sheet.
      contents = ReadRegularFile(source);
    } catch (const DravError&) {
      failed_.push_back(target);
      return;
    }
    Save(target, contents);
  }

  std::vector<std::string> TakeFailures() { return std::move(failed_); }

 private:
  // Through a temporary file renamed over the target, so that a web server never serves
  // half a page; unlike the tournament file, a page is not forced to disk (it can always
  // be generated again, and forcing two dozen megabytes would stall a large report).
  void Save(const std::string& path, const std::string& contents) {
    if (sink_) {
      (*sink_)(path, contents);
      return;
    }
    std::string temp;
    std::FILE* f = CreateTempBeside(path, temp);
    bool ok = f != nullptr;
    if (ok) {
      ok = std::fwrite(contents.data(), 1, contents.size(), f) == contents.size();
      ok = std::fclose(f) == 0 && ok;
      // The page it replaces is let go in the background: freeing a large file can wait
      // on the device, and the report need not.
      ok = ok && platform::RenameOverReleasingLater(temp, path);
      if (!ok) platform::RemoveFile(temp);
    }
    if (!ok) failed_.push_back(path);
  }

  const std::string& basePath_;
  const ReportSink* sink_;
  std::string page_;
  std::vector<std::string> failed_;
};

}  // namespace drav::web
