#include "platform/utf16.h"

#include <gtest/gtest.h>

namespace drav::platform {
namespace {

TEST(Utf16, NamesBeyondAsciiGoThereAndBack) {
  const std::string names[] = {"",
                               "tournoi.dat",
                               "Zo\xC3\xAB",
                               "\xC3\x89quipes \xC3\xA9t\xC3\xA9",
                               "\xE5\xA4\xA7\xE4\xBC\x9A",  // three-byte forms
                               "\xF0\x9F\x8F\x86 final"};   // a surrogate pair
  for (const std::string& name : names) {
    EXPECT_EQ(Utf8FromUtf16(Utf16FromUtf8(name)), name) << name;
  }
  EXPECT_EQ(Utf16FromUtf8("Zo\xC3\xAB"), u"Zo\u00EB");
  EXPECT_EQ(Utf16FromUtf8("\xF0\x9F\x8F\x86"), u"\U0001F3C6");
}

TEST(Utf16, InvalidTextBecomesReplacementCharacters) {
  struct Case {
    std::string utf8;
    std::u16string utf16;
  };
  const Case cases[] = {
      {"a\xFF"
       "b",
       u"a\uFFFDb"},                    // not a lead byte
      {"\xC3", u"\uFFFD"},              // cut short at the end
      {"\xC0\xAF", u"\uFFFD"},          // overlong slash
      {"\xED\xA0\x80", u"\uFFFD"},      // an encoded surrogate
      {"\xF4\x90\x80\x80", u"\uFFFD"},  // past U+10FFFF
  };
  for (const Case& c : cases) EXPECT_EQ(Utf16FromUtf8(c.utf8), c.utf16) << c.utf8;
  EXPECT_EQ(Utf8FromUtf16(u"a\xD800"
                          "b"),
            "a\xEF\xBF\xBD"
            "b");  // a lone surrogate
}

}  // namespace
}  // namespace drav::platform
