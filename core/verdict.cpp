#include "verdict.h"

namespace pranoth {

Verdict verdictOf(int score)
{
    for (const VerdictBand &band : VerdictBands) {
        if (score >= band.lowestScore && score <= band.highestScore)
            return band.verdict;
    }
    return Verdict::OverActive;
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
