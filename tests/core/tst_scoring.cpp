#include "fakes.h"

#include "core/report.h"
#include "core/scoring.h"
#include "core/test_run.h"

#include <QTest>

using namespace pranoth;
using namespace pranoth::testing;

Q_DECLARE_METATYPE(pranoth::Verdict)

namespace {

class RecordingResultView : public ResultView {
public:
    void sizeAndShowBar(int chakra, int percent) override { bars.emplace_back(chakra, percent); }
    RichTextWriter &report() override { return writer; }
    void showResult() override
    {
        ++shows;
        reportAtShow = writer.plainText();
    }
    std::vector<std::pair<int, int>> bars;
    RecordingWriter writer;
    int shows = 0;
    std::string reportAtShow;
};

// A completed run over the given chakras in which each chakra k answers
// `matches[k]` of its questions with the key and the rest with `miss`.
TestRun completedRun(const std::array<int, ChakraCount> &matches, std::array<bool, 7> ticked,
                     std::string_view miss, unsigned seed = 11)
{
    FakePlatform platform(seed);
    TestRun run;
    run.StartTestRun(ticked, platform);
    FakeQuestionnaireView view;
    run.LoadQuestionnaire(view);
    std::array<int, ChakraCount> given{};
    for (int p = 0; p < run.length(); ++p) {
        const int chakra = chakraOfBankNumber(run.RunOrder[p]);
        const bool match = given[chakra]++ < matches[chakra];
        run.RunAnswers[p] = match ? run.RunKeys[p] : std::string(miss);
    }
    run.CurrentQuestion = static_cast<Int16>(run.length() + 1);
    return run;
}

std::string opposite(const std::string &key)
{
    return key == "Yes" ? "No" : "Yes";
}

} // namespace

class tst_Scoring : public QObject {
    Q_OBJECT

private slots:
    void verdictBands_data()
    {
        QTest::addColumn<int>("score");
        QTest::addColumn<Verdict>("verdict");
        QTest::addColumn<QString>("name");
        QTest::newRow("nothing matched") << 0 << Verdict::UnderActive << "UnderActive";
        QTest::newRow("top of under-active") << 2 << Verdict::UnderActive << "UnderActive";
        QTest::newRow("bottom of open") << 3 << Verdict::Open << "Open";
        QTest::newRow("top of open") << 5 << Verdict::Open << "Open";
        QTest::newRow("bottom of over-active") << 6 << Verdict::OverActive << "OverActive";
        QTest::newRow("all matched") << 8 << Verdict::OverActive << "OverActive";
        QTest::newRow("beyond the scale") << 9 << Verdict::OverActive << "OverActive";
        QTest::newRow("negative") << -1 << Verdict::OverActive << "OverActive";
    }
    void verdictBands()
    {
        QFETCH(int, score);
        QFETCH(Verdict, verdict);
        QFETCH(QString, name);
        QCOMPARE(verdictOf(score), verdict);
        QCOMPARE(
            QString::fromUtf8(verdictName(verdict).data(), qsizetype(verdictName(verdict).size())),
            name);
    }

    void barPercentRoundsHalvesToEven()
    {
        const int expected[] = {0, 12, 25, 38, 50, 62, 75, 88, 100};
        for (int score = 0; score <= 8; ++score)
            QCOMPARE(int(barPercent(score)), expected[score]);
        // 1995 twips at 50 % is 997.5, kept in single precision.
        QCOMPARE(barHeight(1995.0F, 50), 997.5F);
    }

    void eachChakraIsScoredFromItsOwnQuestions()
    {
        const std::array<int, ChakraCount> matches{0, 1, 3, 5, 6, 8, 2};
        for (unsigned seed = 1; seed <= 25; ++seed) {
            TestRun run =
                completedRun(matches, {true, true, true, true, true, true, true}, "Not Sure", seed);
            // Misses given as the opposite key count the same as "Not Sure".
            for (int p = 0; p < run.length(); ++p)
                if (run.RunAnswers[p] == "Not Sure" && p % 2 == 0)
                    run.RunAnswers[p] = opposite(run.RunKeys[p]);
            ChakraResults results;
            RecordingResultView view;
            AssessTestRun(run, results, view);
            for (int k = 0; k < ChakraCount; ++k)
                QCOMPARE(int(results.ChakraScores[k]), matches[k]);
            QCOMPARE(int(results.ChakraScores[7]), 0);
        }
    }

    void unansweredAndUnsureNeverMatch()
    {
        TestRun run = completedRun({8, 0, 0, 0, 0, 0, 0}, {true}, "", 4);
        for (int p = 0; p < 8; ++p)
            run.RunAnswers[p] = (p < 4) ? "Not Sure" : "";
        // Even a missing key does not make an empty answer count.
        run.RunKeys[7].clear();
        ChakraResults results;
        RecordingResultView view;
        AssessTestRun(run, results, view);
        QCOMPARE(int(results.ChakraScores[0]), 0);
        QVERIFY(results.yogaNeeded[0]);
        QVERIFY(view.bars.empty()); // a score of 0 gets no bar, its section is written
        QVERIFY(view.writer.plainText().find("is UnderActive") != std::string::npos);
    }

    void assessmentFillsBarsReportAndFlags()
    {
        // Heart open (4), Throat over-active (7), Crown under-active (1); Root not ticked.
        TestRun run = completedRun({0, 0, 0, 4, 7, 0, 1},
                                   {false, false, false, true, true, false, true}, "Not Sure");
        ChakraResults results;
        results.ChakraScores.fill(5); // left over from an earlier run
        RecordingResultView view;
        AssessTestRun(run, results, view);

        const std::vector<std::pair<int, int>> bars{{3, 50}, {4, 88}, {6, 12}};
        QVERIFY(view.bars == bars);
        QCOMPARE(int(results.ChakraScores[0]), 0);
        QCOMPARE(results.yogaNeeded,
                 (std::array<bool, 8>{false, false, false, false, true, false, true, false}));
        QCOMPARE(view.shows, 1);
        QCOMPARE(view.writer.movesToEnd, 1);

        // Sections in chakra order, each for its verdict, all written before the window shows.
        const std::string text = view.reportAtShow;
        const auto heart = text.find("Your Heart Chakra (Anahata) is Open\r\n");
        const auto throat = text.find("Your Throat Chakra (Vishuddha) is OverActive\r\n");
        const auto crown = text.find("Your Crown Chakra (Sahasrara) is UnderActive\r\n");
        QVERIFY(heart != std::string::npos && throat != std::string::npos &&
                crown != std::string::npos);
        QVERIFY(heart < throat && throat < crown);
        QVERIFY(text.find("Root Chakra") == std::string::npos);
        QCOMPARE(text.substr(0, 24), std::string("Heart Chakra (Anahata)\r\n"));
    }

    void completingARunAssessesThenClosesTheQuestionnaire()
    {
        struct Host : RunCompletionHost {
            ResultView &createResultWindow() override
            {
                steps.push_back("create");
                return view;
            }
            void closeQuestionnaire() override
            {
                steps.push_back(view.shows == 1 ? "close after show" : "close before show");
            }
            RecordingResultView view;
            std::vector<std::string> steps;
        } host;
        TestRun run = completedRun({3, 0, 0, 0, 0, 0, 0}, {true}, "Not Sure");
        ChakraResults results;
        CompleteTestRun(run, results, host);
        QCOMPARE(host.steps, (std::vector<std::string>{"create", "close after show"}));
        QVERIFY(!results.yogaNeeded[0]);
    }
};

QTEST_APPLESS_MAIN(tst_Scoring)
#include "tst_scoring.moc"
