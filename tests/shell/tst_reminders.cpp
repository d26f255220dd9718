#include "core/practice_session.h"
#include "core/reminder_units.h"
#include "scoped_environment.h"
#include "shell/reminder_setup.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace pranoth;

namespace {

// systemctl as a machine would answer it; every call is recorded.
enum class Systemctl { Works, Missing, NoUserBus };

struct RecordedRunner {
    Systemctl systemctl;
    QStringList calls;
    CommandOutcome operator()(const QString &program, const QStringList &arguments)
    {
        calls << (QStringList{program} + arguments).join(' ');
        switch (systemctl) {
        case Systemctl::Works:
            return {true, 0, {}};
        case Systemctl::Missing:
            return {false, -1, "systemctl was not found."};
        case Systemctl::NoUserBus:
            return {true, 1, "Failed to connect to bus: No medium found\n"};
        }
        return {};
    }
};

} // namespace

Q_DECLARE_METATYPE(Systemctl)

// The reminder's systemd units: their text, and setting them up and taking
// them down through systemctl, in a private configuration folder.
class tst_Reminders : public QObject {
    Q_OBJECT

private slots:
    void unitText_data()
    {
        QTest::addColumn<int>("days");
        QTest::addColumn<int>("minute");
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("calendar");
        QTest::addColumn<QString>("execStart");
        QTest::newRow("Monday, Wednesday and Friday at half past six")
            << 0b0010101 << 18 * 60 + 30 << "/usr/bin/pranoth"
            << "Mon,Wed,Fri *-*-* 18:30:00"
            << "/usr/bin/pranoth --remind";
        QTest::newRow("every day at midnight") << 0x7F << 0 << "/usr/bin/pranoth"
                                               << "*-*-* 00:00:00"
                                               << "/usr/bin/pranoth --remind";
        QTest::newRow("the weekend, from a folder with a space")
            << 0b1100000 << 7 * 60 + 5 << "/home/a b/pranoth"
            << "Sat,Sun *-*-* 07:05:00"
            << "\"/home/a b/pranoth\" --remind";
        QTest::newRow("Sunday alone, a path with systemd's specifier and variable signs")
            << 0b1000000 << 23 * 60 + 59 << "/opt/100%/$HOME/pranoth"
            << "Sun *-*-* 23:59:00"
            << "/opt/100%%/$$HOME/pranoth --remind";
        QTest::newRow("a path with quotes and a backslash")
            << 0b0000010 << 12 * 60 << "/tmp/say \"hi\"\\/pranoth"
            << "Tue *-*-* 12:00:00"
            << "\"/tmp/say \\\"hi\\\"\\\\/pranoth\" --remind";
    }
    void unitText()
    {
        QFETCH(int, days);
        QFETCH(int, minute);
        QFETCH(QString, program);
        QFETCH(QString, calendar);
        QFETCH(QString, execStart);
        QCOMPARE(QString::fromStdString(reminderTimerUnit(days, minute)),
                 "[Unit]\nDescription=A reminder to practise with Pranoth\n\n[Timer]\nOnCalendar=" +
                     calendar +
                     "\nUnit=pranoth-reminder.service\n\n[Install]\nWantedBy=timers.target\n");
        QCOMPARE(QString::fromStdString(reminderServiceUnit(program.toStdString())),
                 "[Unit]\nDescription=A reminder to practise with Pranoth\n\n[Service]\n"
                 "Type=oneshot\nExecStart=" +
                     execStart + "\nKillMode=process\n");
    }

    void settingUp_data()
    {
        QTest::addColumn<bool>("reminders");
        QTest::addColumn<Systemctl>("systemctl");
        QTest::addColumn<QStringList>("calls");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QStringList>("files");
        const QStringList both{"pranoth-reminder.service", "pranoth-reminder.timer"};
        const QString reload = "systemctl --user daemon-reload";
        const QString enable = "systemctl --user enable --now pranoth-reminder.timer";
        const QString disable = "systemctl --user disable --now pranoth-reminder.timer";
        const QString noManager =
            "Reminders stay off: they need the systemd user manager, which is not running "
            "here.\n\n";
        QTest::newRow("on: both units written, the timer enabled and started")
            << true << Systemctl::Works << QStringList{reload, enable} << QString() << both;
        QTest::newRow("off: the timer stopped, both units removed")
            << false << Systemctl::Works << QStringList{disable, reload} << QString()
            << QStringList();
        QTest::newRow("on without systemctl: said, and no unit left")
            << true << Systemctl::Missing << QStringList{reload}
            << noManager + "systemctl was not found." << QStringList();
        QTest::newRow("on without a user bus: said, and no unit left")
            << true << Systemctl::NoUserBus << QStringList{reload}
            << noManager + "Failed to connect to bus: No medium found" << QStringList();
    }
    // Set up in a private configuration folder, with units from an earlier
    // setting there; what is left is what systemd itself takes.
    void settingUp()
    {
        QFETCH(bool, reminders);
        QFETCH(Systemctl, systemctl);
        QTemporaryDir own;
        const testing::ScopedEnvironment config{{"XDG_CONFIG_HOME", own.path().toUtf8()}};
        const QString folder = own.filePath("systemd/user");
        QVERIFY(QDir().mkpath(folder) && QDir().mkpath(own.filePath("my programs")));
        for (const char *name : {"pranoth-reminder.timer", "pranoth-reminder.service"}) {
            QFile old(folder + '/' + name);
            QVERIFY(old.open(QIODevice::WriteOnly) && old.write("old"));
        }
        // A program path with a space, which systemd must find whole.
        const QString program = own.filePath("my programs/pranoth");
        QVERIFY(QFile::link(QStandardPaths::findExecutable("true"), program));
        PracticeSettings settings;
        settings.reminders = reminders;
        settings.reminderDays = 0b0010101;
        RecordedRunner runner{systemctl, {}};
        QTEST(setUpReminders(settings, program, std::ref(runner)), "message");
        QTEST(runner.calls, "calls");
        QTEST(QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name), "files");
        const QString analyze = QStandardPaths::findExecutable("systemd-analyze");
        if (!reminders || systemctl != Systemctl::Works || analyze.isEmpty())
            return;
        QProcess verify;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("XDG_RUNTIME_DIR", own.path());
        verify.setProcessEnvironment(environment);
        verify.setWorkingDirectory(folder);
        verify.setProcessChannelMode(QProcess::MergedChannels);
        verify.start(analyze,
                     {"verify", "--user", "pranoth-reminder.timer", "pranoth-reminder.service"});
        QVERIFY(verify.waitForFinished(30000));
        QVERIFY2(verify.exitCode() == 0, verify.readAll().constData());
    }
};

QTEST_GUILESS_MAIN(tst_Reminders)
#include "tst_reminders.moc"
