#pragma once

#include "chakra.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace pranoth {

class Platform;

// What the questionnaire window offers the run: a label, the question text
// and the three answer options (0 "Yes", 1 "No", 2 "Not Sure").
class QuestionnaireView {
public:
    virtual ~QuestionnaireView() = default;
    virtual void setLabelText(std::string_view text) = 0;
    virtual void setQuestionText(std::string_view text) = 0;
    virtual void selectOption(int option) = 0;
    virtual int selectedOption() const = 0;
};

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
    Ignored,       // a run was already being built; nothing changed
};

// The one current test run. The lists follow one rule: a list sized for a run
// of N questions has the slots 0..N, the last one spare, so its upper bound is N.
class TestRun {
public:
    // Slot k = k for a ticked chakra, -1 otherwise; slot 7 is spare.
    std::array<Int16, ChakraSlots> ChakraSelection{};
    Int16 QuestionCount = 0;
    std::vector<Int16> SelectedQuestions;
    std::vector<Int16> RunOrder;
    std::vector<std::string> RunKeys;
    std::vector<std::string> RunAnswers;
    // Number of the question on display (1..N); 0 before the first is shown,
    // N + 1 once the last has been answered.
    Int16 CurrentQuestion = 0;

    // The run length N, read from the bound of RunOrder.
    int length() const;

    // Builds a new run from the ticked chakras (index 0..6) and shuffles its
    // questions. Pending events are processed before every random draw, so a
    // second start can arrive meanwhile: it is ignored.
    StartOutcome StartTestRun(const std::array<bool, ChakraCount> &ticked, Platform &platform);

    // The questionnaire window has opened: fills the keys, shows question 1.
    void LoadQuestionnaire(QuestionnaireView &view);

    // Records the selected answer and shows the next question. Returns true
    // when that was the last answer: the run is complete.
    bool NextQuestion(QuestionnaireView &view);

    void PreviousQuestion(QuestionnaireView &view);

    // The label of question `number`, e.g. "Question No. 10 of 56".
    std::string questionLabel(int number) const;

private:
    void shuffle(Platform &platform);
    void showQuestion(QuestionnaireView &view, int position) const;

    bool building_ = false;
};

} // namespace pranoth
