#include "fakes.h"
#include "history_samples.h"
#include "scoped_environment.h"

#include "core/kept_result.h"
#include "core/report.h"
#include "shell/history_store.h"
#include "ui/frmHistory.h"
#include "ui/history_chart.h"
#include "ui/history_model.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>

#include <csignal>
#include <sys/resource.h>

using namespace pranoth;
using namespace pranoth::testing;

using Scores = std::array<int, ChakraCount>; // -1: not tested
Q_DECLARE_METATYPE(Scores)

namespace {

// A run completed through the questionnaire, answered so that each ticked
// chakra gets the given score: its first answers match the key, the rest are
// the opposite answer.
TestRun completedRun(const Scores &scores)
{
    FakePlatform platform(7);
    TestRun run;
    std::array<bool, ChakraCount> ticked{};
    for (int k = 0; k < ChakraCount; ++k)
        ticked[asIndex(k)] = scores[asIndex(k)] >= 0;
    run.StartTestRun(ticked, platform);
    FakeQuestionnaireView view;
    run.LoadQuestionnaire(view);
    std::array<int, ChakraCount> matched{};
    do {
        const auto position = asIndex(run.CurrentQuestion - 1);
        const int chakra = chakraOfBankNumber(run.RunOrder[position]);
        const int key = optionOfAnswer(run.RunKeys[position]);
        view.option = matched[asIndex(chakra)]++ < scores[asIndex(chakra)] ? key : 1 - key;
    } while (!run.NextQuestion(view));
    return run;
}

class ReportView : public ResultView {
public:
    void sizeAndShowBar(int, int) override {}
    RichTextWriter &report() override { return writer; }
    void showResult() override {}
    RecordingWriter writer;
};

QByteArray contentOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

HistoryPrompts answering(bool yes, QStringList &told)
{
    HistoryPrompts prompts;
    prompts.confirm = [yes](const QString &) { return yes; };
    prompts.tell = [&told](const QString &message) { told << message; };
    return prompts;
}

// A history file written by hand in the first schema, holding `record`.
void writeFirstVersion(const QString &path, const KeptResult &record)
{
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "v1");
        db.setDatabaseName(path);
        QVERIFY(db.open());
        QSqlQuery query(db);
        QVERIFY(query.exec("CREATE TABLE kept_result (id INTEGER PRIMARY KEY, kept_at INTEGER "
                           "NOT NULL, program_version TEXT NOT NULL, ticked INTEGER NOT NULL, "
                           "questions BLOB NOT NULL)"));
        const QByteArray questions = QByteArray::fromStdString(questionBytes(record.questions));
        QVERIFY(query.exec(QStringLiteral("INSERT INTO kept_result VALUES (1, %1, '%2', %3, "
                                          "X'%4')")
                               .arg(record.keptAtUtc)
                               .arg(QString::fromStdString(record.programVersion))
                               .arg(tickedBits(record.ticked))
                               .arg(QString::fromLatin1(questions.toHex()))));
        QVERIFY(query.exec("PRAGMA user_version=1"));
    }
    QSqlDatabase::removeDatabase("v1");
}

} // namespace

class tst_History : public QObject {
    Q_OBJECT

private slots:
    void roundTrip_data();
    void roundTrip();
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

void tst_History::roundTrip_data()
{
    QTest::addColumn<Scores>("scores");
    QTest::newRow("every verdict, every chakra") << Scores{0, 2, 3, 5, 6, 8, 4};
    QTest::newRow("untested chakras stay blank") << Scores{-1, 7, -1, -1, 1, -1, 3};
    QTest::newRow("one chakra") << Scores{-1, -1, -1, -1, -1, -1, 8};
}

void tst_History::roundTrip()
{
    QFETCH(Scores, scores);
    QTemporaryDir home;
    const QString path = home.filePath("pranoth/history.sqlite");
    const TestRun run = completedRun(scores);
    {
        HistoryStore store(path);
        QVERIFY(!QFile::exists(path)); // made by the first keep only
        KeptResult older = sampleResult(3);
        KeptResult record = keptResultOf(run, older.keptAtUtc + 60, "1.15");
        QCOMPARE(store.keep(older), QString());
        QCOMPARE(store.keep(record), QString());
        QCOMPARE(QFile::permissions(path) & 0x0077, QFileDevice::Permissions());
    }

    HistoryStore store(path);
    QCOMPARE(store.state(), HistoryStore::State::ReadWrite);
    QStringList told;
    frmHistory window(store, answering(false, told));
    QVERIFY(told.isEmpty());
    QCOMPARE(window.findChild<HistoryModel *>(QStringLiteral("model"))->rowCount(), 2);
    const KeptResult *shown = window.selectedResult();
    QVERIFY(shown); // the newest, first
    QCOMPARE(runOf(*shown).RunOrder, run.RunOrder);
    QCOMPARE(runOf(*shown).RunAnswers, run.RunAnswers);

    const int row =
        window.findChild<QTableView *>(QStringLiteral("tblResults"))->currentIndex().row();
    const std::string csv = keptResultsCsv({*shown});
    const auto csvRow = QString::fromStdString(csv.substr(csv.find("\r\n") + 2)).split(',');
    for (int k = 0; k < ChakraCount; ++k) {
        const int score = scores[asIndex(k)];
        const QString cell = window.findChild<HistoryModel *>(QStringLiteral("model"))
                                 ->index(row, k + 1)
                                 .data()
                                 .toString();
        const QPointF point =
            window.findChild<HistoryChart *>(QStringLiteral("chart"))
                ->pointAt(window.findChild<HistoryModel *>(QStringLiteral("model"))->timeOfRow(row),
                          k);
        if (score < 0) {
            QCOMPARE(cell, QString());
            QVERIFY(point.isNull());
            QCOMPARE(csvRow[1 + 2 * k], QString());
            continue;
        }
        const QString verdict = QString::fromUtf8(verdictName(verdictOf(score)).data());
        QCOMPARE(cell, QStringLiteral("%1 %2%").arg(verdict).arg(barPercent(score)));
        QVERIFY(!point.isNull());
        QCOMPARE(csvRow[1 + 2 * k], QString::number(score));
        QCOMPARE(csvRow[2 + 2 * k].trimmed(), verdict);
    }
    QCOMPARE(csvRow[0], QString::fromStdString(isoUtc(shown->keptAtUtc)));

    // The report is the result window's, run for run, after the introduction.
    ReportView assessed;
    ChakraResults results;
    AssessTestRun(run, results, assessed);
    RecordingWriter rewritten;
    writeKeptReport(rewritten, *shown);
    QCOMPARE(rewritten.runs, assessed.writer.runs);
    QString expected = QString::fromLatin1(
        (resultIntroduction() + "\r\n\r\n" + assessed.writer.plainText()).c_str());
    expected.replace("\r\n", "\n");
    QString shownText = window.findChild<QTextEdit *>(QStringLiteral("txtReport"))->toPlainText();
    for (QString *text : {&expected, &shownText}) {
        while (text->endsWith('\n'))
            text->chop(1);
    }
    QCOMPARE(shownText, expected);

    // The export is every result, oldest first; a place that cannot be written is reported.
    QCOMPARE(window.exportCsv(home.filePath("history.csv")), QString());
    QCOMPARE(contentOf(home.filePath("history.csv")),
             QByteArray::fromStdString(keptResultsCsv(
                 window.findChild<HistoryModel *>(QStringLiteral("model"))->results())));
    QVERIFY(!window.exportCsv(home.filePath("history.csv/inside.csv")).isEmpty());
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
        const testing::ScopedEnvironment environment{{"XDG_DATA_HOME", dataHome}, {"HOME", home}};
        return HistoryStore::userFile();
    }();
    QCOMPARE(found, file);
    if (file.isEmpty()) {
        HistoryStore store(found);
        QCOMPARE(store.state(), HistoryStore::State::Unavailable);
        QVERIFY(!store.takeNotice().isEmpty());
    }
}

void tst_History::openExistingFile_data()
{
    QTest::addColumn<QByteArray>("content"); // empty: a first-version file by hand
    QTest::addColumn<QString>("kind");       // kept, readOnly, setAside or fresh
    const QByteArray noSqlite = QByteArray("this is no database").repeated(300);
    QTest::newRow("first schema version") << QByteArray() << "kept";
    QTest::newRow("newer schema version") << QByteArray("newer") << "readOnly";
    QTest::newRow("truncated") << QByteArray("truncated") << "setAside";
    QTest::newRow("garbage") << noSqlite << "setAside";
    QTest::newRow("another program's database") << QByteArray("foreign") << "setAside";
    QTest::newRow("empty file") << QByteArray("empty") << "fresh";
}

void tst_History::openExistingFile()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, kind);
    QTemporaryDir home;
    const QString path = home.filePath("history.sqlite");
    const KeptResult first = sampleResult(11);
    writeFirstVersion(path, first);
    if (content == "newer" || content == "foreign") {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "other");
        db.setDatabaseName(path);
        QVERIFY(db.open());
        QSqlQuery query(db);
        if (content == "newer")
            QVERIFY(query.exec("PRAGMA user_version=7"));
        else
            QVERIFY(query.exec("ALTER TABLE kept_result RENAME TO photos") &&
                    query.exec("PRAGMA user_version=0"));
        query.clear();
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase("other");
    } else if (content == "truncated") {
        for (int n = 0; n < 40; ++n) {
            KeptResult more = sampleResult(n);
            HistoryStore(path).keep(more);
        }
        QFile file(path);
        QVERIFY(file.resize(file.size() / 2));
    } else if (content == "empty") {
        QFile(path).resize(0);
    } else if (!content.isEmpty()) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(content);
    }
    const QByteArray before = contentOf(path);

    HistoryStore store(path);
    const QString notice = store.takeNotice();
    const std::vector<KeptResult> kept = store.keptResults();
    KeptResult next = sampleResult(12);
    const QString keeping = store.keep(next);
    if (kind == "kept") {
        QCOMPARE(kept.size(), 1U);
        QCOMPARE(kept.front().questions, first.questions);
        QCOMPARE(keeping, QString());
        QCOMPARE(store.keptResults().size(), 2U);
    } else if (kind == "readOnly") {
        QCOMPARE(kept.size(), 1U);
        QVERIFY(!store.canChange());
        QVERIFY(notice.contains("newer"));
        QVERIFY(!keeping.isEmpty());
        QCOMPARE(contentOf(path), before);
    } else {
        QVERIFY(kept.empty());
        QCOMPARE(keeping, QString());
        QCOMPARE(store.keptResults().size(), 1U);
        QStringList aside = QDir(home.path()).entryList({"history.sqlite.broken-*"});
        aside.removeIf(
            [](const QString &name) { return name.endsWith("-wal") || name.endsWith("-shm"); });
        QCOMPARE(aside.size(), kind == "setAside" ? 1 : 0);
        if (kind == "setAside") {
            QVERIFY(notice.contains(home.filePath(aside.front())));
            QCOMPARE(contentOf(home.filePath(aside.front())), before);
        }
    }
    QCOMPARE(store.takeNotice(), QString()); // told once
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
    QTest::addColumn<bool>("confirmed");
    QTest::addColumn<bool>("all");
    QTest::newRow("declined") << false << true;
    QTest::newRow("the selected one") << true << false;
    QTest::newRow("all, leaving nothing in the file") << true << true;
}

void tst_History::deleting()
{
    QFETCH(bool, confirmed);
    QFETCH(bool, all);
    QTemporaryDir home;
    const QString path = home.filePath("history.sqlite");
    HistoryStore store(path);
    for (int n = 0; n < 3; ++n) {
        KeptResult record = sampleResult(n);
        record.programVersion = "marker-" + std::to_string(n);
        QCOMPARE(store.keep(record), QString());
    }
    QStringList told;
    auto *window = new frmHistory(store, answering(confirmed, told));
    const std::int64_t newest = window->selectedResult()->id;
    (all ? window->findChild<QPushButton *>(QStringLiteral("cmdDeleteAll"))
         : window->findChild<QPushButton *>(QStringLiteral("cmdDelete")))
        ->click();
    QVERIFY(told.isEmpty());

    std::vector<std::int64_t> left;
    for (const KeptResult &record : HistoryStore(path).keptResults())
        left.push_back(record.id);
    const std::size_t expected = !confirmed ? 3 : all ? 0 : 2;
    QCOMPARE(left.size(), expected);
    QCOMPARE(window->findChild<HistoryModel *>(QStringLiteral("model"))->rowCount(),
             static_cast<int>(expected));
    QCOMPARE(std::count(left.begin(), left.end(), newest), confirmed ? 0 : 1);
    if (confirmed && all) {
        const QByteArray bytes = contentOf(path) + contentOf(path + "-wal");
        QVERIFY(!bytes.contains("marker-"));
        QVERIFY(!window->findChild<QPushButton *>(QStringLiteral("cmdDeleteAll"))->isEnabled());
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

        HistoryStore store(path);
        QCOMPARE(store.state(), HistoryStore::State::ReadWrite);
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
