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

// Answer options of the questionnaire: 0 = "Yes", 1 = "No", 2 = "Not Sure".
inline constexpr int OptionYes = 0;
inline constexpr int OptionNo = 1;
inline constexpr int OptionNotSure = 2;

// A stored answer read back as an option: "Yes" is tested first, then "No";
// anything else, the empty text included, is "Not Sure".
int optionOfAnswer(std::string_view answer);
// The answer recorded for a selected option: option 0 first, then 1, else "Not Sure".
std::string_view answerOfOption(int option);

} // namespace pranoth
