#include "gui/text_codec.h"

#include "model/text_codec.h"

namespace drav::gui {

QString ToQt(const std::string& bytes) {
  const std::u32string text = DecodeName(bytes);
  return QString::fromUcs4(text.data(), static_cast<qsizetype>(text.size()));
}

std::string FromQt(const QString& text) {
  const QByteArray utf8 = text.toUtf8();
  return std::string(utf8.constData(), static_cast<std::size_t>(utf8.size()));
}

QStringList ToQt(const std::vector<std::string>& lines) {
  QStringList list;
  list.reserve(static_cast<qsizetype>(lines.size()));
  for (const std::string& line : lines) list << ToQt(line);
  return list;
}

}  // namespace drav::gui
