#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace drav {

// Names from the tournament (tournament, teams, players, divisions, packets) are
// written through this: & < > " become &amp; &lt; &gt; &quot;, so a team called
// "<script>" shows as text instead of becoming markup. Every character beyond ASCII
// (the name decoded by DecodeName) becomes a decimal reference such as &#233;, so the
// page reads right whatever charset a browser or web host assumes.
std::string HtmlEscape(std::string_view text);

// A link address: & < > " as in HtmlEscape, every other byte as it is.
std::string HtmlEscapeLink(std::string_view address);

// A file name as it stands in a link address: every byte that could end an attribute or
// change what the address means (space, tab and the other control bytes, " ' < > ` # ?
// %) is written as %XX, upper-case hex; every other byte stays as it is, so names that
// were safe keep their bytes.
std::string EncodeLinkName(std::string_view name);

// The last component of a path (after the last '/' or '\'), through EncodeLinkName.
// Links between the report's pages all start with it.
std::string LinkBaseOf(std::string_view basePath);

namespace web {

// Page text is built in memory; every line ends in CR LF.
inline constexpr std::string_view kLineEnd = "\r\n";

template <typename... Parts>
void Line(std::string& page, const Parts&... parts) {
  (page.append(parts), ...);
  page.append(kLineEnd);
}

// Integers print in plain decimal.
inline std::string Num(std::int64_t value) {
  return std::to_string(value);
}

}  // namespace web
}  // namespace drav
