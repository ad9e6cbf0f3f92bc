#pragma once

#include <QString>
#include <QStringList>
#include <string>
#include <vector>

namespace drav::gui {

// Where the tournament's byte strings meet Qt's text. Bytes are decoded by DecodeName
// (model/text_codec.h), the same rule the web pages use; what the user types is stored as
// UTF-8.
QString ToQt(const std::string& bytes);
std::string FromQt(const QString& text);

QStringList ToQt(const std::vector<std::string>& lines);

}  // namespace drav::gui
