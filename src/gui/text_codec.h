#pragma once

#include <QString>
#include <QStringList>
#include <string>
#include <vector>

namespace drav::gui {

// The one place where the tournament's byte strings meet Qt's text. Bytes are shown as
// UTF-8; a string that is not valid UTF-8 (older files written on Windows) is shown as
// Windows-1252. What the user types is stored as UTF-8.
QString ToQt(const std::string& bytes);
std::string FromQt(const QString& text);

QStringList ToQt(const std::vector<std::string>& lines);

}  // namespace drav::gui
