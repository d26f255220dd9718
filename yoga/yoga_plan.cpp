#include "yoga_plan.h"

#include "asana_catalogue.h"
#include "core/rich_text.h"

namespace pranoth {

namespace {

struct ChakraBlock {
    int firstSlot;
    int count;
    std::array<Int16, 5> asanas;
};

// Slots owned by each chakra, in chakra order, with the asanas that serve it.
const std::array<ChakraBlock, ChakraCount> Blocks = {{
    {0, 1, {0}},             // Root: Mandukasana
    {1, 2, {0, 1}},          // Sacral: Mandukasana, Bhujangasana
    {3, 3, {2, 3, 4}},       // Navel: Mayurasana, Dhanurasana, Matsyasana
    {6, 2, {5, 6}},          // Heart: Yoga Mudra, Ustrasana
    {8, 5, {4, 7, 6, 1, 8}}, // Throat: Matsyasana, Halasana, Ustrasana, Bhujangasana, Sarvangasana
    {13, 2, {5, 9}},         // Third Eye: Yoga Mudra, Ardhamatsyendrasana
    {15, 2, {5, 10}},        // Crown: Yoga Mudra, Padmasana
}};

} // namespace

bool buildYogaPlan(const std::array<bool, ChakraSlots> &yogaNeeded, YogaPlanList &plan)
{
    bool any = false;
    for (int k = 0; k < ChakraCount; ++k) {
        const auto chakra = asIndex(k);
        const ChakraBlock &block = Blocks[chakra];
        for (int i = 0; i < block.count; ++i) {
            YogaPlanSlot &slot = plan[asIndex(block.firstSlot) + asIndex(i)];
            if (yogaNeeded[chakra])
                slot = {block.asanas[asIndex(i)], ChakraTitles[chakra]};
            else
                slot.asana = -1;
        }
        any = any || yogaNeeded[chakra];
    }
    return any;
}

std::optional<int> findYogaRecord(const YogaPlanList &plan, int start, SearchDirection direction)
{
    const int step = direction == SearchDirection::Forward ? 1 : -1;
    for (int slot = start; slot >= 0 && slot <= YogaPlanLastSlot; slot += step) {
        if (plan[asIndex(slot)].asana != -1)
            return slot;
    }
    return std::nullopt;
}

void writeAsanaRecord(RichTextWriter &writer, const Asana &asana)
{
    const auto heading = [&](std::string_view text) {
        writer.setBold(true);
        writer.insertText(text);
        writer.insertText(LineBreak);
    };
    const auto paragraph = [&](std::string_view text) {
        writer.setBold(false);
        writer.insertText(text);
        writer.insertText("\r\n\r\n");
    };

    heading("Asanas Name");
    writer.insertText(asana.name);
    writer.insertText("\r\n\r\n");
    heading("Description");
    paragraph(asana.description);
    heading("English Name");
    paragraph(asana.englishName);
    heading("Procedure");
    paragraph(asana.procedure);
    heading("Benefits");
    paragraph(asana.benefits);
    if (!asana.cautions.empty()) {
        heading("Contradictions");
        writer.setBold(false);
        writer.insertText(asana.cautions);
    }
}

} // namespace pranoth
