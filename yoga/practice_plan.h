#pragma once

#include "asana_catalogue.h"
#include "core/chakra.h"
#include "core/practice_session.h"
#include "session_postures.h"
#include "yoga_plan.h"

#include <string_view>
#include <vector>

namespace pranoth {

// One posture to practise: the posture (a session posture id), why it is
// there, the chakras of the plan it serves (none but for advice) and its hold
// as its record gives it.
struct PracticePosture {
    Int16 asana = -1;
    ChakraSet chakras{};
    Hold hold;
    SessionRole role = SessionRole::Advice;
    // The hold at 100 % where the plan has grown to: the bottom of the
    // record's range in a new plan, growing to its top.
    int holdSeconds = 0;
    friend bool operator==(const PracticePosture &a, const PracticePosture &b)
    {
        return a.asana == b.asana && a.chakras == b.chakras && a.role == b.role;
    }
};

using PracticePlan = std::vector<PracticePosture>;

// One step of a class, in the order a teacher takes them: the posture, what
// brings it in, and why it stands where it does. A step is taken when its
// posture is recommended (as advice), when the step is always taken, or when
// any posture of `after` is recommended (as a preparation, counter-pose or
// relaxation).
struct ClassStep {
    Int16 posture;
    bool always;
    std::vector<Int16> after;
    SessionRole role; // when it is taken though not recommended
    std::string_view reason;
};

// The order of a class, each step with its reason.
const std::vector<ClassStep> &classOrder();

// The session for a yoga plan: the recommended postures, each once with every
// chakra it serves, with what a class needs around them, in the class's order.
PracticePlan buildPracticePlan(const YogaPlanList &plan);

// The plan's holds grown by the sessions kept since `sinceUtc`.
void growHolds(PracticePlan &plan, const std::vector<KeptSession> &sessions, std::int64_t sinceUtc);

// A short session of about ten minutes at `settings`, for the chakras not
// open in `plan`: the postures of the chakras in `chakraOrder` (the one not
// open for longest first), taking a chakra after another while the session
// stays within ten minutes (the first one always), in the class's order, its
// holds grown as in `grown`. Empty when it would be the whole session.
PracticePlan buildShortPracticePlan(const PracticePlan &grown, const std::vector<int> &chakraOrder,
                                    const PracticeSettings &settings);

// The postures as a session runs them: each held for the plan's hold, with
// the time to come into it, out of it and to change sides; with `beginner`,
// on each side where the easier form is done so, and a gentle form held at
// least its own least hold.
std::vector<SessionPosture> sessionPostures(const PracticePlan &plan, bool beginner);

} // namespace pranoth
