#include "assessment.h"

#include "report.h"
#include "rounding.h"

#include <algorithm>

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

std::array<bool, ChakraSlots> Assessment::yogaNeeded() const
{
    std::array<bool, ChakraSlots> needed{};
    for (int k = 0; k < ChakraCount; ++k)
        needed[asIndex(k)] = chakras[asIndex(k)].needsYoga();
    return needed;
}

bool Assessment::needsYoga() const
{
    return std::ranges::any_of(chakras,
                               [](const ChakraAssessment &chakra) { return chakra.needsYoga(); });
}

Assessment assess(const CompletedRun &run)
{
    Assessment assessment;
    for (const AskedQuestion &question : run.questions) {
        const int chakra = chakraOfBankNumber(question.bankNumber);
        if (chakra < 0)
            continue;
        ChakraAssessment &scored = assessment.chakras[asIndex(chakra)];
        ++scored.asked;
        if (answerMatches(question.answer, question.key))
            ++scored.matched;
        else if (question.answer == Answer::NotSure)
            ++scored.notSure;
    }

    assessment.report.push_back(
        {SectionKind::Introduction, -1, Verdict::Open, resultIntroduction()});
    for (int k = 0; k < ChakraCount; ++k) {
        ChakraAssessment &scored = assessment.chakras[asIndex(k)];
        scored.tested = run.tested[asIndex(k)];
        scored.barPercent = barPercent(scored.matched);
        scored.verdict = verdictOf(scored.matched);
        if (scored.tested)
            appendChakraSections(assessment.report, k, scored.verdict);
    }
    return assessment;
}

} // namespace pranoth
