#pragma once

#include "asana_catalogue.h"
#include "core/chakra.h"
#include "core/practice_session.h"
#include "yoga_plan.h"

#include <vector>

namespace pranoth {

// One posture to practise: the asana, the chakras of the plan it serves and
// its hold as the catalogue gives it.
struct PracticePosture {
    Int16 asana = -1;
    ChakraSet chakras{};
    Hold hold;
    friend bool operator==(const PracticePosture &a, const PracticePosture &b)
    {
        return a.asana == b.asana && a.chakras == b.chakras;
    }
};

using PracticePlan = std::vector<PracticePosture>;

// The distinct postures of a yoga plan in the viewer's order: a posture
// recommended for several chakras comes once, where it first comes, with
// every chakra it serves.
PracticePlan buildPracticePlan(const YogaPlanList &plan);

// The postures as a session runs them: each held for the top of its range.
std::vector<SessionPosture> sessionPostures(const PracticePlan &plan);

} // namespace pranoth
