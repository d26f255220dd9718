#pragma once

#include "assessment.h"
#include "chakra.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pranoth {

class Platform;

// A resizable list has bounds once it has been sized; an unsized list is empty.
template <typename List> bool IsArrayInitialised(const List &list)
{
    return !list.empty();
}

// False for a list without bounds; otherwise whether any slot holds the value.
bool IsValueInArray(Int16 value, const std::vector<Int16> &list);

enum class StartOutcome {
    Started,       // the run is built; the questionnaire window opens next
    NothingTicked, // the user was told to tick a chakra
};

// What the questionnaire window shows next.
struct QuestionScreen {
    std::optional<std::string> label; // none: the label stays as it is
    std::string_view question;
    std::optional<Answer> selected; // the answer to select; none: the options stay as they are
    friend bool operator==(const QuestionScreen &, const QuestionScreen &) = default;
};

// What Next leads to: the next question, or the end of the run.
struct NextStep {
    std::optional<QuestionScreen> question;
    bool completed = false; // that was the last answer
    friend bool operator==(const NextStep &, const NextStep &) = default;
};

// The one current test run: a state machine that is given the user's
// answers and says what to show next. The lists follow one rule: a list
// sized for a run of N questions has the slots 0..N, the last one spare, so
// its upper bound is N.
class TestRun {
public:
    // Slot k = k for a ticked chakra, -1 otherwise; slot 7 is spare.
    std::array<Int16, ChakraSlots> ChakraSelection{};
    Int16 QuestionCount = 0;
    std::vector<Int16> SelectedQuestions;
    std::vector<Int16> RunOrder;
    std::vector<Answer> RunKeys;
    std::vector<Answer> RunAnswers;
    // Number of the question on display (1..N); 0 before the first is shown,
    // N + 1 once the last has been answered.
    Int16 CurrentQuestion = 0;

    // The run length N, read from the bound of RunOrder.
    int length() const;

    // Builds a new run from the ticked chakras and shuffles its questions.
    StartOutcome StartTestRun(const ChakraSet &ticked, Platform &platform);

    // The questionnaire window has opened: fills the keys; question 1.
    QuestionScreen LoadQuestionnaire();

    // Records the answer: the next question, or the run is complete. Nothing
    // happens before the first question or after the last answer.
    NextStep NextQuestion(Answer answer);

    // Steps back; none when there is nothing to change on screen.
    std::optional<QuestionScreen> PreviousQuestion();

    // The label of question `number`, e.g. "Question No. 10 of 56".
    std::string questionLabel(int number) const;

    // The chakras tested and, per run position, the question, its key and
    // the answer given.
    CompletedRun completedRun() const;

private:
    void shuffle(Platform &platform);
    std::string_view questionAt(int position) const;
};

} // namespace pranoth
