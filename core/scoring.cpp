#include "scoring.h"

#include "report.h"
#include "rich_text.h"
#include "rounding.h"
#include "test_run.h"

namespace pranoth {

Int16 barPercent(int score)
{
    return static_cast<Int16>(
        roundHalfToEven(static_cast<double>(score) / QuestionsPerChakra * 100.0));
}

float barHeight(float designHeight, int percent)
{
    return designHeight * static_cast<float>(percent) / 100.0F;
}

void AssessTestRun(const TestRun &run, ChakraResults &results, ResultView &view)
{
    results.ChakraScores.fill(0);

    const int n = run.length();
    for (int p = 0; p < n; ++p) {
        const int chakra = chakraOfBankNumber(run.RunOrder[asIndex(p)]);
        if (chakra < 0)
            continue;
        if (answerMatches(run.RunAnswers[asIndex(p)], run.RunKeys[asIndex(p)]))
            ++results.ChakraScores[asIndex(chakra)];
    }

    for (int k = 0; k < ChakraCount; ++k) {
        const int score = results.ChakraScores[asIndex(k)];
        if (score != 0)
            view.sizeAndShowBar(k, barPercent(score));
    }

    RichTextWriter &report = view.report();
    report.moveToEnd();
    for (int k = 0; k < ChakraCount; ++k) {
        if (run.ChakraSelection[asIndex(k)] == -1)
            continue;
        const Verdict verdict = verdictOf(results.ChakraScores[asIndex(k)]);
        appendChakraSection(report, k, verdict);
        results.yogaNeeded[asIndex(k)] = verdict != Verdict::Open;
    }

    view.showResult();
}

void CompleteTestRun(const TestRun &run, ChakraResults &results, RunCompletionHost &host)
{
    AssessTestRun(run, results, host.createResultWindow());
    host.closeQuestionnaire();
}

} // namespace pranoth
