#include "verdict.h"

#include <algorithm>

namespace pranoth {

Verdict verdictOf(int score)
{
    const auto band = std::ranges::find_if(VerdictBands, [score](const VerdictBand &band) {
        return score >= band.lowestScore && score <= band.highestScore;
    });
    return band != VerdictBands.end() ? band->verdict : Verdict::OverActive;
}

std::string_view verdictName(Verdict verdict)
{
    switch (verdict) {
    case Verdict::UnderActive:
        return "UnderActive";
    case Verdict::Open:
        return "Open";
    case Verdict::OverActive:
        return "OverActive";
    }
    return {};
}

} // namespace pranoth
