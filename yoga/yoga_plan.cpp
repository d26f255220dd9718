#include "yoga_plan.h"

#include "asana_catalogue.h"

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

std::vector<Section> asanaRecord(const Asana &asana)
{
    std::vector<Section> record;
    const auto add = [&record](SectionKind kind, std::string_view text, std::string_view end) {
        record.push_back({kind, -1, Verdict::Open, std::string(text) + std::string(end)});
    };
    const auto part = [&add](std::string_view heading, std::string_view text) {
        add(SectionKind::PostureHeading, heading, LineBreak);
        add(SectionKind::PostureText, text, "\r\n\r\n");
    };

    add(SectionKind::PostureHeading, "Asanas Name", LineBreak);
    add(SectionKind::PostureName, asana.name, "\r\n\r\n");
    part("Description", asana.description);
    part("English Name", asana.englishName);
    part("Procedure", asana.procedure);
    part("Benefits", asana.benefits);
    if (!asana.cautions.empty()) {
        add(SectionKind::PostureHeading, "Contradictions", LineBreak);
        add(SectionKind::PostureText, asana.cautions, {});
    }
    return record;
}

} // namespace pranoth
