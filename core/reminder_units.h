#pragma once

#include <string>
#include <string_view>

namespace pranoth {

// The systemd user units that remind the user to practise: a timer on the
// chosen days and time, and the service it starts, which runs the program
// with --remind. They live in the user's systemd folder
// (XDG_CONFIG_HOME/systemd/user) only while reminders are on.

inline constexpr std::string_view ReminderTimerName = "pranoth-reminder.timer";
inline constexpr std::string_view ReminderServiceName = "pranoth-reminder.service";

// The timer's calendar: the days (Monday bit 0 to Sunday bit 6) and the time
// (minutes after midnight), "Mon,Wed,Fri *-*-* 18:30:00"; every day leaves
// the days out.
std::string reminderCalendar(int days, int minute);

// The text of pranoth-reminder.timer.
std::string reminderTimerUnit(int days, int minute);

// The text of pranoth-reminder.service, running the program at the absolute
// `programPath` with --remind.
std::string reminderServiceUnit(std::string_view programPath);

// A word of a command line as systemd reads it: quoted where it needs to be,
// with systemd's specifiers (%) and variables ($) kept literal.
std::string systemdWord(std::string_view word);

} // namespace pranoth
