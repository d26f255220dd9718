#pragma once

#include "chakra.h"
#include "section.h"
#include "verdict.h"

#include <array>
#include <string>
#include <vector>

namespace pranoth {

// One question of a completed run, in the order it was asked.
struct AskedQuestion {
    Int16 bankNumber = 0;
    Answer key = Answer::Unanswered;
    Answer answer = Answer::Unanswered;
    friend bool operator==(const AskedQuestion &, const AskedQuestion &) = default;
};

// What the user did in a test run: the chakras tested and every question
// asked with its key and the answer given.
struct CompletedRun {
    ChakraSet tested{};
    std::vector<AskedQuestion> questions;
    friend bool operator==(const CompletedRun &, const CompletedRun &) = default;
};

// Whether an answer matches its key: an unanswered question never matches,
// even against a missing key.
constexpr bool answerMatches(Answer answer, Answer key)
{
    return answer != Answer::Unanswered && answer == key;
}

// score / 8 * 100 rounded to the nearest whole number, a half going to the
// even neighbour: 1 -> 12, 3 -> 38, 5 -> 62, 7 -> 88.
Int16 barPercent(int score);

// Height of a bar of the given percentage, from the design height, in the
// units of that height.
float barHeight(float designHeight, int percent);

// What the assessment says of one chakra.
struct ChakraAssessment {
    bool tested = false;
    int asked = 0;   // its questions in the run: 8 when it was tested, else 0
    int matched = 0; // answers equal to the key
    int notSure = 0; // "Not Sure" answers, which never match
    Int16 barPercent = 0;
    Verdict verdict = Verdict::UnderActive;

    // The chakra's score: its answers that matched the key.
    int score() const { return matched; }
    // Tested and not open: yoga is recommended for it.
    bool needsYoga() const { return tested && verdict != Verdict::Open; }
    friend bool operator==(const ChakraAssessment &, const ChakraAssessment &) = default;
};

// The result of a completed run: per chakra, whether it was tested and how
// its answers scored, and the report, section by section. Every window and
// document that shows a result shows one of these.
struct Assessment {
    std::array<ChakraAssessment, ChakraCount> chakras{};
    std::vector<Section> report;

    // The chakras that need yoga, in the yoga plan's form (slot 7 spare).
    std::array<bool, ChakraSlots> yogaNeeded() const;
    bool needsYoga() const;
    friend bool operator==(const Assessment &, const Assessment &) = default;
};

// Scores every chakra from its own questions and writes the report: the
// introduction, then for each tested chakra in chakra order its title and
// description, its verdict and, when it is not open, the advice to open it.
Assessment assess(const CompletedRun &run);

} // namespace pranoth
