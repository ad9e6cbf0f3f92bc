#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace drav {

// Lenient integer: surrounding blanks (space, tab) ignored, then an optional sign and one
// or more digits within the 32-bit range; anything else gives fallback.
int LenientInt(std::string_view text, int fallback);

// True when the text has the lenient integer's syntax (blanks, an optional sign, digits),
// whatever its value: a count line with this syntax but out of range is damage, not text.
bool HasIntegerSyntax(std::string_view text);

// Strict integer under the same grammar; nullopt when the text is not one.
std::optional<int> TryStrictInt(std::string_view text);
// As TryStrictInt, but throws DravError "'<text>' is not a valid integer value".
int StrictInt(std::string_view text);

// Strict decimal: surrounding blanks ignored, an optional sign, digits with an optional
// '.', at least one digit, then an optional exponent. nullopt otherwise (also for
// values out of the double range).
std::optional<double> TryStrictDecimal(std::string_view text);
// As TryStrictDecimal, but throws DravError "'<text>' is not a valid floating point value".
double StrictDecimal(std::string_view text);

// printf "%g" (6 significant digits), always with '.' whatever the process locale.
std::string FormatG(double value);
// FormatG's text written into buf (at least 64 bytes); returns its length.
std::size_t FormatGInto(double value, char* buf);
// printf "%.<decimals>f", always with '.'.
std::string FormatFixed(double value, int decimals);

// Room for any FormatFixed text of up to 6 decimals (the largest double has 309 digits).
inline constexpr std::size_t kFixedTextRoom = 400;
// FormatFixed's text written into out (kFixedTextRoom bytes, of which at least the first 8
// are set, text or not); returns its length.
std::size_t FormatFixedInto(double value, int decimals, char* out);

// A number's text held in place rather than in a string of its own: reports write
// figures by the million.
class NumberText {
 public:
  static NumberText Fixed(double value, int decimals) {
    NumberText text;
    text.size_ = FormatFixedInto(value, decimals, text.text_);
    return text;
  }
  static NumberText Integer(std::int64_t value);
  // A word standing where a figure would ("inf"); cut at kFixedTextRoom bytes.
  static NumberText Word(std::string_view word);

  operator std::string_view() const { return {text_, size_}; }
  std::size_t size() const { return size_; }
  // A text of up to kCopied bytes may be copied as kCopied bytes, text or not (a copy of
  // fixed length needs no call).
  static constexpr std::size_t kCopied = 8;
  const char* data() const { return text_; }
  std::string str() const { return std::string(text_, size_); }

 private:
  NumberText() = default;
  std::size_t size_ = 0;
  char text_[kFixedTextRoom];  // the first max(size_, kCopied) bytes are set
};

}  // namespace drav
