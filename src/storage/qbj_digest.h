#pragma once

#include <nlohmann/json.hpp>
#include <string>

#include "model/game_stats.h"

namespace drav {

// The digests an imported match's record keeps (16 hex digits each). A match is digested
// as its parsed JSON, so that spacing and the order of keys do not count as a change.
std::string QbjMatchDigest(const nlohmann::json& match);
std::string GameDigest(const GameStats& g);

}  // namespace drav
