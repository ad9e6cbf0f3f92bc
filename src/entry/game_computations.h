#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "model/game_stats.h"

namespace drav::entry {

// Games played typed as a decimal ("1", "0.5", ".75") or a fraction ("1/2", "2/3").
// Empty text, or text holding anything but digits, '/' and '.', or more than one '/' or
// '.', or both, reads as 0. Throws DravError for a lone "." (not a number) and for a zero
// denominator ("1/0").
double ParseGamesPlayed(std::string_view text);

// A games-played amount as the entry window shows it: general form, at most 15
// significant digits, no trailing zeros (1, 0.5, 0.333333333333333).
std::string FormatGamesPlayed(double amount);

// A 64-bit result kept in a 32-bit field wraps the way 32-bit arithmetic would.
inline int Wrap32(std::int64_t value) { return static_cast<int>(static_cast<std::int32_t>(value)); }

// Toss-up points of one row: v0*Q0 + v1*Q1 + v2*Q2 + v3*Q3, in 64 bits (wrapping beyond).
std::int64_t RowPointsOf(const std::array<int, kColumns>& values,
                         const std::array<int, kColumns>& counts);

}  // namespace drav::entry
