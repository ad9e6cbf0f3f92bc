#include "model/text_codec.h"

namespace drav {

namespace {

// Windows-1252 bytes 0x80..0x9F; the undefined 0x81 0x8D 0x8F 0x90 0x9D keep their number.
constexpr char32_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// Decodes the UTF-8 sequence at bytes[i], advancing i; false when it is not well formed.
bool NextUtf8(std::string_view bytes, std::size_t& i, char32_t& out) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(bytes[k]); };
  const unsigned char lead = byte(i);
  std::size_t length = 0;
  char32_t value = 0, minimum = 0;
  if (lead < 0x80) {
    out = lead;
    ++i;
    return true;
  } else if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, value = lead & 0x1Fu, minimum = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, value = lead & 0x0Fu, minimum = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, value = lead & 0x07u, minimum = 0x10000;
  } else {
    return false;
  }
  if (bytes.size() - i < length) return false;
  for (std::size_t k = 1; k < length; ++k) {
    const unsigned char c = byte(i + k);
    if ((c & 0xC0u) != 0x80u) return false;
    value = (value << 6) | (c & 0x3Fu);
  }
  if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return false;
  out = value;
  i += length;
  return true;
}

}  // namespace

bool IsValidUtf8(std::string_view bytes) {
  char32_t ignored = 0;
  for (std::size_t i = 0; i < bytes.size();)
    if (!NextUtf8(bytes, i, ignored)) return false;
  return true;
}

std::u32string DecodeName(std::string_view bytes) {
  std::u32string text;
  text.reserve(bytes.size());
  if (IsValidUtf8(bytes)) {
    char32_t c = 0;
    for (std::size_t i = 0; i < bytes.size();) {
      NextUtf8(bytes, i, c);
      text += c;
    }
    return text;
  }
  for (char byte : bytes) {
    const auto c = static_cast<unsigned char>(byte);
    text += (c >= 0x80 && c < 0xA0) ? kCp1252High[c - 0x80] : char32_t{c};
  }
  return text;
}

std::string EncodeUtf8(std::u32string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char32_t c : text) {
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (c >> 18));
      out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

}  // namespace drav
