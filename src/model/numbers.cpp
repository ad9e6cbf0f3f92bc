#include "model/numbers.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>

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

// Figures with few decimals, the bulk of a report, without the general conversion. value
// * 10^decimals below 2^31 is within 2.4e-7 of the exact product, so when it is more than
// 1e-6 away from a tie, rounding it to the nearest integer gives printf's digits.
bool FormatFixedQuickly(double value, int decimals, std::string& out) {
  static constexpr double kScale[] = {1, 10, 100, 1e3, 1e4, 1e5, 1e6};
  if (decimals < 0 || decimals > 6 || !(std::fabs(value) < 2147.0)) return false;
  const double scaled = std::fabs(value) * kScale[decimals];
  const double whole = std::floor(scaled);
  const double fraction = scaled - whole;
  if (std::fabs(fraction - 0.5) <= 1e-6) return false;
  auto digits = static_cast<std::uint32_t>(whole) + (fraction > 0.5 ? 1u : 0u);
  char buf[24];
  char* p = buf + sizeof buf;
  for (int i = 0; i < decimals; ++i, digits /= 10) *--p = static_cast<char>('0' + digits % 10);
  if (decimals > 0) *--p = '.';
  do {
    *--p = static_cast<char>('0' + digits % 10);
    digits /= 10;
  } while (digits != 0);
  if (std::signbit(value)) *--p = '-';
  out.assign(p, buf + sizeof buf);
  return true;
}

}  // namespace

std::string FormatFixed(double value, int decimals) {
  std::string quick;
  if (FormatFixedQuickly(value, decimals, quick)) return quick;
  char buf[400];
  auto [ptr, ec] = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
  if (ec != std::errc()) return "0";
  return std::string(buf, ptr);
}

}  // namespace drav
