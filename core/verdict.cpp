#include "verdict.h"

namespace pranoth {

Verdict verdictOf(int score)
{
    if (score >= 0 && score <= 2)
        return Verdict::UnderActive;
    if (score >= 3 && score <= 5)
        return Verdict::Open;
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
