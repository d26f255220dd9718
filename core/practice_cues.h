#pragma once

#include "practice_session.h"

#include <optional>
#include <vector>

namespace pranoth {

// What the voice says at a moment of a session, before it is put in words.
enum class CueKind {
    GetReady,    // the posture's names, its side, and how to come into it
    HoldBegins,  // the hold begins, and its length
    Breathe,     // half way through a long hold
    Release,     // the hold is over: how to come out
    ChangeSide,  // the first side is done: change to the other
    RestNext,    // a rest, and the posture that comes after it
    SessionOver, // the end, and the time practised
    Countdown,   // three, two, one: the last seconds of a hold
};

struct SpokenCue {
    CueKind kind = CueKind::GetReady;
    int posture = 0;
    // The hold's length (HoldBegins), the time practised
    // (SessionOver) or the second counted (Countdown), in whole seconds.
    int seconds = 0;
    friend bool operator==(const SpokenCue &, const SpokenCue &) = default;
};

// Holds longer than this get one breath cue, in their middle.
inline constexpr Millis BreathCueAfterMs = 20'000;

// How the session got from one state to the next.
enum class SessionMove {
    Clock, // time ran on
    User,  // the user moved on or back: nothing of the posture left is said
};

// What is said as the session goes from `before` (none: the session has just
// begun) to `after`: the cues of the phase that begins, with the way out of a
// hold that ran its time first; within a phase, the breath cue as a long hold
// passes its middle and, with `countdown`, the last three seconds of a hold.
// Nothing while paused. `practisedMs` is the session's time so far, said at
// its end.
std::vector<SpokenCue> cuesBetween(const std::optional<SessionState> &before,
                                   const SessionState &after, SessionMove move, bool countdown,
                                   Millis practisedMs);

} // namespace pranoth
