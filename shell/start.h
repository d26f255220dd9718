#pragma once

#include <functional>

namespace pranoth {

// The program: start-up up to the main window, then the event loop until the
// shutdown routine ends it. `started`, when given, runs once the first window
// is shown, before the event loop.
int runProgram(int argc, char *argv[], const std::function<void()> &started = {});

} // namespace pranoth
