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

// What a questionnaire window shows: a label and a question kept until
// replaced, and the selected answer, which only the user and Back change.
struct Screen {
    void show(const QuestionScreen &screen)
    {
        if (screen.label)
            label = *screen.label;
        question = screen.question;
        if (screen.selected)
            answer = *screen.selected;
    }
    std::string label;
    std::string question;
    Answer answer = Answer::Yes;
};

// A run started for the given chakras and loaded into a screen.
struct LoadedRun {
    explicit LoadedRun(std::initializer_list<int> chakras, unsigned seed = 7) : platform(seed)
    {
        run.StartTestRun(ticked(chakras), platform);
        view.show(run.LoadQuestionnaire());
    }
    std::string_view questionAt(int position) const
    {
        return QuestionBank[static_cast<std::size_t>(
            run.RunOrder[static_cast<std::size_t>(position)])];
    }
    // Next with the selected answer: true when the run is complete.
    bool next()
    {
        const NextStep step = run.NextQuestion(view.answer);
        if (step.question)
            view.show(*step.question);
        return step.completed;
    }
    void back()
    {
        if (const auto screen = run.PreviousQuestion())
            view.show(*screen);
    }
    FakePlatform platform;
    Screen view;
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

            // The redraw loop needs at least one draw per position.
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

    void loadingShowsTheFirstQuestion()
    {
        LoadedRun loaded({0, 1, 2, 3, 4, 5, 6});
        QCOMPARE(loaded.view.label, std::string("Question No. 1 of 56"));
        QCOMPARE(loaded.view.question, std::string(loaded.questionAt(0)));
        QCOMPARE(int(loaded.run.CurrentQuestion), 1);
        for (int p = 0; p < 56; ++p)
            QCOMPARE(answerText(loaded.run.RunKeys[p]), KeyAnswers[loaded.run.RunOrder[p]]);
        QCOMPARE(loaded.run.RunKeys[56], Answer::Unanswered);
        QVERIFY(std::all_of(loaded.run.RunAnswers.begin(), loaded.run.RunAnswers.end(),
                            [](Answer a) { return a == Answer::Unanswered; }));
    }

    void nextRecordsTheAnswerAndKeepsTheOption()
    {
        LoadedRun loaded({0});
        loaded.view.answer = Answer::No;
        QVERIFY(!loaded.next());
        QCOMPARE(loaded.run.RunAnswers[0], Answer::No);
        QCOMPARE(loaded.view.answer, Answer::No);
        QCOMPARE(loaded.view.label, std::string("Question No. 2 of 8"));
        QCOMPARE(loaded.view.question, std::string(loaded.questionAt(1)));
    }

    void labelsCountInPlainDecimal()
    {
        LoadedRun loaded({0, 1, 2, 3, 4, 5, 6});
        for (int i = 0; i < 9; ++i)
            loaded.next();
        QCOMPARE(loaded.view.label, std::string("Question No. 10 of 56"));
        QCOMPARE(loaded.run.questionLabel(56), std::string("Question No. 56 of 56"));
    }

    void backOnTheFirstQuestionSelectsTheRecordedAnswer()
    {
        LoadedRun loaded({3});
        loaded.view.label = "untouched";
        loaded.view.answer = Answer::Yes;
        loaded.back();
        // Nothing answered yet: "Not Sure" is selected; the label stays.
        QCOMPARE(optionOfAnswer(loaded.view.answer), OptionNotSure);
        QCOMPARE(loaded.view.label, std::string("untouched"));
        QCOMPARE(int(loaded.run.CurrentQuestion), 1);

        loaded.view.answer = Answer::No;
        loaded.next();
        loaded.back();
        QCOMPARE(loaded.view.label, std::string("Question No. 1 of 8"));
        loaded.view.answer = Answer::Yes;
        loaded.back();
        QCOMPARE(loaded.view.answer, Answer::No);
        QCOMPARE(loaded.view.question, std::string(loaded.questionAt(0)));
    }

    void backThenNextRevisesTheAnswer()
    {
        LoadedRun loaded({1, 2});
        loaded.view.answer = Answer::Yes;
        loaded.next(); // answers 1, shows 2
        loaded.view.answer = Answer::No;
        loaded.next(); // answers 2, shows 3
        loaded.view.answer = Answer::NotSure;
        loaded.back(); // shows 2, the selected answer unchanged
        QCOMPARE(loaded.view.label, std::string("Question No. 2 of 16"));
        QCOMPARE(loaded.view.question, std::string(loaded.questionAt(1)));
        QCOMPARE(loaded.view.answer, Answer::NotSure);
        QCOMPARE(loaded.run.RunAnswers[1], Answer::No);
        loaded.next(); // revises 2, shows 3 again
        QCOMPARE(loaded.run.RunAnswers[1], Answer::NotSure);
        QCOMPARE(loaded.view.label, std::string("Question No. 3 of 16"));
        QCOMPARE(loaded.view.question, std::string(loaded.questionAt(2)));
        QCOMPARE(loaded.run.RunAnswers[0], Answer::Yes);
    }

    void theLastNextCompletesTheRun()
    {
        LoadedRun loaded({6});
        for (int i = 1; i < 8; ++i)
            QVERIFY(!loaded.next());
        const std::string lastLabel = loaded.view.label;
        const std::string lastQuestion = loaded.view.question;
        loaded.view.answer = Answer::No;
        QVERIFY(loaded.next());
        QCOMPARE(int(loaded.run.CurrentQuestion), 9);
        QCOMPARE(loaded.view.label, lastLabel);
        QCOMPARE(loaded.view.question, lastQuestion);
        QCOMPARE(loaded.run.RunAnswers[7], Answer::No);
        for (int p = 0; p < 8; ++p)
            QVERIFY(loaded.run.RunAnswers[p] != Answer::Unanswered);
        QCOMPARE(loaded.run.RunAnswers[8], Answer::Unanswered);

        // The completed run: every question asked, with its key and answer.
        const CompletedRun completed = loaded.run.completedRun();
        QCOMPARE(completed.tested, ticked({6}));
        QCOMPARE(int(completed.questions.size()), 8);
        for (int p = 0; p < 8; ++p) {
            QCOMPARE(int(completed.questions[p].bankNumber), int(loaded.run.RunOrder[p]));
            QCOMPARE(answerText(completed.questions[p].key), KeyAnswers[loaded.run.RunOrder[p]]);
            QCOMPARE(completed.questions[p].answer, p == 7 ? Answer::No : Answer::Yes);
        }

        // A completed run ignores further Next and Back.
        QCOMPARE(loaded.run.NextQuestion(Answer::Yes), NextStep{});
        QVERIFY(!loaded.run.PreviousQuestion());
        QCOMPARE(int(loaded.run.CurrentQuestion), 9);
    }

    void navigationWithoutARunDoesNothing()
    {
        TestRun run;
        QVERIFY(!run.LoadQuestionnaire().label);
        QCOMPARE(run.NextQuestion(Answer::Yes), NextStep{});
        QVERIFY(!run.PreviousQuestion());
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
