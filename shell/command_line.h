#pragma once

#include <QtGlobal>

#include <optional>

namespace pranoth {

// Answers the command line before anything else runs. --help and --version
// print their text on stdout and end the program with status 0, with no
// display and without touching a file; an unknown option, a missing value or
// an argument ends it with a one-line error and a hint on stderr and status 2.
// Qt's own options (-platform, -style, -display, ...) are accepted and left to
// Qt. Returns the exit status when the program ends here, nothing when it is
// to start, then with the program's own options that were given in `options`.
struct StartOptions {
    // --remind: the practice reminder, with no window (see remind.h).
    bool remind = false;
    // --practise: straight into Practise Along on the last kept result's plan.
    bool practise = false;
};
std::optional<int> answerCommandLine(int argc, char *argv[], StartOptions &options);

// While it lives, Qt finding no display it can open (no platform plugin could
// be initialised) ends the process with one line on stderr and status 1,
// instead of an abort and a core dump. What Qt prints on the way is held back,
// and passed on as it was when the display is reached after all.
class DisplayRequired {
public:
    explicit DisplayRequired(const char *argv0);
    ~DisplayRequired();
    DisplayRequired(const DisplayRequired &) = delete;
    DisplayRequired &operator=(const DisplayRequired &) = delete;

private:
    QtMessageHandler previous_;
};

} // namespace pranoth
