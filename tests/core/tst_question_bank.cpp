#include "core/chakra.h"

#include <QTest>

using namespace pranoth;

class tst_QuestionBank : public QObject {
    Q_OBJECT

private slots:
    void everyChakraOwnsEightQuestionsWithItsKeys()
    {
        int yes = 0;
        for (int k = 0; k < ChakraCount; ++k) {
            int chakraYes = 0;
            for (int q = firstBankNumber(k); q < firstBankNumber(k) + QuestionsPerChakra; ++q) {
                QCOMPARE(chakraOfBankNumber(q), k);
                QVERIFY2(!QuestionBank[q].empty(), qPrintable(QString::number(q)));
                QVERIFY(KeyAnswers[q] == AnswerYes || KeyAnswers[q] == AnswerNo);
                chakraYes += KeyAnswers[q] == AnswerYes ? 1 : 0;
            }
            // Four of each for every chakra but the Navel, which has five "Yes".
            QCOMPARE(chakraYes, k == 2 ? 5 : 4);
            yes += chakraYes;
        }
        QCOMPARE(yes, 29);
        QVERIFY(QuestionBank[56].empty());
        QVERIFY(KeyAnswers[56].empty());
    }

    void bankNumbersMapToChakrasByEights()
    {
        QCOMPARE(chakraOfBankNumber(7), 0);
        QCOMPARE(chakraOfBankNumber(8), 1);
        QCOMPARE(chakraOfBankNumber(55), 6);
        QCOMPARE(chakraOfBankNumber(56), -1);
        QCOMPARE(chakraOfBankNumber(-1), -1);
    }

    void textsKeepTheirOddSpacing()
    {
        QCOMPARE(QuestionBank[15],
                 std::string_view("Do you feel better when you don't let go of  your emotions?"));
        QCOMPARE(QuestionBank[39], std::string_view("Do you believe in loyalty? "));
        QCOMPARE(QuestionBank[40],
                 std::string_view("Do you depend on others to make your decisions? "));
        QCOMPARE(QuestionBank[0], std::string_view("Do you have a good sense of direction?"));
        QCOMPARE(QuestionBank[55], std::string_view("Do you feel unattached from the real world?"));
        QCOMPARE(chakraDisplayName(1), std::string_view("Sacral Chakra (Swadhisthanna)"));
        QCOMPARE(chakraDisplayName(6), std::string_view("Crown Chakra (Sahasrara)"));
        QVERIFY(chakraDisplayName(7).empty());
    }

    void answersAndOptions()
    {
        QCOMPARE(optionOfAnswer(Answer::Yes), OptionYes);
        QCOMPARE(optionOfAnswer(Answer::No), OptionNo);
        QCOMPARE(optionOfAnswer(Answer::NotSure), OptionNotSure);
        QCOMPARE(optionOfAnswer(Answer::Unanswered), OptionNotSure);
        QCOMPARE(answerText(answerOfOption(OptionYes)), std::string_view("Yes"));
        QCOMPARE(answerText(answerOfOption(OptionNo)), std::string_view("No"));
        QCOMPARE(answerText(answerOfOption(OptionNotSure)), std::string_view("Not Sure"));
        QCOMPARE(answerOfOption(-1), Answer::NotSure);
        QVERIFY(answerText(Answer::Unanswered).empty());
        // The key of a question of the bank, as its text says.
        QCOMPARE(keyAnswer(0), Answer::Yes);
        QCOMPARE(keyAnswer(1), Answer::No);
        QCOMPARE(keyAnswer(55), Answer::No);
        QCOMPARE(keyAnswer(56), Answer::Unanswered);
    }
};

QTEST_APPLESS_MAIN(tst_QuestionBank)
#include "tst_question_bank.moc"
