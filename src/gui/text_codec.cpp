#include "gui/text_codec.h"

#include <QStringDecoder>

namespace drav::gui {

namespace {

// Windows-1252 bytes 0x80..0x9F; the five undefined ones map as ISO-8859-1 does.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QString FromWindows1252(const std::string& bytes) {
  QString text;
  text.reserve(static_cast<qsizetype>(bytes.size()));
  for (unsigned char c : bytes) {
    if (c >= 0x80 && c < 0xA0)
      text += QChar(kCp1252High[c - 0x80]);
    else
      text += QChar(static_cast<char16_t>(c));
  }
  return text;
}

}  // namespace

QString ToQt(const std::string& bytes) {
  QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString text = decoder.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
  if (decoder.hasError()) return FromWindows1252(bytes);
  return text;
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
