#pragma once

#include "core/section.h"
#include "yoga_plan.h"

#include <optional>
#include <string_view>
#include <vector>

namespace pranoth {

class Platform;

// What the yoga viewer shows of one record.
struct YogaRecord {
    std::vector<Section> text;
    int picture = 0; // position 1..11 in the pictures list
    std::string_view chakraTitle;
};

// Pages through a yoga plan one applicable slot (a record) at a time; each
// step says which record to show, or none when the screen stays as it is.
class YogaViewer {
public:
    YogaViewer(const YogaPlanList &plan, Platform &platform);

    // The first record.
    std::optional<YogaRecord> open();
    // The next record; at the last one, none.
    std::optional<YogaRecord> next();
    // The previous record; at the first one the user is told so.
    std::optional<YogaRecord> previous();

    // The first record from `start` in the given direction; none, and the
    // current slot as it was, when there is none.
    std::optional<YogaRecord> Display_Yoga_Chakra(int start, SearchDirection direction);

    int currentSlot() const { return currentSlot_; }

private:
    const YogaPlanList &plan_;
    Platform &platform_;
    Int16 currentSlot_ = 0;
};

} // namespace pranoth
