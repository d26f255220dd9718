#pragma once

// Recording stand-ins for the program's seams, shared by the tests.

#include "core/platform.h"
#include "core/rich_text.h"
#include "core/test_run.h"

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
    void processPendingEvents() override
    {
        ++eventSteps;
        if (onEvents)
            onEvents();
    }
    void endProcess() override { ++endRequests; }

    std::mt19937 generator;
    std::vector<double> scriptedDraws;
    std::vector<ShownMessage> messages;
    std::function<void(const ShownMessage &)> onMessage;
    MessageAnswer answer = MessageAnswer::No;
    std::vector<std::string> openedUrls;
    std::map<std::string, std::string> settings;
    int settingWrites = 0;
    bool otherInstance = false;
    int activations = 0;
    DateTime clock{2026, 12, 7, 9, 30, 0};
    int seeds = 0;
    int draws = 0;
    int eventSteps = 0;
    std::function<void()> onEvents;
    int endRequests = 0;
};

// A questionnaire window without a window.
class FakeQuestionnaireView : public QuestionnaireView {
public:
    void setLabelText(std::string_view text) override { label = text; }
    void setQuestionText(std::string_view text) override { question = text; }
    void selectOption(int value) override { option = value; }
    int selectedOption() const override { return option; }

    std::string label;
    std::string question;
    int option = OptionYes;
};

// One stretch of text with one format.
struct TextRun {
    bool bold = false;
    Rgb colour;
    std::string text;
    friend bool operator==(const TextRun &, const TextRun &) = default;
};

// Records what is written as runs of equally formatted text; consecutive
// inserts with the same format join into one run.
class RecordingWriter : public RichTextWriter {
public:
    void setBold(bool value) override { bold = value; }
    void setColour(Rgb value) override { colour = value; }
    void insertText(std::string_view text) override
    {
        if (text.empty())
            return;
        if (!runs.empty() && runs.back().bold == bold && runs.back().colour == colour)
            runs.back().text += text;
        else
            runs.push_back({bold, colour, std::string(text)});
    }
    void clear() override { runs.clear(); }
    void moveToEnd() override { ++movesToEnd; }

    std::string plainText() const
    {
        std::string all;
        for (const TextRun &run : runs)
            all += run.text;
        return all;
    }

    bool bold = false;
    Rgb colour;
    std::vector<TextRun> runs;
    int movesToEnd = 0;
};

} // namespace pranoth::testing
