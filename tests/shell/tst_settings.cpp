#include "fakes.h"
#include "history_samples.h"
#include "scoped_environment.h"

#include "core/settings_store.h"
#include "core/update_reminder.h"
#include "shell/history_store.h"
#include "shell/instance_guard.h"
#include "shell/qt_platform.h"
#include "shell/qt_settings.h"
#include "shell/user_folders.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QWidget>

#include <csignal>
#include <functional>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace pranoth;
using namespace pranoth::testing;

namespace {

// Runs `work` in a child process: its exit status, or -1 when it has not
// ended within `deadlineMs` and was killed. A call that could block for ever
// (a FIFO opened, a lock waited for) fails its own row and nothing more.
int inChild(const std::function<int()> &work, int deadlineMs = 5000)
{
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(work());
    if (child < 0)
        return -2;
    QElapsedTimer clock;
    clock.start();
    int status = 0;
    while (::waitpid(child, &status, WNOHANG) == 0) {
        if (clock.elapsed() > deadlineMs) {
            ::kill(child, SIGKILL);
            ::waitpid(child, &status, 0);
            return -1;
        }
        QThread::msleep(10);
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -3;
}

int modeOf(const QString &path)
{
    struct stat info {};
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 ? static_cast<int>(info.st_mode)
                                                                    : -1;
}

} // namespace

class tst_Settings : public QObject {
    Q_OBJECT

    QTemporaryDir folder;

    static QByteArray shiftedBytes(const std::string &text)
    {
        const std::string shifted = shiftedForm(text);
        return {shifted.data(), qsizetype(shifted.size())};
    }

    static QByteArray contentOf(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QString fileWith(const QByteArray &content)
    {
        const QString path = folder.filePath(QStringLiteral("pranoth.ini"));
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(content);
        return path;
    }

private slots:
    void init() { QFile::remove(folder.filePath(QStringLiteral("pranoth.ini"))); }

    void durationIsStoredShifted()
    {
        const std::string key = shiftedForm("Duration");
        const std::vector<int> codes{153, 202, 199, 182, 201, 190, 196, 195};
        QCOMPARE(key.size(), codes.size());
        for (std::size_t i = 0; i < codes.size(); ++i)
            QCOMPARE(int(static_cast<unsigned char>(key[i])), codes[i]);
        QCOMPARE(unshiftedForm(key), std::string("Duration"));
    }

    void dateTimeTextsReadBackUnchanged()
    {
        for (const std::string text : {"12/7/2026 9:30:00 AM", "2026-12-07T21:05:59", ""}) {
            const std::string stored = shiftedForm(text);
            QCOMPARE(stored.size(), text.size());
            for (std::size_t i = 0; i < text.size(); ++i)
                QCOMPARE(static_cast<unsigned char>(stored[i]),
                         static_cast<unsigned char>(text[i] + 85));
            QCOMPARE(unshiftedForm(stored), text);
        }
    }

    void charactersThatWouldLeaveTheRangeAreDropped()
    {
        QCOMPARE(shiftedForm("a\xAB"
                             "b\xFF"),
                 std::string("\xB6\xB7"));                                      // 171 and 255
        QCOMPARE(int(static_cast<unsigned char>(shiftedForm("\xAA")[0])), 255); // 170 still fits
        QCOMPARE(unshiftedForm(std::string("\x10\x54\x55", 3)), std::string(1, '\0'));
    }

    void settingsGoThroughTheSectionShifted()
    {
        FakePlatform platform;
        QCOMPARE(readSetting(platform, "Duration"), std::nullopt);
        saveSetting(platform, "Duration", "2026-12-07T09:30:00");
        QCOMPARE(platform.settings.size(), std::size_t(1));
        const auto &[where, value] = *platform.settings.begin();
        QCOMPARE(where, "Settings/" + shiftedForm("Duration"));
        QCOMPARE(value, shiftedForm("2026-12-07T09:30:00"));
        QCOMPARE(readSetting(platform, "Duration"), std::string("2026-12-07T09:30:00"));
        // An empty stored value counts as none; one that comes back empty is
        // still a value.
        platform.settings.begin()->second = "";
        QCOMPARE(readSetting(platform, "Duration"), std::nullopt);
        platform.settings.begin()->second = "\x10\x20";
        QCOMPARE(readSetting(platform, "Duration"), std::string());
    }

    void theSettingsFileKeepsShiftedBytes_data()
    {
        QTest::addColumn<bool>("throughLink");
        QTest::newRow("the file") << false;
        QTest::newRow("a link to a file elsewhere") << true;
    }
    void theSettingsFileKeepsShiftedBytes()
    {
        QFETCH(bool, throughLink);
        QString path = fileWith({});
        if (throughLink) {
            const QString link = folder.filePath(QStringLiteral("link.ini"));
            QFile::remove(link);
            QVERIFY(QFile::link(path, link));
            path = link;
        }
        const std::string key = shiftedForm("Duration");
        const std::string value = shiftedForm("2026-12-07T09:30:00");
        {
            QtSettingsFile file(path);
            QCOMPARE(file.read("Settings", key), std::nullopt);
            file.write("Settings", key, value);
            QCOMPARE(file.read("Settings", key), value);
        }
        // On the disk once the file is let go of, each character 85 codes
        // higher, and read back from there.
        QString shifted;
        for (const char c : std::string("2026-12-07T09:30:00"))
            shifted += QChar(c + 85);
        QCOMPARE(contentOf(path),
                 "[Settings]\n%99%CA%C7%B6%C9%BE%C4%C3=" + shifted.toUtf8() + "\n");
        QCOMPARE(QtSettingsFile(path).read("Settings", key), value);
        QCOMPARE(QFileInfo(path).isSymLink(), throughLink);
    }

    void aBrokenFileReadsAsEmpty_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("garbage") << QByteArray("\x00\xff\xfe garbage [[[ = = \n\x01\x02", 20);
        QTest::newRow("truncated") << QByteArray("[Settings]\n%U0099%U00CA=");
        QTest::newRow("section only") << QByteArray("[Settings");
        QTest::newRow("binary") << QByteArray(4096, '\xC3');
    }
    void aBrokenFileReadsAsEmpty()
    {
        QFETCH(QByteArray, content);
        const QString path = fileWith(content);
        {
            QtSettingsFile file(path);
            QCOMPARE(file.read("Settings", shiftedForm("Duration")), std::nullopt);
            // It can still be written over.
            file.write("Settings", shiftedForm("Duration"), shiftedForm("2026-12-07T09:30:00"));
        }
        QCOMPARE(QtSettingsFile(path).read("Settings", shiftedForm("Duration")),
                 shiftedForm("2026-12-07T09:30:00"));
    }

    // A stored Duration that Qt reads as no plain text is still a value that is
    // not a date: the reminder leaves the file alone. An empty one counts as
    // none: the reminder starts afresh and writes the date.
    void aStoredValueIsLeftAloneUnlessEmpty_data()
    {
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<bool>("rewritten");
        QTest::newRow("byte array") << QByteArray("@ByteArray(\xc2\x87\xc2\x85)") << false;
        QTest::newRow("variant") << QByteArray("@Variant(\\0\\0\\0\\x7f\\0\\0)") << false;
        QTest::newRow("date-time") << QByteArray("@DateTime(\\0\\0\\0\\x10\\0)") << false;
        QTest::newRow("raw Latin-1 bytes") << shiftedBytes("2026-11-01T10:00:00") << false;
        QTest::newRow("comma list") << QByteArray("12, 34") << false;
        QTest::newRow("empty list") << QByteArray("@Invalid()") << false;
        QTest::newRow("empty") << QByteArray() << true;
    }
    void aStoredValueIsLeftAloneUnlessEmpty()
    {
        QFETCH(QByteArray, value);
        QFETCH(bool, rewritten);
        const QString path = fileWith(
            "[Settings]\n%U0099%U00CA%U00C7%U00B6%U00C9%U00BE%U00C4%U00C3=" + value + "\n");
        const QByteArray before = contentOf(path);
        {
            QtPlatform platform(folder.filePath(QStringLiteral("lock")), path);
            QCOMPARE(readSetting(platform, "Duration").has_value(), !rewritten);
            runUpdateReminder(platform);
        }
        QCOMPARE(contentOf(path) == before, !rewritten);
        if (rewritten)
            QVERIFY(readStoredDateTime(unshiftedForm(
                QtSettingsFile(path).read("Settings", shiftedForm("Duration")).value_or(""))));
    }

    // Anything but a regular file or nothing is neither read nor written: a
    // FIFO would hang the start, and a device would be replaced by a file.
    void whatIsNoRegularFileIsNotTouched_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("FIFO") << "fifo";
        QTest::newRow("folder") << "folder";
        QTest::newRow("device") << "device";
        QTest::newRow("link to a device") << "link to device";
        QTest::newRow("link to a FIFO") << "link to fifo";
    }
    void whatIsNoRegularFileIsNotTouched()
    {
        QFETCH(QString, kind);
        QTemporaryDir own;
        const QByteArray node = QFile::encodeName(own.filePath(QStringLiteral("node")));
        if (kind.contains(QStringLiteral("fifo")))
            QCOMPARE(::mkfifo(node.constData(), 0600), 0);
        else if (kind == QStringLiteral("folder"))
            QVERIFY(QDir(own.path()).mkdir(QStringLiteral("node")));
        else if (::mknod(node.constData(), S_IFCHR | 0600, makedev(1, 7)) != 0)
            QSKIP("making a device node needs root");
        QString path = QString::fromLocal8Bit(node);
        if (kind.startsWith(QStringLiteral("link"))) {
            path = own.filePath(QStringLiteral("pranoth.ini"));
            QVERIFY(QFile::link(QString::fromLocal8Bit(node), path));
        }
        struct stat before {};
        QCOMPARE(::stat(node.constData(), &before), 0);
        QCOMPARE(inChild([&path] {
                     QtSettingsFile file(path);
                     const bool read = file.read("Settings", "key").has_value();
                     file.write("Settings", "key", "value");
                     file.flush();
                     return read ? 1 : 0;
                 }),
                 0);
        struct stat after {};
        QCOMPARE(::stat(node.constData(), &after), 0);
        QCOMPARE(after.st_mode & S_IFMT, before.st_mode & S_IFMT);
        QCOMPARE(after.st_ino, before.st_ino);
    }

    // A file that cannot be written: it keeps its old bytes and nothing fails
    // loudly. The disk is "full" through a file size limit on this process.
    void aFailedWriteKeepsTheOldFile()
    {
        const QString path = fileWith("[Settings]\nkey=old\n");
        const QByteArray before = contentOf(path);
        rlimit limit{};
        QCOMPARE(::getrlimit(RLIMIT_FSIZE, &limit), 0);
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = limit;
        small.rlim_cur = 8;
        QCOMPARE(::setrlimit(RLIMIT_FSIZE, &small), 0);
        {
            QtSettingsFile file(path);
            file.write("Settings", "key", std::string(512, 'x'));
        }
        ::setrlimit(RLIMIT_FSIZE, &limit);
        std::signal(SIGXFSZ, oldHandler);
        QCOMPARE(contentOf(path), before);
    }

    // A lock left behind by a killed writer, fresh enough not to count as
    // stale: the write is skipped at once instead of waiting it out.
    void aLeftOverLockSkipsTheWrite()
    {
        const QString path = fileWith("[Settings]\nkey=old\n");
        QFile lock(path + QStringLiteral(".lock"));
        QVERIFY(lock.open(QIODevice::WriteOnly));
        lock.close();
        {
            QtSettingsFile file(path);
            file.write("Settings", "key", "new");
        }
        QCOMPARE(contentOf(path), QByteArray("[Settings]\nkey=old\n"));
        QFile::remove(path + QStringLiteral(".lock"));
    }

    // The settings and My History follow the XDG rules; without a usable
    // home the program remembers and keeps nothing.
    void theUserFilesFollowTheXdgRules_data()
    {
        QTest::addColumn<QByteArray>("home");
        QTest::addColumn<QByteArray>("xdgHome"); // XDG_CONFIG_HOME and, with "data", XDG_DATA_HOME
        QTest::addColumn<QString>("settings");   // folder
        QTest::addColumn<QString>("history");
        QTest::newRow("XDG folders") << QByteArray("/home/u") << QByteArray("/x") << "/x"
                                     << "/x/data/pranoth/history.sqlite";
        QTest::newRow("HOME only") << QByteArray("/home/u") << QByteArray() << "/home/u/.config"
                                   << "/home/u/.local/share/pranoth/history.sqlite";
        QTest::newRow("relative XDG folders")
            << QByteArray("/home/u") << QByteArray("x") << "/home/u/.config"
            << "/home/u/.local/share/pranoth/history.sqlite";
        QTest::newRow("empty HOME") << QByteArray("") << QByteArray() << QString() << QString();
        QTest::newRow("relative HOME")
            << QByteArray("home") << QByteArray() << QString() << QString();
    }
    void theUserFilesFollowTheXdgRules()
    {
        QFETCH(QByteArray, home);
        QFETCH(QByteArray, xdgHome);
        QFETCH(QString, settings);
        QFETCH(QString, history);
        const ScopedEnvironment environment{
            {"HOME", home},
            {"XDG_CONFIG_HOME", xdgHome},
            {"XDG_DATA_HOME", xdgHome.isEmpty() ? xdgHome : xdgHome + "/data"}};
        const QString file = QtSettingsFile::userFile();
        QCOMPARE(file.isEmpty() ? QString() : QFileInfo(file).path(), settings);
        QCOMPARE(userHistoryFile(), history);
        HistoryStore store(userHistoryFile());
        QCOMPARE(store.state() == HistoryStore::State::Unavailable, history.isEmpty());
    }

    // The guard is a lock the kernel holds for a live process: whatever a dead
    // instance left in the file, the next start gets it; only a live holder
    // keeps it out, and what cannot be had at all does not stop the program.
    void onlyALiveInstanceHoldsTheGuard_data()
    {
        QTest::addColumn<QString>("left");
        QTest::addColumn<int>("outcome");
        const int held = int(InstanceGuard::Outcome::Held);
        QTest::newRow("nothing") << QString() << held;
        QTest::newRow("empty file (killed as it was made)") << "empty" << held;
        QTest::newRow("garbage") << "garbage" << held;
        QTest::newRow("another host's lock") << "foreign" << held;
        QTest::newRow("a folder in its place")
            << "folder" << int(InstanceGuard::Outcome::Unavailable);
        QTest::newRow("a live instance") << "live" << int(InstanceGuard::Outcome::HeldByAnother);
    }
    void onlyALiveInstanceHoldsTheGuard()
    {
        QFETCH(QString, left);
        QFETCH(int, outcome);
        QTemporaryDir run;
        const QString path = run.filePath(QStringLiteral("pranoth.lock"));
        QFile file(path);
        if (left == QStringLiteral("folder"))
            QVERIFY(QDir(run.path()).mkdir(QStringLiteral("pranoth.lock")));
        else if (!left.isEmpty() && left != QStringLiteral("live") &&
                 file.open(QIODevice::WriteOnly))
            file.write(left == QStringLiteral("garbage")   ? QByteArray(300, '\xfe')
                       : left == QStringLiteral("foreign") ? QByteArray("4242\npranoth\nfaraway\n")
                                                           : QByteArray());
        file.close();
        InstanceGuard live(path);
        if (left == QStringLiteral("live"))
            QCOMPARE(live.acquire(), InstanceGuard::Outcome::Held);
        // Taken by another process, as a second start would; one that waits
        // for the holder is killed.
        QCOMPARE(inChild([&path] { return int(InstanceGuard(path).acquire()); }), outcome);
    }

    // A second start raises the first instance's window, also after a
    // killed instance left its socket (or anything else) in the way; the
    // socket goes with the instance that made it.
    void aSecondStartRaisesTheFirst_data()
    {
        QTest::addColumn<QString>("left");
        QTest::newRow("nothing left") << QString();
        QTest::newRow("a killed instance's socket") << "socket";
        QTest::newRow("a file") << "file";
    }
    void aSecondStartRaisesTheFirst()
    {
        QFETCH(QString, left);
        QTemporaryDir run;
        const QString lock = run.filePath(QStringLiteral("pranoth.lock"));
        const QString socket = run.filePath(QStringLiteral("pranoth.socket"));
        if (left == QStringLiteral("socket")) {
            // An instance killed while it ran.
            QCOMPARE(inChild([&lock] {
                         InstanceGuard guard(lock);
                         if (guard.acquire() == InstanceGuard::Outcome::Held)
                             guard.listen([] {});
                         return ::kill(::getpid(), SIGKILL);
                     }),
                     -3);
            QCOMPARE(modeOf(socket) & S_IFMT, S_IFSOCK);
        } else if (left == QStringLiteral("file")) {
            QFile file(socket);
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        auto first = std::make_unique<QtPlatform>(lock, QString());
        QVERIFY(!first->anotherInstanceRunning());
        QCOMPARE(modeOf(socket) & S_IFMT, S_IFSOCK);
        QWidget window; // the first instance's, minimized
        window.showMinimized();
        QVERIFY(window.isMinimized());

        QtPlatform second(lock, QString());
        QVERIFY(second.anotherInstanceRunning());
        second.activateRunningInstance();
        QTRY_VERIFY(!window.isMinimized());
        QTRY_COMPARE(QApplication::activeWindow(), &window);
        // Once the first has gone, its socket is gone and the guard free.
        first.reset();
        QCOMPARE(modeOf(socket), -1);
        QVERIFY(!second.anotherInstanceRunning());
    }

    // What the program makes for itself is its user's only, whatever the
    // umask: every folder 0700 (missing XDG base folders among them), every
    // file and socket 0600. Each row, under umask 000, names what it makes.
    void whatTheProgramMakesIsPrivate_data()
    {
        QTest::addColumn<QString>("what");
        QTest::addColumn<QStringList>("made");
        QTest::newRow("settings on a fresh account")
            << "settings" << QStringList{"fresh/config/tst_settings.ini"};
        QTest::newRow("My History with no data folder")
            << "history" << QStringList{"fresh/data/pranoth/history.sqlite"};
        QTest::newRow("instance lock and socket")
            << "instance" << QStringList{"pranoth.lock", "pranoth.socket"};
    }
    void whatTheProgramMakesIsPrivate()
    {
        QFETCH(QString, what);
        QFETCH(QStringList, made);
        QTemporaryDir own;
        const QByteArray root = QFile::encodeName(own.path());
        const ScopedEnvironment environment{{"XDG_CONFIG_HOME", root + "/fresh/config"},
                                            {"XDG_DATA_HOME", root + "/fresh/data"}};
        const mode_t umaskBefore = ::umask(0);
        QtSettingsFile settings(QtSettingsFile::userFile());
        HistoryStore history(userHistoryFile());
        InstanceGuard guard(own.filePath("pranoth.lock"));
        KeptResult record = sampleResult(3);
        if (what == "settings") {
            settings.write("Settings", "Duration", "x");
            settings.flush();
        } else if (what == "history") {
            QCOMPARE(history.keep(record), QString());
        } else {
            QCOMPARE(guard.acquire(), InstanceGuard::Outcome::Held);
            guard.listen([] {});
        }
        ::umask(umaskBefore);
        for (const QString &name : made)
            QVERIFY2(QFileInfo::exists(own.filePath(name)), qPrintable(name));
        QStringList open;
        QDirIterator all(own.path(), QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot,
                         QDirIterator::Subdirectories);
        while (all.hasNext()) {
            struct stat status {};
            QCOMPARE(::lstat(QFile::encodeName(all.next()).constData(), &status), 0);
            if ((status.st_mode & 07777) != (S_ISDIR(status.st_mode) ? 0700U : 0600U))
                open << all.filePath() + QString::number(status.st_mode & 07777, 8);
        }
        QCOMPARE(open, QStringList());
    }
};

QTEST_MAIN(tst_Settings)
#include "tst_settings.moc"
