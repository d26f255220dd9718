#include "contrast.h"
#include "window_fixture.h"

#include "ui/frmAbout.h"
#include "ui/frmHistory.h"
#include "ui/frmYogaChakra.h"

#include <QStyleFactory>
#include <QTableView>
#include <QTextBlock>
#include <QTextEdit>

#include <functional>
#include <map>

using namespace pranoth;
using namespace pranoth::testing;

namespace {

// A dark desktop's palette: light text on dark greys, a mid blue for links.
QPalette darkPalette()
{
    QPalette dark(Qt::white, QColor(53, 53, 53), QColor(90, 90, 90), QColor(20, 20, 20),
                  QColor(40, 40, 40), Qt::white, Qt::white, QColor(42, 42, 42), QColor(53, 53, 53));
    dark.setColor(QPalette::Link, QColor(42, 130, 218));
    dark.setColor(QPalette::Highlight, QColor(42, 130, 218));
    return dark;
}

// A text as drawn: its colour, and the colour most of its place is painted in.
struct Seen {
    QString what;
    QColor text;
    QColor behind;
};

QImage painted(const QWidget *widget, const QRect &area)
{
    QWidget *window = widget->window();
    return window->grab(QRect(widget->mapTo(window, area.topLeft()), area.size())).toImage();
}

QColor mostOf(const QImage &image)
{
    std::map<QRgb, int> counts;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ++counts[image.pixel(x, y)];
    return QColor(std::max_element(counts.begin(), counts.end(), [](auto a, auto b) {
                      return a.second < b.second;
                  })->first);
}

// Text the program paints itself: its strongest pixel is its colour.
Seen paintedText(const QString &what, const QWidget *widget, const QRect &area)
{
    const QImage image = painted(widget, area);
    const QColor behind = mostOf(image);
    QColor text = behind;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (contrast(image.pixelColor(x, y), behind) > contrast(text, behind))
                text = image.pixelColor(x, y);
    return {what, text, behind};
}

std::vector<Seen> labels(const QWidget *window, std::initializer_list<const char *> names)
{
    std::vector<Seen> seen;
    for (const char *name : names) {
        auto *label = child<QLabel>(window, name);
        label->raise(); // the two promotion lines share a place
        seen.push_back({QLatin1String(name), label->palette().color(label->foregroundRole()),
                        mostOf(painted(label, label->rect()))});
    }
    return seen;
}

// Each run of a rich text, over the view's background as painted.
std::vector<Seen> runs(const QTextEdit *view)
{
    const QColor behind = mostOf(painted(view->viewport(), view->viewport()->rect()));
    std::vector<Seen> seen;
    for (QTextBlock block = view->document()->begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (!it.fragment().text().trimmed().isEmpty())
                seen.push_back({it.fragment().text().left(24),
                                format.foreground().style() == Qt::NoBrush
                                    ? view->palette().color(QPalette::Text)
                                    : format.foreground().color(),
                                behind});
        }
    return seen;
}

// Every verdict of a row that is not selected, and the chart's own texts: the
// chakras on the left, the verdict bands on the right, the dates below, or
// the word that nothing is kept across the plot.
std::vector<Seen> history(frmHistory *history)
{
    auto *table = child<QTableView>(history, "tblResults");
    auto *chart = child<QWidget>(history, "chart");
    table->setFocus();
    table->clearSelection(); // a selected row is drawn in the palette's own highlight colours
    std::vector<Seen> seen;
    for (int c = 1; c < table->model()->columnCount(); ++c) {
        const QModelIndex cell = table->model()->index(0, c);
        if (const QVariant colour = cell.data(Qt::ForegroundRole);
            !cell.data().toString().isEmpty())
            seen.push_back(
                {cell.data().toString(),
                 colour.isValid() ? colour.value<QColor>() : table->palette().color(QPalette::Text),
                 mostOf(painted(table->viewport(), table->visualRect(cell)))});
    }
    const QRect all = chart->rect();
    if (table->model()->rowCount() == 0)
        return {
            paintedText("nothing kept", chart, QRect(all.center() - QPoint(40, 5), QSize(80, 10)))};
    for (const Seen &text :
         {paintedText("chakra names", chart, all.adjusted(0, 0, -all.width() + 60, -22)),
          paintedText("band names", chart, all.adjusted(all.width() - 56, 0, 0, -22)),
          paintedText("dates", chart, all.adjusted(80, all.height() - 18, -80, 0))})
        seen.push_back(text);
    const auto report = runs(child<QTextEdit>(history, "txtReport"));
    seen.insert(seen.end(), report.begin(), report.end());
    return seen;
}

} // namespace

class tst_Palettes : public QObject {
    Q_OBJECT

    std::unique_ptr<ProgramDriver> driver;

    // A result with a chakra of each verdict: Root under-active, Heart open,
    // Crown over-active.
    frmResult *result()
    {
        frmQuestions *questions = driver->startTest(driver->start(), {0, 3, 6});
        std::map<int, int> given;
        while (openWindow<frmQuestions>()) {
            const int bank = shownBankNumber(questions);
            const int chakra = bank / QuestionsPerChakra;
            const bool key = chakra == 6 || (chakra == 3 && given[chakra]++ < 4);
            click(child<QRadioButton>(questions, "optAnswer",
                                      key ? optionOfAnswer(keyAnswer(bank)) : OptionNotSure));
            click(child<QPushButton>(questions, "cmdNext"));
        }
        flushDeletes();
        return openWindow<frmResult>();
    }

    frmHistory *myHistory(bool keepOne)
    {
        if (keepOne) {
            frmResult *shown = result();
            child<QAction>(shown, "mnuKeep")->trigger();
            child<QAction>(shown, "mnuBack")->trigger();
        } else {
            driver->start();
        }
        flushDeletes();
        child<QAction>(openWindow<frmMain>(), "mnuHistory")->trigger();
        return openWindow<frmHistory>();
    }

    // Opens the window and says how to see the text in it.
    std::function<std::vector<Seen>()> open(const QString &window, const QString &text)
    {
        const auto promotion = [](QWidget *shown) {
            return [shown] { return labels(shown, {"Label61", "lblCobrand", "lblFullBrand"}); };
        };
        if (window == "main" || window == "questionnaire") {
            frmMain *main = driver->start();
            return promotion(window == "main" ? static_cast<QWidget *>(main)
                                              : driver->startTest(main, {2}));
        }
        if (window == "result") {
            frmResult *shown = result();
            if (text == "links")
                return promotion(shown);
            if (text == "introduction")
                return [shown] { return labels(shown, {"lblChakra"}); };
            return [shown] { return runs(child<QTextEdit>(shown, "RTB")); };
        }
        if (window == "yoga") {
            click(child<QPushButton>(result(), "cmdYogaChakra"));
            flushDeletes();
            auto *shown = openWindow<frmYogaChakra>();
            if (text == "links")
                return promotion(shown);
            if (text == "safety note")
                return [shown] { return labels(shown, {"lblSafety"}); };
            return [shown] { return runs(child<QTextEdit>(shown, "RTB")); };
        }
        if (window == "about") {
            auto *about = new frmAbout(driver->platform, driver->start());
            about->show();
            return [about] {
                return labels(about, {"Label2", "Label1", "lblHomePage", "Label3", "lblCoBrand"});
            };
        }
        frmHistory *shown = myHistory(text != "nothing kept");
        return [shown] { return history(shown); };
    }

private slots:
    void initTestCase() { QApplication::setStyle(QStyleFactory::create("Fusion")); }
    void init() { driver = std::make_unique<ProgramDriver>(); }
    void cleanup()
    {
        driver.reset();
        QApplication::setPalette(QApplication::style()->standardPalette());
    }

    void everyTextReadsOnItsBackground_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QPalette>("opened");
        QTest::addColumn<QPalette>("shown");
        const QPalette light = QApplication::style()->standardPalette();
        const std::pair<const char *, const char *> texts[] = {
            {"main", "links"},
            {"questionnaire", "links"},
            {"result", "links"},
            {"result", "introduction"},
            {"result", "report"},
            {"yoga", "links"},
            {"yoga", "record"},
            {"yoga", "safety note"},
            {"about", "labels and links"},
            {"history", "verdicts, chart and report"},
            {"history", "nothing kept"}};
        for (const auto &[window, text] : texts) {
            const QString name = QStringLiteral("%1: %2, ").arg(window, text);
            QTest::newRow(qPrintable(name + "light")) << window << text << light << light;
            QTest::newRow(qPrintable(name + "dark"))
                << window << text << darkPalette() << darkPalette();
            QTest::newRow(qPrintable(name + "turned dark while open"))
                << window << text << light << darkPalette();
        }
    }

    // Every text the program colours itself keeps 4.5:1 with what is painted
    // behind it, on a light and a dark palette, and when the desktop turns
    // dark while the window is open.
    void everyTextReadsOnItsBackground()
    {
        QFETCH(QString, window);
        QFETCH(QString, text);
        QFETCH(QPalette, opened);
        QFETCH(QPalette, shown);
        QApplication::setPalette(opened);
        deliverPendingEvents();
        const auto look = open(window, text);
        QApplication::setPalette(shown);
        deliverPendingEvents();
        const std::vector<Seen> seen = look();
        QVERIFY(!seen.empty());
        QStringList unreadable;
        for (const Seen &s : seen) {
            const double ratio = contrast(s.text, s.behind);
            qInfo("%s on %s %.1f:1 %s", qPrintable(s.text.name()), qPrintable(s.behind.name()),
                  ratio, qPrintable(s.what));
            if (ratio < 4.5)
                unreadable
                    << QStringLiteral("%1 (%2 on %3)").arg(s.what, s.text.name(), s.behind.name());
        }
        QVERIFY2(unreadable.isEmpty(), qPrintable(unreadable.join("; ")));
    }
};

QTEST_MAIN(tst_Palettes)
#include "tst_palettes.moc"
