#include "entry/box_rules.h"

#include <cstdint>

namespace drav::entry {

namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// A run of digits whose value fits a signed 32-bit integer (negative allows one more).
bool DigitsFit(std::string_view digits, bool negative) {
  std::int64_t value = 0;
  for (char c : digits) {
    if (!IsDigit(c)) return false;
    value = value * 10 + (c - '0');
    if (value > INT32_MAX + std::int64_t{negative ? 1 : 0}) return false;
  }
  return true;
}

}  // namespace

bool IsIntegerBoxText(std::string_view text) {
  const bool negative = !text.empty() && text.front() == '-';
  if (negative) text.remove_prefix(1);
  return DigitsFit(text, negative);
}

bool IsGamesPlayedBoxText(std::string_view text) {
  int separators = 0;
  std::size_t runStart = 0;
  for (std::size_t i = 0; i <= text.size(); ++i) {
    if (i < text.size() && IsDigit(text[i])) continue;
    if (!DigitsFit(text.substr(runStart, i - runStart), false)) return false;
    if (i == text.size()) break;
    if ((text[i] != '.' && text[i] != '/') || ++separators > 1) return false;
    runStart = i + 1;
  }
  return true;
}

}  // namespace drav::entry
