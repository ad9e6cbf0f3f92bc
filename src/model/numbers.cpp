#include "model/numbers.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "model/error.h"

namespace drav {

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

}  // namespace

bool HasIntegerSyntax(std::string_view text) {
  std::string_view s = TrimBlanks(text);
  if (!s.empty() && (s.front() == '+' || s.front() == '-')) s.remove_prefix(1);
  if (s.empty()) return false;
  for (char c : s)
    if (!IsDigit(c)) return false;
  return true;
}

std::optional<int> TryStrictInt(std::string_view text) {
  std::string_view s = TrimBlanks(text);
  bool negative = false;
  if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
    negative = s.front() == '-';
    s.remove_prefix(1);
  }
  if (s.empty()) return std::nullopt;
  std::int64_t value = 0;
  for (char c : s) {
    if (!IsDigit(c)) return std::nullopt;
    value = value * 10 + (c - '0');
    if (value > 2147483648LL) return std::nullopt;
  }
  if (negative) value = -value;
  if (value > 2147483647LL || value < -2147483648LL) return std::nullopt;
  return static_cast<int>(value);
}

int LenientInt(std::string_view text, int fallback) {
  auto v = TryStrictInt(text);
  return v ? *v : fallback;
}

int StrictInt(std::string_view text) {
  auto v = TryStrictInt(text);
  if (!v) throw DravError("'" + std::string(text) + "' is not a valid integer value");
  return *v;
}

std::optional<double> TryStrictDecimal(std::string_view text) {
  std::string_view s = TrimBlanks(text);
  std::size_t i = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  std::size_t digits = 0;
  while (i < s.size() && IsDigit(s[i])) ++i, ++digits;
  if (i < s.size() && s[i] == '.') {
    ++i;
    while (i < s.size() && IsDigit(s[i])) ++i, ++digits;
  }
  if (digits == 0) return std::nullopt;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    ++i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    std::size_t expDigits = 0;
    while (i < s.size() && IsDigit(s[i])) ++i, ++expDigits;
    if (expDigits == 0) return std::nullopt;
  }
  if (i != s.size()) return std::nullopt;
  // from_chars rejects a leading '+', and is locale-independent.
  std::string_view body = s;
  if (!body.empty() && body.front() == '+') body.remove_prefix(1);
  double value = 0;
  auto [ptr, ec] = std::from_chars(body.data(), body.data() + body.size(), value);
  if (ec != std::errc() || ptr != body.data() + body.size() || !std::isfinite(value))
    return std::nullopt;
  return value;
}

double StrictDecimal(std::string_view text) {
  auto v = TryStrictDecimal(text);
  if (!v) throw DravError("'" + std::string(text) + "' is not a valid floating point value");
  return *v;
}

std::size_t FormatGInto(double value, char* buf) {
  // Whole numbers below a million (games played, mostly 0 and 1) read the same in %g form as
  // as integers, and the integer path is several times cheaper; -0 keeps its sign below.
  if (value > -1e6 && value < 1e6 && (value != 0 || !std::signbit(value)) &&
      value == static_cast<double>(static_cast<long>(value)))
    return static_cast<std::size_t>(std::to_chars(buf, buf + 64, static_cast<long>(value)).ptr -
                                    buf);
  auto [ptr, ec] = std::to_chars(buf, buf + 64, value, std::chars_format::general, 6);
  if (ec != std::errc()) {
    buf[0] = '0';
    return 1;
  }
  return static_cast<std::size_t>(ptr - buf);
}

std::string FormatG(double value) {
  char buf[64];
  return std::string(buf, FormatGInto(value, buf));
}

namespace {

int DecimalDigits(std::uint64_t value) {
  int count = 1;
  for (std::uint64_t bound = 10; count < 20 && value >= bound; bound *= 10) ++count;
  return count;
}

// Writes the size characters of (sign) whole digits (. decimals) into out, from the
// digits of value, the last first. Up to 8 characters are gathered in a register and
// stored at once, so that copying them on (8 bytes at a time) reads them straight back;
// out may be written up to 8 bytes whatever size is.
void PutDigits(std::uint64_t value, int decimals, bool negative, std::size_t size, char* out) {
  if constexpr (std::endian::native == std::endian::little) {
    if (size <= 8) {
      std::uint64_t word = 0;
      for (int i = 0; i < decimals; ++i, value /= 10) word = word << 8 | ('0' + value % 10);
      if (decimals > 0) word = word << 8 | '.';
      do {
        word = word << 8 | ('0' + value % 10);
        value /= 10;
      } while (value != 0);
      if (negative) word = word << 8 | '-';
      std::memcpy(out, &word, 8);
      return;
    }
  }
  char* p = out + size;
  for (int i = 0; i < decimals; ++i, value /= 10) *--p = static_cast<char>('0' + value % 10);
  if (decimals > 0) *--p = '.';
  do {
    *--p = static_cast<char>('0' + value % 10);
    value /= 10;
  } while (value != 0);
  if (negative) *--p = '-';
}

// Figures with few decimals, the bulk of a report, without the general conversion. value
// * 10^decimals below 2^31 is within 2.4e-7 of the exact product, so when it is more than
// 1e-6 away from a tie, rounding it to the nearest integer gives printf's digits. Returns
// the length written, 0 where the general conversion is needed.
std::size_t FormatFixedQuickly(double value, int decimals, char* out) {
  static constexpr double kScale[] = {1, 10, 100, 1e3, 1e4, 1e5, 1e6};
  if (decimals < 0 || decimals > 6 || !(std::fabs(value) < 2147.0)) return 0;
  const double scaled = std::fabs(value) * kScale[decimals];
  const double whole = std::floor(scaled);
  const double fraction = scaled - whole;
  if (std::fabs(fraction - 0.5) <= 1e-6) return 0;
  const auto digits = static_cast<std::uint32_t>(whole) + (fraction > 0.5 ? 1u : 0u);
  const bool negative = std::signbit(value);
  const std::size_t size = (negative ? 1u : 0u) +
                           static_cast<std::size_t>(std::max(DecimalDigits(digits) - decimals, 1)) +
                           (decimals > 0 ? static_cast<std::size_t>(decimals) + 1 : 0u);
  PutDigits(digits, decimals, negative, size, out);
  return size;
}

}  // namespace

std::size_t FormatFixedInto(double value, int decimals, char* out) {
  if (const std::size_t size = FormatFixedQuickly(value, decimals, out)) return size;
  std::memset(out, 0, 8);  // the quick path always sets 8 bytes; so does this one
  auto [ptr, ec] =
      std::to_chars(out, out + kFixedTextRoom, value, std::chars_format::fixed, decimals);
  if (ec != std::errc()) {
    out[0] = '0';
    return 1;
  }
  return static_cast<std::size_t>(ptr - out);
}

std::string FormatFixed(double value, int decimals) {
  char text[kFixedTextRoom];
  return std::string(text, FormatFixedInto(value, decimals, text));
}

NumberText NumberText::Integer(std::int64_t value) {
  NumberText text;
  // The magnitude as unsigned, so that the most negative value has one too.
  const std::uint64_t magnitude =
      value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
  text.size_ = (value < 0 ? 1u : 0u) + static_cast<std::size_t>(DecimalDigits(magnitude));
  PutDigits(magnitude, 0, value < 0, text.size_, text.text_);
  return text;
}

NumberText NumberText::Word(std::string_view word) {
  NumberText text;
  std::memset(text.text_, 0, kCopied);
  text.size_ = std::min(word.size(), kFixedTextRoom);
  std::memcpy(text.text_, word.data(), text.size_);
  return text;
}

}  // namespace drav
