#include "model/lists.h"

namespace drav {

std::vector<std::string> MemoLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      lines.emplace_back(text.substr(start));
      break;
    }
    lines.emplace_back(text.substr(start, end - start));
    start = end + 1;
    if (text[end] == '\r' && start < text.size() && text[start] == '\n') ++start;
  }
  return lines;
}

std::string MemoText(const std::vector<std::string>& lines) {
  std::string text;
  for (const auto& line : lines) {
    text += line;
    text += "\r\n";
  }
  return text;
}

void EnterDivisionNames(Tournament& t, const std::vector<std::string>& lines) {
  t.DivisionNames.clear();
  for (const auto& line : lines)
    if (!line.empty()) t.DivisionNames.push_back(line);
}

void EnterPacketNames(Tournament& t, const std::vector<std::string>& lines) {
  t.PacketNames = lines;
}

}  // namespace drav
