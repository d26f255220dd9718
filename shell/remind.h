#pragma once

namespace pranoth {

// `pranoth --remind`, as the user's systemd timer runs it: with no display
// and without writing anything, it reads this week's practice from My History
// and, unless a session was kept today or the week's goal is met, sends one
// desktop notification, "Time to practise", with the week's progress. Its
// action, Practise now, starts the program into Practise Along (--practise).
// It waits for the notification's end for a while at most, and ends with
// status 0 whatever happens; where there is no desktop notification service
// it ends at once, silently.
int runReminder(int argc, char *argv[]);

} // namespace pranoth
