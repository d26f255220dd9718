#pragma once

#include "core/chakra.h"
#include "core/section.h"

#include <array>
#include <optional>
#include <string_view>
#include <vector>

namespace pranoth {

struct Asana;

// One slot of the plan: an asana of the catalogue, or -1 when the slot's
// chakra needs no yoga; and the title of the chakra it is recommended for.
struct YogaPlanSlot {
    Int16 asana = -1;
    std::string_view chakraTitle;
};

inline constexpr int YogaPlanSlots = 18;    // 0..17; slot 17 is never used
inline constexpr int YogaPlanLastSlot = 16; // the last slot any chakra owns

using YogaPlanList = std::array<YogaPlanSlot, YogaPlanSlots>;

// Rewrites slots 0..16: each chakra owns a fixed block of slots, filled with
// its asanas when it needs yoga and with -1 otherwise. Returns whether any
// chakra needs yoga.
bool buildYogaPlan(const std::array<bool, ChakraSlots> &yogaNeeded, YogaPlanList &plan);

enum class SearchDirection { Forward, Backward };

// The first applicable slot from `start` (inclusive) in the given direction,
// within 0..16; none when the search runs off the plan.
std::optional<int> findYogaRecord(const YogaPlanList &plan, int start, SearchDirection direction);

// An asana's record: its name, description, English name, procedure and
// benefits, each under its heading, and the cautions only when it has some.
std::vector<Section> asanaRecord(const Asana &asana);

} // namespace pranoth
