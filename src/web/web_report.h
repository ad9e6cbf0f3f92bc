#pragma once

#include <string>
#include <vector>

#include "model/tournament.h"

namespace drav {

// The full web report: each included page is written to basePath followed by its
// suffix, links between pages start with the last component of basePath, and the style
// sheet is copied to basePath + "_style.css" when switched on. Every page that can be
// written is written; the result names each file (page or style sheet) that could not
// be, in the order they were attempted, and is empty when everything was written.
// Sets SortByRound to 1; the stored order of the games is left as it was.
std::vector<std::string> WriteWebReport(Tournament& t, const std::string& basePath);

}  // namespace drav
