#include "core/config.h"

#include <QDirIterator>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

// The real program's command line on a machine without a display: what it
// prints and returns for each row's arguments; nothing is written under the
// home or the XDG folders, and nothing crashes.
class tst_CommandLine : public QObject {
    Q_OBJECT

private slots:
    void answers_data()
    {
        const QString version = QString::fromLatin1(pranoth::config::Title.data()) + ' ' +
                                QString::fromLatin1(pranoth::config::Version.data()) + '\n';
        const QString help =
            "Usage: " PRANOTH_PROGRAM " [options]\nChakra self-assessment with yoga advice, in a "
            "window of its own. Qt's standard options, such as -platform NAME and -style NAME, are "
            "accepted as well.\n\nOptions:\n  -h, --help     Shows this help and ends.\n"
            "  -v, --version  Shows the program's name and version and ends.\n"
            "  --practise     Starts Practise Along on the last kept result's postures.\n"
            "  --remind       Reminds you to practise with a desktop notification, unless\n"
            "                 you have practised today or met this week's goal, and ends. The\n"
            "                 reminder's timer runs this.\n";
        const QString hint = "Try 'pranoth --help' for more information.\n";
        const QString noDisplay = "pranoth: no display could be reached (DISPLAY is not set, "
                                  "WAYLAND_DISPLAY is not set)\n";
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("err");
        QTest::newRow("--version") << QStringList{"--version"} << 0 << version << QString();
        QTest::newRow("-v after Qt's -style=")
            << QStringList{"-style=Fusion", "-v"} << 0 << version << QString();
        QTest::newRow("--help") << QStringList{"--help"} << 0 << help << QString();
        QTest::newRow("-h after Qt's -platform")
            << QStringList{"-platform", "offscreen", "-h"} << 0 << help << QString();
        QTest::newRow("unknown option") << QStringList{"-x", "--version"} << 2 << QString()
                                        << "pranoth: Unknown option 'x'.\n" + hint;
        QTest::newRow("an argument") << QStringList{"results.txt"} << 2 << QString()
                                     << "pranoth: Unexpected argument 'results.txt'.\n" + hint;
        QTest::newRow("Qt's option without its value")
            << QStringList{"-platform"} << 2 << QString()
            << "pranoth: Missing value after '-platform'.\n" + hint;
        QTest::newRow("no display") << QStringList() << 1 << QString() << noDisplay;
        QTest::newRow("--remind with no session bus: silent")
            << QStringList{"--remind"} << 0 << QString() << QString();
        QTest::newRow("--practise with no display")
            << QStringList{"--practise"} << 1 << QString() << noDisplay;
        QTest::newRow("no display, with Qt's options")
            << QStringList{"-style", "Fusion", "--reverse"} << 1 << QString() << noDisplay;
    }
    void answers()
    {
        QFETCH(QStringList, arguments);
        QTemporaryDir own;
        QVERIFY(QDir(own.path()).mkdir("home") && QDir(own.path()).mkdir("run"));
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char *name :
             {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_SESSION_TYPE",
              "XDG_CONFIG_HOME", "XDG_DATA_HOME", "DBUS_SESSION_BUS_ADDRESS"})
            environment.remove(name);
        environment.insert("HOME", own.filePath("home"));
        environment.insert("XDG_RUNTIME_DIR", own.filePath("run"));
        QProcess program;
        program.setProcessEnvironment(environment);
        program.start(PRANOTH_PROGRAM, arguments);
        QVERIFY(program.waitForFinished(60000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QTEST(program.exitCode(), "status");
        QTEST(QString::fromLocal8Bit(program.readAllStandardOutput()), "out");
        QTEST(QString::fromLocal8Bit(program.readAllStandardError()), "err");
        QStringList written;
        QDirIterator all(own.path(),
                         QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot,
                         QDirIterator::Subdirectories);
        while (all.hasNext())
            written << QDir(own.path()).relativeFilePath(all.next());
        written.sort();
        QCOMPARE(written, (QStringList{"home", "run"}));
    }
};

QTEST_MAIN(tst_CommandLine)
#include "tst_command_line.moc"
