#pragma once

#include <cstdint>
#include <vector>

namespace pranoth {

class Platform;

using Millis = std::int64_t;

// The machine's clocks, in milliseconds from some fixed moment: `awake` stands
// still while the machine sleeps, `sinceBoot` runs on through sleep. Neither
// is ever set back.
struct ClockReading {
    Millis awake = 0;
    Millis sinceBoot = 0;
};

class SessionClock {
public:
    virtual ~SessionClock() = default;
    virtual ClockReading read() = 0;
};

// The machine's own monotonic clocks.
class SystemSessionClock : public SessionClock {
public:
    ClockReading read() override;
};

// What the user chose for every session: how long every hold is against the
// records' own (in per cent), the time to get ready before a posture and to
// rest after one, and what the voice says. Remembered once the user changes
// them.
struct PracticeSettings {
    static constexpr int ShortestHoldPercent = 50;
    static constexpr int LongestHoldPercent = 200;
    static constexpr int HoldPercentStep = 10;
    static constexpr int LongestGetReadySeconds = 60;
    static constexpr int LongestRestSeconds = 120;

    static constexpr int SlowestSpeakingRate = -10;
    static constexpr int FastestSpeakingRate = 10;

    int holdPercent = 100;
    int getReadySeconds = 10;
    int restSeconds = 15;
    // Mutes the voice and the sounds alike.
    bool muted = false;
    // Spoken guidance, where the desktop has a voice for it.
    bool spoken = true;
    // The steps in and out read out, or only the names and phases.
    bool spokenSteps = true;
    // From slowest to fastest; 0 leaves the desktop's own rate as it is.
    int speakingRate = 0;
    // Three, two, one at the end of every hold.
    bool countdown = false;
    // The easier forms of the postures a beginner should not attempt alone.
    bool beginner = true;

    static constexpr int LongestWeeklyGoal = 14;
    static constexpr int EveryDay = 0x7F;
    static constexpr int MinutesPerDay = 24 * 60;
    // Sessions a week the weeks in a row are counted by.
    int weeklyGoal = 3;
    // A desktop notification at the chosen days (Monday bit 0 to Sunday bit
    // 6) and time (minutes after midnight), from the user's systemd timer.
    bool reminders = false;
    int reminderDays = EveryDay;
    int reminderMinute = 18 * 60;
    // Every completed result kept in My History without asking.
    bool keepEveryResult = false;
    // Holds grow from the sessions kept since (seconds since 1970, UTC); 0 is
    // from the first session.
    std::int64_t planStartedAtUtc = 0;
    friend bool operator==(const PracticeSettings &, const PracticeSettings &) = default;
};

// The settings as the settings file holds them (group "Practice"); a value that is
// missing or out of range reads as its default.
PracticeSettings readPracticeSettings(Platform &platform);
// Writes the values that differ from `before`, and nothing when none does.
void savePracticeSettings(Platform &platform, const PracticeSettings &settings,
                          const PracticeSettings &before);

// One posture of a session: its hold at 100 %, whether it is done on each
// side in turn, and the time a body needs to come into it, to come out of it
// and to change sides.
struct SessionPosture {
    int holdSeconds = 0;
    bool eachSide = false;
    int inSeconds = 0;
    int outSeconds = 0;
    int changeSidesSeconds = 0;
};

enum class PracticePhase {
    GetReady,    // before a posture: what comes next, and time to come into it
    Hold,        // the posture, or its first side
    ChangeSides, // between the sides of a posture done on each side
    OtherSide,   // the second side
    Rest,        // after a posture, before the next: time to come out of it, then rest
    Finished,
};

// Where a session is, as the screen shows it.
struct SessionState {
    int posture = 0; // the posture in hand (in a rest: the one just done)
    PracticePhase phase = PracticePhase::GetReady;
    bool paused = false;
    Millis phaseMs = 0;     // the whole phase
    Millis remainingMs = 0; // of the phase
    // The remaining time in whole seconds, rounded up: a phase of 10 s shows
    // 10 for its first second and 1 for its last.
    int remainingSeconds = 0;
    Millis sessionRemainingMs = 0; // to the end of the last posture
    friend bool operator==(const SessionState &, const SessionState &) = default;
};

// A guided session through a list of postures: for each, a get-ready phase
// (the user's time, or longer where the posture takes longer to come into),
// the hold (each side in turn, with time to change between them) and a rest
// before the next that begins with the time to come out of the posture, so
// that coming out never eats into the rest; no rest after the last. Time comes from the clock only:
// a phase ends when its time is up, and the next starts at that very moment however late the
// session hears of it, so nothing drifts and no tick is ever counted. Pausing
// and resuming loses nothing; after the machine has slept the session is
// found paused where it was.
class PracticeSession {
public:
    static constexpr Millis ShortestAdjustedHoldMs = 5000;
    static constexpr Millis LongestHoldMs = 600'000;
    // Sleep shows as the boot clock running ahead of the awake one by more than this.
    static constexpr Millis SleepThresholdMs = 2000;

    // Starts the first posture's get-ready phase now.
    PracticeSession(std::vector<SessionPosture> postures, const PracticeSettings &settings,
                    SessionClock &clock);

    // Brings the session up to the clock.
    void update();
    void pause();
    void resume();
    // The next posture's get-ready phase; after the last posture, the end.
    void next();
    // The previous posture's get-ready phase (in a rest: the posture just
    // done; at the first posture: its get-ready again).
    void previous();
    // Lengthens or shortens the posture's hold, the one running included; a
    // hold is not shortened below 5 s. False where there is no hold to change
    // (in a rest).
    bool adjustHold(int seconds);
    // New settings: their times apply from the next phase on.
    void setSettings(const PracticeSettings &settings);
    // Ends the session where it is.
    void end();

    SessionState state() const;
    // How long until the shown second or the phase changes; none (-1) while
    // paused or finished.
    Millis untilNextChange() const;
    bool finished() const { return phase_ == PracticePhase::Finished; }
    // True when the session ran to the end of its last posture.
    bool completed() const { return completed_; }
    // The time each posture was held so far (both sides together).
    const std::vector<Millis> &heldMs() const { return held_; }
    // The time spent in the session, pauses left out.
    Millis practisedMs() const;
    // Whether any posture has been held at all.
    bool anyHeld() const;
    int postureCount() const { return static_cast<int>(postures_.size()); }
    // A posture's hold as it stands, each side.
    Millis holdMsOf(int posture) const;
    const PracticeSettings &settings() const { return settings_; }

    // The length of a whole session of these postures and settings.
    static Millis lengthMs(const std::vector<SessionPosture> &postures,
                           const PracticeSettings &settings);
    // A hold of `seconds` at `percent`, in whole seconds, never under one.
    static Millis scaledHoldMs(int seconds, int percent);
    // The time to get ready for a posture, and the rest after it.
    static Millis getReadyMs(const SessionPosture &posture, const PracticeSettings &settings);
    static Millis restMs(const SessionPosture &posture, const PracticeSettings &settings);

private:
    Millis now();
    Millis elapsed() const;
    Millis phaseLengthMs(PracticePhase phase, int posture) const;
    void begin(PracticePhase phase, int posture, Millis at);
    // Ends the phase in hand at `at`, counting what was held.
    void closePhase(Millis at);
    // Ends every phase whose time is up by `to`, each next one starting when
    // the one before was due.
    void advance(Millis to);
    void goTo(int posture);

    std::vector<SessionPosture> postures_;
    std::vector<Millis> extraMs_; // the user's + and -, per posture
    std::vector<Millis> held_;
    PracticeSettings settings_;
    SessionClock &clock_;
    ClockReading last_;
    Millis startedAt_ = 0;
    Millis pausedTotal_ = 0;
    Millis endedAt_ = 0;
    PracticePhase phase_ = PracticePhase::GetReady;
    int posture_ = 0;
    Millis phaseStart_ = 0;
    Millis phaseMs_ = 0;
    bool paused_ = false;
    Millis pausedAt_ = 0;
    bool completed_ = false;
};

} // namespace pranoth
