#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace drav {

// Paths and names that come from a file someone else may have sent: the style sheet, the
// page names, the match files of a watched folder.

// True when the name holds no control byte (0x00-0x1F, 0x7F). A NUL would cut the name
// where the system reads it, so "secret.txt\0.css" would open secret.txt; the others
// have no place in a file name and would break the lines and links that show it.
bool IsPlainName(std::string_view name);

// Reads a regular file, without following a symbolic link in its last component and
// without waiting on a FIFO or a device. Anything else (a link, a folder, a FIFO, a
// name holding a control byte, a file over maxBytes) throws DravError "Cannot open PATH".
std::string ReadRegularFile(const std::string& path, std::uint64_t maxBytes = UINT64_MAX);

}  // namespace drav
