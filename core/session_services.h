#pragma once

#include "practice_session.h"

#include <string>
#include <string_view>
#include <vector>

namespace pranoth {

// The sounds a practice session makes, from the desktop's event sounds.
enum class SessionCue {
    PhaseChange, // a phase begins: get ready, hold, the other side, rest
    Finished,    // the last posture is done
};

// How phrases given to the voice meet those it has not said yet.
enum class SpeechStart {
    NewPhase,    // a new phase: what was waiting is dropped, the phrase being said is finished
    Interrupted, // the user moved: what was waiting and the phrase being said are dropped
    Within,      // more of the same phase, after what is waiting
};

// What a practice session asks of the desktop: a soft sound at each change
// of phase, spoken guidance, and keeping the screen from blanking while it
// runs. Failures are silent: without a sound device, a speech service or a
// screen saver service the session runs all the same.
class SessionServices {
public:
    virtual ~SessionServices() = default;

    // Plays the cue from the desktop's sound theme, unless the desktop has
    // event sounds switched off.
    virtual void playCue(SessionCue cue) = 0;
    // Asks the desktop not to blank the screen or lock for being idle, until
    // released; asking again while it holds changes nothing. The desktop
    // releases it itself when the program ends, however it ends.
    virtual void inhibitIdle(std::string_view reason) = 0;
    virtual void releaseIdle() = 0;

    // Says the phrases in order, each whole, through the desktop's speech
    // service, which is started on first use; nothing when there is none.
    virtual void speak(const std::vector<std::string> &phrases, SpeechStart start) = 0;
    virtual void pauseSpeech() = 0;
    virtual void resumeSpeech() = 0;
    // Silence, and nothing left to say.
    virtual void stopSpeech() = 0;
    // From PracticeSettings::SlowestSpeakingRate to FastestSpeakingRate; 0
    // leaves the desktop's rate.
    virtual void setSpeakingRate(int rate) = 0;
    // Why there is no voice, in one line that names what provides it; empty
    // while there is one or it is still being started.
    virtual std::string speechUnavailable() = 0;
    // Whether a screen reader runs on this desktop (not any other client of
    // the accessibility bus): it then says what the windows announce.
    virtual bool screenReaderRunning() = 0;
    // Sets the user's reminders up as `settings` has them (on at its days and
    // time, or off): empty when done, else why they cannot be on, for the user.
    virtual std::string setReminders(const PracticeSettings &settings) = 0;
};

} // namespace pranoth
