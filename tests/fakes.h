#pragma once

// Recording stand-ins for the program's seams, shared by the tests.

#include "core/platform.h"
#include "core/practice_session.h"
#include "core/session_services.h"

#include <functional>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace pranoth::testing {

struct ShownMessage {
    std::string text;
    MessageIcon icon;
    MessageButtons buttons;
};

// A platform that records what the program asks of it. The random source is
// a seeded generator unless a test scripts the draws.
class FakePlatform : public Platform {
public:
    explicit FakePlatform(unsigned seed = 1) : generator(seed) {}

    MessageAnswer showMessage(std::string_view text, MessageIcon icon,
                              MessageButtons buttons) override
    {
        messages.push_back({std::string(text), icon, buttons});
        if (onMessage)
            onMessage(messages.back());
        return buttons == MessageButtons::Ok ? MessageAnswer::Ok : answer;
    }
    std::optional<std::string> chooseSaveFile(std::string_view title,
                                              std::string_view suggestedPath,
                                              std::string_view) override
    {
        saveDialogs.push_back({std::string(title), std::string(suggestedPath)});
        if (savePaths.empty())
            return std::nullopt;
        std::string path = savePaths.front();
        savePaths.erase(savePaths.begin());
        return path;
    }
    void openUrl(std::string_view url) override { openedUrls.emplace_back(url); }
    std::optional<std::string> readSetting(std::string_view section, std::string_view key) override
    {
        const auto found = settings.find(std::string(section) + "/" + std::string(key));
        if (found == settings.end())
            return std::nullopt;
        return found->second;
    }
    void writeSetting(std::string_view section, std::string_view key,
                      std::string_view value) override
    {
        ++settingWrites;
        settings[std::string(section) + "/" + std::string(key)] = std::string(value);
    }
    bool anotherInstanceRunning() override { return otherInstance; }
    void activateRunningInstance() override { ++activations; }
    DateTime now() override { return clock; }
    void seedRandomFromClock() override { ++seeds; }
    double uniformRandom() override
    {
        ++draws;
        if (!scriptedDraws.empty()) {
            const double u = scriptedDraws.front();
            scriptedDraws.erase(scriptedDraws.begin());
            return u;
        }
        return std::uniform_real_distribution<double>(0.0, 1.0)(generator);
    }
    void endProcess() override { ++endRequests; }

    std::mt19937 generator;
    std::vector<double> scriptedDraws;
    std::vector<ShownMessage> messages;
    std::function<void(const ShownMessage &)> onMessage;
    MessageAnswer answer = MessageAnswer::No;
    // Each save dialog's title and suggested path; the paths the dialogs
    // answer with, in turn (cancelled once none is left).
    std::vector<std::pair<std::string, std::string>> saveDialogs;
    std::vector<std::string> savePaths;
    std::vector<std::string> openedUrls;
    std::map<std::string, std::string> settings;
    int settingWrites = 0;
    bool otherInstance = false;
    int activations = 0;
    DateTime clock{2026, 12, 7, 9, 30, 0};
    int seeds = 0;
    int draws = 0;
    int endRequests = 0;
};

// A clock that moves only when told; the awake clock and the boot clock
// together, unless a test lets the machine sleep.
struct FakeSessionClock : SessionClock {
    ClockReading read() override { return {awake, sinceBoot}; }
    void advanceTo(Millis at)
    {
        sinceBoot += at - awake;
        awake = at;
    }
    Millis awake = 0;
    Millis sinceBoot = 0;
};

// Records what a session asks of the desktop, in order: "cue PhaseChange",
// "cue Finished", "inhibit REASON", "release", and of the voice: "say
// PHRASE" (with "new phase" or "interrupt" before the phrases of a new
// phase), "pause voice", "resume voice", "stop voice".
struct FakeSessionServices : SessionServices {
    void playCue(SessionCue cue) override
    {
        calls.push_back(cue == SessionCue::Finished ? "cue Finished" : "cue PhaseChange");
    }
    void inhibitIdle(std::string_view reason) override
    {
        calls.push_back("inhibit " + std::string(reason));
        inhibited = true;
    }
    void releaseIdle() override
    {
        calls.push_back("release");
        inhibited = false;
    }
    void speak(const std::vector<std::string> &phrases, SpeechStart start) override
    {
        if (start != SpeechStart::Within)
            calls.emplace_back(start == SpeechStart::NewPhase ? "new phase" : "interrupt");
        for (const std::string &phrase : phrases)
            calls.push_back("say " + phrase);
    }
    void pauseSpeech() override { calls.emplace_back("pause voice"); }
    void resumeSpeech() override { calls.emplace_back("resume voice"); }
    void stopSpeech() override { calls.emplace_back("stop voice"); }
    void setSpeakingRate(int rate) override { this->rate = rate; }
    std::string speechUnavailable() override { return unavailable; }
    bool screenReaderRunning() override { return screenReader; }
    std::string setReminders(const PracticeSettings &settings) override
    {
        calls.push_back(settings.reminders ? "reminders on" : "reminders off");
        return remindersUnavailable;
    }

    std::vector<std::string> calls;
    std::string remindersUnavailable;
    bool inhibited = false;
    int rate = 0;
    std::string unavailable;
    bool screenReader = false;
};

} // namespace pranoth::testing
