#include "practice_plan.h"

#include <algorithm>
#include <string_view>

namespace pranoth {

PracticePlan buildPracticePlan(const YogaPlanList &plan)
{
    PracticePlan practice;
    for (auto slot = findYogaRecord(plan, 0, SearchDirection::Forward); slot;
         slot = findYogaRecord(plan, *slot + 1, SearchDirection::Forward)) {
        const YogaPlanSlot &record = plan[asIndex(*slot)];
        if (record.asana < 0 || record.asana >= AsanaCount)
            continue;
        const auto chakra = std::find(ChakraTitles.begin(), ChakraTitles.end(), record.chakraTitle);
        auto found = std::find_if(practice.begin(), practice.end(), [&record](const auto &posture) {
            return posture.asana == record.asana;
        });
        if (found == practice.end()) {
            practice.push_back({record.asana, {}, AsanaCatalogue[asIndex(record.asana)].hold});
            found = practice.end() - 1;
        }
        if (chakra != ChakraTitles.end() && chakra - ChakraTitles.begin() < ChakraCount)
            found->chakras[asIndex(static_cast<int>(chakra - ChakraTitles.begin()))] = true;
    }
    return practice;
}

std::vector<SessionPosture> sessionPostures(const PracticePlan &plan)
{
    std::vector<SessionPosture> postures(plan.size());
    std::transform(plan.begin(), plan.end(), postures.begin(), [](const PracticePosture &posture) {
        return SessionPosture{posture.hold.longestSeconds, posture.hold.eachSide};
    });
    return postures;
}

} // namespace pranoth
