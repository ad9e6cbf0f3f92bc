#pragma once

#include <string>

#include "model/tournament.h"

namespace drav {

class LineReader;

// The first line of the section of our own that follows the described sections.
inline constexpr const char* kExtensionsHeader = "[DRAV extensions]";

// True when the tournament holds anything the described file cannot (a stage, a tiebreaker
// mark or setting, a score-only game, a posting protocol other than plain FTP, a match file taken in, the modern
// report style).
bool HasExtensions(const Tournament& t);

// Appends the section (CR LF lines) when HasExtensions; otherwise appends nothing.
void WriteExtensionSection(const Tournament& t, std::string& out);

// Reads the section when the next line starts it, onto t (whose teams and games are already
// read). Blocks of unknown name are skipped. A count past the end throws "The file ends
// early"; a block whose lines make no sense throws a DravError naming the block.
void ReadExtensionSection(LineReader& in, Tournament& t);

}  // namespace drav
