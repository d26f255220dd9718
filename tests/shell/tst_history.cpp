#include "history_samples.h"
#include "scoped_environment.h"
#include "sqlite_file.h"

#include "core/kept_result.h"
#include "shell/history_store.h"
#include "shell/user_folders.h"
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

#include <atomic>
#include <climits>
#include <cmath>
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

using Scores = std::array<int, ChakraCount>; // -1: not tested

namespace {

// A kept result whose tested chakras score as given: of each one's eight
// questions, in bank order, the first `score` are answered as the key says
// and the rest the other way.
KeptResult resultWith(const Scores &scores, std::int64_t keptAtUtc)
{
    KeptResult record;
    record.keptAtUtc = keptAtUtc;
    record.programVersion = "1.15";
    for (int k = 0; k < ChakraCount; ++k) {
        record.ticked[asIndex(k)] = scores[asIndex(k)] >= 0;
        for (int q = 0; record.ticked[asIndex(k)] && q < 8; ++q) {
            const int bank = 8 * k + q;
            const bool keyIsYes = KeyAnswers[asIndex(bank)] == "Yes";
            const bool yes = q < scores[asIndex(k)] ? keyIsYes : !keyIsYes;
            record.questions.push_back(
                {static_cast<Int16>(bank), yes ? KeptAnswer::Yes : KeptAnswer::No});
        }
    }
    return record;
}

// The questions as the file keeps them: a byte each, bank number * 4 + 1
// for "Yes", + 2 for "No", + 3 for "Not Sure".
QString fileBytes(const KeptResult &record)
{
    QString hex;
    for (const KeptQuestion &question : record.questions) {
        const int answer = question.answer == KeptAnswer::Yes  ? 1
                           : question.answer == KeptAnswer::No ? 2
                                                               : 3;
        hex += QStringLiteral("%1").arg(question.bankNumber * 4 + answer, 2, 16, QLatin1Char('0'));
    }
    return hex.toUpper();
}

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

HistoryPrompts answering(bool yes, QStringList &told)
{
    HistoryPrompts prompts;
    prompts.confirm = [yes](const QString &) { return yes; };
    prompts.tell = [&told](const QString &message) { told << message; };
    return prompts;
}

// What the user reads in My History's table: the headings, then every row.
QList<QStringList> tableText(const QTableView &table)
{
    const QAbstractItemModel *model = table.model();
    QList<QStringList> text{{}};
    for (int c = 0; c < model->columnCount(); ++c)
        text[0] << model->headerData(c, Qt::Horizontal).toString();
    for (int r = 0; r < model->rowCount(); ++r) {
        QStringList row;
        for (int c = 0; c < model->columnCount(); ++c)
            row << model->index(r, c).data().toString();
        text << row;
    }
    return text;
}

// The date shown in the table's selected row.
QString selectedDate(const QTableView &table)
{
    return table.model()->index(table.currentIndex().row(), 0).data().toString();
}

const QStringList Headings{"Kept on", "Root",   "Sacral",    "Navel",
                           "Heart",   "Throat", "Third Eye", "Crown"};

} // namespace

class tst_History : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom)); }
    void keptResultsReadBack_data();
    void keptResultsReadBack();
    void everyKeepReachesTheDisk();
    void userFile_data();
    void userFile();
    void openExistingFile_data();
    void openExistingFile();
    void keepFailureChangesNothing_data();
    void keepFailureChangesNothing();
    void deleting_data();
    void deleting();
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
    const KeptResult oldest = resultWith({0, 2, 3, 5, 6, 8, 4}, 1'782'907'200); // 2026-07-01T12:00Z
    const KeptResult middle = resultWith({-1, 7, -1, -1, 1, -1, 3}, 1'796'616'000); // 12-07T04:00Z
    const KeptResult newest = resultWith({-1, -1, -1, -1, -1, -1, 8}, 1'796'687'100); // T23:45Z
    HistoryStore store(path);
    QVERIFY(!QFile::exists(path)); // made by the first keep only
    for (KeptResult record : {newest, oldest, middle})
        QCOMPARE(store.keep(record), QString());

    // The file: owner only, its folder too; one row per keep, in the form kept.
    QCOMPARE(modeOf(home.filePath("pranoth")), 0700);
    QCOMPARE(modeOf(path), 0600);
    QCOMPARE(modeOf(path + "-wal"), 0600);
    QCOMPARE(sqlRows(path, "SELECT kept_at, program_version, ticked, hex(questions) FROM "
                           "kept_result ORDER BY id"),
             (QStringList{"1796687100|1.15|64|" + fileBytes(newest),
                          "1782907200|1.15|127|" + fileBytes(oldest),
                          "1796616000|1.15|82|" + fileBytes(middle)}));

    QStringList told;
    frmHistory window(store, answering(false, told));
    QVERIFY(told.isEmpty());
    auto *table = window.findChild<QTableView *>("tblResults");
    auto *chart = window.findChild<QWidget *>("chart");
    auto *report = window.findChild<QTextEdit *>("txtReport");
    QVERIFY(table && chart && report);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(tableText(*table),
             (QList<QStringList>{
                 Headings,
                 {dates[0], "", "", "", "", "", "", "OverActive 100%"},
                 {dates[1], "", "OverActive 88%", "", "", "UnderActive 12%", "", "Open 38%"},
                 {dates[2], "UnderActive 0%", "UnderActive 25%", "Open 38%", "Open 62%",
                  "OverActive 75%", "OverActive 100%", "Open 50%"},
             }));
    QCOMPARE(window.windowTitle(), QStringLiteral("Pranoth v1.15 - My History"));
    // Each verdict in its chakra's colour, dark enough to read on white (4.5:1).
    const QList<QColor> barColours{{255, 0, 0}, {255, 128, 0}, {255, 255, 0},  {0, 128, 0},
                                   {0, 0, 255}, {68, 51, 164}, {154, 100, 236}};
    for (int k = 0; k < ChakraCount; ++k) {
        const auto colour =
            table->model()->index(2, k + 1).data(Qt::ForegroundRole).value<QColor>();
        const auto linear = [](double c) {
            return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
        };
        const double luminance = 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
                                 0.0722 * linear(colour.blueF());
        QVERIFY2(1.05 / (luminance + 0.05) >= 4.5, qPrintable(colour.name()));
        QCOMPARE(colour.hue(), barColours[k].hue());
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
    const auto datesShown = [table] {
        QStringList shown;
        for (int r = 0; r < table->model()->rowCount(); ++r)
            shown << table->model()->index(r, 0).data().toString();
        return shown;
    };
    table->sortByColumn(2, Qt::DescendingOrder);
    QCOMPARE(datesShown(), (QStringList{dates[1], dates[2], dates[0]}));
    table->sortByColumn(2, Qt::AscendingOrder);
    QCOMPARE(datesShown(), (QStringList{dates[2], dates[1], dates[0]}));
    table->sortByColumn(0, Qt::AscendingOrder);
    QCOMPARE(datesShown(), (QStringList{dates[2], dates[1], dates[0]}));

    // The export: every result, oldest first, in UTC whatever the zone.
    QCOMPARE(window.exportCsv(home.filePath("history.csv")), QString());
    QCOMPARE(contentOf(home.filePath("history.csv")),
             QByteArray("Date and time (UTC),"
                        "Root Chakra (Muladhara) score,Root Chakra (Muladhara) verdict,"
                        "Sacral Chakra (Swadhisthanna) score,Sacral Chakra (Swadhisthanna) verdict,"
                        "Navel Chakra (Manipura) score,Navel Chakra (Manipura) verdict,"
                        "Heart Chakra (Anahata) score,Heart Chakra (Anahata) verdict,"
                        "Throat Chakra (Vishuddha) score,Throat Chakra (Vishuddha) verdict,"
                        "Third Eye Chakra (Ajna) score,Third Eye Chakra (Ajna) verdict,"
                        "Crown Chakra (Sahasrara) score,Crown Chakra (Sahasrara) verdict\r\n"
                        "2026-07-01T12:00:00Z,0,UnderActive,2,UnderActive,3,Open,5,Open,"
                        "6,OverActive,8,OverActive,4,Open\r\n"
                        "2026-12-07T04:00:00Z,,,7,OverActive,,,,,1,UnderActive,,,3,Open\r\n"
                        "2026-12-07T23:45:00Z,,,,,,,,,,,,,8,OverActive\r\n"));
    QVERIFY(!window.exportCsv(home.filePath("history.csv/inside.csv")).isEmpty());
}

// Each keep is committed to the disk before it returns: SQLite syncs the
// log at every commit (synchronous=FULL), not only at checkpoints.
void tst_History::everyKeepReachesTheDisk()
{
    QTemporaryDir home;
    const QString path = home.filePath("history.sqlite");
    KeptResult first = sampleResult(1);
    QCOMPARE(HistoryStore(path).keep(first), QString());
    HistoryStore store(path);
    QCOMPARE(store.state(), HistoryStore::State::ReadWrite);
    logSyncs = 0;
    KeptResult second = sampleResult(2);
    QCOMPARE(store.keep(second), QString());
    QVERIFY2(logSyncs > 0, "the keep was not synced to the disk");
}

void tst_History::userFile_data()
{
    QTest::addColumn<QByteArray>("dataHome");
    QTest::addColumn<QByteArray>("home");
    QTest::addColumn<QString>("file");
    QTest::newRow("data folder given")
        << QByteArray("/data") << QByteArray("/home/u") << "/data/pranoth/history.sqlite";
    QTest::newRow("relative data folder ignored") << QByteArray("data") << QByteArray("/home/u")
                                                  << "/home/u/.local/share/pranoth/history.sqlite";
    QTest::newRow("no data folder")
        << QByteArray() << QByteArray("/home/u") << "/home/u/.local/share/pranoth/history.sqlite";
    QTest::newRow("no usable home") << QByteArray() << QByteArray("home") << QString();
}

void tst_History::userFile()
{
    QFETCH(QByteArray, dataHome);
    QFETCH(QByteArray, home);
    QFETCH(QString, file);
    const QString found = [&] {
        const ScopedEnvironment environment{{"XDG_DATA_HOME", dataHome}, {"HOME", home}};
        return userHistoryFile();
    }();
    QCOMPARE(found, file);
    if (file.isEmpty()) {
        HistoryStore store(found);
        QCOMPARE(store.state(), HistoryStore::State::Unavailable);
        QVERIFY(!store.takeNotice().isEmpty());
    }
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

KeptResult answeredAlike(int chakra, KeptAnswer answer, std::int64_t keptAtUtc)
{
    KeptResult record;
    record.keptAtUtc = keptAtUtc;
    record.programVersion = "1.15";
    record.ticked[asIndex(chakra)] = true;
    for (int q = 0; q < 8; ++q)
        record.questions.push_back({static_cast<Int16>(8 * chakra + q), answer});
    return record;
}

} // namespace

void tst_History::openExistingFile_data()
{
    QTest::addColumn<QString>("sql");     // run on the file first
    QTest::addColumn<QByteArray>("raw");  // then, when given, the file's bytes
    QTest::addColumn<QString>("outcome"); // kept, readOnly, setAside or fresh
    QTest::addColumn<int>("shown");
    QTest::addColumn<QString>("told");
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
    QTest::newRow("truncated") << FirstSchema << QByteArray("half") << "setAside" << 0
                               << "a fresh history has started";
    QTest::newRow("garbage") << QString() << QByteArray("this is no database").repeated(300)
                             << "setAside" << 0 << "a fresh history has started";
    QTest::newRow("another program's database")
        << "CREATE TABLE photos (name TEXT); INSERT INTO photos VALUES ('a'), ('b'), ('c');"
        << QByteArray() << "setAside" << 0 << "a fresh history has started";
    // Killed while writing, with a log that goes aside with it.
    QTest::newRow("another program's database, its last rows in its log")
        << "killed: write-ahead log" << QByteArray() << "setAside" << 0
        << "a fresh history has started";
    QTest::newRow("another program's database, half changed, its journal beside it")
        << "killed: journal" << QByteArray() << "setAside" << 0 << "a fresh history has started";
    QTest::newRow("empty file") << QString() << QByteArray("") << "fresh" << 0 << QString();
}

void tst_History::openExistingFile()
{
    QFETCH(QString, sql);
    QFETCH(QByteArray, raw);
    QFETCH(QString, outcome);
    QFETCH(int, shown);
    QFETCH(QString, told);
    QTemporaryDir home;
    const QString path = home.filePath("history.sqlite");
    if (sql.startsWith("killed")) {
        // What a writer killed at this moment leaves: copied while it writes.
        const bool writeAhead = sql.endsWith("write-ahead log");
        const QString source = home.filePath("source.sqlite");
        sqlite3 *writer = nullptr;
        QCOMPARE(sqlite3_open(QFile::encodeName(source).constData(), &writer), SQLITE_OK);
        QCOMPARE(sqlite3_exec(writer,
                              writeAhead ? "PRAGMA journal_mode=WAL; PRAGMA wal_autocheckpoint=0;"
                                           "CREATE TABLE photos (name TEXT);"
                                           "INSERT INTO photos VALUES ('a'), ('b'), ('c');"
                                         : "CREATE TABLE photos (name TEXT);"
                                           "INSERT INTO photos VALUES ('a'), ('b'), ('c');"
                                           "PRAGMA cache_size=2; BEGIN;"
                                           "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT "
                                           "i + 1 FROM n WHERE i < 400) INSERT INTO photos "
                                           "SELECT hex(randomblob(300)) FROM n;",
                              nullptr, nullptr, nullptr),
                 SQLITE_OK);
        for (const QString part : {"", "-wal", "-shm", "-journal"}) {
            if (QFile::exists(source + part))
                QVERIFY(QFile::copy(source + part, path + part));
        }
        sqlite3_close(writer);
        QVERIFY(QFile::exists(path + (writeAhead ? "-wal" : "-journal")));
    } else if (!sql.isEmpty()) {
        QCOMPARE(sqlExec(path, sql), QString());
    }
    if (raw == "half") {
        for (int n = 0; n < 40; ++n) {
            KeptResult more = sampleResult(n);
            QCOMPARE(HistoryStore(path).keep(more), QString());
        }
        QFile file(path);
        QVERIFY(file.resize(file.size() / 2));
    } else if (!raw.isNull()) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(raw);
    }
    QVERIFY(::chmod(QFile::encodeName(path).constData(), 0644) == 0);
    const QByteArray before = contentOf(path);

    HistoryStore store(path);
    QStringList toldNow;
    auto *window = new frmHistory(store, answering(false, toldNow));
    auto *table = window->findChild<QTableView *>("tblResults");
    auto *deleteOne = window->findChild<QPushButton *>("cmdDelete");
    auto *deleteAll = window->findChild<QPushButton *>("cmdDeleteAll");
    auto *notice = window->findChild<QLabel *>("lblNotice");
    QVERIFY(table && deleteOne && deleteAll && notice);
    QCOMPARE(table->model()->rowCount(), shown);
    QCOMPARE(toldNow.size(), told.isEmpty() ? 0 : 1);
    if (!told.isEmpty())
        QVERIFY2(toldNow.front().contains(told), qPrintable(toldNow.front()));
    QCOMPARE(store.takeNotice(), QString()); // told once
    const std::vector<KeptResult> kept = store.keptResults();
    const bool changeable = outcome != "readOnly";
    QCOMPARE(deleteOne->isEnabled(), changeable && shown > 0);
    QCOMPARE(deleteAll->isEnabled(), changeable && shown > 0);
    QCOMPARE(notice->text(), !changeable ? "This history can be looked at, but not changed."
                             : shown == 0
                                 ? "Nothing has been kept yet. To keep a result, choose Keep in My "
                                   "History in the File menu of the result window."
                                 : "");
    window->close();

    KeptResult next = sampleResult(12);
    const QString keeping = store.keep(next);
    if (outcome == "readOnly") {
        QVERIFY(!keeping.isEmpty());
        QCOMPARE(contentOf(path), before);
        return;
    }
    QCOMPARE(keeping, QString());
    QCOMPARE(store.keptResults().size(), std::size_t(shown + 1));
    QCOMPARE(modeOf(path), 0600);
    if (outcome == "kept") {
        QCOMPARE(kept.size(), std::size_t(shown));
        KeptResult yes = answeredAlike(0, KeptAnswer::Yes, 1'780'000'000);
        yes.id = 1;
        QVERIFY(kept.front() == yes);
        if (shown == 2) {
            KeptResult notSure = answeredAlike(6, KeptAnswer::NotSure, 1'780'003'600);
            notSure.id = 2;
            QVERIFY(kept.back() == notSure);
        }
        return;
    }
    QStringList aside = QDir(home.path()).entryList({"history.sqlite.broken-*"});
    aside.removeIf([](const QString &name) {
        return name.endsWith("-wal") || name.endsWith("-shm") || name.endsWith("-journal");
    });
    QCOMPARE(aside.size(), outcome == "setAside" ? 1 : 0);
    if (outcome == "setAside") {
        const QString kept = home.filePath(aside.front());
        QVERIFY(toldNow.front().contains(kept));
        QCOMPARE(contentOf(kept), before);
        if (sql.contains("photos") || sql.startsWith("killed"))
            QCOMPARE(sqlRows(kept, "SELECT group_concat(name) FROM photos"), QStringList{"a,b,c"});
        QCOMPARE(sqlRows(path, "SELECT name FROM sqlite_master WHERE name = 'photos'"),
                 QStringList());
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
        QCOMPARE(store.keptResults().front().questions, first.questions);
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
    QStringList told;
    auto *window = new frmHistory(store, answering(confirmed, told));
    auto *table = window->findChild<QTableView *>("tblResults");
    auto *deleteOne = window->findChild<QPushButton *>("cmdDelete");
    auto *deleteAll = window->findChild<QPushButton *>("cmdDeleteAll");
    auto *notice = window->findChild<QLabel *>("lblNotice");
    QVERIFY(table && deleteOne && deleteAll && notice);
    const auto dateOf = [table](int r) { return table->model()->index(r, 0).data().toString(); };
    QStringList dates; // of results 0 to 4
    for (int r = 4; r >= 0; --r)
        dates << dateOf(r);
    if (row >= 0)
        table->setCurrentIndex(table->model()->index(row, 0));
    (row >= 0 ? deleteOne : deleteAll)->click();
    QVERIFY(told.isEmpty());

    // Exactly these are left, in the file and in the table.
    QStringList expected;
    QStringList expectedDates;
    for (const int n : left) {
        expected << marker(n);
        expectedDates.prepend(dates[n]);
    }
    QCOMPARE(sqlRows(path, "SELECT substr(program_version, 1, 9) FROM kept_result ORDER BY "
                           "kept_at"),
             expected);
    QStringList shownDates;
    for (int r = 0; r < table->model()->rowCount(); ++r)
        shownDates << dateOf(r);
    QCOMPARE(shownDates, expectedDates);
    QCOMPARE(table->currentIndex().isValid() ? selectedDate(*table) : QString(),
             selected >= 0 ? dates[selected] : QString());

    // Nothing deleted can be read back from the file or its log.
    const QByteArray bytes = contentOf(path) + contentOf(path + "-wal");
    for (int n = 0; n < 5; ++n)
        QCOMPARE(bytes.contains(marker(n).toLatin1()), left.contains(n));
    if (left.isEmpty()) {
        QCOMPARE(sqlRows(path, "PRAGMA freelist_count"), QStringList{"0"});
        QVERIFY(!deleteAll->isEnabled() && !deleteOne->isEnabled());
        QVERIFY(notice->text().startsWith("Nothing has been kept yet."));
    }
    window->close();
}

void tst_History::killedWhileKeeping()
{
    QTemporaryDir home;
    const QString path = home.filePath("history.sqlite");
    const QString keeper = QCoreApplication::applicationDirPath() + "/history_keeper";
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
