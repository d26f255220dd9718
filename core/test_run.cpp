#include "test_run.h"

#include "platform.h"

#include <algorithm>
#include <cmath>

namespace pranoth {

bool IsValueInArray(Int16 value, const std::vector<Int16> &list)
{
    if (!IsArrayInitialised(list))
        return false;
    return std::find(list.begin(), list.end(), value) != list.end();
}

int TestRun::length() const
{
    return RunOrder.empty() ? 0 : static_cast<int>(RunOrder.size()) - 1;
}

std::string TestRun::questionLabel(int number) const
{
    return "Question No. " + std::to_string(number) + " of " + std::to_string(length());
}

StartOutcome TestRun::StartTestRun(const ChakraSet &ticked, Platform &platform)
{
    SelectedQuestions.clear();
    RunKeys.clear();
    QuestionCount = 0;
    int unticked = 0;

    ChakraSelection = chakraSelectionOf(ticked);
    for (int k = 0; k < ChakraCount; ++k) {
        if (ChakraSelection[asIndex(k)] == -1)
            ++unticked;
        else
            QuestionCount = static_cast<Int16>(QuestionCount + QuestionsPerChakra);
    }

    if (unticked == ChakraCount) {
        platform.showMessage("Please select at least one chakra", MessageIcon::Critical,
                             MessageButtons::Ok);
        return StartOutcome::NothingTicked;
    }

    const int n = QuestionCount;
    SelectedQuestions.assign(asIndex(n + 1), 0);
    int write = 0;
    for (int k = 0; k < ChakraCount; ++k) {
        if (ChakraSelection[asIndex(k)] == -1)
            continue;
        for (int q = 0; q < QuestionsPerChakra; ++q)
            SelectedQuestions[asIndex(write++)] = static_cast<Int16>(firstBankNumber(k) + q);
    }

    RunOrder.assign(asIndex(n + 1), 0);
    RunKeys.assign(asIndex(n + 1), Answer::Unanswered);
    RunAnswers.assign(asIndex(n + 1), Answer::Unanswered);

    platform.seedRandomFromClock();
    shuffle(platform);
    return StartOutcome::Started;
}

void TestRun::shuffle(Platform &platform)
{
    const int n = QuestionCount;

    // First stage: a random permutation of 1..N, each value drawn until it is new.
    for (int i = 0; i < n; ++i) {
        Int16 r = 0;
        do {
            const double u = platform.uniformRandom();
            // A source that strays outside [0, 1) must not put a value
            // outside 1..N into the list, so the draw is clamped.
            const double drawn = std::floor(n * u + 1);
            r = static_cast<Int16>(std::clamp(drawn, 1.0, static_cast<double>(n)));
        } while (IsValueInArray(r, RunOrder));
        RunOrder[asIndex(i)] = r;
    }

    // Second stage: N becomes 0, leaving a permutation of 0..N-1.
    for (int i = 0; i < n; ++i) {
        if (RunOrder[asIndex(i)] == n) {
            RunOrder[asIndex(i)] = 0;
            break;
        }
    }

    // Third stage, in place: each position value i becomes the i-th selected
    // bank number. A bank number written earlier can equal a later i and be
    // found first; every step still swaps one i for one selected number.
    const auto used = RunOrder.begin() + n;
    for (int i = 0; i < n; ++i) {
        const auto found = std::find(RunOrder.begin(), used, static_cast<Int16>(i));
        if (found != used)
            *found = SelectedQuestions[asIndex(i)];
    }
}

std::string_view TestRun::questionAt(int position) const
{
    return QuestionBank[asIndex(RunOrder[asIndex(position)])];
}

QuestionScreen TestRun::LoadQuestionnaire()
{
    CurrentQuestion = 0;
    const int n = length();
    if (n == 0)
        return {};
    for (int p = 0; p < n; ++p)
        RunKeys[asIndex(p)] = keyAnswer(RunOrder[asIndex(p)]);
    CurrentQuestion = 1;
    return {"Question No. 1 of " + std::to_string(n), questionAt(0), std::nullopt};
}

NextStep TestRun::NextQuestion(Answer answer)
{
    const int m = CurrentQuestion;
    const int n = length();
    if (m < 1 || m > n)
        return {};

    RunAnswers[asIndex(m - 1)] = answer;
    if (m < n) {
        CurrentQuestion = static_cast<Int16>(m + 1);
        return {QuestionScreen{questionLabel(m + 1), questionAt(m), std::nullopt}};
    }
    CurrentQuestion = static_cast<Int16>(n + 1);
    return {std::nullopt, true};
}

std::optional<QuestionScreen> TestRun::PreviousQuestion()
{
    const int m = CurrentQuestion;
    const int n = length();
    if (m == 1)
        return QuestionScreen{std::nullopt, questionAt(0), RunAnswers[0]};
    if (m >= 2 && m <= n) {
        CurrentQuestion = static_cast<Int16>(m - 1);
        return QuestionScreen{questionLabel(m - 1), questionAt(m - 2), std::nullopt};
    }
    return std::nullopt;
}

CompletedRun TestRun::completedRun() const
{
    CompletedRun run;
    run.tested = tickedOf(ChakraSelection);
    const int n = length();
    run.questions.reserve(asIndex(n));
    for (int p = 0; p < n; ++p)
        run.questions.push_back(
            {RunOrder[asIndex(p)], RunKeys[asIndex(p)], RunAnswers[asIndex(p)]});
    return run;
}

} // namespace pranoth
