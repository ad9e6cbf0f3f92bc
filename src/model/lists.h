#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/tournament.h"

namespace drav {

// The lines of a multi-line text box: split at CR LF, LF or a lone CR. A line break at
// the very end does not start another line, so "a\r\nb\r\n" has two lines and "" none.
std::vector<std::string> MemoLines(std::string_view text);

// The text a multi-line text box shows for a list: every entry followed by CR LF.
std::string MemoText(const std::vector<std::string>& lines);

// Divisions "Enter": DivisionNames becomes the non-empty lines, in order. TeamDivision
// is not touched: a team's division is a position, so it now names whatever stands at
// that position (or nothing, past the end of the list).
void EnterDivisionNames(Tournament& t, const std::vector<std::string>& lines);

// Packet names "Enter": PacketNames becomes every line, empty lines included, so that
// later rounds keep their packets.
void EnterPacketNames(Tournament& t, const std::vector<std::string>& lines);

}  // namespace drav
