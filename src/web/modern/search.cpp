#include <chrono>
#include <cstdio>
#include <ctime>
#include <exception>
#include <string>

#include "model/text_codec.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "web/html.h"
#include "web/modern/site.h"

namespace drav::modern {

namespace {

// A name (or address) for a script: quoted, decoded as names are, with every character
// beyond printable ASCII and those that could end the script or the string (< > & " ' \)
// as \u escapes.
void JsString(std::string& out, std::string_view bytes) {
  static constexpr char kHex[] = "0123456789abcdef";
  out += '"';
  auto unit = [&](unsigned v) {
    out += "\\u";
    for (int shift = 12; shift >= 0; shift -= 4) out += kHex[(v >> shift) & 0xF];
  };
  auto put = [&](char32_t c) {
    if (c >= 0x20 && c < 0x7F && c != '<' && c != '>' && c != '&' && c != '"' && c != '\'' &&
        c != '\\') {
      out += static_cast<char>(c);
    } else if (c < 0x10000) {
      unit(static_cast<unsigned>(c));
    } else {
      const char32_t v = c - 0x10000;
      unit(static_cast<unsigned>(0xD800 + (v >> 10)));
      unit(static_cast<unsigned>(0xDC00 + (v & 0x3FF)));
    }
  };
  for (char32_t c : DecodeName(bytes)) put(c);
  out += '"';
}

}  // namespace

std::string ReportTimeText() {
  std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
  bool utc = false;
  if (const auto fixed = platform::EnvironmentVariable("SOURCE_DATE_EPOCH");
      fixed && !fixed->empty()) {
    try {
      now = static_cast<std::time_t>(std::stoll(*fixed));
      utc = true;
    } catch (const std::exception&) {
      // Not a number: the clock's own time.
    }
  }
  const std::tm when = platform::CalendarTime(now, utc);
  static constexpr const char* kMonths[] = {"January",   "February", "March",    "April",
                                            "May",       "June",     "July",     "August",
                                            "September", "October",  "November", "December"};
  char clock[8];
  std::snprintf(clock, sizeof clock, "%02d:%02d", when.tm_hour % 100, when.tm_min % 100);
  return std::to_string(when.tm_mday) + " " + kMonths[(when.tm_mon % 12 + 12) % 12] + " " +
         std::to_string(when.tm_year + 1900) + ", " + clock;
}

void WriteSearchData(std::string& page, const Site& site) {
  const Tournament& t = site.t;
  page += "\"use strict\";\nwindow.dravFind=[\n";
  auto entry = [&](std::string_view name, const char* kind, const std::string& file,
                   std::string_view team) {
    page += '[';
    JsString(page, name);
    page += ",\"";
    page += kind;
    page += "\",";
    JsString(page, site.linkBase + file);
    page += ',';
    JsString(page, team);
    page += "],\n";
  };
  for (int team = 0; team < t.TeamCount(); ++team) {
    if (!Covers(site, team)) continue;
    entry(t.TeamName(team), "t", TeamFile(site.addresses, team), "");
    const auto& logs = site.logs[static_cast<std::size_t>(team)];
    for (int p = 0; p < t.PlayerCount(team); ++p)
      if (logs[static_cast<std::size_t>(p)])
        entry(t.PlayerName(team, p), "p", PlayerFile(site.addresses, team, p), t.TeamName(team));
  }
  page += "];\n";
}

}  // namespace drav::modern
