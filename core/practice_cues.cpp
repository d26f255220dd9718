#include "practice_cues.h"

namespace pranoth {

namespace {

bool holding(PracticePhase phase)
{
    return phase == PracticePhase::Hold || phase == PracticePhase::OtherSide;
}

int wholeSeconds(Millis ms)
{
    return static_cast<int>((ms + 999) / 1000);
}

} // namespace

std::vector<SpokenCue> cuesBetween(const std::optional<SessionState> &before,
                                   const SessionState &after, SessionMove move, bool countdown,
                                   Millis practisedMs)
{
    std::vector<SpokenCue> cues;
    const bool samePhase =
        before && before->phase == after.phase && before->posture == after.posture;
    if (samePhase) {
        if (after.paused || !holding(after.phase))
            return cues;
        const Millis middle = after.phaseMs / 2;
        if (after.phaseMs > BreathCueAfterMs && before->remainingMs > middle &&
            after.remainingMs <= middle)
            cues.push_back({CueKind::Breathe, after.posture, 0});
        if (countdown && after.remainingSeconds >= 1 && after.remainingSeconds <= 3 &&
            after.remainingSeconds != before->remainingSeconds)
            cues.push_back({CueKind::Countdown, after.posture, after.remainingSeconds});
        return cues;
    }

    // A hold that ran its time is left as the record says; one the user
    // moved away from is not.
    const bool holdRanOut = before && move == SessionMove::Clock && holding(before->phase);
    if (holdRanOut && before->phase == PracticePhase::Hold && after.posture == before->posture &&
        (after.phase == PracticePhase::ChangeSides || after.phase == PracticePhase::OtherSide)) {
        cues.push_back({CueKind::ChangeSide, after.posture, 0});
        if (after.phase == PracticePhase::OtherSide) // no time given to change
            cues.push_back({CueKind::HoldBegins, after.posture, wholeSeconds(after.phaseMs)});
        return cues;
    }
    if (holdRanOut)
        cues.push_back({CueKind::Release, before->posture, 0});
    switch (after.phase) {
    case PracticePhase::GetReady:
        cues.push_back({CueKind::GetReady, after.posture, 0});
        break;
    case PracticePhase::Hold:
    case PracticePhase::OtherSide:
        cues.push_back({CueKind::HoldBegins, after.posture, wholeSeconds(after.phaseMs)});
        break;
    case PracticePhase::ChangeSides:
        cues.push_back({CueKind::ChangeSide, after.posture, 0});
        break;
    case PracticePhase::Rest:
        cues.push_back({CueKind::RestNext, after.posture + 1, 0});
        break;
    case PracticePhase::Finished:
        cues.push_back(
            {CueKind::SessionOver, after.posture, static_cast<int>((practisedMs + 500) / 1000)});
        break;
    }
    return cues;
}

} // namespace pranoth
