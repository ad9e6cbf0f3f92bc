#include "web/html.h"

#include "model/text_codec.h"

namespace drav {

namespace {

// The four bytes that markup escapes.
struct MarkupBytes {
  bool markup[256] = {};
  constexpr MarkupBytes() {
    markup[static_cast<unsigned char>('&')] = true;
    markup[static_cast<unsigned char>('<')] = true;
    markup[static_cast<unsigned char>('>')] = true;
    markup[static_cast<unsigned char>('"')] = true;
  }
};
constexpr MarkupBytes kMarkupBytes;

// & < > " as entities, every other byte as it is; the runs between them copied whole.
std::string EscapeMarkup(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  std::size_t from = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (!kMarkupBytes.markup[static_cast<unsigned char>(text[i])]) continue;
    out.append(text.substr(from, i - from));
    switch (text[i]) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      default:
        out += "&quot;";
    }
    from = i + 1;
  }
  out.append(text.substr(from));
  return out;
}

// ASCII other than & < > ": the bytes that every escape keeps as they are.
struct PlainBytes {
  bool plain[256] = {};
  constexpr PlainBytes() {
    for (int c = 0; c < 0x80; ++c) plain[c] = c != '&' && c != '<' && c != '>' && c != '"';
  }
};
constexpr PlainBytes kPlainBytes;

// Most names need no escape at all: one look at each byte finds that out.
bool IsPlain(std::string_view text) {
  for (char c : text)
    if (!kPlainBytes.plain[static_cast<unsigned char>(c)]) return false;
  return true;
}

bool IsAscii(std::string_view text) {
  for (char c : text)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

}  // namespace

std::string HtmlEscape(std::string_view text) {
  if (IsPlain(text)) return std::string(text);
  if (IsAscii(text)) return EscapeMarkup(text);
  // Beyond ASCII, a numeric reference reads the same under any charset a host declares.
  std::string out;
  out.reserve(text.size() * 2);
  for (char32_t c : DecodeName(text)) {
    if (c < 0x80) {
      const char ascii = static_cast<char>(c);
      out += EscapeMarkup(std::string_view(&ascii, 1));
    } else {
      out += "&#" + std::to_string(static_cast<std::uint32_t>(c)) + ";";
    }
  }
  return out;
}

std::string HtmlEscapeLink(std::string_view address) {
  return EscapeMarkup(address);
}

std::string EncodeLinkName(std::string_view name) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(name.size());
  for (char c : name) {
    const auto byte = static_cast<unsigned char>(c);
    // Blanks and control bytes would end an unquoted attribute (and with it let a name add
    // a handler of its own); quotes, < > and ` would end or break it in some reader; # ?
    // and % would make the rest of the name an anchor, a query or an escape.
    const bool unsafe = byte <= 0x20 || byte == 0x7F || c == '"' || c == '\'' || c == '<' ||
                        c == '>' || c == '`' || c == '#' || c == '?' || c == '%';
    if (unsafe) {
      out += '%';
      out += kHex[byte >> 4];
      out += kHex[byte & 0xF];
    } else {
      out += c;
    }
  }
  return out;
}

std::string LinkBaseOf(std::string_view basePath) {
  const std::size_t slash = basePath.find_last_of("/\\");
  return EncodeLinkName(slash == std::string_view::npos ? basePath : basePath.substr(slash + 1));
}

}  // namespace drav
