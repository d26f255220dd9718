#include "fakes.h"

#include "core/test_run.h"

#include <QTest>

#include <algorithm>

using namespace pranoth;
using namespace pranoth::testing;

namespace {

std::array<bool, ChakraCount> ticked(std::initializer_list<int> chakras)
{
    std::array<bool, ChakraCount> boxes{};
    for (const int k : chakras)
        boxes[static_cast<std::size_t>(k)] = true;
    return boxes;
}

std::vector<Int16> bankNumbersOf(std::initializer_list<int> chakras)
{
    std::vector<Int16> numbers;
    for (const int k : chakras)
        for (int q = 0; q < QuestionsPerChakra; ++q)
            numbers.push_back(static_cast<Int16>(firstBankNumber(k) + q));
    return numbers;
}

// A run started for the given chakras and loaded into a fake window.
struct LoadedRun {
    explicit LoadedRun(std::initializer_list<int> chakras, unsigned seed = 7) : platform(seed)
    {
        run.StartTestRun(ticked(chakras), platform);
        run.LoadQuestionnaire(view);
    }
    std::string_view questionAt(int position) const
    {
        return QuestionBank[static_cast<std::size_t>(
            run.RunOrder[static_cast<std::size_t>(position)])];
    }
    FakePlatform platform;
    FakeQuestionnaireView view;
    TestRun run;
};

} // namespace

class tst_TestRun : public QObject {
    Q_OBJECT

private slots:
    void shuffleAsksEachSelectedQuestionOnce_data()
    {
        QTest::addColumn<QList<int>>("chakras");
        QTest::newRow("root only") << QList<int>{0};
        QTest::newRow("sacral and navel") << QList<int>{1, 2};
        QTest::newRow("crown only") << QList<int>{6};
        QTest::newRow("all seven") << QList<int>{0, 1, 2, 3, 4, 5, 6};
    }
    void shuffleAsksEachSelectedQuestionOnce()
    {
        QFETCH(QList<int>, chakras);
        std::array<bool, ChakraCount> boxes{};
        std::vector<Int16> expected;
        for (const int k : chakras) {
            boxes[static_cast<std::size_t>(k)] = true;
            for (int q = 0; q < QuestionsPerChakra; ++q)
                expected.push_back(static_cast<Int16>(firstBankNumber(k) + q));
        }
        const int n = static_cast<int>(expected.size());
        bool orderVaries = false;
        std::vector<Int16> firstOrder;

        for (unsigned seed = 1; seed <= 300; ++seed) {
            FakePlatform platform(seed);
            TestRun run;
            QCOMPARE(run.StartTestRun(boxes, platform), StartOutcome::Started);
            QCOMPARE(int(run.QuestionCount), n);
            QCOMPARE(run.length(), n);
            QCOMPARE(int(run.RunOrder.size()), n + 1);
            QCOMPARE(int(run.RunKeys.size()), n + 1);
            QCOMPARE(int(run.RunAnswers.size()), n + 1);
            QCOMPARE(int(run.RunOrder[n]), 0);
            QVERIFY(std::equal(expected.begin(), expected.end(), run.SelectedQuestions.begin()));

            std::vector<Int16> asked(run.RunOrder.begin(), run.RunOrder.begin() + n);
            if (firstOrder.empty())
                firstOrder = asked;
            else if (asked != firstOrder)
                orderVaries = true;
            std::sort(asked.begin(), asked.end());
            QVERIFY2(asked == expected, qPrintable(QStringLiteral("seed %1").arg(seed)));

            // Every draw is preceded by a chance for pending events to run, and
            // the redraw loop needs at least one draw per position.
            QCOMPARE(platform.eventSteps, platform.draws);
            QVERIFY(platform.draws >= n);
            QCOMPARE(platform.seeds, 1);
        }
        QVERIFY(orderVaries);
    }

    void redrawsUntilTheValueIsNew()
    {
        // N = 8; 0.0 draws 1 and 0.99 draws 8. Repeats are drawn again.
        FakePlatform platform;
        platform.scriptedDraws = {0.0, 0.0, 0.99, 0.99, 0.1, 0.2, 0.3, 0.4, 0.5, 0.7, 0.8};
        TestRun run;
        run.StartTestRun(ticked({3}), platform);
        QCOMPARE(platform.draws, 11);
        // Drawn: 1, 8, 2, 3, 4, 5, 6, 7 (three repeats redrawn); 8 becomes 0;
        // then each value i becomes the i-th Heart question.
        const std::vector<Int16> expected{25, 24, 26, 27, 28, 29, 30, 31};
        QVERIFY(std::equal(expected.begin(), expected.end(), run.RunOrder.begin()));
    }

    void drawsOutsideTheUnitRangeStayInRange()
    {
        FakePlatform platform;
        platform.scriptedDraws = {-3.0, 1.0, 7.5};
        TestRun run;
        run.StartTestRun(ticked({0}), platform);
        std::vector<Int16> asked(run.RunOrder.begin(), run.RunOrder.begin() + 8);
        std::sort(asked.begin(), asked.end());
        QVERIFY(asked == bankNumbersOf({0}));
    }

    void nothingTickedAsksForAChakra()
    {
        FakePlatform platform;
        TestRun run;
        // An earlier run's lists...
        run.StartTestRun(ticked({2}), platform);
        const auto previousOrder = run.RunOrder;

        QCOMPARE(run.StartTestRun(ticked({}), platform), StartOutcome::NothingTicked);
        QCOMPARE(int(platform.messages.size()), 1);
        QCOMPARE(platform.messages[0].text, std::string("Please select at least one chakra"));
        QCOMPARE(platform.messages[0].icon, MessageIcon::Critical);
        QCOMPARE(platform.messages[0].buttons, MessageButtons::Ok);
        // ...are reset where the start resets them, and left where it does not.
        QCOMPARE(int(run.QuestionCount), 0);
        QVERIFY(!IsArrayInitialised(run.SelectedQuestions));
        QVERIFY(!IsArrayInitialised(run.RunKeys));
        QVERIFY(run.RunOrder == previousOrder);
        for (int k = 0; k < ChakraCount; ++k)
            QCOMPARE(int(run.ChakraSelection[k]), -1);
    }

    void aStartDuringTheShuffleIsIgnored()
    {
        FakePlatform platform(3);
        TestRun run;
        int nestedStarts = 0;
        StartOutcome nested = StartOutcome::Started;
        platform.onEvents = [&] {
            // The user presses "START TEST" again with other chakras ticked.
            if (nestedStarts++ < 3)
                nested = run.StartTestRun(ticked({0, 1, 2, 3, 4, 5, 6}), platform);
        };
        QCOMPARE(run.StartTestRun(ticked({4}), platform), StartOutcome::Started);
        QCOMPARE(nested, StartOutcome::Ignored);
        QCOMPARE(int(run.QuestionCount), 8);
        std::vector<Int16> asked(run.RunOrder.begin(), run.RunOrder.begin() + 8);
        std::sort(asked.begin(), asked.end());
        QVERIFY(asked == bankNumbersOf({4}));

        // Once built, a new start works again.
        platform.onEvents = nullptr;
        QCOMPARE(run.StartTestRun(ticked({5, 6}), platform), StartOutcome::Started);
        QCOMPARE(int(run.QuestionCount), 16);
    }

    void loadingShowsTheFirstQuestion()
    {
        LoadedRun loaded({0, 1, 2, 3, 4, 5, 6});
        QCOMPARE(loaded.view.label, std::string("Question No. 1 of 56"));
        QCOMPARE(loaded.view.question, std::string(loaded.questionAt(0)));
        QCOMPARE(int(loaded.run.CurrentQuestion), 1);
        for (int p = 0; p < 56; ++p)
            QCOMPARE(loaded.run.RunKeys[p], std::string(KeyAnswers[loaded.run.RunOrder[p]]));
        QVERIFY(loaded.run.RunKeys[56].empty());
        QVERIFY(std::all_of(loaded.run.RunAnswers.begin(), loaded.run.RunAnswers.end(),
                            [](const std::string &a) { return a.empty(); }));
    }

    void nextRecordsTheAnswerAndKeepsTheOption()
    {
        LoadedRun loaded({0});
        loaded.view.option = OptionNo;
        QVERIFY(!loaded.run.NextQuestion(loaded.view));
        QCOMPARE(loaded.run.RunAnswers[0], std::string("No"));
        QCOMPARE(loaded.view.option, OptionNo);
        QCOMPARE(loaded.view.label, std::string("Question No. 2 of 8"));
        QCOMPARE(loaded.view.question, std::string(loaded.questionAt(1)));
    }

    void labelsCountInPlainDecimal()
    {
        LoadedRun loaded({0, 1, 2, 3, 4, 5, 6});
        for (int i = 0; i < 9; ++i)
            loaded.run.NextQuestion(loaded.view);
        QCOMPARE(loaded.view.label, std::string("Question No. 10 of 56"));
        QCOMPARE(loaded.run.questionLabel(56), std::string("Question No. 56 of 56"));
    }

    void backOnTheFirstQuestionSelectsTheRecordedAnswer()
    {
        LoadedRun loaded({3});
        loaded.view.label = "untouched";
        loaded.view.option = OptionYes;
        loaded.run.PreviousQuestion(loaded.view);
        // Nothing answered yet: "Not Sure"; the label stays.
        QCOMPARE(loaded.view.option, OptionNotSure);
        QCOMPARE(loaded.view.label, std::string("untouched"));
        QCOMPARE(int(loaded.run.CurrentQuestion), 1);

        loaded.view.option = OptionNo;
        loaded.run.NextQuestion(loaded.view);
        loaded.run.PreviousQuestion(loaded.view);
        QCOMPARE(loaded.view.label, std::string("Question No. 1 of 8"));
        loaded.view.option = OptionYes;
        loaded.run.PreviousQuestion(loaded.view);
        QCOMPARE(loaded.view.option, OptionNo);
        QCOMPARE(loaded.view.question, std::string(loaded.questionAt(0)));
    }

    void backThenNextRevisesTheAnswer()
    {
        LoadedRun loaded({1, 2});
        loaded.view.option = OptionYes;
        loaded.run.NextQuestion(loaded.view); // answers 1, shows 2
        loaded.view.option = OptionNo;
        loaded.run.NextQuestion(loaded.view); // answers 2, shows 3
        loaded.view.option = OptionNotSure;
        loaded.run.PreviousQuestion(loaded.view); // shows 2, option unchanged
        QCOMPARE(loaded.view.label, std::string("Question No. 2 of 16"));
        QCOMPARE(loaded.view.question, std::string(loaded.questionAt(1)));
        QCOMPARE(loaded.view.option, OptionNotSure);
        QCOMPARE(loaded.run.RunAnswers[1], std::string("No"));
        loaded.run.NextQuestion(loaded.view); // revises 2, shows 3 again
        QCOMPARE(loaded.run.RunAnswers[1], std::string("Not Sure"));
        QCOMPARE(loaded.view.label, std::string("Question No. 3 of 16"));
        QCOMPARE(loaded.view.question, std::string(loaded.questionAt(2)));
        QCOMPARE(loaded.run.RunAnswers[0], std::string("Yes"));
    }

    void theLastNextCompletesTheRun()
    {
        LoadedRun loaded({6});
        for (int i = 1; i < 8; ++i)
            QVERIFY(!loaded.run.NextQuestion(loaded.view));
        const std::string lastLabel = loaded.view.label;
        const std::string lastQuestion = loaded.view.question;
        loaded.view.option = OptionNo;
        QVERIFY(loaded.run.NextQuestion(loaded.view));
        QCOMPARE(int(loaded.run.CurrentQuestion), 9);
        QCOMPARE(loaded.view.label, lastLabel);
        QCOMPARE(loaded.view.question, lastQuestion);
        QCOMPARE(loaded.run.RunAnswers[7], std::string("No"));
        for (int p = 0; p < 8; ++p)
            QVERIFY(!loaded.run.RunAnswers[p].empty());
        QVERIFY(loaded.run.RunAnswers[8].empty());

        // A completed run ignores further Next and Back.
        QVERIFY(!loaded.run.NextQuestion(loaded.view));
        loaded.run.PreviousQuestion(loaded.view);
        QCOMPARE(int(loaded.run.CurrentQuestion), 9);
    }

    void navigationWithoutARunDoesNothing()
    {
        TestRun run;
        FakeQuestionnaireView view;
        run.LoadQuestionnaire(view);
        QVERIFY(!run.NextQuestion(view));
        run.PreviousQuestion(view);
        QVERIFY(view.label.empty());
        QCOMPARE(int(run.CurrentQuestion), 0);
    }

    void valueSearchNeedsASizedList()
    {
        std::vector<Int16> list;
        QVERIFY(!IsArrayInitialised(list));
        QVERIFY(!IsValueInArray(0, list));
        list.assign(3, 0);
        QVERIFY(IsArrayInitialised(list));
        QVERIFY(IsValueInArray(0, list));
        list = {4, 5, 6};
        QVERIFY(IsValueInArray(6, list));
        QVERIFY(!IsValueInArray(7, list));
    }
};

QTEST_APPLESS_MAIN(tst_TestRun)
#include "tst_test_run.moc"
