#pragma once

#include <cstdint>
#include <cstring>
#include <exception>
#include <string>
#include <string_view>

#include "model/numbers.h"

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

// A char array part is a string literal: its length comes from its type, not from strlen,
// and its copy has a size known at compile time.
template <std::size_t N>
constexpr std::size_t PartSize(const char (&)[N]) {
  return N - 1;
}
inline std::size_t PartSize(std::string_view text) {
  return text.size();
}
template <std::size_t N>
void PutPart(char*& out, const char (&literal)[N]) {
  std::memcpy(out, literal, N - 1);
  out += N - 1;
}
inline void PutPart(char*& out, std::string_view text) {
  if (!text.empty()) std::memcpy(out, text.data(), text.size());
  out += text.size();
}

// A page is millions of short lines: each is measured once and copied into place.
template <typename... Parts>
void Line(std::string& page, const Parts&... parts) {
  const std::size_t at = page.size();
  page.resize(at + (PartSize(parts) + ... + kLineEnd.size()));  // grows by doubling
  char* out = page.data() + at;
  (PutPart(out, parts), ...);
  out[0] = '\r';
  out[1] = '\n';
}

// Lines gathered on the stack and added to the page a few kilobytes at a time, for the
// rows of figures that make up most of a large page: growing the page once per line costs
// more than writing the line. Whatever is gathered reaches the page when the run ends
// (or at Flush); a run ended by an exception adds nothing.
class LineRun {
 public:
  explicit LineRun(std::string& page) : page_(page), exceptions_(std::uncaught_exceptions()) {}
  // May throw (the page may fail to grow), and never while an exception unwinds it.
  ~LineRun() noexcept(false) {
    if (std::uncaught_exceptions() == exceptions_) Flush();
  }
  LineRun(const LineRun&) = delete;
  LineRun& operator=(const LineRun&) = delete;

  // As web::Line, and Put without the line end.
  template <typename... Parts>
  void Line(const Parts&... parts) {
    char* out = Room((PartSize(parts) + ... + kLineEnd.size()));
    if (!out) return web::Line(page_, parts...);
    (PutFast(out, parts), ...);
    out[0] = '\r';
    out[1] = '\n';
  }
  template <typename... Parts>
  void Put(const Parts&... parts) {
    char* out = Room((PartSize(parts) + ...));
    if (!out) {
      (page_.append(parts), ...);
      return;
    }
    (PutFast(out, parts), ...);
  }
  void Flush() {
    page_.append(buffer_, used_);
    used_ = 0;
  }

 private:
  // A figure is copied at its full fixed width into the slack beyond the gathered bytes;
  // what follows overwrites the excess.
  static void PutFast(char*& out, const NumberText& figure) {
    if (figure.size() <= NumberText::kCopied) {
      std::memcpy(out, figure.data(), NumberText::kCopied);
      out += figure.size();
    } else {
      PutPart(out, figure);
    }
  }
  template <typename Part>
  static void PutFast(char*& out, const Part& part) {
    PutPart(out, part);
  }

  // Where size more bytes go, or null for a line too long to gather (after a flush).
  char* Room(std::size_t size) {
    if (size > kGathered - used_) {
      Flush();
      if (size > kGathered) return nullptr;
    }
    char* out = buffer_ + used_;
    used_ += size;
    return out;
  }

  std::string& page_;
  const int exceptions_;
  std::size_t used_ = 0;
  static constexpr std::size_t kGathered = 8192;
  char buffer_[kGathered + NumberText::kCopied];  // with slack for PutFast
};

// Integers print in plain decimal.
inline std::string Num(std::int64_t value) {
  return std::to_string(value);
}

}  // namespace web
}  // namespace drav
