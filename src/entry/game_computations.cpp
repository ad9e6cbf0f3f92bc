#include "entry/game_computations.h"

#include <charconv>

#include "model/error.h"
#include "model/numbers.h"

namespace drav::entry {

double ParseGamesPlayed(std::string_view text) {
  if (text.empty()) return 0;
  int slashes = 0;
  int dots = 0;
  std::size_t lastSlash = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '/') {
      ++slashes;
      lastSlash = i;
    } else if (c == '.') {
      ++dots;
    } else if (c < '0' || c > '9') {
      return 0;
    }
  }
  if (slashes > 1 || dots > 1 || (slashes == 1 && dots == 1)) return 0;
  if (slashes == 0) return StrictDecimal(text);  // only a lone "." fails here
  const int numerator = LenientInt(text.substr(0, lastSlash), 0);
  const int denominator = LenientInt(text.substr(lastSlash + 1), 1);
  if (denominator == 0) throw DravError("'" + std::string(text) + "' divides by zero");
  return static_cast<double>(numerator) / static_cast<double>(denominator);
}

std::string FormatGamesPlayed(double amount) {
  char buf[64];
  auto [ptr, ec] = std::to_chars(buf, buf + sizeof buf, amount, std::chars_format::general, 15);
  if (ec != std::errc()) return "0";
  return std::string(buf, ptr);
}

std::int64_t RowPointsOf(const std::array<int, kColumns>& values,
                         const std::array<int, kColumns>& counts) {
  // Four products of 32-bit numbers can pass the 64-bit range: the sum wraps instead of
  // overflowing, and callers keep only the low 32 bits of a result that large.
  std::uint64_t points = 0;
  for (int k = 0; k < kColumns; ++k)
    points += static_cast<std::uint64_t>(static_cast<std::int64_t>(values[k]) * counts[k]);
  return static_cast<std::int64_t>(points);
}

}  // namespace drav::entry
