#pragma once

#include <string>
#include <string_view>

namespace drav {

// The tournament file has no magic number, so it is known by its count lines: the team
// count, each team's string count and the game count must each be an integer (blanks, an
// optional sign, digits) wherever the file reaches them. Lines past the end don't count:
// an empty file or one cut short is still a tournament file.
bool LooksLikeTournamentFile(std::string_view contents);

// Throws DravError "<path> is not a DRAV tournament file" unless contents pass the test.
void RequireTournamentFile(std::string_view contents, const std::string& path);

}  // namespace drav
