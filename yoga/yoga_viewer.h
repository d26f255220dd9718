#pragma once

#include "yoga_plan.h"

#include <string_view>

namespace pranoth {

class Platform;
class RichTextWriter;

// What the yoga viewer window shows of a record.
class YogaRecordView {
public:
    virtual ~YogaRecordView() = default;
    virtual RichTextWriter &recordText() = 0;
    // Shows picture `position` (1..11) of the pictures list; a picture that
    // cannot be shown leaves the rest of the record unaffected.
    virtual void showPicture(int position) = 0;
    virtual void setChakraTitle(std::string_view title) = 0;
};

// Pages through a yoga plan one applicable slot (a record) at a time.
class YogaViewer {
public:
    YogaViewer(const YogaPlanList &plan, YogaRecordView &view, Platform &platform);

    // Shows the first record.
    void open();
    // The next record; at the last one nothing happens.
    void next();
    // The previous record; at the first one the user is told so.
    void previous();

    // Shows the first record from `start` in the given direction; the screen
    // and the current slot stay as they are when there is none.
    void Display_Yoga_Chakra(int start, SearchDirection direction);

    int currentSlot() const { return currentSlot_; }

private:
    const YogaPlanList &plan_;
    YogaRecordView &view_;
    Platform &platform_;
    Int16 currentSlot_ = 0;
};

} // namespace pranoth
