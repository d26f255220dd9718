#pragma once

#include <QString>
#include <QStringList>

#include <functional>

namespace pranoth {

struct PracticeSettings;

// What a command did: whether it ran to its end within its time, its exit
// status, and what it printed (standard output and error together).
struct CommandOutcome {
    bool finished = false;
    int exitCode = -1;
    QString output;
};

// Runs a program with its arguments and waits for it.
using CommandRunner =
    std::function<CommandOutcome(const QString &program, const QStringList &arguments)>;

// Runs commands as they are, each given `timeoutMs` to end before it is killed.
CommandRunner processRunner(int timeoutMs = 5000);

// The folder of the user's own systemd units: XDG_CONFIG_HOME/systemd/user
// (HOME/.config/systemd/user); empty without a usable home.
QString userUnitFolder();

// Puts the practice reminders in line with `settings`.
//
// Reminders on: writes pranoth-reminder.timer (the settings' days and time)
// and pranoth-reminder.service (which runs `programPath --remind`) to the
// user's systemd folder, each replaced whole, then reloads the user's systemd
// and enables and starts the timer. Changing the days or the time is the
// same call again.
// Reminders off: stops and disables the timer, removes both files and
// reloads the user's systemd.
//
// Every command goes through `run` and is given a few seconds at most, so
// this never holds the caller for long. Returns the empty text on success,
// else a message for the user, and then no unit file is left behind: the
// caller keeps reminders off. Where there is no systemd user manager
// (systemctl missing, or no user bus to reach it) the message says so.
QString setUpReminders(const PracticeSettings &settings, const QString &programPath,
                       const CommandRunner &run);

// The same for the running program, with the real systemctl.
QString setUpReminders(const PracticeSettings &settings);

} // namespace pranoth
