#include "window_fixture.h"

#include "core/config.h"
#include "ui/frmAbout.h"
#include "ui/frmYogaChakra.h"
#include "ui/link_label.h"
#include "ui/qt_text.h"

#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTextEdit>
#include <QUrl>

using namespace pranoth;
using namespace pranoth::testing;

namespace {

// The configured site, whatever it is.
const std::string Site = std::string(config::Site) + "/pranoth/ssd.php?page=";

// Brings the program to one of its four flow windows.
FlowWindow *flowWindow(ProgramDriver &driver, const QString &which)
{
    frmMain *main = driver.start();
    if (which == QLatin1String("main"))
        return main;
    frmQuestions *questions = driver.startTest(main, {4});
    if (which == QLatin1String("questionnaire"))
        return questions;
    frmResult *result = driver.answerAll(questions, OptionNotSure);
    if (which == QLatin1String("result"))
        return result;
    click(child<QPushButton>(result, "cmdYogaChakra"));
    flushDeletes();
    return openWindow<frmYogaChakra>();
}

QAction *action(QWidget *window, const QString &name)
{
    return window->findChild<QAction *>(name);
}

} // namespace

class tst_Pages : public QObject {
    Q_OBJECT

    std::unique_ptr<ProgramDriver> driver;

    void windows()
    {
        QTest::addColumn<QString>("window");
        for (const char *window : {"main", "questionnaire", "result", "yoga"})
            QTest::newRow(window) << QString::fromLatin1(window);
    }

private slots:
    void init() { driver = std::make_unique<ProgramDriver>(); }
    void cleanup() { driver.reset(); }

    void everyEntryOpensItsPageOnce_data() { windows(); }
    void everyEntryOpensItsPageOnce()
    {
        QFETCH(QString, window);
        FlowWindow *current = flowWindow(*driver, window);
        QVERIFY(current);
        const bool resultOrYoga =
            window == QLatin1String("result") || window == QLatin1String("yoga");
        struct Entry {
            QString name;
            std::string page;
        };
        const std::vector<Entry> menuEntries{
            {QStringLiteral("mnuOnline"), "help-web-page"},
            {QStringLiteral("mnuVisit"), "home-page"},
            {QStringLiteral("mnuUpdate"), "download-web-page"},
            {QStringLiteral("mnuDonate"), "donate"},
            {resultOrYoga ? QStringLiteral("mnuMakeMoneyOnline") : QStringLiteral("mnuMakeMoney"),
             "fully-branded"},
        };
        for (const Entry &entry : menuEntries) {
            driver->platform.openedUrls.clear();
            QAction *item = action(current, entry.name);
            QVERIFY2(item, qPrintable(entry.name));
            item->trigger();
            QCOMPARE(driver->platform.openedUrls, std::vector<std::string>{Site + entry.page});
        }
        const std::vector<std::pair<LinkLabel *, std::string>> labels{
            {child<LinkLabel>(current, "Label61"), "home-page"},
            {child<LinkLabel>(current, "lblCobrand"), "co-brand"},
            {child<LinkLabel>(current, "lblFullBrand"), "fully-branded"},
        };
        for (const auto &[label, page] : labels) {
            driver->platform.openedUrls.clear();
            label->raise(); // the two promotion lines share a place
            click(label);
            QCOMPARE(driver->platform.openedUrls, std::vector<std::string>{Site + page});
            QCOMPARE(label->cursor().shape(), Qt::PointingHandCursor);
            QVERIFY(label->font().underline());
            QCOMPARE(label->palette().color(QPalette::WindowText), QColor(0, 0, 255));
        }
        // Nothing else happened: same window, program running.
        flushDeletes();
        QVERIFY(current->isVisible());
        QCOMPARE(driver->platform.endRequests, 0);
    }

    void menusCarryTheirWindowsCaptions_data() { windows(); }
    void menusCarryTheirWindowsCaptions()
    {
        QFETCH(QString, window);
        FlowWindow *current = flowWindow(*driver, window);
        const bool questionnaire = window == QLatin1String("questionnaire");
        const bool resultOrYoga =
            window == QLatin1String("result") || window == QLatin1String("yoga");

        QStringList captions;
        for (QAction *item : current->menuBar()->actions())
            captions << item->text();
        QCOMPARE(captions, (QStringList{QStringLiteral("&File"), QStringLiteral("&Help"),
                                        QStringLiteral("&Donate"),
                                        resultOrYoga ? QStringLiteral("&Make Money Online")
                                                     : QStringLiteral("Make Money &Online")}));
        // The Make Money Online item is kept out of sight.
        QVERIFY(!current->menuBar()->actions().last()->isVisible());

        QStringList help;
        for (QAction *item : child<QMenu>(current, "mnuHelp")->actions())
            help << item->objectName() + QLatin1Char('=') + item->text();
        const QString sep1 =
            questionnaire ? QStringLiteral("mnuFileSep1")
                          : (resultOrYoga ? QStringLiteral("bar2") : QStringLiteral("mnuHelpSep1"));
        const QString sep2 =
            questionnaire ? QStringLiteral("mnuFileSep2")
                          : (resultOrYoga ? QStringLiteral("bar3") : QStringLiteral("mnuHelpSep2"));
        QCOMPARE(help, (QStringList{
                           QStringLiteral("mnuOnline=&Online Help"),
                           questionnaire ? QStringLiteral("mnuVisit=&Visit us Online")
                                         : QStringLiteral("mnuVisit=&Visit Us Online"),
                           sep1 + QLatin1Char('='),
                           questionnaire ? QStringLiteral("mnuUpdate=&Check for Software Update")
                                         : QStringLiteral("mnuUpdate=Check for Software &Update"),
                           sep2 + QLatin1Char('='),
                           QStringLiteral("mnuAbout=&About Software"),
                       }));
    }

    void aboutOpensOverEachWindowAndLeavesItAsItWas_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<int>("closeBy");
        int how = 0;
        for (const char *window : {"main", "questionnaire", "result", "yoga"}) {
            QTest::newRow(window) << QString::fromLatin1(window) << how;
            how = (how + 1) % 4;
        }
        QTest::newRow("result, close box") << "result" << 3;
    }
    void aboutOpensOverEachWindowAndLeavesItAsItWas()
    {
        QFETCH(QString, window);
        QFETCH(int, closeBy);
        FlowWindow *current = flowWindow(*driver, window);
        const QPixmap before = current->grab();

        action(current, QStringLiteral("mnuAbout"))->trigger();
        auto *about = openWindow<frmAbout>();
        QVERIFY(about);
        QCOMPARE(about->parentWidget(), current);
        QVERIFY(about->isModal());
        QCOMPARE(about->windowTitle(), fromLatin1(config::Caption));
        // In the middle of the screen, whichever window opened it.
        const QPoint offCentre =
            about->frameGeometry().center() - about->screen()->availableGeometry().center();
        QVERIFY2(offCentre.manhattanLength() <= 2, qPrintable(QString::number(offCentre.x())));

        driver->platform.openedUrls.clear();
        click(child<LinkLabel>(about, "lblHomePage"));
        click(child<LinkLabel>(about, "lblCoBrand"));
        QCOMPARE(driver->platform.openedUrls,
                 (std::vector<std::string>{Site + "home-page", Site + "fully-branded"}));
        const QString host = QUrl(fromLatin1(config::Site)).host();
        QCOMPARE(child<LinkLabel>(about, "lblHomePage")->text(),
                 QStringLiteral("Visit us at %1").arg(host));

        switch (closeBy) {
        case 0:
            click(child<QPushButton>(about, "cmdOK"));
            break;
        case 1:
            QTest::keyClick(about, Qt::Key_Return);
            break;
        case 2:
            QTest::keyClick(about, Qt::Key_Escape);
            break;
        default:
            about->close();
        }
        flushDeletes();
        QVERIFY(!openWindow<frmAbout>());
        QVERIFY(current->isVisible());
        QCOMPARE(current->grab().toImage(), before.toImage());
        QCOMPARE(driver->platform.endRequests, 0);
    }

    void donateButtonAndEscOpenTheDonationPage()
    {
        frmMain *main = driver->start();
        click(child<QPushButton>(main, "Command3"));
        QCOMPARE(driver->platform.openedUrls, std::vector<std::string>{Site + "donate"});
        main->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(main));
        QTest::keyClick(main->windowHandle(), Qt::Key_Escape);
        QTRY_COMPARE(driver->platform.openedUrls.size(), std::size_t(2));
        QCOMPARE(driver->platform.openedUrls.back(), Site + "donate");
        QVERIFY(main->isVisible());
    }

    void theCoBrandLineShowsOneAmpersand()
    {
        frmMain *main = driver->start();
        const QString text = child<LinkLabel>(main, "lblCobrand")->text();
        QVERIFY(text.contains(QStringLiteral("site's name &  link here.")));
        QVERIFY(!text.contains(QStringLiteral("&&")));
    }
};

QTEST_MAIN(tst_Pages)
#include "tst_pages.moc"
