#pragma once

#include <string>
#include <vector>

#include "model/tournament.h"

namespace drav {

// The web report of one stage: the described pages computed on the stage's games, with
// its brackets in place of the divisions, and the stage's name and rounds after the
// tournament's name in every page title and heading. Returns the files that could not be
// written, as WriteWebReport does. In the modern style, WriteModernStageReport's pages.
// stage must be valid.
std::vector<std::string> WriteStageWebReport(const Tournament& t, int stage,
                                             const std::string& basePath);

}  // namespace drav
