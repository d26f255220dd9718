#pragma once

#include <string_view>

namespace pranoth {

// What an assessment says of one chakra.
enum class Verdict { UnderActive, Open, OverActive };

// 0-2 under-active, 3-5 open, anything else over-active.
Verdict verdictOf(int score);
// "UnderActive", "Open" or "OverActive".
std::string_view verdictName(Verdict verdict);

} // namespace pranoth
