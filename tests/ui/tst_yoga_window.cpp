#include "window_fixture.h"

#include "core/config.h"
#include "ui/qt_text.h"

#include "ui/frmYogaChakra.h"
#include "ui/program_resources.h"
#include "yoga/asana_catalogue.h"

#include <QGroupBox>
#include <QLabel>
#include <QTextEdit>

using namespace pranoth;
using namespace pranoth::testing;

namespace {

// The format of the text right after the first occurrence of `text`.
QTextCharFormat formatAt(QTextEdit *view, const QString &text)
{
    const QTextCursor found = view->document()->find(text);
    QTextCursor at(view->document());
    at.setPosition(found.selectionStart() + 1);
    return at.charFormat();
}

} // namespace

class tst_YogaWindow : public QObject {
    Q_OBJECT

    std::unique_ptr<ProgramDriver> driver;

    frmYogaChakra *findYoga(frmResult *result)
    {
        click(child<QPushButton>(result, "cmdYogaChakra"));
        flushDeletes();
        return openWindow<frmYogaChakra>();
    }

private slots:
    void init() { driver = std::make_unique<ProgramDriver>(); }
    void cleanup() { driver.reset(); }

    void allOpenMeansNoYoga()
    {
        frmResult *result = driver->answerForScore(driver->startTest(driver->start(), {3}), 4);
        click(child<QPushButton>(result, "cmdYogaChakra"));
        flushDeletes();
        QCOMPARE(int(driver->platform.messages.size()), 1);
        QCOMPARE(driver->platform.messages[0].text,
                 std::string("Chakra Yoga not applicable for Open Chakras"));
        QCOMPARE(driver->platform.messages[0].icon, MessageIcon::Critical);
        QCOMPARE(openWindow<frmResult>(), result);
        QVERIFY(!openWindow<frmYogaChakra>());
    }

    void findChakraYogaReplacesTheResultWindow()
    {
        frmYogaChakra *yoga = findYoga(driver->resultFor({4}));
        QVERIFY(yoga);
        QVERIFY(!openWindow<frmResult>());
        QCOMPARE(driver->platform.endRequests, 0);
        QCOMPARE(yoga->windowTitle(), fromLatin1(config::Caption));
        QCOMPARE(child<QGroupBox>(yoga, "Frame1")->title(),
                 QStringLiteral("Pranoth Interpretation"));
        QCOMPARE(child<QLabel>(yoga, "lblChakraName")->text(),
                 QStringLiteral("Throat Chakra (Vishuddha)"));
        QCOMPARE(child<QLabel>(yoga, "picYoga")->pixmap().size(), QSize(250, 250));

        // The record: bold headings, plain texts, cautions when there are some.
        const QString text = child<QTextEdit>(yoga, "RTB")->toPlainText();
        QVERIFY(text.startsWith(QStringLiteral("Asanas Name\nMatsyasana\n\nDescription\n")));
        QVERIFY(text.contains(QStringLiteral("\n\nContradictions\n")));
        QCOMPARE(
            formatAt(child<QTextEdit>(yoga, "RTB"), QStringLiteral("Asanas Name")).fontWeight(),
            int(QFont::Bold));
        QCOMPARE(formatAt(child<QTextEdit>(yoga, "RTB"), QStringLiteral("Matsyasana")).fontWeight(),
                 int(QFont::Bold));
        QCOMPARE(formatAt(child<QTextEdit>(yoga, "RTB"), QStringLiteral("Fish Pose")).fontWeight(),
                 int(QFont::Normal));
        QCOMPARE(
            formatAt(child<QTextEdit>(yoga, "RTB"), QStringLiteral("Contradictions")).fontWeight(),
            int(QFont::Bold));
        QCOMPARE(child<QTextEdit>(yoga, "RTB")->textCursor().position(), 0);

        click(child<QPushButton>(yoga, "cmdBk"));
        QCOMPARE(driver->platform.messages.back().text, std::string("You are at the first record"));
        const QLabel *note = child<QLabel>(yoga, "lblSafety");
        for (int i = 0; i < 4; ++i) {
            click(child<QPushButton>(yoga, "cmdNext"));
            // The safety note stands under every record.
            QVERIFY(note->isVisible() &&
                    note->text().contains(QStringLiteral("qualified teacher")));
            QCOMPARE(note->accessibleName(), QStringLiteral("Safety note"));
        }
        QVERIFY(child<QTextEdit>(yoga, "RTB")
                    ->toPlainText()
                    .contains(QStringLiteral("\nSarvangasana\n")));
        click(child<QPushButton>(yoga, "cmdNext"));
        QCOMPARE(child<QTextEdit>(yoga, "RTB")->toPlainText().section(QLatin1Char('\n'), 1, 1),
                 QStringLiteral("Sarvangasana"));
    }

    void aRecordWithoutCautionsEndsWithItsBenefits()
    {
        frmYogaChakra *yoga = findYoga(driver->resultFor({3})); // Yoga Mudra first
        QCOMPARE(child<QLabel>(yoga, "lblChakraName")->text(),
                 QStringLiteral("Heart Chakra (Anahata)"));
        const QString text = child<QTextEdit>(yoga, "RTB")->toPlainText();
        QVERIFY(text.startsWith(QStringLiteral("Asanas Name\nYoga Mudra\n")));
        QVERIFY(!text.contains(QStringLiteral("Contradictions")));
        QVERIFY(text.endsWith(QStringLiteral("bronchial areas.\n\n")));
    }

    void backGivesAFreshMainWindow()
    {
        frmYogaChakra *yoga = findYoga(driver->resultFor({0, 2}));
        child<QAction>(yoga, "mnuBack")->trigger();
        flushDeletes();
        QVERIFY(openWindow<frmMain>());
        QVERIFY(!openWindow<frmYogaChakra>());
        QCOMPARE(driver->platform.endRequests, 0);
    }

    void exitAndTheCloseBoxEndTheProgram_data()
    {
        QTest::addColumn<int>("how");
        QTest::newRow("Exit button") << 0;
        QTest::newRow("File Exit") << 1;
        QTest::newRow("close box") << 2;
    }
    void exitAndTheCloseBoxEndTheProgram()
    {
        QFETCH(int, how);
        frmYogaChakra *yoga = findYoga(driver->resultFor({6}));
        if (how == 0)
            click(child<QPushButton>(yoga, "cmdExit"));
        else if (how == 1)
            child<QAction>(yoga, "mnuExit")->trigger();
        else
            yoga->close();
        flushDeletes();
        QCOMPARE(driver->platform.endRequests, 1);
        QCOMPARE(visibleWindows(), 0);
    }

    void everyPictureLoadsFromTheResources()
    {
        for (int position = 1; position <= AsanaCount; ++position) {
            const QPixmap picture = asanaPicture(position);
            QVERIFY2(!picture.isNull(), qPrintable(asanaPicturePath(position)));
            QCOMPARE(picture.size(), QSize(250, 250));
        }
        // A position outside the list has no picture.
        QVERIFY(asanaPicture(0).isNull());
        QVERIFY(asanaPicture(AsanaCount + 1).isNull());
        for (int position = 1; position <= AsanaCount; ++position) {
            const QPixmap dense = asanaPicture(position, 2.0);
            QCOMPARE(dense.size(), QSize(500, 500));
            QCOMPARE(dense.deviceIndependentSize(), QSizeF(250, 250));
            // A figure on the wall, not an empty picture: a good share of
            // the pixels are far from the wall's colour.
            const QImage image = dense.toImage();
            const QColor wall = image.pixelColor(2, 2);
            int drawn = 0;
            for (int y = 0; y < image.height(); y += 5)
                for (int x = 0; x < image.width(); x += 5) {
                    const QColor c = image.pixelColor(x, y);
                    drawn += std::abs(c.red() - wall.red()) + std::abs(c.green() - wall.green()) +
                                 std::abs(c.blue() - wall.blue()) >
                             90;
                }
            QVERIFY2(drawn > 100 * 100 / 20, qPrintable(asanaPicturePath(position)));
        }
        QVERIFY(asanaPicture(0).isNull());
        QVERIFY(asanaPicture(12).isNull());
        QCOMPARE(programIcon().availableSizes().size(), 4);
        // The icon's pixels are its picture's: the centre petal is green, at
        // 64 px and in the 16 px icon drawn for its size, which is ringed by a
        // dark rim so that it reads on a light panel. No size touches its edge.
        const auto green = [](QRgb c) {
            return qGreen(c) > qRed(c) + 40 && qGreen(c) > qBlue(c) + 20;
        };
        const QImage icon = programIcon().pixmap(64).toImage();
        QCOMPARE(icon.size(), QSize(64, 64));
        QVERIFY(green(icon.pixel(32, 28)));
        const QImage small = programIcon().pixmap(16).toImage();
        QCOMPARE(small.size(), QSize(16, 16));
        QVERIFY(green(small.pixel(8, 8)));
        QVERIFY(qAlpha(small.pixel(8, 1)) > 200 && qGray(small.pixel(8, 1)) < 110);
        for (const int size : {16, 32, 48, 64}) {
            const QImage image = programIcon().pixmap(size).toImage();
            for (int i = 0; i < size; ++i)
                QVERIFY2(qAlpha(image.pixel(i, 0)) == 0 && qAlpha(image.pixel(0, i)) == 0 &&
                             qAlpha(image.pixel(i, size - 1)) == 0 &&
                             qAlpha(image.pixel(size - 1, i)) == 0,
                         qPrintable(QString::number(size)));
        }
    }
};

QTEST_MAIN(tst_YogaWindow)
#include "tst_yoga_window.moc"
