#include "fakes.h"
#include "scoped_environment.h"

#include "core/assessment.h"
#include "core/kept_result.h"
#include "core/report.h"
#include "core/test_run.h"
#include "shell/history_store.h"
#include "shell/print_and_history.h"
#include "ui/document_pages.h"
#include "ui/result_document.h"
#include "ui/result_output.h"
#include "yoga/asana_catalogue.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QPdfWriter>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <csignal>
#include <sys/resource.h>

using namespace pranoth;
using namespace pranoth::testing;

namespace {

// Per chakra: how many answers match the key and how many are "Not Sure"; the
// rest are the opposite of the key. -1 matches: not tested.
using AnswerPlan = QList<QPair<int, int>>;

// A run answered through the questionnaire as the plan says, completed on
// 7 December 2026 at 09:30 in India's time (04:00 UTC), and its assessment.
struct AnsweredRun {
    explicit AnsweredRun(const AnswerPlan &plan)
    {
        ChakraSet ticked{};
        for (int k = 0; k < ChakraCount; ++k)
            ticked[asIndex(k)] = plan[k].first >= 0;
        run.StartTestRun(ticked, platform);
        run.LoadQuestionnaire();
        std::array<int, ChakraCount> given{};
        for (bool completed = false; !completed;) {
            const int position = run.CurrentQuestion - 1;
            const int chakra = chakraOfBankNumber(run.RunOrder[asIndex(position)]);
            const Answer key = run.RunKeys[asIndex(position)];
            const int i = given[asIndex(chakra)]++;
            const auto [matches, notSure] = plan[chakra];
            completed = run.NextQuestion(i < matches             ? key
                                         : i < matches + notSure ? Answer::NotSure
                                         : key == Answer::Yes    ? Answer::No
                                                                 : Answer::Yes)
                            .completed;
        }
        result = KeptResult{0, 1'796'616'000, "1.15", run.completedRun()};
        assessment = assess(result.run);
    }
    // The report's text as the result window shows it.
    QString report() const
    {
        QString text;
        for (const Section &section : assessment.report)
            if (section.kind != SectionKind::Introduction)
                text += QString::fromLatin1(section.text.data(), qsizetype(section.text.size()));
        return text;
    }
    FakePlatform platform;
    TestRun run;
    KeptResult result;
    Assessment assessment;
};

QString runTool(const QString &tool, const QStringList &arguments)
{
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        qWarning("%s failed: %s", qPrintable(tool), process.readAllStandardError().constData());
    return QString::fromUtf8(process.readAllStandardOutput());
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

// The asana of the catalogue with this name.
const Asana *asanaNamed(const QString &name)
{
    for (const Asana &asana : AsanaCatalogue) {
        if (latin1(asana.name) == name)
            return &asana;
    }
    return nullptr;
}

// What the reader should find, by rules of the test's own: per chakra its
// title, its postures, and the verdict and percentage of a score.
const QStringList Titles{"Root Chakra (Muladhara)",   "Sacral Chakra (Swadhisthanna)",
                         "Navel Chakra (Manipura)",   "Heart Chakra (Anahata)",
                         "Throat Chakra (Vishuddha)", "Third Eye Chakra (Ajna)",
                         "Crown Chakra (Sahasrara)"};
const QList<QStringList> Postures{
    {"Mandukasana"},
    {"Mandukasana", "Bhujangasana"},
    {"Mayurasana", "Dhanurasana", "Matsyasana"},
    {"Yoga Mudra", "Ustrasana"},
    {"Matsyasana", "Halasana", "Ustrasana", "Bhujangasana", "Sarvangasana"},
    {"Yoga Mudra", "Ardhamatsyendrasana"},
    {"Yoga Mudra", "Padmasana"}};
const QStringList Percents{"0%", "12%", "25%", "38%", "50%", "62%", "75%", "88%", "100%"};

QString verdictOfScore(int score)
{
    return score < 0    ? "not tested"
           : score <= 2 ? "UnderActive"
           : score <= 5 ? "Open"
                        : "OverActive";
}

// The paragraphs of the result laid out as the PDF writer lays them out that
// leave a single line at a page's foot or head.
QStringList loneLines(const Assessment &assessment, QPageSize::PageSizeId paper)
{
    QBuffer memory;
    memory.open(QIODevice::WriteOnly);
    QPdfWriter writer(&memory);
    writer.setPageLayout(QPageLayout(QPageSize(paper), QPageLayout::Portrait, QMarginsF()));
    const auto document = composeResultDocument(assessment, QDateTime::currentDateTime());
    layOutPages(*document, &writer, QSizeF(writer.width(), writer.height()));
    const qreal pageHeight = document->pageSize().height();
    QStringList lone;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        const QTextLayout *layout = block.layout();
        const qreal top = document->documentLayout()->blockBoundingRect(block).top();
        QList<int> pages; // of each line
        for (int line = 0; line < layout->lineCount(); ++line)
            pages << int((top + layout->lineAt(line).rect().center().y()) / pageHeight);
        if (pages.size() > 1 && pages.front() != pages.back() &&
            (pages.count(pages.front()) == 1 || pages.count(pages.back()) == 1))
            lone << block.text().left(40);
    }
    return lone;
}

} // namespace

class tst_ResultDocument : public QObject {
    Q_OBJECT

    // India's time, UTC+5:30, in its POSIX form: a kept result's time is shown
    // in the user's time, not in UTC.
    const ScopedEnvironment zone{{"TZ", "IST-5:30"}};

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom)); }

    void savedPdfHoldsTheWholeResult_data()
    {
        QTest::addColumn<AnswerPlan>("answers");
        QTest::addColumn<int>("paper");
        QTest::addColumn<QString>("paperName");
        QTest::addColumn<QString>("how");
        // What the practice plan says at holds of 150 %, for a saved result: a
        // hold, and the total (lines apart by "|").
        QTest::addColumn<QString>("total");
        // Saved as the result window saves it, printed (to a PDF file), or
        // kept in My History, read back and saved from there.
        const QPair<int, int> no{-1, 0};
        const AnswerPlan mixed{{2, 3}, no, no, {4, 4}, {7, 1}, no, {3, 0}};
        QTest::newRow("root under-active alone, A4")
            << AnswerPlan{{1, 7}, no, no, no, no, no, no} << int(QPageSize::A4) << "A4"
            << "saved"
            // A new plan's holds, the bottom of each range, at 150 %, the easy frog
            // held its own least 30 s: getting ready 10+10+20+15 s, holds 45+45+45+180 s,
            // rests 23+21+25 s.
            << "3 Mandukasana (Frog Pose) Root 45 s|Total time: 7 min 19 s.";
        QTest::newRow("mixed verdicts, Letter") << mixed << int(QPageSize::Letter) << "letter"
                                                << "printed"
                                                << "";
        QTest::newRow("a kept result, dated in the user's time")
            << mixed << int(QPageSize::A4) << "A4"
            << "kept"
            << "";
        QTest::newRow("all seven not open, the longest yoga part")
            << AnswerPlan{{8, 0}, {0, 8}, {7, 0}, {1, 2}, {6, 2}, {2, 0}, {0, 0}}
            << int(QPageSize::A4) << "A4"
            << "saved"
            // Getting ready 260 s; holds 45+45+45+15+(15+10+15)+45+15+45+30+15+15+(30+15+30)+5
            // +45+(45+15+45)+180 = 765 s, each side of the half bow, the twist and the half
            // lotus with the time to change between them, the easy frog and Yoga Mudra on
            // the heels at least 30 s; rests 365 s.
            << "45 s each side, right then left|Total time: 23 min 10 s.";
        QTest::newRow("every tested chakra open, no yoga")
            << AnswerPlan{no, {3, 5}, no, no, no, {5, 0}, no} << int(QPageSize::Letter) << "letter"
            << "saved"
            << "";
    }
    void savedPdfHoldsTheWholeResult()
    {
        QFETCH(AnswerPlan, answers);
        QFETCH(int, paper);
        QFETCH(QString, paperName);
        QFETCH(QString, how);
        QFETCH(QString, total);
        QStringList tested;
        QStringList verdicts; // the words under the chart's bars
        QStringList percents; // the labels above them
        QStringList postures; // the headings of the recommended yoga, in order
        for (int k = 0; k < ChakraCount; ++k) {
            const int score = answers[k].first;
            verdicts << verdictOfScore(score);
            if (score < 0)
                continue;
            tested << Titles[k];
            percents << Percents[score];
            for (const QString &posture : verdicts.back() == "Open" ? QStringList() : Postures[k])
                postures << posture + ", for the " + Titles[k];
        }
        AnsweredRun answered(answers);
        const QTemporaryDir folder;
        const QString pdf = folder.filePath(QStringLiteral("result.pdf"));
        const QPageSize pageSize(static_cast<QPageSize::PageSizeId>(paper));
        const QDateTime completed(QDate(2026, 12, 7), QTime(9, 30));
        if (how == "printed") {
            QPrinter printer(QPrinter::HighResolution);
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            printer.setPageSize(pageSize);
            QCOMPARE(printResult(answered.assessment, completed, printer), QString());
        } else if (how == "saved") {
            PracticeSettings practice;
            practice.holdPercent = 150;
            QCOMPARE(writeResultPdf(answered.assessment, completed, pdf, pageSize, {practice, {}}),
                     QString());
        } else {
            // Through My History: the kept result read back, saved on the
            // locale's paper (A4 here), dated in the user's time.
            const QString history = folder.filePath(QStringLiteral("history.sqlite"));
            const auto part = makePrintAndHistory(answered.platform, history);
            KeptResult kept = answered.result;
            QVERIFY(part->keep(kept));
            const std::vector<KeptResult> readBack = HistoryStore(history).keptResults();
            QCOMPARE(int(readBack.size()), 1);
            answered.platform.savePaths = {pdf.toStdString()};
            part->saveAsPdf(readBack.front(), assess(readBack.front().run));
            QVERIFY(answered.platform.messages.empty());
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
        // Whitespace runs as one space; nothing else is folded: text copied from the
        // PDF reads as written, with no ligature characters for "fi".
        all = all.simplified();
        const auto holds = [&](const QString &text) { return all.contains(text.simplified()); };

        // The header.
        const QString last = tested.takeLast();
        for (const QString &line :
             {QStringLiteral("Pranoth v1.15 Chakra test result"),
              QStringLiteral("Test completed: Monday, 7 December 2026 09:30"),
              "Chakras tested: " + (tested.isEmpty() ? last : tested.join(", ") + " and " + last)})
            QVERIFY2(holds(line), qPrintable(line));

        // The report and introduction as the result window shows them.
        QVERIFY2(holds(latin1(resultIntroduction())), "missing text");
        for (const QString &line : answered.report().split("\r\n"))
            QVERIFY2(holds(line), qPrintable(line));

        // How each verdict came about.
        for (int k = 0; k < ChakraCount; ++k) {
            const QString tally = QStringLiteral("%1: %2 of 8 answers matched the key, %3 %4 "
                                                 "\u201cNot Sure\u201d: %5.")
                                      .arg(Titles[k])
                                      .arg(answers[k].first)
                                      .arg(answers[k].second)
                                      .arg(answers[k].second == 1 ? "was" : "were", verdicts[k]);
            QVERIFY2(holds(tally) == (answers[k].first >= 0), qPrintable(tally));
        }

        // The chart, on the first page between the header and the tallies:
        // under the bars a row of the chakras' names and under it a row of
        // their words, and above each bar its percentage.
        const QString firstPage =
            runTool(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), QStringLiteral("-l"),
                                                  QStringLiteral("1"), pdf, QStringLiteral("-")});
        const QString chart = firstPage.section(QStringLiteral("Chakras tested:"), 1)
                                  .section(QStringLiteral("How each verdict came about"), 0, 0);
        QList<QStringList> rows;
        for (const QString &row : chart.split(QChar('\n')))
            rows << row.trimmed().split(QRegularExpression(QStringLiteral("\\s{2,}")));
        const auto names = rows.indexOf(
            QStringList{"Root", "Sacral", "Navel", "Heart", "Throat", "Third Eye", "Crown"});
        QVERIFY2(names >= 0 && rows.value(names + 1) == verdicts, qPrintable(chart));
        QStringList labels;
        for (const QRegularExpressionMatch &label :
             QRegularExpression(QStringLiteral("\\b\\d+%")).globalMatch(chart))
            labels << label.captured();
        labels.sort();
        percents.sort();
        QCOMPARE(labels, percents);

        // The postures in the viewer's order, each on the page of its picture.
        const QStringList images = runTool(QStringLiteral("pdfimages"), {"-list", pdf})
                                       .split(QChar('\n'), Qt::SkipEmptyParts)
                                       .mid(2);
        QCOMPARE(images.size(), postures.size());
        qsizetype previous = -1;
        for (int record = 0; record < postures.size(); ++record) {
            const Asana *asana = asanaNamed(postures[record].section(QLatin1Char(','), 0, 0));
            QVERIFY(asana);
            QVERIFY2(holds(latin1(asana->englishName)), "missing text");
            for (const QString &step : latin1(asana->procedure).split("\r\n"))
                QVERIFY2(holds(step), qPrintable(step));
            const qsizetype at = all.indexOf(postures[record], previous + 1);
            QVERIFY2(at > previous, qPrintable(postures[record]));
            previous = at;
            const QStringList image = images[record].split(QChar(' '), Qt::SkipEmptyParts);
            QCOMPARE(image.value(3) + "x" + image.value(4), QStringLiteral("500x500"));
            const int page = image.value(0).toInt() - 1;
            QVERIFY2(pages.value(page).simplified().contains(postures[record]),
                     qPrintable(postures[record]));
        }
        // No paragraph leaves a line alone at a page's foot or head, on
        // either paper.
        QCOMPARE(loneLines(answered.assessment, QPageSize::Letter), QStringList());
        QCOMPARE(loneLines(answered.assessment, QPageSize::A4), QStringList());

        // The practice plan on a page of its own, its holds at the user's
        // settings, each side of a posture done on each side counted.
        if (!total.isEmpty()) {
            const auto plan = std::find_if(pages.begin(), pages.end(), [](const QString &page) {
                return page.contains(QStringLiteral("Practice plan"));
            });
            QVERIFY(plan != pages.end() && plan->trimmed().startsWith("Practice plan"));
            for (const QString &line : total.split(QLatin1Char('|')))
                QVERIFY2(plan->simplified().contains(line), qPrintable(plan->simplified()));
        }
        QCOMPARE(all.contains("Recommended yoga"), !postures.isEmpty());
        QCOMPARE(all.contains("no chakra yoga is needed"), postures.isEmpty());
        QVERIFY2(
            holds("Practise gently and within your limits. If you are pregnant, or have high blood "
                  "pressure, a heart, eye, neck or back condition or an injury, ask a "
                  "doctor or a qualified teacher first."),
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

        rlimit limit{};
        QCOMPARE(::getrlimit(RLIMIT_FSIZE, &limit), 0);
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        if (diskFull) {
            rlimit small = limit;
            small.rlim_cur = rlim_t{16} * 1024;
            QCOMPARE(::setrlimit(RLIMIT_FSIZE, &small), 0);
        }
        const QString message = writeResultPdf(answered.assessment, QDateTime::currentDateTime(),
                                               folder.filePath(target), QPageSize(QPageSize::A4));
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

    // "Save as PDF…" offers "Pranoth result <the test's date>.pdf" in the
    // documents folder and adds the ending a name is given without, asking
    // first when a file of that name is there; a failure is told, and the
    // dialog comes again.
    void savingThroughItsDialogs()
    {
        const QTemporaryDir folder;
        const ScopedEnvironment home{{"HOME", QFile::encodeName(folder.path())},
                                     {"XDG_CONFIG_HOME", {}}};
        const QString documents = folder.filePath(QStringLiteral("Documents"));
        QVERIFY(QDir().mkpath(documents));
        AnsweredRun answered(
            AnswerPlan{{0, 8}, {-1, 0}, {-1, 0}, {-1, 0}, {-1, 0}, {-1, 0}, {-1, 0}});
        // Completed a minute before midnight in India's time, 18:29 UTC.
        answered.result.keptAtUtc = 1'796'667'540;
        FakePlatform &platform = answered.platform;
        const auto part = makePrintAndHistory(platform, QString());
        const auto said = [&platform] {
            QStringList seen;
            for (const auto &[title, suggested] : platform.saveDialogs)
                seen << QString::fromStdString(title) + ": " + QString::fromStdString(suggested);
            for (const ShownMessage &message : platform.messages)
                seen << QString::fromStdString(message.text);
            platform.saveDialogs.clear();
            platform.messages.clear();
            return seen;
        };

        const QString saved = folder.filePath(QStringLiteral("result.pdf"));
        platform.savePaths = {folder.filePath(QStringLiteral("result")).toStdString()};
        part->saveAsPdf(answered.result, answered.assessment);
        const QByteArray first = contentsOf(saved);
        QVERIFY(first.startsWith("%PDF"));
        QCOMPARE(said(), QStringList{"Save Result as PDF: " + documents +
                                     "/Pranoth result 2026-12-07.pdf"});

        // Not replaced; then a folder that is not there; then cancelled.
        const QString missing = folder.filePath(QStringLiteral("missing"));
        platform.answer = MessageAnswer::No;
        platform.savePaths = {folder.filePath(QStringLiteral("result")).toStdString(),
                              (missing + "/result.pdf").toStdString()};
        part->saveAsPdf(answered.result, answered.assessment);
        QCOMPARE(contentsOf(saved), first);
        QCOMPARE(said(), (QStringList{
                             "Save Result as PDF: " + documents + "/Pranoth result 2026-12-07.pdf",
                             // The name again, after a No, and after the failure.
                             "Save Result as PDF: " + saved,
                             "Save Result as PDF: " + missing + "/result.pdf",
                             "\u201c" + saved + "\u201d already exists. Do you want to replace it?",
                             "The result could not be saved: the folder \u201c" + missing +
                                 "\u201d does not exist.\n\nPlease choose another place.",
                         }));
        QVERIFY(!QFileInfo::exists(missing));

        // With no documents folder, the home folder; never the current one.
        QVERIFY(QDir(documents).removeRecursively());
        part->saveAsPdf(answered.result, answered.assessment);
        QCOMPARE(said(), QStringList{"Save Result as PDF: " + folder.path() +
                                     "/Pranoth result 2026-12-07.pdf"});
    }
};

QTEST_MAIN(tst_ResultDocument)
#include "tst_result_document.moc"
