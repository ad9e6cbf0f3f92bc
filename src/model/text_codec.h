#pragma once

#include <string>
#include <string_view>

namespace drav {

// Names are stored as bytes: UTF-8 from the desktop program and QBJ imports, Windows-1252
// from files of older versions. Every place that shows a name (pages, windows) decodes it
// here, by one rule: UTF-8 when the whole name is valid UTF-8, otherwise Windows-1252 byte
// by byte (the five bytes it leaves undefined stand for the characters of the same number).
std::u32string DecodeName(std::string_view bytes);

// True when the bytes are well-formed UTF-8 (no overlong forms, surrogates or values past
// U+10FFFF).
bool IsValidUtf8(std::string_view bytes);

// The characters as UTF-8.
std::string EncodeUtf8(std::u32string_view text);

}  // namespace drav
