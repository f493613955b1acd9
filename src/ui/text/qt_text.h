#pragma once

#include "core/res/string_table.h"

#include <QString>
#include <QStringList>

#include <string>
#include <vector>

// The core's UTF-8 texts as Qt texts and back.
inline QString qtText(const std::string& utf8)
{
    return QString::fromStdString(utf8);
}

inline std::string coreText(const QString& text)
{
    return text.toStdString();
}

// String table entry `id` in `language`, with its arguments filled.
inline QString qtMessage(MessageId id, Language language, const std::vector<std::string>& args = {})
{
    return qtText(formatMessage(id, language, args));
}
