#include "fakes.h"

#include "core/assessment.h"
#include "core/test_run.h"

#include <QTest>

#include <map>

using namespace pranoth;
using namespace pranoth::testing;

Q_DECLARE_METATYPE(pranoth::Verdict)
Q_DECLARE_METATYPE(pranoth::SectionKind)

namespace {

// How one chakra of a row answers: `matched` answers equal to the key, the
// rest given as `miss`.
struct Answering {
    int matched = 0;
    Answer miss = Answer::NotSure;
};

// A completed run in which each chakra listed is tested and answers as given,
// its questions in bank order with today's keys.
CompletedRun runWith(const std::map<int, Answering> &chakras)
{
    CompletedRun run;
    for (const auto &[chakra, answering] : chakras) {
        run.tested[asIndex(chakra)] = true;
        for (int q = 0; q < QuestionsPerChakra; ++q) {
            const auto bank = static_cast<Int16>(firstBankNumber(chakra) + q);
            const Answer key = keyAnswer(bank);
            const Answer opposite = key == Answer::Yes ? Answer::No : Answer::Yes;
            const Answer miss = answering.miss == Answer::No ? opposite : answering.miss;
            run.questions.push_back({bank, key, q < answering.matched ? key : miss});
        }
    }
    return run;
}

using Kinds = QList<SectionKind>;
const Kinds OpenSections{SectionKind::ChakraTitle, SectionKind::ChakraDescription,
                         SectionKind::VerdictLine, SectionKind::VerdictText};
const Kinds AdvisedSections = OpenSections + Kinds{SectionKind::AdviceHeading, SectionKind::Advice};

} // namespace

class tst_Assessment : public QObject {
    Q_OBJECT

private slots:
    void barPercentRoundsHalvesToEven()
    {
        const int expected[] = {0, 12, 25, 38, 50, 62, 75, 88, 100};
        for (int score = 0; score <= 8; ++score)
            QCOMPARE(int(barPercent(score)), expected[score]);
        // 1995 twips at 50 % is 997.5, kept in single precision.
        QCOMPARE(barHeight(1995.0F, 50), 997.5F);
        // Scores beyond the scale, either way, read as over-active.
        QCOMPARE(verdictOf(9), Verdict::OverActive);
        QCOMPARE(verdictOf(-1), Verdict::OverActive);
    }

    // One chakra tested and answered as the row says; every other chakra untested.
    void assessesEachChakra_data()
    {
        QTest::addColumn<int>("chakra");
        QTest::addColumn<int>("matched");
        // The answer of the other questions: "Not Sure", none, or (No) the
        // opposite of the key.
        QTest::addColumn<int>("miss");
        QTest::addColumn<int>("notSure");
        QTest::addColumn<int>("percent");
        QTest::addColumn<Verdict>("verdict");
        QTest::addColumn<Kinds>("sections");
        QTest::addColumn<QString>("line");
        const int notSure = int(Answer::NotSure);
        const int opposite = int(Answer::No);
        const int unanswered = int(Answer::Unanswered);
        QTest::newRow("nothing matched, all unsure")
            << 0 << 0 << notSure << 8 << 0 << Verdict::UnderActive << AdvisedSections
            << "Your Root Chakra (Muladhara) is UnderActive";
        QTest::newRow("top of under-active")
            << 1 << 2 << notSure << 6 << 25 << Verdict::UnderActive << AdvisedSections
            << "Your Sacral Chakra (Swadhisthanna) is UnderActive";
        QTest::newRow("bottom of open, misses answered wrong")
            << 2 << 3 << opposite << 0 << 38 << Verdict::Open << OpenSections
            << "Your Navel Chakra (Manipura) is Open";
        QTest::newRow("top of open, misses unanswered")
            << 3 << 5 << unanswered << 0 << 62 << Verdict::Open << OpenSections
            << "Your Heart Chakra (Anahata) is Open";
        QTest::newRow("bottom of over-active")
            << 4 << 6 << notSure << 2 << 75 << Verdict::OverActive << AdvisedSections
            << "Your Throat Chakra (Vishuddha) is OverActive";
        QTest::newRow("all matched")
            << 6 << 8 << notSure << 0 << 100 << Verdict::OverActive << AdvisedSections
            << "Your Crown Chakra (Sahasrara) is OverActive";
    }
    void assessesEachChakra()
    {
        QFETCH(int, chakra);
        QFETCH(int, matched);
        QFETCH(int, miss);
        QFETCH(int, notSure);
        QFETCH(int, percent);
        QFETCH(Verdict, verdict);
        QFETCH(Kinds, sections);
        QFETCH(QString, line);

        const Assessment assessment =
            assess(runWith({{chakra, {matched, static_cast<Answer>(miss)}}}));
        for (int k = 0; k < ChakraCount; ++k) {
            const ChakraAssessment &assessed = assessment.chakras[k];
            if (k != chakra) {
                QVERIFY(!assessed.tested);
                QCOMPARE(assessed.asked, 0);
                QCOMPARE(assessed.score(), 0);
                QVERIFY(!assessed.needsYoga());
                continue;
            }
            QVERIFY(assessed.tested);
            QCOMPARE(assessed.asked, 8);
            QCOMPARE(assessed.score(), matched);
            QCOMPARE(assessed.notSure, notSure);
            QCOMPARE(int(assessed.barPercent), percent);
            QCOMPARE(assessed.verdict, verdict);
            QCOMPARE(assessed.needsYoga(), verdict != Verdict::Open);
            QCOMPARE(assessment.yogaNeeded()[asIndex(k)], verdict != Verdict::Open);
        }

        // The introduction, then the tested chakra's sections only.
        QCOMPARE(assessment.report.front().kind, SectionKind::Introduction);
        Kinds kinds;
        for (std::size_t i = 1; i < assessment.report.size(); ++i) {
            QCOMPARE(assessment.report[i].chakra, chakra);
            QCOMPARE(assessment.report[i].verdict, verdict);
            kinds << assessment.report[i].kind;
        }
        QCOMPARE(kinds, sections);
        QCOMPARE(QString::fromStdString(assessment.report[3].text), line + "\r\n");
    }

    void anUnansweredQuestionNeverMatches()
    {
        CompletedRun run = runWith({{0, {8, Answer::NotSure}}});
        // Even a missing key does not make an empty answer count.
        run.questions[7] = {7, Answer::Unanswered, Answer::Unanswered};
        run.questions[6].answer = Answer::Unanswered;
        const ChakraAssessment root = assess(run).chakras[0];
        QCOMPARE(root.score(), 6);
        QCOMPARE(root.notSure, 0);
    }

    void sectionsFollowTheChakraOrder()
    {
        // Heart open (4), Throat over-active (7), Crown under-active (1); the
        // run asks them Crown first.
        const Assessment assessment = assess(runWith({{6, {1}}, {3, {4}}, {4, {7}}}));
        std::vector<std::pair<int, SectionKind>> titles;
        for (const Section &section : assessment.report)
            if (section.kind == SectionKind::ChakraTitle ||
                section.kind == SectionKind::AdviceHeading)
                titles.emplace_back(section.chakra, section.kind);
        const std::vector<std::pair<int, SectionKind>> expected{{3, SectionKind::ChakraTitle},
                                                                {4, SectionKind::ChakraTitle},
                                                                {4, SectionKind::AdviceHeading},
                                                                {6, SectionKind::ChakraTitle},
                                                                {6, SectionKind::AdviceHeading}};
        QVERIFY(titles == expected);
        QCOMPARE(assessment.yogaNeeded(),
                 (std::array<bool, 8>{false, false, false, false, true, false, true, false}));
        QVERIFY(assessment.needsYoga());
    }

    void aShuffledRunIsScoredFromEachChakrasOwnQuestions()
    {
        const std::array<int, ChakraCount> matches{0, 1, 3, 5, 6, 8, 2};
        for (unsigned seed = 1; seed <= 25; ++seed) {
            FakePlatform platform(seed);
            TestRun run;
            run.StartTestRun({true, true, true, true, true, true, true}, platform);
            run.LoadQuestionnaire();
            std::array<int, ChakraCount> given{};
            for (int p = 0; p < run.length(); ++p) {
                const int chakra = chakraOfBankNumber(run.RunOrder[p]);
                const Answer key = keyAnswer(run.RunOrder[p]);
                const bool match = given[chakra]++ < matches[chakra];
                // Misses alternate between "Not Sure" and the opposite of the key.
                run.NextQuestion(match                ? key
                                 : p % 2 == 0         ? Answer::NotSure
                                 : key == Answer::Yes ? Answer::No
                                                      : Answer::Yes);
            }
            const Assessment assessment = assess(run.completedRun());
            for (int k = 0; k < ChakraCount; ++k)
                QCOMPARE(assessment.chakras[k].score(), matches[k]);
        }
    }
};

QTEST_APPLESS_MAIN(tst_Assessment)
#include "tst_assessment.moc"
