// Practise Along from the yoga viewer to My History: the session window on a
// fake clock and recording desktop services, the log kept in the history
// file, a file of the first version gaining its sessions table, and My
// History showing, exporting and deleting sessions.

#include "ui/window_fixture.h"

#include "shell/history_store.h"
#include "shell/sqlite_connection.h"
#include "ui/frmHistory.h"
#include "ui/frmPractice.h"
#include "ui/frmYogaChakra.h"
#include "ui/history_chart.h"
#include "ui/history_model.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QDialog>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QTableView>
#include <QTextEdit>
#include <QTimer>

using namespace pranoth;
using namespace pranoth::testing;

namespace {

const QString V1History = QStringLiteral(PRANOTH_TEST_DATA "/history-v1.sqlite");

// A practice window after the fake clock moved on by `ms`: its timer fires.
void after(frmPractice *window, FakeSessionClock &clock, Millis ms)
{
    clock.advanceTo(clock.awake + ms);
    child<QTimer>(window, "timer")->start(0);
    QTest::qWait(5);
}

// The access keys of a window's File menu, or of a dialog's labels and
// buttons, each once.
void accessKeysDiffer(const QWidget *window, int expected)
{
    QStringList texts;
    if (const auto *file = window->findChild<QMenu *>(QStringLiteral("mnuFile"))) {
        for (const QAction *action : file->actions())
            texts << action->text();
    } else {
        for (const QAbstractButton *button : window->findChildren<QAbstractButton *>())
            texts << button->text();
        for (const QLabel *label : window->findChildren<QLabel *>())
            texts << label->text();
    }
    QStringList keys;
    for (const QString &text : texts) {
        const auto key = QRegularExpression("&(\\w)").match(text);
        if (key.hasMatch())
            keys << key.captured(1).toLower();
    }
    QCOMPARE(keys.size(), expected);
    QCOMPARE(QSet<QString>(keys.begin(), keys.end()).size(), keys.size());
}

// The yoga viewer opened from `result`, active.
frmYogaChakra *viewerFrom(frmResult *result)
{
    click(child<QPushButton>(result, "cmdYogaChakra"));
    flushDeletes();
    auto *viewer = openWindow<frmYogaChakra>();
    if (!viewer)
        return nullptr;
    viewer->activateWindow();
    return QTest::qWaitForWindowActive(viewer) ? viewer : nullptr;
}

QString text(const QWidget *window, const char *name)
{
    return child<QLabel>(window, name)->text();
}

KeptSession session(std::int64_t startedAt, int practised, std::vector<PracticedPosture> postures)
{
    return {0, startedAt, "1.15", practised, std::move(postures)};
}

} // namespace

class tst_PracticeLog : public QObject {
    Q_OBJECT

private slots:
    void practiseAlongFromTheViewer();
    void aScreenReaderCarriesTheGuidance();
    void nothingToPractiseWhenEveryChakraIsOpen();
    void aResultIsKeptWhereTheUserIs();
    void olderFilesGainWhatPlansNeed_data();
    void olderFilesGainWhatPlansNeed();
    void myHistoryShowsExportsAndDeletesSessions();
};

void tst_PracticeLog::practiseAlongFromTheViewer()
{
    ProgramDriver driver;
    // Root, Navel and Throat under-active: nine slots, eight postures (the fish serves two).
    frmResult *result = driver.resultFor({0, 2, 4});
    auto *viewer = viewerFrom(result);
    QVERIFY(viewer);
    accessKeysDiffer(viewer, 7);
    // Read aloud: the record's names, then each step of its procedure.
    QTest::keyClick(viewer, Qt::Key_R, Qt::ControlModifier);
    QCOMPARE(driver.services.calls.size(), std::size_t{9});
    QCOMPARE(
        std::vector<std::string>(driver.services.calls.begin(), driver.services.calls.begin() + 3),
        (std::vector<std::string>{"interrupt", "say Frog Pose, Mandukasana.",
                                  "say 1. Sit up in Vajrasana. Keep your knees wide apart, "
                                  "your body straight and let the great toes touch each "
                                  "other."}));
    driver.services.calls.clear();
    QTest::keyClick(viewer, Qt::Key_F5);
    auto *window = openWindow<frmPractice>();
    QVERIFY(window);
    QVERIFY(viewer->isVisible()); // the viewer stays
    // A teacher's words first; the clock waits for Enter.
    QVERIFY(child<QTextEdit>(window, "txtBefore")->isVisible());
    QVERIFY(child<QTextEdit>(window, "txtBefore")->toPlainText().startsWith("Before you begin\n"));
    QVERIFY(driver.services.calls.empty());
    after(window, driver.clock, 5000);
    QTest::keyClick(child<QPushButton>(window, "cmdBegin"), Qt::Key_Return);

    // The class's order: seated breathing first, "Next" the posture coming up.
    QCOMPARE(text(window, "lblPosture"), QStringLiteral("Sukhasana \u2013 Easy Pose"));
    QCOMPARE(text(window, "lblChakras"),
             QStringLiteral("Preparation \u00b7 Hold 30 s (growing to 1 min)"));
    QCOMPARE(text(window, "lblCount"), QStringLiteral("1 of 13"));
    QCOMPARE(text(window, "lblPhase"), QStringLiteral("Get ready"));
    QCOMPARE(text(window, "lblNext"), QStringLiteral("Next: Sukhasana"));
    // Getting ready, each the longer of 10 s and its own time to come in:
    // 10+10+20+10+15+10+15+10+30+20+15+20+15 = 200 s; a new plan's holds, the bottom of each
    // range but the easy frog's own least 30 s,
    // 30+30+30+10+(10+10+10 for the half bow's two sides)+30+10+30+20+10+10+3+120 = 363 s;
    // rests, 15 s after coming out of each but the last:
    // 23+21+25+20+23+21+25+21+30+30+25+25 = 289 s; 852 s in all.
    QCOMPARE(text(window, "lblSessionLeft"), QStringLiteral("Session: 14:12 left"));
    auto *ring = child<QWidget>(window, "ring");
    const auto spoken = [ring] {
        return QAccessible::queryAccessibleInterface(ring)->text(QAccessible::Description);
    };
    QCOMPARE(spoken(), QStringLiteral("10 seconds left of 10 seconds"));
    // The voice names the posture and says how to come into it.
    QCOMPARE(driver.services.calls,
             (std::vector<std::string>{
                 "new phase", "say Get ready for Easy Pose, Sukhasana.",
                 "say Sit on a folded blanket, cross your legs at the shins and rest your hands "
                 "on your knees.",
                 "say Close your eyes and breathe slowly through the nose.",
                 "inhibit A practice session is running"}));

    after(window, driver.clock, 4000);
    QCOMPARE(spoken(), QStringLiteral("6 seconds left of 10 seconds"));
    after(window, driver.clock, 6000);
    QCOMPARE(text(window, "lblPhase"), QStringLiteral("Hold"));
    QVERIFY(child<QLabel>(window, "lblPhase")->accessibleName().startsWith("Hold. Sukhasana."));
    QCOMPARE(driver.services.calls.back(), std::string("cue PhaseChange"));
    QCOMPARE(driver.services.calls.at(driver.services.calls.size() - 2),
             std::string("say Hold for 30 seconds."));

    // Paused, the voice too, the screen may blank and nothing runs; resumed,
    // nothing was lost.
    QTest::keyClick(window, Qt::Key_Space);
    QCOMPARE(driver.services.calls.at(driver.services.calls.size() - 2),
             std::string("pause voice"));
    QCOMPARE(child<QPushButton>(window, "cmdPause")->text(), QStringLiteral("Resume"));
    QVERIFY(child<QLabel>(window, "lblPhase")->accessibleName().startsWith("Paused. Hold."));
    QCOMPARE(driver.services.calls.back(), std::string("release"));
    after(window, driver.clock, 30000);
    QTest::keyClick(window, Qt::Key_Space);
    QCOMPARE(spoken(), QStringLiteral("30 seconds left of 30 seconds"));
    QCOMPARE(driver.services.calls.back(), std::string("inhibit A practice session is running"));
    // The settings hold the clock while they are open.
    QTest::keyClick(window, Qt::Key_S);
    auto *settings = window->findChild<QDialog *>(QStringLiteral("dlgPracticeSettings"));
    QVERIFY(settings && settings->isVisible());
    accessKeysDiffer(settings, 12);
    after(window, driver.clock, 20000);
    settings->reject();
    QCOMPARE(spoken(), QStringLiteral("30 seconds left of 30 seconds"));
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));

    // Muted, and remembered; then on to the next posture after 3 s of hold.
    QTest::keyClick(window, Qt::Key_M);
    QCOMPARE(driver.platform.settings.at("Practice/Muted"), std::string("1"));
    after(window, driver.clock, 3000);
    const std::size_t calls = driver.services.calls.size();
    QTest::keyClick(window, Qt::Key_Right);
    QCOMPARE(text(window, "lblCount"), QStringLiteral("2 of 13"));
    QCOMPARE(text(window, "lblPhase"), QStringLiteral("Get ready"));
    QCOMPARE(driver.services.calls.size(), calls); // no sound once muted

    // Esc ends it: the summary, and the desktop may blank the screen again.
    QTest::keyClick(window, Qt::Key_Escape);
    QCOMPARE(driver.services.calls.back(), std::string("release"));
    const QString summary = child<QTextEdit>(window, "txtSummary")->toPlainText();
    QVERIFY2(
        summary.contains("Practised: 13 s\n\nSukhasana: 3 s\nMarjaryasana-Bitilasana: skipped\n"),
        qPrintable(summary));
    QVERIFY(summary.endsWith("Shavasana: skipped"));
    QVERIFY(!driver.platform.settings.count("Practice/HoldPercent"));

    // Kept, once; then in My History.
    auto *keep = child<QPushButton>(window, "cmdKeep");
    QCOMPARE(keep->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_K));
    click(keep);
    QVERIFY(!keep->isEnabled());
    HistoryStore store(driver.home.filePath("history.sqlite"));
    const std::vector<KeptSession> kept = store.keptSessions();
    QCOMPARE(kept.size(), std::size_t{1});
    QCOMPARE(kept[0].practisedSeconds, 13);
    QCOMPARE(kept[0].postures.size(), std::size_t{13});
    // Held, and planned as a new plan starts.
    QCOMPARE(kept[0].postures[0], (PracticedPosture{EasySeat, 3, 30}));
    QCOMPARE(kept[0].postures[3], (PracticedPosture{Cobra, 0, 10}));
    // The fake clock stands on a Monday: 1 of 3 can still be met, so the week counts.
    QCOMPARE(text(window, "lblProgress"),
             QStringLiteral("1 of 3 this week \u00b7 1 week in a row"));
    QCOMPARE(store.keptResults().size(), std::size_t{0});
}

void tst_PracticeLog::aScreenReaderCarriesTheGuidance()
{
    ProgramDriver driver;
    driver.services.screenReader = true;
    frmResult *result = driver.resultFor({4});
    auto *viewer = viewerFrom(result);
    QVERIFY(viewer);
    QTest::keyClick(viewer, Qt::Key_F5);
    auto *window = openWindow<frmPractice>();
    QVERIFY(window);
    QTest::keyClick(child<QPushButton>(window, "cmdBegin"), Qt::Key_Return);
    // One voice: the window's announcement carries the guidance, and the
    // program's own voice says nothing.
    QVERIFY2(child<QLabel>(window, "lblPhase")
                 ->accessibleName()
                 .startsWith("Get ready for Easy Pose, Sukhasana. Sit on a folded blanket"),
             qPrintable(child<QLabel>(window, "lblPhase")->accessibleName()));
    for (const std::string &call : driver.services.calls)
        QVERIFY2(!call.starts_with("say "), call.c_str());
}

void tst_PracticeLog::nothingToPractiseWhenEveryChakraIsOpen()
{
    ProgramDriver driver;
    frmResult *result = driver.answerForScore(driver.startTest(driver.start(), {3}), 4);
    QVERIFY(result);
    auto *file = child<QMenu>(result, "mnuFile");
    QAction *practise = child<QAction>(result, "mnuPractise");
    QVERIFY(!practise->isEnabled());
    QVERIFY(practise->toolTip().contains("open"));
    QVERIFY(file->toolTipsVisible());
    result->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(result));
    QTest::keyClick(result, Qt::Key_F5);
    QVERIFY(!openWindow<frmPractice>());

    accessKeysDiffer(result, 7);
}

void tst_PracticeLog::aResultIsKeptWhereTheUserIs()
{
    ProgramDriver driver;
    frmResult *first = driver.resultFor({4});
    auto *viewer = viewerFrom(first);
    QVERIFY(viewer);
    QTest::keyClick(viewer, Qt::Key_K, Qt::ControlModifier);
    QVERIFY(!child<QAction>(viewer, "mnuKeep")->isEnabled());
    HistoryStore store(driver.home.filePath("history.sqlite"));
    QCOMPARE(store.keptResults().size(), std::size_t{1});

    // Two weeks on, every result kept as it comes, and the way since the first said.
    driver.platform.settings["Practice/KeepEveryResult"] = "1";
    driver.platform.clock = {2026, 12, 21, 9, 30, 0};
    click(child<QPushButton>(viewer, "cmdBack"));
    flushDeletes();
    frmResult *second = driver.answerForScore(driver.startTest(openWindow<frmMain>(), {4}), 4);
    QVERIFY(child<QAction>(second, "mnuKeep")->isChecked());
    QCOMPARE(store.keptResults().size(), std::size_t{2});
    const QString report = child<QTextEdit>(second, "RTB")->toPlainText();
    QVERIFY2(report.endsWith("Since your first kept result\nThroat: UnderActive 0 % \u2192 Open "
                             "50 % over 2 weeks, 0 sessions"),
             qPrintable(report));
    second->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(second));
    QTest::keyClick(second, Qt::Key_H, Qt::ControlModifier);
    QVERIFY(openWindow<frmHistory>());
}

void tst_PracticeLog::olderFilesGainWhatPlansNeed_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("sessionsBefore"); // as "asana:held:planned" each
    // Results only, as the first version kept them.
    QTest::newRow("version 1") << "history-v1.sqlite"
                               << "";
    // Two sessions kept by 1.15, with no planned times: the cobra 15 s and the
    // bow skipped; the twist 60 s.
    QTest::newRow("version 2") << "history-v2.sqlite"
                               << "1:15:0 3:0:0|9:60:0";
}

void tst_PracticeLog::olderFilesGainWhatPlansNeed()
{
    QFETCH(QString, file);
    QFETCH(QString, sessionsBefore);
    QTemporaryDir home;
    const QString path = home.filePath("history.sqlite");
    QVERIFY(QFile::copy(QStringLiteral(PRANOTH_TEST_DATA "/") + file, path));
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    {
        HistoryStore store(path);
        QCOMPARE(store.state(), HistoryStore::State::ReadWrite);
        QCOMPARE(store.takeNotice(), QString());
        // The four results the first version kept, as it kept them.
        const std::vector<KeptResult> results = store.keptResults();
        const QStringList questions{"000F1A05101F0A15", "26313C2B36212C3B",
                                    "0817020D1807121D2837222D3827323D", "4E5944535E495443"};
        QCOMPARE(results.size(), std::size_t{4});
        for (std::size_t n = 0; n < results.size(); ++n) {
            QCOMPARE(results[n].id, std::int64_t(n + 1));
            QCOMPARE(results[n].keptAtUtc, std::int64_t(1'780'000'000 + 3600 * n));
            QCOMPARE(testedBits(results[n].run.tested), std::int64_t(n + 1));
            QCOMPARE(QByteArray::fromStdString(questionBytes(results[n].run.questions))
                         .toHex()
                         .toUpper(),
                     questions[int(n)].toLatin1());
        }
        QStringList sessions;
        for (const KeptSession &kept : store.keptSessions()) {
            QStringList postures;
            for (const PracticedPosture &posture : kept.postures)
                postures << QStringLiteral("%1:%2:%3")
                                .arg(posture.asana)
                                .arg(posture.heldSeconds)
                                .arg(posture.plannedSeconds);
            sessions << postures.join(QLatin1Char(' '));
        }
        QCOMPARE(sessions.join(QLatin1Char('|')), sessionsBefore);
        KeptSession kept = session(1'780'020'000, 200, {{9, 60, 50}, {10, 0, 45}});
        QCOMPARE(store.keepSession(kept), QString());
        QVERIFY(kept.id > 0);
        QCOMPARE(store.keptSessions().back().postures, kept.postures);
    }
    SqliteError error;
    const auto opened = SqliteConnection::open(QFile::encodeName(path).toStdString(),
                                               SqliteConnection::Mode::ReadOnly, 100, error);
    QCOMPARE(opened->integer("PRAGMA user_version"), std::optional<std::int64_t>(3));
    QCOMPARE(opened->integer("SELECT count(*) FROM kept_result"), std::optional<std::int64_t>(4));
    QCOMPARE(opened->text("SELECT hex(postures) || ' ' || hex(planned) FROM practice_session "
                          "ORDER BY id DESC LIMIT 1"),
             std::optional<std::string>("09003C0A0000 0032002D"));
}

void tst_PracticeLog::myHistoryShowsExportsAndDeletesSessions()
{
    QTemporaryDir home;
    const QString path = home.filePath("history.sqlite");
    QVERIFY(QFile::copy(V1History, path));
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    HistoryStore store(path);
    // Two sessions among the results (Thursday 28 May 2026), one a week later.
    for (KeptSession kept : {session(1'780'010'000, 600, {{0, 8}, {1, 15}}),
                             session(1'780'011'000, 330, {{5, 0}, {9, 60}}),
                             session(1'780'010'800 + 7 * 86400, 1800, {{10, 60}})})
        QCOMPARE(store.keepSession(kept), QString());

    FakePlatform platform;
    frmHistory window(store, platform);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    auto *table = child<QTableView>(&window, "tblSessions");
    QCOMPARE(table->model()->rowCount(), 3);
    QCOMPARE(table->model()->index(1, 1).data().toString(), QStringLiteral("5 min 30 s"));
    QCOMPARE(table->model()->index(1, 2).data().toString(),
             QStringLiteral("Yoga Mudra skipped, Ardhamatsyendrasana 1 min"));

    // The strip sums each week's minutes on the chart's time axis.
    auto *chart = child<HistoryChart>(&window, "chart");
    const auto weeks = chart->shownWeeks();
    QCOMPARE(weeks.size(), std::size_t{2});
    QCOMPARE(weeks[0].seconds, 930);
    QCOMPARE(weeks[1].seconds, 1800);
    QCOMPARE(weeks[1].startUtc - weeks[0].startUtc, std::int64_t{7 * 86400});
    QVERIFY(chart->accessibleDescription().contains(": 16 minutes; "));

    // The export: one file, results and sessions in time order, a kind column.
    platform.savePaths = {home.filePath("history.csv").toStdString()};
    click(child<QPushButton>(&window, "cmdExportCsv"));
    QFile csv(home.filePath("history.csv"));
    QVERIFY(csv.open(QIODevice::ReadOnly));
    const QStringList rows = QString::fromUtf8(csv.readAll()).split("\r\n");
    QCOMPARE(rows.size(), 1 + 4 + 3 + 1);
    QVERIFY(rows[0].endsWith(",Kind,Minutes practised,Postures"));
    QVERIFY(rows[5].endsWith(",result,,"));
    QCOMPARE(rows[4], QStringLiteral("2026-05-28T23:13:20Z") + QString(21, ',') +
                          ",practice session,10.0,Mandukasana 8 s; Bhujangasana 15 s");

    // Delete acts on the list in hand; Delete All on both.
    platform.answer = MessageAnswer::Yes;
    table->setFocus();
    table->setCurrentIndex(table->model()->index(0, 0));
    click(child<QPushButton>(&window, "cmdDelete"));
    QCOMPARE(platform.messages.back().text,
             "Delete the practice session of " +
                 HistoryModel::localTime(1'780'010'800 + 7 * 86400).toStdString() +
                 "? This cannot be undone.");
    QCOMPARE(store.keptSessions().size(), std::size_t{2});
    QCOMPARE(store.keptResults().size(), std::size_t{4});
    click(child<QPushButton>(&window, "cmdDeleteAll"));
    QCOMPARE(platform.messages.back().text,
             std::string("Delete all 4 kept results and 2 practice sessions? This cannot be "
                         "undone."));
    QVERIFY(store.keptSessions().empty());
    QVERIFY(store.keptResults().empty());
    QCOMPARE(table->model()->rowCount(), 0);
}

QTEST_MAIN(tst_PracticeLog)
#include "tst_practice_log.moc"
