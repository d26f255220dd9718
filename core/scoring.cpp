#include "scoring.h"

#include "report.h"
#include "rich_text.h"
#include "rounding.h"
#include "test_run.h"

namespace pranoth {

Verdict verdictOf(int score)
{
    if (score >= 0 && score <= 2)
        return Verdict::UnderActive;
    if (score >= 3 && score <= 5)
        return Verdict::Open;
    return Verdict::OverActive;
}

std::string_view verdictName(Verdict verdict)
{
    switch (verdict) {
    case Verdict::UnderActive:
        return "UnderActive";
    case Verdict::Open:
        return "Open";
    case Verdict::OverActive:
        return "OverActive";
    }
    return {};
}

Int16 barPercent(int score)
{
    return static_cast<Int16>(roundHalfToEven(static_cast<double>(score) / 8.0 * 100.0));
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
        const int chakra = chakraOfBankNumber(run.RunOrder[at(p)]);
        if (chakra < 0)
            continue;
        // An unanswered position never matches, even against a missing key.
        const std::string &answer = run.RunAnswers[at(p)];
        if (!answer.empty() && answer == run.RunKeys[at(p)])
            ++results.ChakraScores[at(chakra)];
    }

    for (int k = 0; k < ChakraCount; ++k) {
        const int score = results.ChakraScores[at(k)];
        if (score != 0)
            view.sizeAndShowBar(k, barPercent(score));
    }

    RichTextWriter &report = view.report();
    report.moveToEnd();
    for (int k = 0; k < ChakraCount; ++k) {
        if (run.ChakraSelection[at(k)] == -1)
            continue;
        const Verdict verdict = verdictOf(results.ChakraScores[at(k)]);
        appendChakraSection(report, k, verdict);
        results.yogaNeeded[at(k)] = verdict != Verdict::Open;
    }

    view.showResult();
}

void CompleteTestRun(const TestRun &run, ChakraResults &results, RunCompletionHost &host)
{
    AssessTestRun(run, results, host.createResultWindow());
    host.closeQuestionnaire();
}

} // namespace pranoth
