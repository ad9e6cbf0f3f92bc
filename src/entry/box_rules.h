#pragma once

#include <string_view>

namespace drav::entry {

// What the number boxes of the entry windows let the user type. Reading files keeps its
// lenient rules; these only refuse junk as it is typed or pasted. A text on its way to a
// number ("" or "-") is allowed.

// Count and score boxes: digits with an optional leading '-', within the 32-bit range.
bool IsIntegerBoxText(std::string_view text);

// Games-played boxes: digits with at most one '.' or one '/' ("1", ".5", "1/2"), each run
// of digits within the 32-bit range.
bool IsGamesPlayedBoxText(std::string_view text);

}  // namespace drav::entry
