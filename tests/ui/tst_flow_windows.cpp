#include "scoped_environment.h"
#include "window_fixture.h"

#include "core/config.h"
#include "ui/qt_text.h"

#include "ui/frmHistory.h"
#include "ui/frmMain.h"
#include "ui/frmQuestions.h"
#include "ui/frmResult.h"
#include "ui/history_model.h"
#include "ui/link_label.h"

#include <QCheckBox>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QTableView>
#include <QTextBlock>
#include <QTextEdit>

#include <memory>

using namespace pranoth;
using namespace pranoth::testing;

namespace {

// Rich text as runs of one look, "[bold #rrggbb] text", neighbours of the
// same look joined; a paragraph ends in a line feed.
void addRun(QStringList &runs, const QString &look, const QString &text)
{
    if (!runs.isEmpty() && runs.back().startsWith(look))
        runs.back() += text;
    else
        runs << look + text;
}
QString lookOf(bool bold, const QColor &colour)
{
    return QStringLiteral("[%1 %2] ").arg(bold ? "bold" : "plain", colour.name());
}
void addRuns(QStringList &runs, const QTextDocument &document)
{
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            addRun(runs, lookOf(format.fontWeight() >= QFont::Bold, format.foreground().color()),
                   it.fragment().text());
        }
        if (block.next().isValid() && !runs.isEmpty())
            runs.back() += QLatin1Char('\n');
    }
}

} // namespace

class tst_FlowWindows : public QObject {
    Q_OBJECT

    std::unique_ptr<ProgramDriver> driver;
    FakePlatform *platform = nullptr;
    AppFlow *flow = nullptr;

    frmMain *startProgram() { return driver->start(); }
    frmQuestions *startTest(frmMain *main, std::initializer_list<int> chakras)
    {
        return driver->startTest(main, chakras);
    }
    frmResult *answerAll(frmQuestions *questions, int option)
    {
        return driver->answerAll(questions, option);
    }
    frmResult *answerForScore(frmQuestions *questions, int matches)
    {
        return driver->answerForScore(questions, matches);
    }
    static frmMain *backToMain(frmResult *result)
    {
        click(child<QPushButton>(result, "cmdBack"));
        flushDeletes();
        return openWindow<frmMain>();
    }

private slots:
    void init()
    {
        driver = std::make_unique<ProgramDriver>();
        platform = &driver->platform;
        flow = &driver->flow;
    }
    void cleanup() { driver.reset(); }

    void startUpShowsTheMainWindowReady()
    {
        frmMain *main = startProgram();
        QVERIFY(main);
        QCOMPARE(main->windowTitle(), fromLatin1(config::Caption));
        QCOMPARE(platform->seeds, 1);
        QCOMPARE(child<QCheckBox>(main, "chkChakras", 0)->objectName(),
                 QStringLiteral("chkChakras_0"));
        QCOMPARE(child<QCheckBox>(main, "chkChakras", 6)->text(),
                 QStringLiteral("Crown Chakra (Sahasrara)"));
        QCOMPARE(main->focusWidget(), child<QCheckBox>(main, "chkChakras", 0));
        // Keyboard order: the boxes, START TEST, Donate, Exit.
        QWidget *widget = child<QCheckBox>(main, "chkChakras", 0);
        for (QWidget *expected : {static_cast<QWidget *>(child<QCheckBox>(main, "chkChakras", 1)),
                                  static_cast<QWidget *>(child<QCheckBox>(main, "chkChakras", 6)),
                                  static_cast<QWidget *>(child<QPushButton>(main, "cmdTest")),
                                  static_cast<QWidget *>(child<QPushButton>(main, "Command3")),
                                  static_cast<QWidget *>(child<QPushButton>(main, "cmdNav_1"))}) {
            while (widget != expected &&
                   widget->nextInFocusChain() != child<QCheckBox>(main, "chkChakras", 0))
                widget = widget->nextInFocusChain();
            QCOMPARE(widget, expected);
        }
        QCOMPARE(child<QWidget>(main, "client")->size(), QSize(533, 315));
    }

    void anotherInstanceEndsThisOne()
    {
        platform->otherInstance = true;
        QVERIFY(!flow->start());
        QCOMPARE(int(platform->messages.size()), 1);
        QCOMPARE(platform->messages[0].text, std::string("Application is already running"));
        QCOMPARE(platform->messages[0].icon, MessageIcon::Information);
        QCOMPARE(platform->endRequests, 1);
        QCOMPARE(visibleWindows(), 0);
    }

    void coBrandChoiceFollowsTheDraw_data()
    {
        QTest::addColumn<double>("draw");
        QTest::addColumn<bool>("coBrandInFront");
        // r * 6 + 1, nearest whole number, halves to even: odd -> co-brand,
        // even -> full brand, 7 -> unchanged (co-brand stays in front).
        QTest::newRow("1") << 0.0 << true;
        QTest::newRow("1.5 rounds to 2") << 0.5 / 6.0 << false;
        QTest::newRow("2.5 rounds to 2") << 1.5 / 6.0 << false;
        QTest::newRow("3.5 rounds to 4") << 2.5 / 6.0 << false;
        QTest::newRow("5") << 4.0 / 6.0 << true;
        QTest::newRow("6.4 rounds to 6") << 5.4 / 6.0 << false;
        QTest::newRow("7") << 0.99 << true;
    }
    void coBrandChoiceFollowsTheDraw()
    {
        QFETCH(double, draw);
        QFETCH(bool, coBrandInFront);
        platform->scriptedDraws = {draw};
        QVERIFY(flow->start());
        frmMain *main = openWindow<frmMain>();
        const auto &lines = child<QFrame>(main, "fraFullBrand")->children();
        const bool coBrandFirst = lines.indexOf(child<LinkLabel>(main, "lblCobrand")) >
                                  lines.indexOf(child<LinkLabel>(main, "lblFullBrand"));
        QCOMPARE(coBrandFirst, coBrandInFront);
    }

    void nothingTickedKeepsTheMainWindow()
    {
        frmMain *main = startProgram();
        click(child<QPushButton>(main, "cmdTest"));
        flushDeletes();
        QCOMPARE(int(platform->messages.size()), 1);
        QCOMPARE(platform->messages[0].text, std::string("Please select at least one chakra"));
        QCOMPARE(platform->messages[0].icon, MessageIcon::Critical);
        QCOMPARE(openWindow<frmMain>(), main);
        QVERIFY(!openWindow<frmQuestions>());
        QCOMPARE(platform->endRequests, 0);
    }

    void aGreyBoxIsNotTicked()
    {
        frmMain *main = startProgram();
        child<QCheckBox>(main, "chkChakras", 2)->setTristate(true);
        child<QCheckBox>(main, "chkChakras", 2)->setCheckState(Qt::PartiallyChecked);
        click(child<QPushButton>(main, "cmdTest"));
        QCOMPARE(int(platform->messages.size()), 1);
    }

    void questionnaireOpensOnQuestionOne()
    {
        frmQuestions *questions = startTest(startProgram(), {4});
        QVERIFY(questions);
        QVERIFY(!openWindow<frmMain>());
        QCOMPARE(platform->endRequests, 0);
        QCOMPARE(child<QLabel>(questions, "lblQNo")->text(), QStringLiteral("Question No. 1 of 8"));
        // One of the Throat chakra's questions, as the bank has it.
        QCOMPARE(chakraOfBankNumber(shownBankNumber(questions)), 4);
        QVERIFY(child<QRadioButton>(questions, "optAnswer", 0)->isChecked());
        QCOMPARE(questions->focusWidget(), child<QPushButton>(questions, "cmdNext"));
        QVERIFY(child<QPlainTextEdit>(questions, "txtQuestions")->isReadOnly());
        QCOMPARE(questions->menuBar()->findChild<QAction *>(QStringLiteral("mnuVisit"))->text(),
                 QStringLiteral("&Visit us Online"));
    }

    void backOnQuestionOneSelectsNotSure()
    {
        frmQuestions *questions = startTest(startProgram(), {0});
        click(child<QPushButton>(questions, "cmdBack"));
        QVERIFY(child<QRadioButton>(questions, "optAnswer", 2)->isChecked());
        QCOMPARE(child<QLabel>(questions, "lblQNo")->text(), QStringLiteral("Question No. 1 of 8"));
        // The File menu's Back does the same.
        click(child<QRadioButton>(questions, "optAnswer", 1));
        click(child<QPushButton>(questions, "cmdNext"));
        child<QAction>(questions, "mnuBack")->trigger();
        QCOMPARE(child<QLabel>(questions, "lblQNo")->text(), QStringLiteral("Question No. 1 of 8"));
        QVERIFY(child<QRadioButton>(questions, "optAnswer", 1)->isChecked());
        // On question 1, Back selects the answer recorded for it.
        click(child<QRadioButton>(questions, "optAnswer", 0));
        child<QAction>(questions, "mnuBack")->trigger();
        QVERIFY(child<QRadioButton>(questions, "optAnswer", 1)->isChecked());
    }

    void aWholeRunByButtonsShowsTheResult()
    {
        frmQuestions *questions = startTest(startProgram(), {0});
        frmResult *result = answerAll(questions, 0);
        QVERIFY(result);
        QVERIFY(!openWindow<frmQuestions>());
        QCOMPARE(platform->endRequests, 0);
        // Four of the Root keys are "Yes": open, half a bar, no yoga.
        QCOMPARE(child<QLabel>(result, "lblCurve", 0)->accessibleDescription(),
                 QStringLiteral("Root: 50%"));
        QVERIFY(child<QTextEdit>(result, "RTB")
                    ->toPlainText()
                    .contains(QStringLiteral("Your Root Chakra (Muladhara) is Open\n")));
        click(child<QPushButton>(result, "cmdYogaChakra"));
        QCOMPARE(platform->messages.back().text,
                 std::string("Chakra Yoga not applicable for Open Chakras"));
    }

    void aWholeRunByKeyboard()
    {
        frmQuestions *questions = startTest(startProgram(), {0, 1, 2, 3, 4, 5, 6});
        questions->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(questions));
        QCOMPARE(child<QLabel>(questions, "lblQNo")->text(),
                 QStringLiteral("Question No. 1 of 56"));
        // Space on the focused Next answers the first question with "Yes".
        QTest::keyClick(child<QPushButton>(questions, "cmdNext"), Qt::Key_Space);
        QCOMPARE(child<QLabel>(questions, "lblQNo")->text(),
                 QStringLiteral("Question No. 2 of 56"));
        // Access keys press their button (after the button's short press animation).
        QTest::keyClick(questions->windowHandle(), Qt::Key_B, Qt::AltModifier);
        QTRY_COMPARE(child<QLabel>(questions, "lblQNo")->text(),
                     QStringLiteral("Question No. 1 of 56"));
        QTest::keyClick(questions->windowHandle(), Qt::Key_N, Qt::AltModifier);
        QTRY_COMPARE(child<QLabel>(questions, "lblQNo")->text(),
                     QStringLiteral("Question No. 2 of 56"));
        QCOMPARE(questions->focusWidget(), child<QPushButton>(questions, "cmdNext"));
        for (int i = 2; i < 56; ++i)
            QTest::keyClick(child<QPushButton>(questions, "cmdNext"), Qt::Key_Space);
        QCOMPARE(child<QLabel>(questions, "lblQNo")->text(),
                 QStringLiteral("Question No. 56 of 56"));
        QTest::keyClick(child<QPushButton>(questions, "cmdNext"), Qt::Key_Space);
        flushDeletes();
        frmResult *result = openWindow<frmResult>();
        QVERIFY(result);
        // Every chakra has its section, in order.
        const QString report = child<QTextEdit>(result, "RTB")->toPlainText();
        qsizetype previous = -1;
        for (int k = 0; k < ChakraCount; ++k) {
            const auto at = report.indexOf(QStringLiteral("Your ") +
                                           QString::fromLatin1(chakraDisplayName(k).data()));
            QVERIFY(at > previous);
            previous = at;
        }
    }

    // Enter presses the focused button and only it: never a window default.
    void enterPressesTheFocusedButtonOnly()
    {
        frmMain *main = startProgram();
        child<QPushButton>(main, "cmdTest")->setFocus();
        QTest::keyClick(main, Qt::Key_Return);
        QCOMPARE(platform->messages.back().text, std::string("Please select at least one chakra"));
        click(child<QCheckBox>(main, "chkChakras", 2));
        child<QCheckBox>(main, "chkChakras", 2)->setFocus();
        QTest::keyClick(main, Qt::Key_Enter);
        QVERIFY(openWindow<frmMain>());

        frmQuestions *questions = startTest(main, {});
        QVERIFY(questions);
        click(child<QRadioButton>(questions, "optAnswer", OptionNo));
        child<QRadioButton>(questions, "optAnswer", OptionNo)->setFocus();
        QTest::keyClick(questions, Qt::Key_Return);
        QCOMPARE(child<QLabel>(questions, "lblQNo")->text(), QStringLiteral("Question No. 1 of 8"));
        child<QPushButton>(questions, "cmdNext")->setFocus();
        QTest::keyClick(questions, Qt::Key_Return);
        QCOMPARE(child<QLabel>(questions, "lblQNo")->text(), QStringLiteral("Question No. 2 of 8"));
        // "No" was recorded for question 1: Back there selects it again.
        click(child<QPushButton>(questions, "cmdBack"));
        click(child<QRadioButton>(questions, "optAnswer", OptionYes));
        click(child<QPushButton>(questions, "cmdBack"));
        QVERIFY(child<QRadioButton>(questions, "optAnswer", OptionNo)->isChecked());
    }

    // Keeping is the user's choice, once per result; My History then shows it
    // in a window of its own that closes without ending the program: dated in
    // the user's time (here India's, UTC+5:30), the report exactly as the
    // result window showed it.
    void aKeptResultShowsInMyHistory()
    {
        const ScopedEnvironment india{{"TZ", "IST-5:30"}};
        const QLocale locale;
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
        const auto restoreLocale = qScopeGuard([&locale] { QLocale::setDefault(locale); });
        platform->clock = {2026, 12, 7, 9, 30, 0}; // when the test is completed
        frmResult *result = answerForScore(startTest(startProgram(), {3}), 7);
        QVERIFY(result);
        auto *introduction = child<QLabel>(result, "lblChakra");
        auto *shownReport = child<QTextEdit>(result, "RTB");
        QAction *keep = child<QAction>(result, "mnuKeep");
        QAction *back = child<QAction>(result, "mnuBack");
        QVERIFY(introduction && shownReport && keep && back);
        QStringList expected;
        addRun(expected, lookOf(false, introduction->palette().color(QPalette::WindowText)),
               introduction->text().replace("\r\n", "\n") + "\n\n");
        addRuns(expected, *shownReport->document());

        const QString path = driver->home.filePath(QStringLiteral("history.sqlite"));
        QVERIFY(!QFile::exists(path));
        keep->trigger();
        QVERIFY(keep->isChecked() && !keep->isEnabled());
        keep->trigger();
        back->trigger();
        flushDeletes();
        QAction *openHistory = child<QAction>(openWindow<frmMain>(), "mnuHistory");
        QVERIFY(openHistory);
        openHistory->trigger();
        auto *history = openWindow<frmHistory>();
        QVERIFY(history);
        auto *table = child<QTableView>(history, "tblResults");
        auto *report = child<QTextEdit>(history, "txtReport");
        QVERIFY(table && report);
        QStringList row; // under the headings Kept on, Root, ... Heart, ... Crown
        for (int c = 0; c < table->model()->columnCount(); ++c)
            row << table->model()->index(0, c).data().toString();
        QCOMPARE(table->model()->rowCount(), 1);
        QCOMPARE(row, (QStringList{"7 Dec 2026 09:30", "", "", "", "OverActive 88%", "", "", ""}));
        QStringList shown;
        addRuns(shown, *report->document());
        QCOMPARE(shown, expected);
        history->close();
        flushDeletes();
        QVERIFY(openWindow<frmMain>());
        QCOMPARE(platform->endRequests, 0);
        QVERIFY(platform->messages.empty());
    }

    void theLastNextFromTheMenuIsNavigationToo()
    {
        frmQuestions *questions = startTest(startProgram(), {6});
        for (int i = 0; i < 8; ++i)
            child<QAction>(questions, "mnuNext")->trigger();
        flushDeletes();
        QVERIFY(openWindow<frmResult>());
        QCOMPARE(platform->endRequests, 0);
    }

    void throatBarStandsOnTheLine()
    {
        frmResult *result = answerForScore(startTest(startProgram(), {4}), 4);
        QVERIFY(result);
        for (int k = 0; k < ChakraCount; ++k)
            QCOMPARE(child<QLabel>(result, "lblCurve", k)->isVisible(), k == 4);
        QLabel *bar = child<QLabel>(result, "lblCurve", 4);
        QCOMPARE(bar->palette().color(QPalette::Window), QColor(0, 0, 255));
        // Half of 133 pixels, its foot on the line.
        QVERIFY(qAbs(bar->height() - 66) <= 1);
        QCOMPARE(bar->geometry().bottom() + 1, child<QFrame>(result, "Line1")->geometry().top());
        QCOMPARE(bar->objectName(), QStringLiteral("lblCurve_4"));
    }

    void aScoreOfZeroGetsNoBarButItsSection()
    {
        frmResult *result = answerForScore(startTest(startProgram(), {2}), 0);
        QVERIFY(!child<QLabel>(result, "lblCurve", 2)->isVisible());
        QVERIFY(child<QTextEdit>(result, "RTB")
                    ->toPlainText()
                    .contains(QStringLiteral("This Chakra needs to be opened")));
    }

    void reportCarriesItsFormats()
    {
        frmResult *result = answerForScore(startTest(startProgram(), {0}), 0);
        QTextDocument *document = child<QTextEdit>(result, "RTB")->document();
        const auto formatOf = [&](const QString &text) {
            const QTextCursor found = document->find(text);
            QTextCursor at(document);
            at.setPosition(found.selectionStart() + 1);
            return at.charFormat();
        };
        const QTextCharFormat title = formatOf(QStringLiteral("Root Chakra (Muladhara)"));
        QCOMPARE(title.fontWeight(), int(QFont::Bold));
        QCOMPARE(title.foreground().color(), QColor(0, 128, 128));
        const QTextCharFormat description = formatOf(QStringLiteral("This chakra is the root"));
        QCOMPARE(description.fontWeight(), int(QFont::Normal));
        QCOMPARE(description.foreground().color(), QColor(0, 0, 0));
        const QTextCharFormat heading = formatOf(QStringLiteral("To open Root Chakra"));
        QCOMPARE(heading.fontWeight(), int(QFont::Bold));
        QCOMPARE(heading.foreground().color(), QColor(128, 0, 0));
        const QTextCharFormat advice = formatOf(QStringLiteral("Chant the sound LAM."));
        QCOMPARE(advice.fontWeight(), int(QFont::Normal));
        QCOMPARE(advice.foreground().color(), QColor(128, 0, 0));
        // CR LF pairs are single paragraph breaks, and the report ends with an empty line.
        QVERIFY(child<QTextEdit>(result, "RTB")
                    ->toPlainText()
                    .endsWith(QStringLiteral("Chant the sound LAM.\n\n")));
        QVERIFY(child<QTextEdit>(result, "RTB")->isReadOnly());
        QVERIFY(child<QLabel>(result, "lblChakra")
                    ->text()
                    .startsWith(QStringLiteral("          Chakras are")));

        // An over-active chakra's advice is black, bold then plain.
        frmResult *over = answerForScore(startTest(backToMain(result), {5}), 8);
        document = child<QTextEdit>(over, "RTB")->document();
        QCOMPARE(formatOf(QStringLiteral("To open Third Eye")).fontWeight(), int(QFont::Bold));
        QCOMPARE(formatOf(QStringLiteral("To open Third Eye")).foreground().color(),
                 QColor(0, 0, 0));
        QCOMPARE(formatOf(QStringLiteral("Chant the sound")).fontWeight(), int(QFont::Normal));
        QCOMPARE(formatOf(QStringLiteral("Chant the sound")).foreground().color(), QColor(0, 0, 0));
    }

    void backGivesAFreshMainWindow()
    {
        frmMain *first = startProgram();
        first->bringFullBrandToFront();
        frmResult *result = answerForScore(startTest(first, {1, 3}), 0);
        click(child<QPushButton>(result, "cmdBack"));
        flushDeletes();
        frmMain *main = openWindow<frmMain>();
        QVERIFY(main);
        QVERIFY(!openWindow<frmResult>());
        QCOMPARE(platform->endRequests, 0);
        for (const QCheckBox *box : main->findChildren<QCheckBox *>())
            QVERIFY(!box->isChecked());
        const auto &lines = child<QFrame>(main, "fraFullBrand")->children();
        QVERIFY(lines.indexOf(child<LinkLabel>(main, "lblCobrand")) >
                lines.indexOf(child<LinkLabel>(main, "lblFullBrand")));

        // A second test shows only its own bars.
        frmResult *second = answerForScore(startTest(main, {5}), 8);
        for (int k = 0; k < ChakraCount; ++k)
            QCOMPARE(child<QLabel>(second, "lblCurve", k)->isVisible(), k == 5);
        QVERIFY(!child<QTextEdit>(second, "RTB")->toPlainText().contains(QStringLiteral("Sacral")));
        child<QAction>(second, "mnuBack")->trigger();
        flushDeletes();
        QVERIFY(openWindow<frmMain>());
        QCOMPARE(platform->endRequests, 0);
    }

    void userClosesEndTheProgramOnce_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("main close box") << "main close";
        QTest::newRow("main File Exit") << "main menu";
        QTest::newRow("main Exit button") << "main button";
        QTest::newRow("questionnaire close box") << "questions close";
        QTest::newRow("result close box") << "result close";
        QTest::newRow("result File Exit") << "result menu";
        QTest::newRow("result Exit button") << "result button";
    }
    void userClosesEndTheProgramOnce()
    {
        QFETCH(QString, how);
        frmMain *main = startProgram();
        if (how.startsWith(QLatin1String("main"))) {
            if (how.endsWith(QLatin1String("close")))
                main->close();
            else if (how.endsWith(QLatin1String("menu")))
                child<QAction>(main, "mnuExit")->trigger();
            else
                click(child<QPushButton>(main, "cmdNav_1"));
        } else {
            frmQuestions *questions = startTest(main, {3});
            if (how.startsWith(QLatin1String("questions"))) {
                click(child<QPushButton>(questions, "cmdNext"));
                questions->close();
            } else {
                frmResult *result = answerForScore(questions, 8);
                if (how.endsWith(QLatin1String("close")))
                    result->close();
                else if (how.endsWith(QLatin1String("menu")))
                    child<QAction>(result, "mnuExit")->trigger();
                else
                    click(child<QPushButton>(result, "cmdExit"));
            }
        }
        flushDeletes();
        QCOMPARE(platform->endRequests, 1);
        QCOMPARE(visibleWindows(), 0);
    }
};

QTEST_MAIN(tst_FlowWindows)
#include "tst_flow_windows.moc"
