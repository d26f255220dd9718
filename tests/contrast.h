#pragma once

// WCAG 2's contrast ratio, worked out here by the tests from its definition.

#include <QColor>

#include <algorithm>
#include <cmath>

namespace pranoth::testing {

inline double relativeLuminance(const QColor &colour)
{
    const auto linear = [](double c) {
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
           0.0722 * linear(colour.blueF());
}

// From 1 (the same luminance) to 21 (black on white).
inline double contrast(const QColor &a, const QColor &b)
{
    const double one = relativeLuminance(a);
    const double other = relativeLuminance(b);
    return (std::max(one, other) + 0.05) / (std::min(one, other) + 0.05);
}

} // namespace pranoth::testing
