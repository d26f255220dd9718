#include "fakes.h"

#include "core/report.h"
#include "core/scoring.h"
#include "ui/result_document.h"
#include "yoga/asana_catalogue.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

using namespace pranoth;
using namespace pranoth::testing;

namespace {

// Per chakra: how many answers match the key and how many are "Not Sure"; the
// rest are the opposite of the key. -1 matches: not tested.
using AnswerPlan = QList<QPair<int, int>>;

// A result window without a window: the bars and the report it is given.
struct RecordingResult : ResultView {
    void sizeAndShowBar(int, int) override {}
    RichTextWriter &report() override { return writer; }
    void showResult() override {}
    RecordingWriter writer;
};

struct AnsweredRun {
    explicit AnsweredRun(const AnswerPlan &plan)
    {
        std::array<bool, ChakraCount> ticked{};
        for (int k = 0; k < ChakraCount; ++k)
            ticked[asIndex(k)] = plan[k].first >= 0;
        run.StartTestRun(ticked, platform);
        run.LoadQuestionnaire(view);
        std::array<int, ChakraCount> given{};
        do {
            const int position = run.CurrentQuestion - 1;
            const int chakra = chakraOfBankNumber(run.RunOrder[asIndex(position)]);
            const int keyOption = optionOfAnswer(run.RunKeys[asIndex(position)]);
            const int i = given[asIndex(chakra)]++;
            const auto [matches, notSure] = plan[chakra];
            view.selectOption(i < matches             ? keyOption
                              : i < matches + notSure ? OptionNotSure
                                                      : 1 - keyOption);
        } while (!run.NextQuestion(view));
        AssessTestRun(run, results, window);
    }
    FakePlatform platform;
    FakeQuestionnaireView view;
    TestRun run;
    ChakraResults results;
    RecordingResult window;
};

QString runTool(const QString &tool, const QStringList &arguments)
{
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        qWarning("%s failed: %s", qPrintable(tool), process.readAllStandardError().constData());
    return QString::fromUtf8(process.readAllStandardOutput());
}

// Text as compared: whitespace runs as one space. Nothing else is folded: text
// copied from the PDF reads as written, with no ligature characters for "fi".
QString simplified(const QString &text)
{
    return text.simplified();
}

QString latin1(std::string_view text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

QByteArray contentsOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

} // namespace

class tst_ResultDocument : public QObject {
    Q_OBJECT

private slots:
    void savedPdfHoldsTheWholeResult_data()
    {
        QTest::addColumn<AnswerPlan>("answers");
        QTest::addColumn<int>("paper");
        QTest::addColumn<QString>("paperName");
        QTest::addColumn<bool>("printed"); // through a printer that prints to a PDF file
        const QPair<int, int> untested{-1, 0};
        QTest::newRow("root under-active alone, A4")
            << AnswerPlan{{1, 7}, untested, untested, untested, untested, untested, untested}
            << int(QPageSize::A4) << "A4" << false;
        QTest::newRow("mixed verdicts, Letter")
            << AnswerPlan{{2, 3}, untested, untested, {4, 4}, {7, 1}, untested, {3, 0}}
            << int(QPageSize::Letter) << "letter" << true;
        QTest::newRow("all seven not open, the longest yoga part")
            << AnswerPlan{{8, 0}, {0, 8}, {7, 0}, {1, 2}, {6, 2}, {2, 0}, {0, 0}}
            << int(QPageSize::A4) << "A4" << false;
        QTest::newRow("every tested chakra open, no yoga")
            << AnswerPlan{untested, {3, 5}, untested, untested, untested, {5, 0}, untested}
            << int(QPageSize::Letter) << "letter" << false;
    }
    void savedPdfHoldsTheWholeResult()
    {
        QFETCH(AnswerPlan, answers);
        QFETCH(int, paper);
        QFETCH(QString, paperName);
        QFETCH(bool, printed);
        const AnsweredRun answered(answers);
        const ResultDocumentData data = resultDocumentData(
            answered.run, answered.results, QDateTime(QDate(2026, 12, 7), QTime(9, 30)));
        const QTemporaryDir folder;
        const QString pdf = folder.filePath(QStringLiteral("result.pdf"));
        const QPageSize pageSize(static_cast<QPageSize::PageSizeId>(paper));
        if (printed) {
            QPrinter printer(QPrinter::HighResolution);
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            printer.setPageSize(pageSize);
            QCOMPARE(printResult(data, printer), QString());
        } else {
            QCOMPARE(writeResultPdf(data, pdf, pageSize), QString());
        }

        QVERIFY(runTool(QStringLiteral("pdfinfo"), {pdf})
                    .contains(
                        QRegularExpression(QStringLiteral("Page size:.*\\(%1\\)").arg(paperName))));
        const QStringList pages =
            runTool(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")}).split(QChar('\f'));
        QVERIFY(pages.size() > 1);
        QString all;
        for (const QString &page : pages)
            all += page.section(QStringLiteral("Page "), 0, -2) + QLatin1Char('\n');
        all = simplified(all);
        const auto holds = [&](const QString &text) { return all.contains(simplified(text)); };

        // The report and introduction as the result window shows them.
        QVERIFY2(holds(latin1(resultIntroduction())), "missing text");
        for (const QString &line :
             QString::fromStdString(answered.window.writer.plainText()).split("\r\n"))
            QVERIFY2(holds(line), qPrintable(line));

        // The chart: the verdict words on one row under the bars, in chakra order.
        QStringList verdicts;
        for (int k = 0; k < ChakraCount; ++k) {
            if (!data.tested[asIndex(k)])
                continue;
            verdicts << latin1(verdictName(data.verdict(k)));
            const QString tally = QStringLiteral("%1: %2 of 8 answers matched the key, %3 were "
                                                 "\u201cNot Sure\u201d")
                                      .arg(latin1(chakraDisplayName(k)))
                                      .arg(answers[k].first)
                                      .arg(answers[k].second);
            QVERIFY2(holds(tally), qPrintable(tally));
        }
        const QString firstPage =
            runTool(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), QStringLiteral("-l"),
                                                  QStringLiteral("1"), pdf, QStringLiteral("-")});
        bool chartRow = false;
        for (QString row : firstPage.split(QChar('\n'))) {
            row.remove(QStringLiteral("not tested"));
            chartRow = chartRow || row.split(QChar(' '), Qt::SkipEmptyParts) == verdicts;
        }
        QVERIFY2(chartRow, qPrintable(firstPage));

        // The postures in the viewer's order, each on the page of its picture.
        const QStringList images = runTool(QStringLiteral("pdfimages"), {"-list", pdf})
                                       .split(QChar('\n'), Qt::SkipEmptyParts)
                                       .mid(2);
        int record = 0;
        for (auto slot = findYogaRecord(data.plan, 0, SearchDirection::Forward); slot;
             slot = findYogaRecord(data.plan, *slot + 1, SearchDirection::Forward), ++record) {
            const YogaPlanSlot &planned = data.plan[asIndex(*slot)];
            const Asana &asana = AsanaCatalogue[asIndex(planned.asana)];
            QVERIFY2(holds(latin1(asana.englishName)), "missing text");
            for (const QString &step : latin1(asana.procedure).split("\r\n"))
                QVERIFY2(holds(step), qPrintable(step));
            const QString heading =
                simplified(latin1(asana.name) + ", for the " + latin1(planned.chakraTitle));
            QVERIFY(record < images.size());
            const QStringList image = images[record].split(QChar(' '), Qt::SkipEmptyParts);
            QCOMPARE(image.value(3) + "x" + image.value(4), QStringLiteral("500x500"));
            const int page = image.value(0).toInt() - 1;
            QVERIFY2(simplified(pages.value(page)).contains(heading), qPrintable(heading));
        }
        QCOMPARE(images.size(), record);
        QCOMPARE(all.contains("Recommended yoga"), data.needsYoga());
        QCOMPARE(all.contains("no chakra yoga is needed"), !data.needsYoga());
        QVERIFY2(holds("ask a doctor or a qualified teacher before trying the postures"),
                 "missing text");
    }

    void failedSaveLeavesTheOldFileAsItWas_data()
    {
        QTest::addColumn<QString>("target"); // relative to the test's folder
        QTest::addColumn<QString>("existing");
        QTest::addColumn<bool>("diskFull");
        QTest::addColumn<QString>("told");
        QTest::newRow("under a regular file used as a folder")
            << "plain/result.pdf"
            << "plain" << false << "is not a folder";
        QTest::newRow("folder gone") << "gone/result.pdf"
                                     << "result.pdf" << false << "does not exist";
        QTest::newRow("disk full") << "result.pdf"
                                   << "result.pdf" << true << "disk may be full";
    }
    void failedSaveLeavesTheOldFileAsItWas()
    {
        QFETCH(QString, target);
        QFETCH(QString, existing);
        QFETCH(bool, diskFull);
        QFETCH(QString, told);
        const QTemporaryDir folder;
        const QByteArray old("%PDF-1.4 the result saved last week\n");
        {
            QFile file(folder.filePath(existing));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(old);
        }
        const AnsweredRun answered(
            AnswerPlan{{0, 8}, {0, 8}, {0, 8}, {0, 8}, {0, 8}, {0, 8}, {0, 8}});
        const ResultDocumentData data =
            resultDocumentData(answered.run, answered.results, QDateTime::currentDateTime());

        rlimit limit{};
        QCOMPARE(::getrlimit(RLIMIT_FSIZE, &limit), 0);
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        if (diskFull) {
            rlimit small = limit;
            small.rlim_cur = rlim_t{16} * 1024;
            QCOMPARE(::setrlimit(RLIMIT_FSIZE, &small), 0);
        }
        const QString message =
            writeResultPdf(data, folder.filePath(target), QPageSize(QPageSize::A4));
        ::setrlimit(RLIMIT_FSIZE, &limit);
        std::signal(SIGXFSZ, oldHandler);

        QVERIFY2(message.contains(told), qPrintable(message));
        QVERIFY2(message.contains(
                     QDir::toNativeSeparators(QFileInfo(folder.filePath(target)).absolutePath())),
                 qPrintable(message));
        QCOMPARE(contentsOf(folder.filePath(existing)), old);
        QCOMPARE(QDir(folder.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
                 QStringList{existing});
    }

    void paperFollowsTheLocale_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<int>("paper");
        QTest::newRow("United States") << "en_US" << int(QPageSize::Letter);
        QTest::newRow("Canada, in French") << "fr_CA" << int(QPageSize::Letter);
        QTest::newRow("Mexico") << "es_MX" << int(QPageSize::Letter);
        QTest::newRow("United Kingdom") << "en_GB" << int(QPageSize::A4);
        QTest::newRow("Germany") << "de_DE" << int(QPageSize::A4);
        QTest::newRow("Japan") << "ja_JP" << int(QPageSize::A4);
    }
    void paperFollowsTheLocale()
    {
        QFETCH(QString, locale);
        QFETCH(int, paper);
        QCOMPARE(int(preferredPageSize(QLocale(locale)).id()), paper);
    }
};

QTEST_MAIN(tst_ResultDocument)
#include "tst_result_document.moc"
