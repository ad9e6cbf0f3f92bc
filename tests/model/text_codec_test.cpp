#include "model/text_codec.h"

#include <gtest/gtest.h>

#include <string>

namespace drav {
namespace {

TEST(TextCodec, WholeNameIsUtf8OrElseWindows1252ByteByByte) {
  struct Case {
    const char* bytes;
    std::u32string text;
  };
  const Case cases[] = {
      {"Jos\xc3\xa9 Mu\xc3\xb1oz", U"Jos\u00e9 Mu\u00f1oz"},
      {"\xe2\x9c\x93 \xf0\x9f\x8e\xb2", U"\u2713 \U0001F3B2"},
      {"Jos\xe9 Mu\xf1oz", U"Jos\u00e9 Mu\u00f1oz"},
      {"\x80\x93\x94\x9f", U"\u20ac\u201c\u201d\u0178"},
      // The five bytes Windows-1252 leaves undefined stand for the same code points.
      {"\x81\x8d\x8f\x90\x9d", U"\u0081\u008d\u008f\u0090\u009d"},
      // One bad sequence makes the whole name Windows-1252, valid pairs included.
      {"\xc3\xa9\xe9", U"\u00c3\u00a9\u00e9"},
      {"\xc0\xaf", U"\u00c0\u00af"},                      // overlong
      {"\xed\xa0\x80", U"\u00ed\u00a0\u20ac"},            // surrogate
      {"\xf4\x90\x80\x80", U"\u00f4\u0090\u20ac\u20ac"},  // past U+10FFFF
      {"\xc3", U"\u00c3"},                                // cut short
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bytes);
    EXPECT_EQ(DecodeName(c.bytes), c.text);
    if (IsValidUtf8(c.bytes)) {
      EXPECT_EQ(EncodeUtf8(c.text), c.bytes);
    }
  }
  EXPECT_EQ(DecodeName(""), U"");
  EXPECT_EQ(EncodeUtf8(U"\u00e9\u20ac\U0001F3B2"), "\xc3\xa9\xe2\x82\xac\xf0\x9f\x8e\xb2");
}

}  // namespace
}  // namespace drav
