#pragma once

#include <string>
#include <vector>

#include "model/tournament.h"
#include "web/web_report.h"

namespace drav {

// The modern report: HTML5 pages for phones and desktops, written to basePath followed by
// each page's suffix, with their own style sheet and sorting script beside them. Returns
// the files that could not be written, like the classic report. Games are listed in
// round order for the run; the stored order is left as it was.
std::vector<std::string> WriteModernReport(Tournament& t, const std::string& basePath,
                                           const ReportSink* sink = nullptr);

// The modern report of one stage: its games only, its brackets as the standings' tables,
// pages for its teams only, and the stage after the tournament's name. stage must be valid.
std::vector<std::string> WriteModernStageReport(const Tournament& t, int stage,
                                                const std::string& basePath);

// The files WriteModernReport writes for this tournament, pages first.
std::vector<ReportFile> ModernReportFiles(const Tournament& t);

}  // namespace drav
