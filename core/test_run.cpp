#include "test_run.h"

#include "platform.h"

#include <algorithm>
#include <cmath>

namespace pranoth {

namespace {

// Clears a flag when the scope ends, however it ends.
class FlagGuard {
public:
    explicit FlagGuard(bool &flag) : flag_(flag) { flag_ = true; }
    ~FlagGuard() { flag_ = false; }
    FlagGuard(const FlagGuard &) = delete;
    FlagGuard &operator=(const FlagGuard &) = delete;

private:
    bool &flag_;
};

} // namespace

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

StartOutcome TestRun::StartTestRun(const std::array<bool, ChakraCount> &ticked, Platform &platform)
{
    if (building_)
        return StartOutcome::Ignored;
    const FlagGuard building(building_);

    ChakraSelection.fill(0);
    SelectedQuestions.clear();
    RunKeys.clear();
    QuestionCount = 0;
    int unticked = 0;

    for (int k = 0; k < ChakraCount; ++k)
        ChakraSelection[asIndex(k)] = static_cast<Int16>(ticked[asIndex(k)] ? k : -1);
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
    RunKeys.assign(asIndex(n + 1), std::string{});
    RunAnswers.assign(asIndex(n + 1), std::string{});

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
            platform.processPendingEvents();
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

void TestRun::showQuestion(QuestionnaireView &view, int position) const
{
    view.setQuestionText(QuestionBank[asIndex(RunOrder[asIndex(position)])]);
}

void TestRun::LoadQuestionnaire(QuestionnaireView &view)
{
    CurrentQuestion = 0;
    const int n = length();
    if (n == 0)
        return;
    for (int p = 0; p < n; ++p)
        RunKeys[asIndex(p)] = std::string(KeyAnswers[asIndex(RunOrder[asIndex(p)])]);
    view.setLabelText("Question No. 1 of " + std::to_string(n));
    showQuestion(view, 0);
    CurrentQuestion = 1;
}

bool TestRun::NextQuestion(QuestionnaireView &view)
{
    const int m = CurrentQuestion;
    const int n = length();
    if (m < 1 || m > n)
        return false;

    RunAnswers[asIndex(m - 1)] = std::string(answerOfOption(view.selectedOption()));
    if (m < n) {
        view.setLabelText(questionLabel(m + 1));
        showQuestion(view, m);
        CurrentQuestion = static_cast<Int16>(m + 1);
        return false;
    }
    CurrentQuestion = static_cast<Int16>(n + 1);
    return true;
}

void TestRun::PreviousQuestion(QuestionnaireView &view)
{
    const int m = CurrentQuestion;
    const int n = length();
    if (m == 1) {
        showQuestion(view, 0);
        view.selectOption(optionOfAnswer(RunAnswers[0]));
    } else if (m >= 2 && m <= n) {
        view.setLabelText(questionLabel(m - 1));
        CurrentQuestion = static_cast<Int16>(m - 1);
        showQuestion(view, m - 2);
    }
}

} // namespace pranoth
