#include "web/html.h"

namespace drav {

std::string HtmlEscape(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::string LinkBaseOf(std::string_view basePath) {
  const std::size_t slash = basePath.find_last_of("/\\");
  std::string_view last = slash == std::string_view::npos ? basePath : basePath.substr(slash + 1);
  std::string out;
  out.reserve(last.size());
  for (char c : last) {
    if (c == ' ')
      out += "%20";
    else
      out += c;
  }
  return out;
}

}  // namespace drav
