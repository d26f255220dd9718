#pragma once

#include "chakra.h"
#include "rich_text.h"

#include <array>

namespace pranoth {

// The colours and short names of the result's bar chart, by chakra index, and
// the colours of its introduction, wherever the result is shown.
inline constexpr std::array<Rgb, ChakraCount> ChakraBarColours{{
    {255, 0, 0},
    {255, 128, 0},
    {255, 255, 0},
    {0, 128, 0},
    {0, 0, 255},
    {68, 51, 164},
    {154, 100, 236},
}};

inline constexpr std::array<const char *, ChakraCount> ChakraShortNames{
    "Root", "Sacral", "Navel", "Heart", "Throat", "Third Eye", "Crown"};

inline constexpr Rgb IntroductionText{128, 0, 128};
inline constexpr Rgb IntroductionBackground{255, 192, 255};

} // namespace pranoth
