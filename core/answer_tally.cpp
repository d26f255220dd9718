#include "answer_tally.h"

#include "scoring.h"
#include "test_run.h"

namespace pranoth {

AnswerTally tallyAnswers(const TestRun &run, int chakra)
{
    AnswerTally tally;
    const int n = run.length();
    for (int p = 0; p < n; ++p) {
        if (chakraOfBankNumber(run.RunOrder[asIndex(p)]) != chakra)
            continue;
        ++tally.asked;
        const std::string &answer = run.RunAnswers[asIndex(p)];
        if (answerMatches(answer, run.RunKeys[asIndex(p)]))
            ++tally.matched;
        else if (answer == AnswerNotSure)
            ++tally.notSure;
    }
    return tally;
}

} // namespace pranoth
