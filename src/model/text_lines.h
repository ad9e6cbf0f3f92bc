#pragma once

// The lines of a text box typed by the director: blanks trimmed, blank lines skipped.

#include <cstddef>
#include <string_view>

namespace drav {

// s without leading spaces and tabs, nor trailing spaces, tabs and CRs.
inline std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
    s.remove_suffix(1);
  return s;
}

// Calls each(line, lineNumber) for every line of text that is not blank once trimmed;
// line numbers count the blank lines too, so an error names the line the director sees.
template <typename Each>
void ForEachFilledLine(std::string_view text, Each each) {
  int lineNumber = 0;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    const std::string_view line = TrimBlanks(text.substr(0, end));
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    ++lineNumber;
    if (!line.empty()) each(line, lineNumber);
  }
}

}  // namespace drav
