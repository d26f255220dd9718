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

namespace {

// The session for the recommended postures, each with the chakras it serves
// (none recommended: no session).
PracticePlan planInClassOrder(const std::array<ChakraSet, AsanaCount> &serves)
{
    const auto isRecommended = [&serves](Int16 posture) {
        return posture >= 0 && posture < AsanaCount &&
               std::any_of(serves[asIndex(posture)].begin(), serves[asIndex(posture)].end(),
                           [](bool serving) { return serving; });
    };
    if (std::none_of(serves.begin(), serves.end(), [](const ChakraSet &chakras) {
            return std::any_of(chakras.begin(), chakras.end(), [](bool k) { return k; });
        }))
        return {};

    PracticePlan practice;
    for (const ClassStep &step : classOrder()) {
        const Hold hold = postureRecord(step.posture).hold;
        if (isRecommended(step.posture))
            practice.push_back({step.posture, serves[asIndex(step.posture)], hold,
                                SessionRole::Advice, hold.shortestSeconds});
        else if (step.always || std::any_of(step.after.begin(), step.after.end(), isRecommended))
            practice.push_back({step.posture, {}, hold, step.role, hold.shortestSeconds});
    }
    return practice;
}

} // namespace

PracticePlan buildPracticePlan(const YogaPlanList &plan)
{
    // Each recommended posture once, with every chakra it serves.
    std::array<ChakraSet, AsanaCount> serves{};
    for (auto slot = findYogaRecord(plan, 0, SearchDirection::Forward); slot;
         slot = findYogaRecord(plan, *slot + 1, SearchDirection::Forward)) {
        const YogaPlanSlot &record = plan[asIndex(*slot)];
        if (record.asana < 0 || record.asana >= AsanaCount)
            continue;
        const auto chakra = std::find(ChakraTitles.begin(), ChakraTitles.end(), record.chakraTitle);
        if (chakra != ChakraTitles.end() && chakra - ChakraTitles.begin() < ChakraCount)
            serves[asIndex(record.asana)]
                  [asIndex(static_cast<int>(chakra - ChakraTitles.begin()))] = true;
    }
    return planInClassOrder(serves);
}

void growHolds(PracticePlan &plan, const std::vector<KeptSession> &sessions, std::int64_t sinceUtc)
{
    for (PracticePosture &posture : plan) {
        const HoldGrowth growth = holdGrowth(posture.asana);
        posture.holdSeconds =
            grownHoldSeconds(growth, timesHeldFully(posture.asana, growth, sessions, sinceUtc));
    }
}

PracticePlan buildShortPracticePlan(const PracticePlan &grown, const std::vector<int> &chakraOrder,
                                    const PracticeSettings &settings)
{
    constexpr Millis ShortSessionMs = Millis{10} * 60 * 1000;
    const auto withGrownHolds = [&grown](PracticePlan plan) {
        for (PracticePosture &posture : plan) {
            const auto same = std::find_if(grown.begin(), grown.end(), [&](const auto &whole) {
                return whole.asana == posture.asana;
            });
            if (same != grown.end())
                posture.holdSeconds = same->holdSeconds;
        }
        return plan;
    };
    std::array<ChakraSet, AsanaCount> serves{};
    PracticePlan shortPlan;
    for (const int chakra : chakraOrder) {
        if (chakra < 0 || chakra >= ChakraCount)
            continue;
        std::array<ChakraSet, AsanaCount> more = serves;
        for (const PracticePosture &posture : grown) {
            if (posture.role == SessionRole::Advice && posture.asana < AsanaCount &&
                posture.chakras[asIndex(chakra)])
                more[asIndex(posture.asana)][asIndex(chakra)] = true;
        }
        PracticePlan candidate = withGrownHolds(planInClassOrder(more));
        if (!shortPlan.empty() &&
            PracticeSession::lengthMs(sessionPostures(candidate, settings.beginner), settings) >
                ShortSessionMs)
            break;
        serves = more;
        shortPlan = std::move(candidate);
    }
    if (shortPlan.size() >= grown.size())
        return {};
    return shortPlan;
}

std::vector<SessionPosture> sessionPostures(const PracticePlan &plan, bool beginner)
{
    std::vector<SessionPosture> postures(plan.size());
    std::transform(
        plan.begin(), plan.end(), postures.begin(), [beginner](const PracticePosture &posture) {
            const SessionPostureData &data = sessionData(posture.asana);
            const bool eachSide = posture.hold.eachSide || (beginner && data.beginner.eachSide);
            const int hold = beginner
                                 ? std::max(posture.holdSeconds, data.beginner.leastHoldSeconds)
                                 : posture.holdSeconds;
            return SessionPosture{hold, eachSide, data.inSeconds, data.outSeconds,
                                  eachSide ? data.changeSidesSeconds : 0};
        });
    return postures;
}

} // namespace pranoth
