#include "practice_plan.h"

#include <algorithm>

namespace pranoth {

const std::vector<ClassStep> &classOrder()
{
    using R = SessionRole;
    static const std::vector<ClassStep> Steps{
        {EasySeat,
         true,
         {},
         R::Preparation,
         "Seated breathing opens the session: it settles the breath and the attention before the "
         "body is asked to work."},
        {CatCow,
         false,
         {Frog, Cobra, Bow, Camel, ShoulderStand, Plough, Fish},
         R::Preparation,
         "A cold spine is not bent hard: the cat and the cow move it gently both ways before any "
         "backbend or inversion."},
        {Frog,
         false,
         {},
         R::Advice,
         "Kneeling with the hips open starts from the hands and knees where the warm-up ends, "
         "while the body is fresh."},
        {Cobra,
         false,
         {},
         R::Advice,
         "The gentler prone backbend prepares the back for the bow; the two are done together."},
        {Bow, false, {}, R::Advice, "The stronger prone backbend, after the cobra."},
        {Child,
         false,
         {Cobra, Bow},
         R::CounterPose,
         "The child's pose bends the spine the other way and releases it after the prone "
         "backbends."},
        {Camel,
         false,
         {},
         R::Advice,
         "The deepest backbend of the session, once the back is warm."},
        {Child,
         false,
         {Camel},
         R::CounterPose,
         "The lower back needs releasing at once after the camel."},
        {ShoulderStand,
         false,
         {},
         R::Advice,
         "The inversions begin with the shoulder stand, which bends the neck forward."},
        {Plough, false, {}, R::Advice, "The plough is taken from the shoulder stand."},
        {Fish,
         false,
         {ShoulderStand, Plough},
         R::CounterPose,
         "The fish arches the neck back to release it after the inversions, never before them, "
         "which would leave it compressed just before weight goes onto the shoulders."},
        {Twist,
         false,
         {},
         R::Advice,
         "The twist asks for a spine loosened both ways by the backbends and inversions, and is "
         "done on both sides to leave it even."},
        {Peacock,
         false,
         {},
         R::Advice,
         "The strongest effort, for the wrists, arms and abdomen, once the whole body is warm, "
         "and never before an inversion."},
        {YogaMudra,
         false,
         {},
         R::Advice,
         "The seated postures come towards the end, when the hips and knees are warm; they "
         "quieten the breath."},
        {Lotus, false, {}, R::Advice, "The lotus, the last of the seated postures."},
        {Corpse,
         true,
         {},
         R::Relaxation,
         "The final relaxation, lying on the back for at least two minutes, is never skipped."},
    };
    return Steps;
}

PracticePlan buildPracticePlan(const YogaPlanList &plan)
{
    // Each recommended posture once, with every chakra it serves.
    std::array<ChakraSet, AsanaCount> serves{};
    std::array<bool, AsanaCount> recommended{};
    for (auto slot = findYogaRecord(plan, 0, SearchDirection::Forward); slot;
         slot = findYogaRecord(plan, *slot + 1, SearchDirection::Forward)) {
        const YogaPlanSlot &record = plan[asIndex(*slot)];
        if (record.asana < 0 || record.asana >= AsanaCount)
            continue;
        recommended[asIndex(record.asana)] = true;
        const auto chakra = std::find(ChakraTitles.begin(), ChakraTitles.end(), record.chakraTitle);
        if (chakra != ChakraTitles.end() && chakra - ChakraTitles.begin() < ChakraCount)
            serves[asIndex(record.asana)]
                  [asIndex(static_cast<int>(chakra - ChakraTitles.begin()))] = true;
    }
    const auto isRecommended = [&recommended](Int16 posture) {
        return posture >= 0 && posture < AsanaCount && recommended[asIndex(posture)];
    };
    if (std::none_of(recommended.begin(), recommended.end(), [](bool r) { return r; }))
        return {};

    PracticePlan practice;
    for (const ClassStep &step : classOrder()) {
        const Hold hold = postureRecord(step.posture).hold;
        if (isRecommended(step.posture))
            practice.push_back(
                {step.posture, serves[asIndex(step.posture)], hold, SessionRole::Advice});
        else if (step.always || std::any_of(step.after.begin(), step.after.end(), isRecommended))
            practice.push_back({step.posture, {}, hold, step.role});
    }
    return practice;
}

std::vector<SessionPosture> sessionPostures(const PracticePlan &plan, bool beginner)
{
    std::vector<SessionPosture> postures(plan.size());
    std::transform(
        plan.begin(), plan.end(), postures.begin(), [beginner](const PracticePosture &posture) {
            const SessionPostureData &data = sessionData(posture.asana);
            const bool eachSide = posture.hold.eachSide || (beginner && data.beginner.eachSide);
            return SessionPosture{posture.hold.longestSeconds, eachSide, data.inSeconds,
                                  data.outSeconds, eachSide ? data.changeSidesSeconds : 0};
        });
    return postures;
}

} // namespace pranoth
