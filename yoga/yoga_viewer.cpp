#include "yoga_viewer.h"

#include "asana_catalogue.h"
#include "core/platform.h"
#include "core/rich_text.h"

namespace pranoth {

YogaViewer::YogaViewer(const YogaPlanList &plan, YogaRecordView &view, Platform &platform)
    : plan_(plan), view_(view), platform_(platform)
{}

void YogaViewer::open()
{
    currentSlot_ = 0;
    Display_Yoga_Chakra(0, SearchDirection::Forward);
}

void YogaViewer::next()
{
    Display_Yoga_Chakra(currentSlot_ + 1, SearchDirection::Forward);
}

void YogaViewer::previous()
{
    Display_Yoga_Chakra(currentSlot_ - 1, SearchDirection::Backward);
}

void YogaViewer::Display_Yoga_Chakra(int start, SearchDirection direction)
{
    const AsanaCatalogueList &catalogue = fillAsanaCatalogue();
    const auto found = findYogaRecord(plan_, start, direction);
    if (!found) {
        if (direction == SearchDirection::Backward)
            platform_.showMessage("You are at the first record", MessageIcon::Critical,
                                  MessageButtons::Ok);
        return;
    }
    const YogaPlanSlot &slot = plan_[asIndex(*found)];
    if (slot.asana < 0 || slot.asana >= AsanaCount)
        return;

    RichTextWriter &text = view_.recordText();
    text.clear();
    writeAsanaRecord(text, catalogue[asIndex(slot.asana)]);
    view_.showPicture(asanaPicturePosition(slot.asana));
    view_.setChakraTitle(slot.chakraTitle);
    currentSlot_ = static_cast<Int16>(*found);
}

} // namespace pranoth
