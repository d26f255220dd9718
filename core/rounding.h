#pragma once

#include <cmath>

namespace pranoth {

// The nearest whole number, a value exactly halfway going to the even one
// (2.5 -> 2, 3.5 -> 4), as the program's conversions to whole numbers round.
inline double roundHalfToEven(double value)
{
    double whole = std::floor(value);
    const double fraction = value - whole;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0.0))
        whole += 1.0;
    return whole;
}

} // namespace pranoth
