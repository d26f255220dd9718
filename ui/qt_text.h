#pragma once

#include <QString>

#include <string_view>

namespace pranoth {

// The program's own texts are byte strings, one Latin-1 byte a character.
inline QString fromLatin1(std::string_view text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

inline QString fromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string toUtf8(const QString &text)
{
    return text.toStdString();
}

// The program's texts break lines with CR LF (or a lone CR); Qt's with LF.
inline QString withLineFeeds(QString converted)
{
    converted.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    converted.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return converted;
}

} // namespace pranoth
