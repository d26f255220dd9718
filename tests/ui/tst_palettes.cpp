#include "shell/history_samples.h"
#include "window_fixture.h"

#include "ui/frmAbout.h"
#include "ui/frmHistory.h"
#include "ui/frmPractice.h"
#include "ui/frmYogaChakra.h"
#include "ui/result_document.h"

#include <QStyleFactory>
#include <QTableView>
#include <QTextBlock>
#include <QTextEdit>

#include <cmath>
#include <map>

using namespace pranoth;
using namespace pranoth::testing;

namespace {

// WCAG 2's contrast ratio, from its definition.
double contrast(const QColor &a, const QColor &b)
{
    const auto luminance = [](const QColor &c) {
        const auto linear = [](double v) {
            return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) +
               0.0722 * linear(c.blueF()) + 0.05;
    };
    return std::max(luminance(a), luminance(b)) / std::min(luminance(a), luminance(b));
}

// A text has 4.5:1 with every colour a sixth or more of its place is painted
// in; unless given, its colour is the place's strongest pixel against the
// most common one (for text the widget paints itself).
void checkText(const QString &what, const QWidget *widget, const QRect &area, QColor text = {})
{
    QWidget *window = widget->window();
    const QImage image =
        window->grab(QRect(widget->mapTo(window, area.topLeft()), area.size())).toImage();
    std::map<QRgb, int> count;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ++count[image.pixel(x, y)];
    const QColor most = std::max_element(count.begin(), count.end(), [](auto a, auto b) {
                            return a.second < b.second;
                        })->first;
    if (!text.isValid()) {
        text = most;
        for (const auto &[pixel, n] : count)
            if (contrast(pixel, most) > contrast(text, most))
                text = QColor(pixel);
    }
    for (const auto &[pixel, n] : count)
        if (n * 6 >= image.width() * image.height() && QColor(pixel) != text)
            QVERIFY2(contrast(text, pixel) >= 4.5,
                     qPrintable(QStringLiteral("%1: %2 on %3 %4:1")
                                    .arg(what.left(40), text.name(), QColor(pixel).name())
                                    .arg(contrast(text, pixel), 0, 'f', 1)));
}

} // namespace

class tst_Palettes : public QObject {
    Q_OBJECT

    std::unique_ptr<ProgramDriver> driver;

    // The windows of a result with two under-active chakras.
    QWidget *open(const QString &window)
    {
        frmMain *main = driver->start();
        if (window == "main")
            return main;
        if (window == "about") {
            auto *about = new frmAbout(driver->platform, main);
            about->show();
            return about;
        }
        if (window == "questionnaire")
            return driver->startTest(main, {2});
        if (window != "My History, empty") {
            frmResult *result = driver->answerAll(driver->startTest(main, {0, 3}), OptionNotSure);
            if (window == "result")
                return result;
            if (window == "yoga" || window == "practice") {
                click(child<QPushButton>(result, "cmdYogaChakra"));
                flushDeletes();
                if (window == "yoga")
                    return openWindow<frmYogaChakra>();
                click(child<QPushButton>(openWindow<frmYogaChakra>(), "cmdPractise"));
                return openWindow<frmPractice>();
            }
            child<QAction>(result, "mnuKeep")->trigger();
            child<QAction>(result, "mnuBack")->trigger();
            flushDeletes();
        }
        child<QAction>(openWindow<frmMain>(), "mnuHistory")->trigger();
        return openWindow<frmHistory>();
    }

private slots:
    void initTestCase() { QApplication::setStyle(QStyleFactory::create("Fusion")); }
    void init() { driver = std::make_unique<ProgramDriver>(); }
    void cleanup()
    {
        driver.reset();
        QApplication::setPalette(QApplication::style()->standardPalette());
    }

    void everyTextReads_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QPalette>("opened");
        QTest::addColumn<QPalette>("shown");
        const QPalette light = QApplication::style()->standardPalette();
        QPalette dark(Qt::white, QColor(53, 53, 53), QColor(90, 90, 90), QColor(20, 20, 20),
                      QColor(40, 40, 40), Qt::white, Qt::white, QColor(42, 42, 42),
                      QColor(53, 53, 53));
        dark.setColor(QPalette::Link, QColor(42, 130, 218));
        for (const char *window : {"main", "questionnaire", "result", "yoga", "practice", "about",
                                   "My History", "My History, empty"}) {
            QTest::addRow("%s, light", window) << window << light << light;
            QTest::addRow("%s, dark", window) << window << dark << dark;
            QTest::addRow("%s, turned dark while open", window) << window << light << dark;
        }
    }

    // Every text of a window (labels, each run of its rich texts, My
    // History's verdicts and its chart's words) keeps 4.5:1 with what is
    // painted behind it, on a light and a dark palette, and when the desktop
    // turns dark with the window open.
    void everyTextReads()
    {
        QFETCH(QString, window);
        QFETCH(QPalette, opened);
        QFETCH(QPalette, shown);
        QApplication::setPalette(opened);
        QWidget *shownWindow = open(window);
        QApplication::setPalette(shown);
        deliverPendingEvents();
        for (QLabel *label : shownWindow->findChildren<QLabel *>())
            if (label->isVisible() && !label->text().isEmpty()) {
                label->raise(); // the promotion lines share a place
                checkText(label->text(), label, label->rect(),
                          label->palette().color(label->foregroundRole()));
            }
        for (QTextEdit *view : shownWindow->findChildren<QTextEdit *>())
            for (QTextBlock block = view->document()->begin(); view->isVisible() && block.isValid();
                 block = block.next())
                for (auto run = block.begin(); !run.atEnd(); ++run)
                    checkText(run.fragment().text(), view->viewport(), view->viewport()->rect(),
                              run.fragment().charFormat().hasProperty(QTextFormat::ForegroundBrush)
                                  ? run.fragment().charFormat().foreground().color()
                                  : view->palette().color(QPalette::Text));
        if (auto *table = child<QTableView>(shownWindow, "tblResults")) {
            table->clearSelection(); // drawn in the palette's highlight colours
            for (int c = 1; c < table->model()->columnCount() && table->model()->rowCount(); ++c) {
                const QModelIndex cell = table->model()->index(0, c);
                const QVariant own = cell.data(Qt::ForegroundRole);
                checkText(cell.data().toString(), table->viewport(), table->visualRect(cell),
                          own.isValid() ? own.value<QColor>()
                                        : table->palette().color(QPalette::Text));
            }
            // The chakras on the left, the bands on the right, the dates below
            // or that nothing is kept across the plot.
            const auto *chart = shownWindow->findChild<QWidget *>("chart");
            const QRect all = chart->rect();
            for (const QRect &words : {all.adjusted(0, 0, 60 - all.width(), -22),
                                       all.adjusted(all.width() - 56, 0, 0, -22),
                                       table->model()->rowCount() == 0
                                           ? QRect(all.center() - QPoint(30, 20), QSize(60, 22))
                                           : all.adjusted(80, all.height() - 18, -80, 0)})
                checkText(QStringLiteral("the chart"), chart, words);
        }
    }

    // A saved or printed result is on white paper, in its teal, dark red and
    // purple, whatever the desktop's palette.
    void paperKeepsItsColours()
    {
        const Assessment assessment = assess(sampleResult(5).run);
        const auto onLight = composeResultDocument(assessment, {})->toHtml();
        QApplication::setPalette(QPalette(Qt::white, Qt::black));
        QCOMPARE(composeResultDocument(assessment, {})->toHtml(), onLight);
        for (const char *colour : {"#008080", "#800000", "#800080", "#000000"})
            QVERIFY2(onLight.contains(QLatin1String(colour)), colour);
    }
};

QTEST_MAIN(tst_Palettes)
#include "tst_palettes.moc"
