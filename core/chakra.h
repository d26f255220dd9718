#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace pranoth {

using Int16 = std::int16_t;

inline constexpr int ChakraCount = 7;
inline constexpr int QuestionsPerChakra = 8;
inline constexpr int QuestionBankCount = ChakraCount * QuestionsPerChakra; // 56 questions
inline constexpr int ChakraSlots = 8; // per-chakra lists keep one spare slot (7)

// A position counted as the program counts (int), as a std::array index. It
// checks nothing: the caller keeps it in range.
constexpr std::size_t asIndex(int position)
{
    return static_cast<std::size_t>(position);
}

// A line break inside any program text.
inline constexpr std::string_view LineBreak = "\r\n";

// The three answers a user can give; the empty text means "not answered yet".
inline constexpr std::string_view AnswerYes = "Yes";
inline constexpr std::string_view AnswerNo = "No";
inline constexpr std::string_view AnswerNotSure = "Not Sure";

// Display names (also the report's chakra titles), slot 7 empty.
extern const std::array<std::string_view, ChakraSlots> ChakraTitles;

// Question texts by bank number, 0..55; slot 56 stays empty and is never asked.
extern const std::array<std::string_view, QuestionBankCount + 1> QuestionBank;
// Key answers parallel to the bank: "Yes" or "No"; slot 56 empty.
extern const std::array<std::string_view, QuestionBankCount + 1> KeyAnswers;

// Display name of chakra 0..6; the empty text for any other index.
std::string_view chakraDisplayName(int chakra);

// Chakra k owns bank numbers 8k..8k+7.
constexpr int firstBankNumber(int chakra)
{
    return chakra * QuestionsPerChakra;
}
// The chakra of a bank number 0..55, or -1 for a number that belongs to none.
constexpr int chakraOfBankNumber(int bankNumber)
{
    return bankNumber >= 0 && bankNumber < QuestionBankCount ? bankNumber / QuestionsPerChakra : -1;
}

// An answer as the program holds it, from the radio button to the stored
// row: the numbers are the ones a kept result stores.
enum class Answer : std::uint8_t { Unanswered = 0, Yes = 1, No = 2, NotSure = 3 };

// "Yes", "No", "Not Sure"; the empty text for an unanswered question.
std::string_view answerText(Answer answer);
// The key answer of bank number 0..55 ("Yes" or "No"); unanswered for any other.
Answer keyAnswer(int bankNumber);

// Answer options of the questionnaire: 0 = "Yes", 1 = "No", 2 = "Not Sure".
inline constexpr int OptionYes = 0;
inline constexpr int OptionNo = 1;
inline constexpr int OptionNotSure = 2;

// An answer read back as an option: "Yes" is tested first, then "No";
// anything else, an unanswered question included, is "Not Sure".
int optionOfAnswer(Answer answer);
// The answer recorded for a selected option: option 0 first, then 1, else "Not Sure".
Answer answerOfOption(int option);

// Which chakras a run tests, by chakra index: the ticked check boxes.
using ChakraSet = std::array<bool, ChakraCount>;
// The run's selection list: slot k holds k for a ticked chakra and -1 for
// another; the spare slot 7 holds 0.
std::array<Int16, ChakraSlots> chakraSelectionOf(const ChakraSet &ticked);
// The chakras a selection list holds.
ChakraSet tickedOf(const std::array<Int16, ChakraSlots> &selection);

} // namespace pranoth
