#include "reminder_setup.h"

#include "core/practice_session.h"
#include "core/reminder_units.h"
#include "ui/qt_text.h"
#include "user_folders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSaveFile>

namespace pranoth {

namespace {

const QString Systemctl = QStringLiteral("systemctl");

QString timerName()
{
    return fromLatin1(ReminderTimerName);
}

QString unitPath(const QString &folder, std::string_view name)
{
    return folder + QLatin1Char('/') + fromLatin1(name);
}

QString systemctl(const CommandRunner &run, const QStringList &arguments, bool &ok)
{
    const CommandOutcome outcome =
        run(Systemctl, QStringList{QStringLiteral("--user")} + arguments);
    ok = outcome.finished && outcome.exitCode == 0;
    if (ok)
        return {};
    if (!outcome.finished && outcome.output.isEmpty())
        return QCoreApplication::translate("Reminders", "systemctl could not be run.");
    return outcome.output.trimmed();
}

QString noUserManager(const QString &why)
{
    return QCoreApplication::translate("Reminders", "Reminders stay off: they need the systemd "
                                                    "user manager, which is not running here.\n\n"
                                                    "%1")
        .arg(why);
}

// Removes both unit files; false when one is there still.
bool removeUnits(const QString &folder)
{
    bool removed = true;
    for (const std::string_view name : {ReminderTimerName, ReminderServiceName}) {
        QFile file(unitPath(folder, name));
        if (file.exists() && !file.remove())
            removed = false;
    }
    return removed;
}

bool writeUnit(const QString &path, const std::string &text)
{
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) &&
           file.write(text.data(), static_cast<qint64>(text.size())) ==
               static_cast<qint64>(text.size()) &&
           file.commit();
}

QString turnOff(const QString &folder, const CommandRunner &run)
{
    // Without a user manager there is no timer running to stop.
    bool ok = false;
    systemctl(run, {QStringLiteral("disable"), QStringLiteral("--now"), timerName()}, ok);
    const bool removed = removeUnits(folder);
    systemctl(run, {QStringLiteral("daemon-reload")}, ok);
    if (!removed)
        return QCoreApplication::translate("Reminders",
                                           "The reminder's files in %1 could not be removed.")
            .arg(folder);
    return {};
}

} // namespace

CommandRunner processRunner(int timeoutMs)
{
    return [timeoutMs](const QString &program, const QStringList &arguments) {
        QProcess process;
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(program, arguments);
        CommandOutcome outcome;
        if (!process.waitForStarted(timeoutMs)) {
            outcome.output =
                QCoreApplication::translate("Reminders", "%1 was not found.").arg(program);
            return outcome;
        }
        if (!process.waitForFinished(timeoutMs)) {
            process.kill();
            process.waitForFinished(timeoutMs);
            outcome.output =
                QCoreApplication::translate("Reminders", "%1 did not answer in time.").arg(program);
            return outcome;
        }
        outcome.finished = process.exitStatus() == QProcess::NormalExit;
        outcome.exitCode = process.exitCode();
        outcome.output = QString::fromLocal8Bit(process.readAll());
        return outcome;
    };
}

QString userUnitFolder()
{
    const QString config = xdgFolder("XDG_CONFIG_HOME", ".config");
    return config.isEmpty() ? QString() : config + QStringLiteral("/systemd/user");
}

QString setUpReminders(const PracticeSettings &settings, const QString &programPath,
                       const CommandRunner &run)
{
    const QString folder = userUnitFolder();
    if (folder.isEmpty())
        return settings.reminders
                   ? QCoreApplication::translate("Reminders",
                                                 "Reminders need a home folder to keep "
                                                 "their timer in, and there is none.")
                   : QString();
    if (!settings.reminders)
        return turnOff(folder, run);

    if (!makePrivateFolders(folder) ||
        !writeUnit(unitPath(folder, ReminderTimerName),
                   reminderTimerUnit(settings.reminderDays, settings.reminderMinute)) ||
        !writeUnit(unitPath(folder, ReminderServiceName),
                   reminderServiceUnit(QFile::encodeName(programPath).toStdString()))) {
        removeUnits(folder);
        return QCoreApplication::translate("Reminders",
                                           "The reminder's timer could not be written to %1.")
            .arg(folder);
    }
    bool ok = false;
    if (const QString why = systemctl(run, {QStringLiteral("daemon-reload")}, ok); !ok) {
        removeUnits(folder);
        return noUserManager(why);
    }
    const QString why =
        systemctl(run, {QStringLiteral("enable"), QStringLiteral("--now"), timerName()}, ok);
    if (ok)
        return {};
    turnOff(folder, run);
    return QCoreApplication::translate("Reminders", "The reminder's timer could not be started: %1")
        .arg(why);
}

QString setUpReminders(const PracticeSettings &settings)
{
    return setUpReminders(settings, QCoreApplication::applicationFilePath(), processRunner());
}

} // namespace pranoth
