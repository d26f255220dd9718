#include "fakes.h"
#include "history_samples.h"
#include "scoped_environment.h"
#include "sqlite_file.h"

#include "core/kept_result.h"
#include "shell/history_store.h"
#include "ui/frmHistory.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLocale>
#include <QProcess>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>

#include <algorithm>
#include <atomic>
#include <climits>
#include <csignal>
#include <cstdio>
#include <dlfcn.h>
#include <string_view>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace pranoth;
using namespace pranoth::testing;

// Every fdatasync() of this process, SQLite's among them, passes here: a
// commit that reaches the disk is one that syncs the history's log.
namespace {
std::atomic<int> logSyncs{0};
} // namespace

extern "C" int fdatasync(int descriptor)
{
    static const auto real = reinterpret_cast<int (*)(int)>(dlsym(RTLD_NEXT, "fdatasync"));
    char link[32];
    std::snprintf(link, sizeof link, "/proc/self/fd/%d", descriptor);
    char target[PATH_MAX];
    const ssize_t length = ::readlink(link, target, sizeof target);
    if (length > 0 &&
        std::string_view(target, static_cast<std::size_t>(length)).ends_with("history.sqlite-wal"))
        ++logSyncs;
    return real ? real(descriptor) : -1;
}

namespace {

// A kept result whose tested chakras score as given (-1: not tested): of
// each one's eight questions, in bank order, the first `score` are answered
// as the key says and the rest the other way. `bytes` are its questions as
// the file keeps them, a byte each: bank number * 4 + 1 for "Yes", + 2 for "No".
struct Sample {
    Sample(const std::array<int, ChakraCount> &scores, std::int64_t keptAtUtc)
    {
        record.keptAtUtc = keptAtUtc;
        record.programVersion = "1.15";
        for (int k = 0; k < ChakraCount; ++k) {
            record.run.tested[asIndex(k)] = scores[asIndex(k)] >= 0;
            for (int q = 0; record.run.tested[asIndex(k)] && q < 8; ++q) {
                const int bank = 8 * k + q;
                const bool yes = (KeyAnswers[asIndex(bank)] == "Yes") == (q < scores[asIndex(k)]);
                record.run.questions.push_back(
                    {static_cast<Int16>(bank), keyAnswer(bank), yes ? Answer::Yes : Answer::No});
                bytes += QStringLiteral("%1").arg(bank * 4 + (yes ? 1 : 2), 2, 16, QChar('0'));
            }
        }
        bytes = bytes.toUpper();
    }
    KeptResult record;
    QString bytes;
};

QByteArray contentOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

int modeOf(const QString &path)
{
    struct stat info {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0
               ? static_cast<int>(info.st_mode & 07777)
               : -1;
}

// What My History told the user, through the platform.
QStringList told(const FakePlatform &platform)
{
    QStringList messages;
    for (const ShownMessage &message : platform.messages)
        messages << QString::fromStdString(message.text);
    return messages;
}

// What the user reads in a row of My History's table; row -1: the headings.
QStringList rowText(const QTableView &table, int row)
{
    QStringList text;
    for (int c = 0; c < table.model()->columnCount(); ++c)
        text << (row < 0 ? table.model()->headerData(c, Qt::Horizontal)
                         : table.model()->index(row, c).data())
                    .toString();
    return text;
}

// The dates of the table, top to bottom, and of its selected row.
QStringList datesOf(const QTableView &table)
{
    QStringList dates;
    for (int r = 0; r < table.model()->rowCount(); ++r)
        dates << table.model()->index(r, 0).data().toString();
    return dates;
}

QString selectedDate(const QTableView &table)
{
    return table.currentIndex().isValid()
               ? table.model()->index(table.currentIndex().row(), 0).data().toString()
               : QString();
}

} // namespace

class tst_History : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom)); }
    void keptResultsReadBack_data();
    void keptResultsReadBack();
    void openExistingFile_data();
    void openExistingFile();
    void keepFailureChangesNothing_data();
    void keepFailureChangesNothing();
    void deleting_data();
    void deleting();
    void unavailableHistorySaysWhy_data();
    void unavailableHistorySaysWhy();
    void resultsOfOneMinuteShowTheirSeconds();
    void killedWhileKeeping();
};

void tst_History::keptResultsReadBack_data()
{
    // Time zones in their POSIX form, which needs no zone files.
    QTest::addColumn<QByteArray>("zone");
    QTest::addColumn<QStringList>("dates"); // newest first, as the table lists them
    QTest::newRow("India, UTC+5:30")
        << QByteArray("IST-5:30")
        << QStringList{"8 Dec 2026 05:15", "7 Dec 2026 09:30", "1 Jul 2026 17:30"};
    QTest::newRow("Newfoundland, UTC-3:30 and -2:30 in summer")
        << QByteArray("NST3:30NDT,M3.2.0,M11.1.0")
        << QStringList{"7 Dec 2026 20:15", "7 Dec 2026 00:30", "1 Jul 2026 09:30"};
}

// Results of several runs (every verdict, untested chakras) are kept, the
// clock set back between two of them, and read back as the user sees them:
// the table under its headings in local time, the chart as a screen reader
// reads it, the report, the CSV export in UTC, and the file itself.
void tst_History::keptResultsReadBack()
{
    QFETCH(QByteArray, zone);
    QFETCH(QStringList, dates);
    const ScopedEnvironment environment{{"TZ", zone}};
    QTemporaryDir home;
    const QString path = home.filePath("pranoth/history.sqlite");
    const Sample oldest({0, 2, 3, 5, 6, 8, 4}, 1'782'907'200);       // 2026-07-01T12:00Z
    const Sample middle({-1, 7, -1, -1, 1, -1, 3}, 1'796'616'000);   // 2026-12-07T04:00Z
    const Sample newest({-1, -1, -1, -1, -1, -1, 8}, 1'796'687'100); // 2026-12-07T23:45Z
    HistoryStore store(path);
    QVERIFY(!QFile::exists(path)); // made by the first keep only
    for (const Sample *sample : {&newest, &oldest, &middle}) {
        // Each keep reaches the disk before it returns: SQLite syncs the log
        // at every commit (synchronous=FULL), not only at checkpoints.
        logSyncs = 0;
        KeptResult record = sample->record;
        QCOMPARE(store.keep(record), QString());
        QVERIFY2(logSyncs > 0, "a keep was not synced to the disk");
    }

    // The file: one row per keep, in the form kept.
    QCOMPARE(
        sql(path, "SELECT kept_at, program_version, ticked, hex(questions) FROM "
                  "kept_result ORDER BY id"),
        (QStringList{"1796687100|1.15|64|" + newest.bytes, "1782907200|1.15|127|" + oldest.bytes,
                     "1796616000|1.15|82|" + middle.bytes}));

    FakePlatform platform;
    frmHistory window(store, platform);
    QVERIFY(told(platform).isEmpty());
    auto *table = window.findChild<QTableView *>("tblResults");
    auto *chart = window.findChild<QWidget *>("chart");
    auto *report = window.findChild<QTextEdit *>("txtReport");
    QVERIFY(table && chart && report);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.windowTitle(), QStringLiteral("Pranoth v1.15 - My History"));
    QCOMPARE(rowText(*table, -1), (QStringList{"Kept on", "Root", "Sacral", "Navel", "Heart",
                                               "Throat", "Third Eye", "Crown"}));
    QCOMPARE(rowText(*table, 0),
             (QStringList{dates[0], "", "", "", "", "", "", "OverActive 100%"}));
    QCOMPARE(rowText(*table, 1), (QStringList{dates[1], "", "OverActive 88%", "", "",
                                              "UnderActive 12%", "", "Open 38%"}));
    QCOMPARE(rowText(*table, 2),
             (QStringList{dates[2], "UnderActive 0%", "UnderActive 25%", "Open 38%", "Open 62%",
                          "OverActive 75%", "OverActive 100%", "Open 50%"}));
    // Each verdict in the palette's own text colour; the chakra marked by a
    // swatch of its bar's colour in its heading.
    const QList<QColor> barColours{{255, 0, 0}, {255, 128, 0}, {255, 255, 0},  {0, 128, 0},
                                   {0, 0, 255}, {68, 51, 164}, {154, 100, 236}};
    for (int k = 0; k < ChakraCount; ++k) {
        QVERIFY(!table->model()->index(2, k + 1).data(Qt::ForegroundRole).isValid());
        const QImage swatch = table->model()
                                  ->headerData(k + 1, Qt::Horizontal, Qt::DecorationRole)
                                  .value<QPixmap>()
                                  .toImage();
        QCOMPARE(swatch.pixelColor(swatch.rect().center()), barColours[k]);
    }

    // The newest is selected; the chart tells each point.
    QCOMPARE(selectedDate(*table), dates[0]);
    QCOMPARE(chart->accessibleDescription(),
             QStringLiteral("Selected result, kept on %1: Root not tested, Sacral not tested, "
                            "Navel not tested, Heart not tested, Throat not tested, Third Eye not "
                            "tested, Crown OverActive 100%.\n"
                            "The chart shows 3 kept result(s), from %3 to %1.\n"
                            "Root: %3 UnderActive 0%.\n"
                            "Sacral: %3 UnderActive 25%; %2 OverActive 88%.\n"
                            "Navel: %3 Open 38%.\n"
                            "Heart: %3 Open 62%.\n"
                            "Throat: %3 OverActive 75%; %2 UnderActive 12%.\n"
                            "Third Eye: %3 OverActive 100%.\n"
                            "Crown: %3 Open 50%; %2 Open 38%; %1 OverActive 100%.")
                 .arg(dates[0], dates[1], dates[2]));
    QVERIFY(report->toPlainText().contains("Your Crown Chakra (Sahasrara) is OverActive"));
    QVERIFY(!report->toPlainText().contains("Root Chakra"));

    // The chart's keys reach both ends and stop there; the table and the
    // report follow.
    chart->setFocus();
    const std::pair<Qt::Key, int> steps[] = {
        {Qt::Key_Home, 2},  {Qt::Key_Left, 2}, {Qt::Key_Right, 1}, {Qt::Key_End, 0},
        {Qt::Key_Right, 0}, {Qt::Key_Left, 1}, {Qt::Key_Left, 2},
    };
    for (const auto &[key, shown] : steps) {
        QTest::keyClick(chart, key);
        QCOMPARE(selectedDate(*table), dates[shown]);
        QVERIFY(chart->accessibleDescription().startsWith("Selected result, kept on " +
                                                          dates[shown] + ":"));
    }
    QVERIFY(report->toPlainText().contains("Your Root Chakra (Muladhara) is UnderActive"));

    // Sorted by a chakra, untested results come last either way; by date, as kept.
    table->sortByColumn(2, Qt::DescendingOrder);
    QCOMPARE(datesOf(*table), (QStringList{dates[1], dates[2], dates[0]}));
    table->sortByColumn(2, Qt::AscendingOrder);
    QCOMPARE(datesOf(*table), (QStringList{dates[2], dates[1], dates[0]}));
    table->sortByColumn(0, Qt::AscendingOrder);
    QCOMPARE(datesOf(*table), (QStringList{dates[2], dates[1], dates[0]}));

    // The export: every result, oldest first, in UTC whatever the zone; the
    // columns of a practice session stay blank.
    auto *exportCsv = window.findChild<QPushButton *>("cmdExportCsv");
    QVERIFY(exportCsv);
    platform.savePaths = {home.filePath("history.csv").toStdString()};
    exportCsv->click();
    QCOMPARE(platform.saveDialogs.back().second,
             QDir::homePath().toStdString() + "/My Pranoth History.csv");
    QVERIFY(told(platform).isEmpty());
    QCOMPARE(contentOf(home.filePath("history.csv")),
             QByteArray("Date and time (UTC),"
                        "Root Chakra (Muladhara) verdict,Root Chakra (Muladhara) percent,"
                        "Root Chakra (Muladhara) score (of 8),"
                        "Sacral Chakra (Swadhisthanna) verdict,Sacral Chakra (Swadhisthanna) "
                        "percent,Sacral Chakra (Swadhisthanna) score (of 8),"
                        "Navel Chakra (Manipura) verdict,Navel Chakra (Manipura) percent,"
                        "Navel Chakra (Manipura) score (of 8),"
                        "Heart Chakra (Anahata) verdict,Heart Chakra (Anahata) percent,"
                        "Heart Chakra (Anahata) score (of 8),"
                        "Throat Chakra (Vishuddha) verdict,Throat Chakra (Vishuddha) percent,"
                        "Throat Chakra (Vishuddha) score (of 8),"
                        "Third Eye Chakra (Ajna) verdict,Third Eye Chakra (Ajna) percent,"
                        "Third Eye Chakra (Ajna) score (of 8),"
                        "Crown Chakra (Sahasrara) verdict,Crown Chakra (Sahasrara) percent,"
                        "Crown Chakra (Sahasrara) score (of 8),Kind,Minutes practised,Postures\r\n"
                        "2026-07-01T12:00:00Z,UnderActive,0,0,UnderActive,25,2,Open,38,3,"
                        "Open,62,5,OverActive,75,6,OverActive,100,8,Open,50,4,result,,\r\n"
                        "2026-12-07T04:00:00Z,,,,OverActive,88,7,,,,,,,UnderActive,12,1,,,,"
                        "Open,38,3,result,,\r\n"
                        "2026-12-07T23:45:00Z,,,,,,,,,,,,,,,,,,,OverActive,100,8,result,,\r\n"));
    platform.savePaths = {home.filePath("history.csv/inside.csv").toStdString()};
    exportCsv->click();
    QCOMPARE(told(platform).size(), 1);
    QVERIFY(told(platform).front().startsWith("My History could not be exported to " +
                                              home.filePath("history.csv/inside.csv")));
}

namespace {

// Histories written by hand in the first schema. Two results: the Root
// Chakra answered "Yes" throughout, and the Crown Chakra "Not Sure".
const QString FirstSchema = QStringLiteral(
    "CREATE TABLE kept_result (id INTEGER PRIMARY KEY, kept_at INTEGER NOT NULL, "
    "program_version TEXT NOT NULL, ticked INTEGER NOT NULL, questions BLOB NOT NULL);"
    "INSERT INTO kept_result VALUES (1, 1780000000, '1.15', 1, X'0105090D1115191D');"
    "INSERT INTO kept_result VALUES (2, 1780003600, '1.15', 64, X'C3C7CBCFD3D7DBDF');"
    "PRAGMA user_version=1;");

KeptResult answeredAlike(std::int64_t id, int chakra, Answer answer, std::int64_t keptAtUtc)
{
    KeptResult record;
    record.id = id;
    record.keptAtUtc = keptAtUtc;
    record.programVersion = "1.15";
    record.run.tested[asIndex(chakra)] = true;
    for (int q = 0; q < 8; ++q) {
        const auto bank = static_cast<Int16>(8 * chakra + q);
        record.run.questions.push_back({bank, keyAnswer(bank), answer});
    }
    return record;
}

} // namespace

void tst_History::openExistingFile_data()
{
    QTest::addColumn<QString>("made");    // SQL run on the file, or how a writer was killed
    QTest::addColumn<QByteArray>("raw");  // then, when given, the file's bytes
    QTest::addColumn<QString>("outcome"); // kept, readOnly, setAside or fresh
    QTest::addColumn<int>("shown");
    QTest::addColumn<QString>("expectedTold");
    const QString photos =
        "CREATE TABLE photos (name TEXT); INSERT INTO photos VALUES ('a'), ('b'), ('c');";
    const QString aside = "a fresh history has started";
    QTest::newRow("first schema version, readable by others")
        << FirstSchema << QByteArray() << "kept" << 2 << QString();
    QTest::newRow("newer schema version") << FirstSchema + "PRAGMA user_version=7;" << QByteArray()
                                          << "readOnly" << 2 << "kept by a newer version";
    // Each result but the first breaks one rule of a well-formed result.
    QTest::newRow("results that are not well formed")
        << FirstSchema + "DELETE FROM kept_result WHERE id = 2;"
                         "INSERT INTO kept_result (kept_at, program_version, ticked, questions) "
                         "VALUES (1, '1.15', 1, X'0105090D1115191D21')," // an unticked chakra's
                         "(2, '1.15', 1, X'0101090D1115191D'),"          // one asked twice
                         "(3, '1.15', 1, X'0105090D111519'),"            // one left out
                         "(4, '1.15', 128, X'0105090D1115191D'),"        // an eighth chakra
                         "(5, '1.15', 64, X'C3C7CBCFD3D7DBE3'),"         // bank number 56
                         "(6, '1.15', 0, X'')"                           // nothing tested
        << QByteArray() << "kept" << 1 << "6 kept result(s) could not be read";
    QTest::newRow("truncated") << FirstSchema << QByteArray("half") << "setAside" << 0 << aside;
    QTest::newRow("garbage") << QString() << QByteArray("this is no database").repeated(300)
                             << "setAside" << 0 << aside;
    QTest::newRow("another program's database")
        << photos << QByteArray() << "setAside" << 0 << aside;
    // Killed while writing, with a log that goes aside with it.
    QTest::newRow("another program's database, its last rows in its log")
        << "PRAGMA journal_mode=WAL; PRAGMA wal_autocheckpoint=0;" + photos << QByteArray("killed")
        << "setAside" << 0 << aside;
    QTest::newRow("another program's database, half changed, its journal beside it")
        << photos + "PRAGMA cache_size=2; BEGIN; WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL "
                    "SELECT i + 1 FROM n WHERE i < 400) INSERT INTO photos "
                    "SELECT hex(randomblob(300)) FROM n;"
        << QByteArray("killed") << "setAside" << 0 << aside;
    QTest::newRow("empty file") << QString() << QByteArray("") << "fresh" << 0 << QString();
}

void tst_History::openExistingFile()
{
    QFETCH(QString, made);
    QFETCH(QByteArray, raw);
    QFETCH(QString, outcome);
    QFETCH(int, shown);
    QFETCH(QString, expectedTold);
    QTemporaryDir home;
    const QString path = home.filePath("history.sqlite");
    if (raw == "killed") {
        // What a writer killed at this moment leaves: its files, copied while
        // it still writes.
        const QString source = home.filePath("source.sqlite");
        sqlite3 *writer = nullptr;
        QCOMPARE(sqlite3_open(QFile::encodeName(source).constData(), &writer), SQLITE_OK);
        QCOMPARE(sqlite3_exec(writer, made.toUtf8().constData(), nullptr, nullptr, nullptr),
                 SQLITE_OK);
        for (const QString part : {"", "-wal", "-shm", "-journal"})
            QVERIFY(!QFile::exists(source + part) || QFile::copy(source + part, path + part));
        sqlite3_close(writer);
    } else if (!made.isEmpty()) {
        QCOMPARE(sql(path, made), QStringList());
    }
    if (raw == "half") {
        for (int n = 0; n < 40; ++n) {
            KeptResult more = sampleResult(n);
            QCOMPARE(HistoryStore(path).keep(more), QString());
        }
        QFile file(path);
        QVERIFY(file.resize(file.size() / 2));
    } else if (!raw.isNull() && raw != "killed") {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(raw);
    }
    QVERIFY(::chmod(QFile::encodeName(path).constData(), 0644) == 0);
    const QByteArray before = contentOf(path);

    // As My History's window shows it.
    HistoryStore store(path);
    FakePlatform platform;
    auto *window = new frmHistory(store, platform);
    // A word about the history comes over the window once it is there, as a warning.
    QVERIFY(told(platform).isEmpty());
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QTest::qWait(10);
    const QStringList toldNow = told(platform);
    for (const ShownMessage &message : platform.messages)
        QCOMPARE(message.icon, MessageIcon::Warning);
    auto *table = window->findChild<QTableView *>("tblResults");
    auto *deleteOne = window->findChild<QPushButton *>("cmdDelete");
    auto *deleteAll = window->findChild<QPushButton *>("cmdDeleteAll");
    auto *notice = window->findChild<QLabel *>("lblNotice");
    QVERIFY(table && deleteOne && deleteAll && notice);
    QCOMPARE(table->model()->rowCount(), shown);
    QCOMPARE(toldNow.size(), expectedTold.isEmpty() ? 0 : 1);
    QVERIFY2(expectedTold.isEmpty() || toldNow.front().contains(expectedTold),
             qPrintable(toldNow.join("")));
    QCOMPARE(store.takeNotice(), QString()); // told once
    const bool changeable = outcome != "readOnly";
    QCOMPARE(deleteOne->isEnabled(), changeable && shown > 0);
    QCOMPARE(deleteAll->isEnabled(), changeable && shown > 0);
    QCOMPARE(notice->text(), !changeable ? "This history can be looked at, but not changed."
                             : shown == 0
                                 ? "Nothing has been kept yet. To keep a result, choose Keep in My "
                                   "History in the File menu of the result window."
                                 : "");
    // Reading leaves nothing behind that the read did not need.
    if (!changeable)
        QCOMPARE(QDir(home.path()).entryList(QDir::Files), QStringList{"history.sqlite"});
    if (outcome == "setAside" && raw != "killed")
        QCOMPARE(QDir(home.path()).entryList({"*-shm", "*-wal", "*-journal"}), QStringList());
    window->close();
    const std::vector<KeptResult> kept = store.keptResults();

    KeptResult next = sampleResult(12);
    const QString keeping = store.keep(next);
    if (!changeable) {
        QVERIFY(!keeping.isEmpty());
        QCOMPARE(contentOf(path), before);
        return;
    }
    QCOMPARE(keeping, QString());
    QCOMPARE(store.keptResults().size(), std::size_t(shown + 1));
    QCOMPARE(modeOf(path), 0600);
    if (outcome == "kept") {
        QCOMPARE(kept.size(), std::size_t(shown));
        QVERIFY(kept.front() == answeredAlike(1, 0, Answer::Yes, 1'780'000'000));
        QVERIFY(shown < 2 || kept.back() == answeredAlike(2, 6, Answer::NotSure, 1'780'003'600));
        return;
    }
    QStringList aside = QDir(home.path()).entryList({"history.sqlite.broken-*"});
    aside.removeIf([](const QString &name) {
        return name.endsWith("-wal") || name.endsWith("-shm") || name.endsWith("-journal");
    });
    QCOMPARE(aside.size(), outcome == "setAside" ? 1 : 0);
    if (outcome == "setAside") {
        const QString keptAside = home.filePath(aside.front());
        QVERIFY(toldNow.front().contains(keptAside));
        QCOMPARE(contentOf(keptAside), before);
        // Read with whatever went aside with it, it holds all it held.
        if (made.contains("photos"))
            QCOMPARE(sql(keptAside, "SELECT group_concat(name) FROM photos"), QStringList{"a,b,c"});
        QCOMPARE(sql(path, "SELECT name FROM sqlite_master WHERE name = 'photos'"), QStringList());
    }
}

void tst_History::keepFailureChangesNothing_data()
{
    QTest::addColumn<bool>("fullDisk"); // else the folder is a regular file
    QTest::newRow("full disk") << true;
    QTest::newRow("unwritable place") << false;
}

void tst_History::keepFailureChangesNothing()
{
    QFETCH(bool, fullDisk);
    QTemporaryDir home;
    QString path = home.filePath("history.sqlite");
    if (!fullDisk) {
        QFile blocker(home.filePath("pranoth"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        path = home.filePath("pranoth/history.sqlite");
    }
    HistoryStore store(path);
    KeptResult first = sampleResult(1);
    if (fullDisk) {
        QCOMPARE(store.keep(first), QString());
        rlimit saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        const auto previous = std::signal(SIGXFSZ, SIG_IGN);
        rlimit tight = saved;
        tight.rlim_cur = 4096;
        setrlimit(RLIMIT_FSIZE, &tight);
        KeptResult blocked = sampleResult(2);
        const QString failure = store.keep(blocked);
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previous);
        QVERIFY2(failure.contains("could not be kept"), qPrintable(failure));
        QCOMPARE(store.keptResults().size(), 1U);
        QCOMPARE(store.keptResults().front().run, first.run);
    } else {
        const QString failure = store.keep(first);
        QVERIFY2(failure.contains("could not be kept"), qPrintable(failure));
        QVERIFY(QFile::remove(home.filePath("pranoth")));
    }
    KeptResult again = sampleResult(3);
    QCOMPARE(store.keep(again), QString()); // the user can try again
    QCOMPARE(HistoryStore(path).keptResults().size(), fullDisk ? 2U : 1U);
}

void tst_History::deleting_data()
{
    // Five results, kept an hour apart: the table lists 4, 3, 2, 1, 0.
    QTest::addColumn<bool>("confirmed");
    QTest::addColumn<int>("row"); // -1: Delete All
    QTest::addColumn<QList<int>>("left");
    QTest::addColumn<int>("selected"); // the result selected afterwards
    QTest::newRow("declined") << false << -1 << QList<int>{0, 1, 2, 3, 4} << 4;
    QTest::newRow("one in the middle") << true << 2 << QList<int>{0, 1, 3, 4} << 1;
    QTest::newRow("the newest") << true << 0 << QList<int>{0, 1, 2, 3} << 3;
    QTest::newRow("the oldest") << true << 4 << QList<int>{1, 2, 3, 4} << 1;
    QTest::newRow("all, leaving nothing in the file") << true << -1 << QList<int>{} << -1;
}

void tst_History::deleting()
{
    QFETCH(bool, confirmed);
    QFETCH(int, row);
    QFETCH(QList<int>, left);
    QFETCH(int, selected);
    QTemporaryDir home;
    const QString path = home.filePath("history.sqlite");
    HistoryStore store(path);
    const auto marker = [](int n) { return QStringLiteral("marker-%1-").arg(n); };
    for (int n = 0; n < 5; ++n) {
        KeptResult record = sampleResult(n);
        record.programVersion = (marker(n) + QString(1500, 'x')).toStdString();
        QCOMPARE(store.keep(record), QString());
    }
    FakePlatform platform;
    platform.answer = confirmed ? MessageAnswer::Yes : MessageAnswer::No;
    auto *window = new frmHistory(store, platform);
    auto *table = window->findChild<QTableView *>("tblResults");
    auto *deleteOne = window->findChild<QPushButton *>("cmdDelete");
    auto *deleteAll = window->findChild<QPushButton *>("cmdDeleteAll");
    auto *notice = window->findChild<QLabel *>("lblNotice");
    QVERIFY(table && deleteOne && deleteAll && notice);
    QStringList dates = datesOf(*table); // of results 4 to 0
    std::reverse(dates.begin(), dates.end());
    if (row >= 0)
        table->setCurrentIndex(table->model()->index(row, 0));
    (row >= 0 ? deleteOne : deleteAll)->click();
    // Asked once, and nothing else said.
    QCOMPARE(platform.messages.size(), std::size_t{1});
    QCOMPARE(platform.messages.front().buttons, MessageButtons::YesNo);

    // Exactly these are left, in the file and in the table.
    QStringList markers;
    QStringList shown;
    for (const int n : left) {
        markers << marker(n);
        shown.prepend(dates[n]);
    }
    QCOMPARE(sql(path, "SELECT substr(program_version, 1, 9) FROM kept_result ORDER BY kept_at"),
             markers);
    QCOMPARE(datesOf(*table), shown);
    QCOMPARE(selectedDate(*table), selected >= 0 ? dates[selected] : QString());

    // Nothing deleted can be read back from the file or its log.
    const QByteArray bytes = contentOf(path) + contentOf(path + "-wal");
    for (int n = 0; n < 5; ++n)
        QCOMPARE(bytes.contains(marker(n).toLatin1()), left.contains(n));
    if (left.isEmpty()) {
        QCOMPARE(sql(path, "PRAGMA freelist_count"), QStringList{"0"});
        QVERIFY(!deleteAll->isEnabled() && !deleteOne->isEnabled());
        QVERIFY(notice->text().startsWith("Nothing has been kept yet."));
    }
    window->close();
}

void tst_History::unavailableHistorySaysWhy_data()
{
    QTest::addColumn<bool>("pipe"); // else a folder
    QTest::newRow("a folder in its place") << false;
    QTest::newRow("a pipe in its place") << true;
}

// With no history to be had, My History says so, why and where, instead of
// advice that cannot work; a keep says the same.
void tst_History::unavailableHistorySaysWhy()
{
    QFETCH(bool, pipe);
    QTemporaryDir home;
    const QString path = home.filePath("history.sqlite");
    QVERIFY(pipe ? ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0 : QDir().mkdir(path));
    HistoryStore store(path);
    FakePlatform platform;
    frmHistory window(store, platform);
    auto *notice = window.findChild<QLabel *>("lblNotice");
    QVERIFY(notice);
    const QString why = "My History is not available: it is kept in the file " + path +
                        ", and what is there now is not a file (a folder, a pipe or a device).";
    QCOMPARE(notice->text(), why);
    KeptResult record = sampleResult(1);
    QCOMPARE(store.keep(record), "The result could not be kept in My History: " + why +
                                     " Nothing kept earlier has changed.");
}

// Results kept within one minute show their seconds, so that the table and
// the chart's ends tell them apart; a result alone in its minute does not.
void tst_History::resultsOfOneMinuteShowTheirSeconds()
{
    const ScopedEnvironment utc{{"TZ", "UTC0"}};
    QTemporaryDir home;
    HistoryStore store(home.filePath("history.sqlite"));
    for (const std::int64_t keptAt : {1'796'635'805, 1'796'635'825, 1'796'637'600}) {
        KeptResult record = sampleResult(2);
        record.keptAtUtc = keptAt; // 09:30:05, 09:30:25 and 10:00:00 on 7 Dec 2026
        QCOMPARE(store.keep(record), QString());
    }
    FakePlatform platform;
    frmHistory window(store, platform);
    auto *table = window.findChild<QTableView *>("tblResults");
    auto *chart = window.findChild<QWidget *>("chart");
    QVERIFY(table && chart);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(datesOf(*table),
             (QStringList{"7 Dec 2026 10:00", "7 Dec 2026 09:30:25", "7 Dec 2026 09:30:05"}));
    QVERIFY2(chart->accessibleDescription().contains(
                 "The chart shows 3 kept result(s), from 7 Dec 2026 09:30:05 to 7 Dec 2026 10:00."),
             qPrintable(chart->accessibleDescription()));
}

void tst_History::killedWhileKeeping()
{
    QTemporaryDir home;
    const QString path = home.filePath("history.sqlite");
    const QString keeper = QCoreApplication::applicationDirPath() + "/history_writer";
    int next = 0;
    for (int round = 0; round < 8; ++round) {
        QProcess child;
        child.start(keeper, {path, QString::number(next)});
        QVERIFY(child.waitForStarted());
        QTest::qWait(static_cast<int>(QRandomGenerator::global()->bounded(40, 250)));
        child.kill();
        QVERIFY(child.waitForFinished());
        int confirmed = next - 1;
        for (const QByteArray &line : child.readAllStandardOutput().split('\n')) {
            if (line.startsWith("kept "))
                confirmed = line.mid(5).toInt();
        }

        // Killed before its first keep was committed, it may leave an empty
        // file or none: nothing kept yet.
        HistoryStore store(path);
        QCOMPARE(store.state(), confirmed < 0 && store.state() == HistoryStore::State::Empty
                                    ? HistoryStore::State::Empty
                                    : HistoryStore::State::ReadWrite);
        QCOMPARE(store.takeNotice(), QString());
        const std::vector<KeptResult> kept = store.keptResults();
        QVERIFY(static_cast<int>(kept.size()) >= confirmed + 1);
        for (int n = 0; n < static_cast<int>(kept.size()); ++n) {
            KeptResult expected = sampleResult(n);
            expected.id = kept[asIndex(n)].id;
            QVERIFY2(kept[asIndex(n)] == expected, qPrintable(QString::number(n)));
        }
        next = static_cast<int>(kept.size());
    }
    QVERIFY(next > 0);
}

QTEST_MAIN(tst_History)
#include "tst_history.moc"
