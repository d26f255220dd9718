#pragma once

#include "assessment.h"
#include "chakra.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pranoth {

// A completed test run with the time it was completed: shown, and kept in
// My History when the user asks. Only what the user did is kept; scores and
// verdicts are worked out again by the assessment whenever they are shown, so
// a change of scoring applies to old results too.
struct KeptResult {
    std::int64_t id = 0;        // the store's number for it; 0 before it is kept
    std::int64_t keptAtUtc = 0; // seconds since 1970-01-01T00:00:00Z
    std::string programVersion; // e.g. "1.15"
    CompletedRun run;
    friend bool operator==(const KeptResult &, const KeptResult &) = default;
};

// True when every asked question is a bank question of a tested chakra,
// asked once, and every tested chakra had all its questions
// asked: a record read from a file is trusted only then.
bool isWellFormed(const KeptResult &record);

// "2026-12-07T10:30:00Z".
std::string isoUtc(std::int64_t secondsUtc);

// The forms a store keeps: the tested chakras as bits (chakra k is bit k), and
// the questions as one byte each, in the order asked: bank number * 4 + the
// answer (0 unanswered, 1 "Yes", 2 "No", 3 "Not Sure"); the keys are today's.
// Reading gives none for anything that is not such a form.
std::int64_t testedBits(const ChakraSet &tested);
std::optional<ChakraSet> testedOfBits(std::int64_t bits);
std::string questionBytes(const std::vector<AskedQuestion> &questions);
std::optional<std::vector<AskedQuestion>> questionsOfBytes(std::string_view bytes);

} // namespace pranoth
