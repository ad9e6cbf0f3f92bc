#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "model/tournament.h"

namespace drav {

// The full web report: each included page is written to basePath followed by its
// suffix, links between pages start with the last component of basePath, and the style
// sheet is copied to basePath + "_style.css" when switched on. Every page that can be
// written is written; the result names each file (page or style sheet) that could not
// be, in the order they were attempted, and is empty when everything was written.
// Sets SortByRound to 1; the stored order of the games is left as it was.
// A style sheet whose name does not end in ".css" is not copied and counts as not written.
// With the modern report style the modern pages are written instead, to the same base path.
// With a sink, every file goes to the sink (its path and contents) instead of the disk; the
// style sheet is still read from the disk.
using ReportSink = std::function<void(const std::string& path, const std::string& contents)>;
std::vector<std::string> WriteWebReport(Tournament& t, const std::string& basePath,
                                        const ReportSink* sink = nullptr);

// True when the name ends in ".css", in any case, and holds no control byte: the only
// files the report copies (and then only a regular file, never through a link).
bool IsStyleSheetName(std::string_view path);

// A file the report writes: its suffix after the base path, and the message Post to Web
// shows when it cannot be sent.
struct ReportFile {
  std::string Suffix;
  std::string FailureMessage;
  bool operator==(const ReportFile&) const = default;
};

// The files WriteWebReport writes for this tournament in its report style, in upload
// order (classic: the included pages, then the style sheet).
std::vector<ReportFile> WebReportFiles(const Tournament& t);

}  // namespace drav
