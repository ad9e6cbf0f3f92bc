#pragma once

#include <string>

namespace drav::test {

// True when the page holds this exact line (CR LF line ends on both sides).
inline bool HasLine(const std::string& page, const std::string& line) {
  if (page.rfind(line + "\r\n", 0) == 0) return true;
  return page.find("\r\n" + line + "\r\n") != std::string::npos;
}

inline int CountOf(const std::string& text, const std::string& piece) {
  int n = 0;
  for (std::size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1))
    ++n;
  return n;
}

}  // namespace drav::test
