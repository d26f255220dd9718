#include "practice_session.h"

#include "platform.h"

#include <algorithm>
#include <charconv>
#include <ctime>
#include <optional>
#include <string>

namespace pranoth {

namespace {

constexpr std::string_view Group = "Practice";
constexpr std::string_view HoldPercentKey = "HoldPercent";
constexpr std::string_view GetReadyKey = "GetReadySeconds";
constexpr std::string_view RestKey = "RestSeconds";
constexpr std::string_view MutedKey = "Muted";
constexpr std::string_view SpokenKey = "SpokenGuidance";
constexpr std::string_view StepsKey = "SpokenSteps";
constexpr std::string_view RateKey = "SpeakingRate";
constexpr std::string_view CountdownKey = "Countdown";
constexpr std::string_view BeginnerKey = "Beginner";
constexpr std::string_view WeeklyGoalKey = "WeeklyGoal";
constexpr std::string_view RemindersKey = "Reminders";
constexpr std::string_view ReminderDaysKey = "ReminderDays";
constexpr std::string_view ReminderTimeKey = "ReminderMinute";
constexpr std::string_view KeepEveryResultKey = "KeepEveryResult";
constexpr std::string_view PlanStartedKey = "PlanStartedAt";

Millis millisOf(clockid_t clock)
{
    timespec time{};
    clock_gettime(clock, &time);
    return static_cast<Millis>(time.tv_sec) * 1000 + time.tv_nsec / 1'000'000;
}

// A whole number from `low` to `high`, else none.
template <typename Number = int>
std::optional<Number> numberSetting(Platform &platform, std::string_view key, Number low,
                                    Number high)
{
    const auto text = platform.readSetting(Group, key);
    Number value = 0;
    if (!text || text->empty() ||
        std::from_chars(text->data(), text->data() + text->size(), value).ptr !=
            text->data() + text->size() ||
        value < low || value > high)
        return std::nullopt;
    return value;
}

} // namespace

ClockReading SystemSessionClock::read()
{
    return {millisOf(CLOCK_MONOTONIC), millisOf(CLOCK_BOOTTIME)};
}

PracticeSettings readPracticeSettings(Platform &platform)
{
    PracticeSettings settings;
    settings.holdPercent =
        numberSetting(platform, HoldPercentKey, PracticeSettings::ShortestHoldPercent,
                      PracticeSettings::LongestHoldPercent)
            .value_or(settings.holdPercent);
    settings.getReadySeconds =
        numberSetting(platform, GetReadyKey, 0, PracticeSettings::LongestGetReadySeconds)
            .value_or(settings.getReadySeconds);
    settings.restSeconds = numberSetting(platform, RestKey, 0, PracticeSettings::LongestRestSeconds)
                               .value_or(settings.restSeconds);
    const auto flag = [&platform](std::string_view key, bool fallback) {
        return numberSetting(platform, key, 0, 1).value_or(fallback ? 1 : 0) == 1;
    };
    settings.muted = flag(MutedKey, settings.muted);
    settings.spoken = flag(SpokenKey, settings.spoken);
    settings.spokenSteps = flag(StepsKey, settings.spokenSteps);
    settings.speakingRate = numberSetting(platform, RateKey, PracticeSettings::SlowestSpeakingRate,
                                          PracticeSettings::FastestSpeakingRate)
                                .value_or(settings.speakingRate);
    settings.countdown = flag(CountdownKey, settings.countdown);
    settings.beginner = flag(BeginnerKey, settings.beginner);
    settings.weeklyGoal =
        numberSetting(platform, WeeklyGoalKey, 1, PracticeSettings::LongestWeeklyGoal)
            .value_or(settings.weeklyGoal);
    settings.reminders = flag(RemindersKey, settings.reminders);
    settings.reminderDays = numberSetting(platform, ReminderDaysKey, 1, PracticeSettings::EveryDay)
                                .value_or(settings.reminderDays);
    settings.reminderMinute =
        numberSetting(platform, ReminderTimeKey, 0, PracticeSettings::MinutesPerDay - 1)
            .value_or(settings.reminderMinute);
    settings.keepEveryResult = flag(KeepEveryResultKey, settings.keepEveryResult);
    settings.planStartedAtUtc =
        numberSetting<std::int64_t>(platform, PlanStartedKey, 0, std::int64_t{1} << 40)
            .value_or(settings.planStartedAtUtc);
    return settings;
}

void savePracticeSettings(Platform &platform, const PracticeSettings &settings,
                          const PracticeSettings &before)
{
    const auto save = [&platform](std::string_view key, std::int64_t value, std::int64_t old) {
        if (value != old)
            platform.writeSetting(Group, key, std::to_string(value));
    };
    save(HoldPercentKey, settings.holdPercent, before.holdPercent);
    save(GetReadyKey, settings.getReadySeconds, before.getReadySeconds);
    save(RestKey, settings.restSeconds, before.restSeconds);
    save(MutedKey, settings.muted ? 1 : 0, before.muted ? 1 : 0);
    save(SpokenKey, settings.spoken ? 1 : 0, before.spoken ? 1 : 0);
    save(StepsKey, settings.spokenSteps ? 1 : 0, before.spokenSteps ? 1 : 0);
    save(RateKey, settings.speakingRate, before.speakingRate);
    save(CountdownKey, settings.countdown ? 1 : 0, before.countdown ? 1 : 0);
    save(BeginnerKey, settings.beginner ? 1 : 0, before.beginner ? 1 : 0);
    save(WeeklyGoalKey, settings.weeklyGoal, before.weeklyGoal);
    save(RemindersKey, settings.reminders ? 1 : 0, before.reminders ? 1 : 0);
    save(ReminderDaysKey, settings.reminderDays, before.reminderDays);
    save(ReminderTimeKey, settings.reminderMinute, before.reminderMinute);
    save(KeepEveryResultKey, settings.keepEveryResult ? 1 : 0, before.keepEveryResult ? 1 : 0);
    save(PlanStartedKey, settings.planStartedAtUtc, before.planStartedAtUtc);
}

PracticeSession::PracticeSession(std::vector<SessionPosture> postures,
                                 const PracticeSettings &settings, SessionClock &clock)
    : postures_(std::move(postures)), extraMs_(postures_.size(), 0), held_(postures_.size(), 0),
      settings_(settings), clock_(clock), last_(clock.read())
{
    startedAt_ = last_.awake;
    if (postures_.empty()) {
        phase_ = PracticePhase::Finished;
        endedAt_ = startedAt_;
        return;
    }
    begin(PracticePhase::GetReady, 0, startedAt_);
    advance(startedAt_); // a get-ready time of none goes straight to the hold
}

Millis PracticeSession::scaledHoldMs(int seconds, int percent)
{
    // Rounded to the nearest whole second, a half up.
    const int scaled = (seconds * percent + 50) / 100;
    return std::max(1, scaled) * Millis{1000};
}

Millis PracticeSession::holdMsOf(int posture) const
{
    const auto i = static_cast<std::size_t>(posture);
    return std::clamp(scaledHoldMs(postures_[i].holdSeconds, settings_.holdPercent) + extraMs_[i],
                      Millis{1000}, LongestHoldMs);
}

Millis PracticeSession::phaseLengthMs(PracticePhase phase, int posture) const
{
    const SessionPosture &shape = postures_[static_cast<std::size_t>(posture)];
    switch (phase) {
    case PracticePhase::GetReady:
        return getReadyMs(shape, settings_);
    case PracticePhase::Hold:
    case PracticePhase::OtherSide:
        return holdMsOf(posture);
    case PracticePhase::ChangeSides:
        return Millis{shape.changeSidesSeconds} * 1000;
    case PracticePhase::Rest:
        return restMs(shape, settings_);
    case PracticePhase::Finished:
        break;
    }
    return 0;
}

Millis PracticeSession::getReadyMs(const SessionPosture &posture, const PracticeSettings &settings)
{
    return Millis{std::max(settings.getReadySeconds, posture.inSeconds)} * 1000;
}

Millis PracticeSession::restMs(const SessionPosture &posture, const PracticeSettings &settings)
{
    return Millis{posture.outSeconds + settings.restSeconds} * 1000;
}

Millis PracticeSession::lengthMs(const std::vector<SessionPosture> &postures,
                                 const PracticeSettings &settings)
{
    Millis total = 0;
    for (std::size_t i = 0; i < postures.size(); ++i) {
        const SessionPosture &posture = postures[i];
        const Millis hold = scaledHoldMs(posture.holdSeconds, settings.holdPercent);
        total += getReadyMs(posture, settings) + hold;
        if (posture.eachSide)
            total += Millis{posture.changeSidesSeconds} * 1000 + hold;
        if (i + 1 < postures.size())
            total += restMs(posture, settings);
    }
    return total;
}

Millis PracticeSession::now()
{
    const ClockReading reading = clock_.read();
    const Millis slept = (reading.sinceBoot - last_.sinceBoot) - (reading.awake - last_.awake);
    last_ = reading;
    if (!paused_ && phase_ != PracticePhase::Finished && slept > SleepThresholdMs) {
        // The awake time since the last look is real; then the session waits.
        advance(reading.awake);
        if (phase_ != PracticePhase::Finished) {
            paused_ = true;
            pausedAt_ = reading.awake;
        }
    }
    return reading.awake;
}

Millis PracticeSession::elapsed() const
{
    return (paused_ ? pausedAt_ : last_.awake) - phaseStart_;
}

void PracticeSession::begin(PracticePhase phase, int posture, Millis at)
{
    phase_ = phase;
    posture_ = posture;
    phaseStart_ = at;
    phaseMs_ = phaseLengthMs(phase, posture);
    if (paused_)
        pausedAt_ = at;
    if (phase == PracticePhase::Finished)
        endedAt_ = at;
}

void PracticeSession::closePhase(Millis at)
{
    if (phase_ == PracticePhase::Hold || phase_ == PracticePhase::OtherSide)
        held_[static_cast<std::size_t>(posture_)] +=
            std::clamp(at - phaseStart_, Millis{0}, phaseMs_);
}

void PracticeSession::advance(Millis to)
{
    while (!paused_ && phase_ != PracticePhase::Finished && to - phaseStart_ >= phaseMs_) {
        const Millis due = phaseStart_ + phaseMs_;
        closePhase(due);
        const bool last = posture_ + 1 >= postureCount();
        const bool twoSided = postures_[static_cast<std::size_t>(posture_)].eachSide;
        switch (phase_) {
        case PracticePhase::GetReady:
            begin(PracticePhase::Hold, posture_, due);
            break;
        case PracticePhase::Hold:
            if (twoSided) {
                begin(PracticePhase::ChangeSides, posture_, due);
                break;
            }
            [[fallthrough]];
        case PracticePhase::OtherSide:
            completed_ = last;
            begin(last ? PracticePhase::Finished : PracticePhase::Rest, posture_, due);
            break;
        case PracticePhase::ChangeSides:
            begin(PracticePhase::OtherSide, posture_, due);
            break;
        case PracticePhase::Rest:
            begin(PracticePhase::GetReady, posture_ + 1, due);
            break;
        case PracticePhase::Finished:
            break;
        }
    }
}

void PracticeSession::update()
{
    advance(now());
}

void PracticeSession::pause()
{
    const Millis at = now();
    advance(at);
    if (paused_ || finished())
        return;
    paused_ = true;
    pausedAt_ = at;
}

void PracticeSession::resume()
{
    const Millis at = now();
    if (!paused_ || finished())
        return;
    // The phase starts later by the time it was paused: it loses nothing.
    phaseStart_ += at - pausedAt_;
    pausedTotal_ += at - pausedAt_;
    paused_ = false;
}

void PracticeSession::goTo(int posture)
{
    const Millis at = now();
    advance(at);
    if (finished())
        return;
    const Millis stoppedAt = paused_ ? pausedAt_ : at;
    closePhase(stoppedAt);
    if (posture >= postureCount()) {
        begin(PracticePhase::Finished, posture_, stoppedAt);
        paused_ = false;
        return;
    }
    // Paused, the new phase waits at its start.
    if (paused_)
        pausedTotal_ += at - pausedAt_;
    begin(PracticePhase::GetReady, std::max(0, posture), at);
    advance(at);
}

void PracticeSession::next()
{
    goTo(posture_ + 1);
}

void PracticeSession::previous()
{
    goTo(phase_ == PracticePhase::Rest ? posture_ : posture_ - 1);
}

bool PracticeSession::adjustHold(int seconds)
{
    const Millis at = now();
    advance(at);
    if (phase_ != PracticePhase::GetReady && phase_ != PracticePhase::Hold &&
        phase_ != PracticePhase::OtherSide)
        return false;
    const Millis before = holdMsOf(posture_);
    Millis wanted = std::min(before + Millis{seconds} * 1000, LongestHoldMs);
    if (seconds < 0)
        wanted = std::max(wanted, std::min(before, ShortestAdjustedHoldMs));
    extraMs_[static_cast<std::size_t>(posture_)] += wanted - before;
    if (phase_ != PracticePhase::GetReady) {
        // A hold shortened to less than it has run ends now.
        phaseMs_ = std::max(holdMsOf(posture_), elapsed());
        advance(at);
    }
    return true;
}

void PracticeSession::setSettings(const PracticeSettings &settings)
{
    settings_ = settings;
}

void PracticeSession::end()
{
    goTo(postureCount());
}

SessionState PracticeSession::state() const
{
    SessionState state;
    state.posture = posture_;
    state.phase = phase_;
    state.paused = paused_;
    if (finished())
        return state;
    state.phaseMs = phaseMs_;
    state.remainingMs = std::max(Millis{0}, phaseMs_ - elapsed());
    state.remainingSeconds = static_cast<int>((state.remainingMs + 999) / 1000);

    // What is left of this posture, then every later one in full.
    Millis left = state.remainingMs;
    const bool twoSided = postures_[static_cast<std::size_t>(posture_)].eachSide;
    const bool last = posture_ + 1 >= postureCount();
    const Millis rest = last ? 0 : phaseLengthMs(PracticePhase::Rest, posture_);
    const Millis secondSide =
        twoSided ? phaseLengthMs(PracticePhase::ChangeSides, posture_) + holdMsOf(posture_) : 0;
    switch (phase_) {
    case PracticePhase::GetReady:
        left += holdMsOf(posture_) + secondSide + rest;
        break;
    case PracticePhase::Hold:
        left += secondSide + rest;
        break;
    case PracticePhase::ChangeSides:
        left += holdMsOf(posture_) + rest;
        break;
    case PracticePhase::OtherSide:
        left += rest;
        break;
    case PracticePhase::Rest:
    case PracticePhase::Finished:
        break;
    }
    for (int p = posture_ + 1; p < postureCount(); ++p) {
        left += phaseLengthMs(PracticePhase::GetReady, p) + holdMsOf(p);
        if (postures_[static_cast<std::size_t>(p)].eachSide)
            left += phaseLengthMs(PracticePhase::ChangeSides, p) + holdMsOf(p);
        if (p + 1 < postureCount())
            left += phaseLengthMs(PracticePhase::Rest, p);
    }
    state.sessionRemainingMs = left;
    return state;
}

Millis PracticeSession::untilNextChange() const
{
    if (paused_ || finished())
        return -1;
    const SessionState shown = state();
    return shown.remainingMs - Millis{std::max(0, shown.remainingSeconds - 1)} * 1000;
}

Millis PracticeSession::practisedMs() const
{
    const Millis to = finished() ? endedAt_ : (paused_ ? pausedAt_ : last_.awake);
    return std::max(Millis{0}, to - startedAt_ - pausedTotal_);
}

bool PracticeSession::anyHeld() const
{
    return std::any_of(held_.begin(), held_.end(), [](Millis held) { return held > 0; });
}

} // namespace pranoth
