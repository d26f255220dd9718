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

    void storedAnswersReadBackAsOptions()
    {
        QCOMPARE(optionOfAnswer("Yes"), OptionYes);
        QCOMPARE(optionOfAnswer("No"), OptionNo);
        QCOMPARE(optionOfAnswer("Not Sure"), OptionNotSure);
        QCOMPARE(optionOfAnswer(""), OptionNotSure);
        QCOMPARE(optionOfAnswer("yes"), OptionNotSure);
        QCOMPARE(answerOfOption(OptionYes), AnswerYes);
        QCOMPARE(answerOfOption(OptionNo), AnswerNo);
        QCOMPARE(answerOfOption(OptionNotSure), AnswerNotSure);
        QCOMPARE(answerOfOption(-1), AnswerNotSure);
    }
};

QTEST_APPLESS_MAIN(tst_QuestionBank)
#include "tst_question_bank.moc"
