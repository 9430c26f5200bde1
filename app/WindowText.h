// The window layer's text border: Qt's text to and from the Shift-JIS bytes the workflow keeps.
#pragma once

#include <QString>
#include <optional>
#include <string>

QString FromSjis(const std::string& sjis);
std::optional<std::string> ToSjis(const QString& text);  // nullopt: the text has no Shift-JIS form
