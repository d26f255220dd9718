#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace pranoth {

enum class MessageIcon { Information, Question, Warning, Critical };
enum class MessageButtons { Ok, YesNo };
enum class MessageAnswer { Ok, Yes, No };

// A local calendar date and time of day.
struct DateTime {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
    friend bool operator==(const DateTime &, const DateTime &) = default;
};

// Everything the program asks of the machine goes through this one seam, so
// that tests can replace it: no test ever blocks on a message box, opens a
// browser, touches the user's settings or ends the test process.
class Platform {
public:
    virtual ~Platform() = default;

    // A modal message box captioned with the application title, over the
    // window in front. Texts here are UTF-8.
    virtual MessageAnswer showMessage(std::string_view text, MessageIcon icon,
                                      MessageButtons buttons) = 0;
    // Asks where to save a file: a save dialog with the title, starting at
    // the suggested path and offering the filter ("PDF documents (*.pdf)").
    // None when the user cancels.
    virtual std::optional<std::string> chooseSaveFile(std::string_view title,
                                                      std::string_view suggestedPath,
                                                      std::string_view filter) = 0;
    // Hands an address to the desktop's default handler; the outcome is not reported.
    virtual void openUrl(std::string_view url) = 0;

    // Per-user settings of this application: a text value by section and key.
    // Keys and values are byte strings (one byte a character); an absent key
    // reads as none. Failures are silent.
    virtual std::optional<std::string> readSetting(std::string_view section,
                                                   std::string_view key) = 0;
    virtual void writeSetting(std::string_view section, std::string_view key,
                              std::string_view value) = 0;

    // True when another instance of the program runs for this user.
    virtual bool anotherInstanceRunning() = 0;
    // Asks that running instance to bring its window to the front.
    virtual void activateRunningInstance() = 0;

    virtual DateTime now() = 0;

    // The program's random source: reseeded from the clock, and a uniform
    // draw in [0, 1).
    virtual void seedRandomFromClock() = 0;
    virtual double uniformRandom() = 0;

    // Ends the process once the current event has been handled.
    virtual void endProcess() = 0;
};

} // namespace pranoth
