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

// The postures as a session runs them: each held for the top of its range,
// with the time to come into it, out of it and to change sides; with
// `beginner`, on each side where the easier form is done so.
std::vector<SessionPosture> sessionPostures(const PracticePlan &plan, bool beginner);

} // namespace pranoth
