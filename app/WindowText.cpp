#include "app/WindowText.h"

#include "platform/Sjis.h"

QString FromSjis(const std::string& sjis) { return QString::fromStdString(platform::SjisToUtf8(sjis)); }

std::optional<std::string> ToSjis(const QString& text) { return platform::Utf8ToSjis(text.toStdString()); }
