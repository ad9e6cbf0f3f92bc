#pragma once

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

}  // namespace drav
