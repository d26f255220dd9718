#pragma once

#include "session_services.h"

#include <deque>
#include <string>
#include <vector>

namespace pranoth {

// A voice that says one phrase at a time: a later phrase would cut off the
// one being said, so it is given the next only when it has finished. Voices
// pause unevenly (some finish the phrase, some hold back what comes next
// until resumed), so the queue pauses by stopping and saying the phrase again.
class SpeechEngine {
public:
    virtual ~SpeechEngine() = default;
    // Starts saying `phrase`; the engine tells its queue when it is done.
    virtual void say(const std::string &phrase) = 0;
    // Stops the phrase being said; no "done" follows.
    virtual void stop() = 0;
};

// The phrases waiting to be said, each said whole and in order. The phrases
// of a new phase supersede those of the phase it ends that were not yet
// said; the one being said is finished, unless the user moved on, which
// makes it stale too.
class CueQueue {
public:
    explicit CueQueue(SpeechEngine &engine) : engine_(engine) {}

    // Phrases to say, meeting those not yet said as `start` says.
    void say(const std::vector<std::string> &phrases, SpeechStart start);
    // The engine has finished the phrase in hand (or given up on it).
    void spoken();
    // Silence: the phrase being said is stopped, to be said again whole on resuming.
    void pause();
    void resume();
    // Silence, and nothing left to say.
    void clear();

private:
    void sayNext();

    SpeechEngine &engine_;
    std::deque<std::string> waiting_;
    std::string current_; // the phrase being said
    bool speaking_ = false;
    bool paused_ = false;
};

} // namespace pranoth
