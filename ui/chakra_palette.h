#pragma once

#include "core/chakra.h"

#include <QColor>
#include <QCoreApplication>
#include <QString>

#include <array>

namespace pranoth {

// The colours and short names of the result's bar chart, by chakra index, and
// the colours of its introduction, wherever a result is shown: the result
// window, the printed result and My History.
inline constexpr std::array<QColor, ChakraCount> ChakraBarColours{{
    {255, 0, 0},
    {255, 128, 0},
    {255, 255, 0},
    {0, 128, 0},
    {0, 0, 255},
    {68, 51, 164},
    {154, 100, 236},
}};

inline constexpr std::array<const char *, ChakraCount> ChakraShortNames{
    QT_TRANSLATE_NOOP("ChakraNames", "Root"),   QT_TRANSLATE_NOOP("ChakraNames", "Sacral"),
    QT_TRANSLATE_NOOP("ChakraNames", "Navel"),  QT_TRANSLATE_NOOP("ChakraNames", "Heart"),
    QT_TRANSLATE_NOOP("ChakraNames", "Throat"), QT_TRANSLATE_NOOP("ChakraNames", "Third Eye"),
    QT_TRANSLATE_NOOP("ChakraNames", "Crown")};

// The colours of the result report (entries 0, 3 and 4 of the classic
// 16-colour palette) and of its introduction.
inline constexpr QColor ReportBlack{0, 0, 0};
inline constexpr QColor ReportTeal{0, 128, 128};
inline constexpr QColor ReportDarkRed{128, 0, 0};
inline constexpr QColor IntroductionText{128, 0, 128};
inline constexpr QColor IntroductionBackground{255, 192, 255};

// "Root", "Sacral", ... as the user's language has them.
inline QString chakraShortName(int chakra)
{
    return QCoreApplication::translate("ChakraNames", ChakraShortNames[asIndex(chakra)]);
}

} // namespace pranoth
