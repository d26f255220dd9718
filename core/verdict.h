#pragma once

#include <array>
#include <string_view>

namespace pranoth {

// What an assessment says of one chakra.
enum class Verdict { UnderActive, Open, OverActive };

// The scores (answers that matched the key, of eight) that give each verdict.
struct VerdictBand {
    Verdict verdict;
    int lowestScore;
    int highestScore;
};
inline constexpr std::array<VerdictBand, 3> VerdictBands{{
    {Verdict::UnderActive, 0, 2},
    {Verdict::Open, 3, 5},
    {Verdict::OverActive, 6, 8},
}};

// The verdict of the band that holds the score; over-active for a score in none.
Verdict verdictOf(int score);
// "UnderActive", "Open" or "OverActive".
std::string_view verdictName(Verdict verdict);

} // namespace pranoth
