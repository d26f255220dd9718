#pragma once

#include "chakra.h"
#include "verdict.h"

#include <array>
#include <string_view>

namespace pranoth {

class RichTextWriter;
class TestRun;

// Whether a given answer matches its key: an unanswered position never
// matches, even against a missing key.
inline bool answerMatches(std::string_view answer, std::string_view key)
{
    return !answer.empty() && answer == key;
}

// score / 8 * 100 rounded to the nearest whole number, a half going to the
// even neighbour: 1 -> 12, 3 -> 38, 5 -> 62, 7 -> 88.
Int16 barPercent(int score);

// Height of a bar of the given percentage, from the design height, in the
// units of that height.
float barHeight(float designHeight, int percent);

// The outcome of the last assessment, program-wide.
struct ChakraResults {
    std::array<Int16, ChakraSlots> ChakraScores{};
    // True for an assessed chakra that is not open; cleared when the result
    // window closes.
    std::array<bool, ChakraSlots> yogaNeeded{};

    void clearYogaNeeded() { yogaNeeded.fill(false); }
};

// What the assessment needs of the result window.
class ResultView {
public:
    virtual ~ResultView() = default;
    // Sizes bar `chakra` to `percent` of its design height and shows it.
    virtual void sizeAndShowBar(int chakra, int percent) = 0;
    virtual RichTextWriter &report() = 0;
    // Shows the filled window, not modal.
    virtual void showResult() = 0;
};

// Scores the answer sheet of a completed run, fills the result view (bars,
// one report section per ticked chakra) and shows it.
void AssessTestRun(const TestRun &run, ChakraResults &results, ResultView &view);

// What completing a run needs of the program: a new result window, and the
// navigation close of the questionnaire window.
class RunCompletionHost {
public:
    virtual ~RunCompletionHost() = default;
    virtual ResultView &createResultWindow() = 0;
    virtual void closeQuestionnaire() = 0;
};

// After the last answer: the assessment, which shows the result window, then
// the questionnaire window closes.
void CompleteTestRun(const TestRun &run, ChakraResults &results, RunCompletionHost &host);

} // namespace pranoth
