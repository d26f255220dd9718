#include "yoga_viewer.h"

#include "asana_catalogue.h"
#include "core/platform.h"

namespace pranoth {

YogaViewer::YogaViewer(const YogaPlanList &plan, Platform &platform)
    : plan_(plan), platform_(platform)
{}

std::optional<YogaRecord> YogaViewer::open()
{
    currentSlot_ = 0;
    return Display_Yoga_Chakra(0, SearchDirection::Forward);
}

std::optional<YogaRecord> YogaViewer::next()
{
    return Display_Yoga_Chakra(currentSlot_ + 1, SearchDirection::Forward);
}

std::optional<YogaRecord> YogaViewer::previous()
{
    return Display_Yoga_Chakra(currentSlot_ - 1, SearchDirection::Backward);
}

std::optional<YogaRecord> YogaViewer::Display_Yoga_Chakra(int start, SearchDirection direction)
{
    const AsanaCatalogueList &catalogue = fillAsanaCatalogue();
    const auto found = findYogaRecord(plan_, start, direction);
    if (!found) {
        if (direction == SearchDirection::Backward)
            platform_.showMessage("You are at the first record", MessageIcon::Critical,
                                  MessageButtons::Ok);
        return std::nullopt;
    }
    const YogaPlanSlot &slot = plan_[asIndex(*found)];
    if (slot.asana < 0 || slot.asana >= AsanaCount)
        return std::nullopt;
    currentSlot_ = static_cast<Int16>(*found);
    return YogaRecord{asanaRecord(catalogue[asIndex(slot.asana)]), asanaPicturePosition(slot.asana),
                      slot.chakraTitle};
}

} // namespace pranoth
