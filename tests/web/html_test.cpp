#include "web/html.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace drav::web {
namespace {

using drav::HtmlEscapeLink;

// Gathered lines reach the page in order, however long, whatever mix of parts.
TEST(LineRun, WritesWhatLineAndAppendWouldInTheirOrder) {
  std::string expected = "head\r\n";
  std::string page = "head\r\n";
  {
    LineRun run(page);
    const std::string longName(20000, 'x');  // longer than the run gathers at once
    for (int i = 0; i < 3000; ++i) {
      run.Put("<td>", NumberText::Integer(i - 1500), " ");
      run.Line(NumberText::Fixed(i / 7.0, 2), "</td>");
      expected += "<td>" + std::to_string(i - 1500) + " " + FormatFixed(i / 7.0, 2) + "</td>\r\n";
      if (i % 1000 == 0) {
        run.Line("<b>", longName, "</b>");
        run.Put(longName);
        expected += "<b>" + longName + "</b>\r\n" + longName;
      }
    }
  }
  EXPECT_EQ(page, expected);
}

// An address keeps every byte but the four of markup, wherever they stand.
TEST(HtmlEscapeLink, EscapesMarkupAndKeepsTheRunsBetween) {
  const struct {
    const char* address;
    const char* escaped;
  } cases[] = {
      {"", ""},
      {"plain_r1.html", "plain_r1.html"},
      {"&start", "&amp;start"},
      {"end\"", "end&quot;"},
      {"a<b>c&&d", "a&lt;b&gt;c&amp;&amp;d"},
      {"caf\xc3\xa9 #1?x=%20", "caf\xc3\xa9 #1?x=%20"},
  };
  for (const auto& c : cases) EXPECT_EQ(HtmlEscapeLink(c.address), c.escaped) << c.address;
}

TEST(LineRun, AddsNothingWhenLeftByAnException) {
  std::string page = "head";
  try {
    LineRun run(page);
    run.Line("half a row");
    throw std::runtime_error("stop");
  } catch (const std::runtime_error&) {
  }
  EXPECT_EQ(page, "head");
}

}  // namespace
}  // namespace drav::web
