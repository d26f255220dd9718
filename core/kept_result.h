#pragma once

#include "chakra.h"
#include "rich_text.h"
#include "scoring.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pranoth {

class RichTextWriter;
class TestRun;

// An answer as kept: one byte, so that thousands of kept results stay small.
enum class KeptAnswer : std::uint8_t { Unanswered, Yes, No, NotSure };

// One asked question of a kept result, in the order it was asked.
struct KeptQuestion {
    Int16 bankNumber = 0;
    KeptAnswer answer = KeptAnswer::Unanswered;
    friend bool operator==(const KeptQuestion &, const KeptQuestion &) = default;
};

// A completed test run kept in My History. Only what the user did is kept:
// the scores are worked out again whenever they are needed, so a change of
// scoring applies to old results too.
struct KeptResult {
    std::int64_t id = 0;        // the store's number for it; 0 before it is kept
    std::int64_t keptAtUtc = 0; // seconds since 1970-01-01T00:00:00Z
    std::string programVersion; // e.g. "1.15"
    std::array<bool, ChakraCount> ticked{};
    std::vector<KeptQuestion> questions;
    friend bool operator==(const KeptResult &, const KeptResult &) = default;
};

// The score (0..8) of each chakra, none for a chakra that was not tested.
using KeptScores = std::array<std::optional<int>, ChakraCount>;

// The record of a completed run, kept at the given time.
KeptResult keptResultOf(const TestRun &run, std::int64_t keptAtUtc, std::string_view version);

// True when every asked question is a bank question of a ticked chakra, asked
// once, and every ticked chakra had all its questions asked: a record read
// from a file is trusted only then.
bool isWellFormed(const KeptResult &record);

// The run the record was made from, as far as scoring needs it; the keys are
// today's key answers.
TestRun runOf(const KeptResult &record);

// The record scored by today's assessment.
KeptScores scoresOf(const KeptResult &record);

// The result window's introduction text, in the colour it shows it.
inline constexpr Rgb IntroductionColour{128, 0, 128};

// Writes the record's report, section by section, exactly as the result window
// showed it; with the introduction first when asked, followed by a blank line.
void writeKeptReport(RichTextWriter &writer, const KeptResult &record,
                     bool withIntroduction = false);

// "2026-12-07T10:30:00Z".
std::string isoUtc(std::int64_t secondsUtc);

// The records as comma-separated values (RFC 4180, UTF-8, CR LF line ends): a
// header row, then one row per record: the date and time (UTC), then the
// score (0..8) and verdict of each chakra, both blank for an untested one.
std::string keptResultsCsv(const std::vector<KeptResult> &records);

// The forms a store keeps: the ticked chakras as bits (chakra k is bit k), and
// the questions as one byte each, in the order asked: bank number * 4 + the
// answer (0 unanswered, 1 "Yes", 2 "No", 3 "Not Sure"). Reading gives none
// for anything that is not such a form.
std::int64_t tickedBits(const std::array<bool, ChakraCount> &ticked);
std::optional<std::array<bool, ChakraCount>> tickedOfBits(std::int64_t bits);
std::string questionBytes(const std::vector<KeptQuestion> &questions);
std::optional<std::vector<KeptQuestion>> questionsOfBytes(std::string_view bytes);

} // namespace pranoth
