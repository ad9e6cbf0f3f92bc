#pragma once

#include <string>
#include <string_view>

// UTF-8 and UTF-16 text for the wide-character Windows APIs. Invalid input becomes U+FFFD,
// as the Windows converters do.
namespace drav::platform {

std::u16string Utf16FromUtf8(std::string_view utf8);
std::string Utf8FromUtf16(std::u16string_view utf16);

}  // namespace drav::platform
