// Results for submission: one CSV line a game, and the pre-flight check that comes first.
#pragma once

#include <string>
#include <vector>

#include "model/tournament.h"

namespace drav {

// The header line of the results CSV (without its line end).
inline constexpr const char* kResultsCsvHeader =
    "Round,Packet,Team A,Score A,Team B,Score B,Forfeit,Overtime";

// The whole CSV: the header, then one line a game in round order (games of one round in
// stored order), full and score-only alike. Lines end in CR LF; names are UTF-8 and quoted
// when they hold a comma, a quote or a line break. The packet is the round's packet name,
// a forfeit has empty scores, and the marks are 1 or 0.
std::string ResultsCsv(const Tournament& t);

// What a results database needs and this tournament lacks, one sentence each: games
// without a round, games with no score, the same two teams twice in a round, and (when
// registered names are given) teams whose name is not among them. Empty when all is well.
std::vector<std::string> ResultsPreflight(const Tournament& t,
                                          const std::vector<std::string>* registered = nullptr);

}  // namespace drav
