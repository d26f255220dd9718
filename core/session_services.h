#pragma once

#include <string_view>

namespace pranoth {

// The sounds a practice session makes, from the desktop's event sounds.
enum class SessionCue {
    PhaseChange, // a phase begins: get ready, hold, the other side, rest
    Finished,    // the last posture is done
};

// What a practice session asks of the desktop: a soft sound at each change
// of phase, and keeping the screen from blanking while it runs. Failures are
// silent: without a sound device or a screen saver service the session runs
// all the same.
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
};

} // namespace pranoth
