#include "kept_result.h"

#include <chrono>
#include <cstdio>

namespace pranoth {

bool isWellFormed(const KeptResult &record)
{
    std::array<int, ChakraCount> asked{};
    std::array<bool, QuestionBankCount> seen{};
    for (const AskedQuestion &question : record.run.questions) {
        const int chakra = chakraOfBankNumber(question.bankNumber);
        if (chakra < 0 || !record.run.tested[asIndex(chakra)] ||
            seen[asIndex(question.bankNumber)] || question.answer > Answer::NotSure)
            return false;
        seen[asIndex(question.bankNumber)] = true;
        ++asked[asIndex(chakra)];
    }
    bool any = false;
    for (int k = 0; k < ChakraCount; ++k) {
        if (record.run.tested[asIndex(k)] && asked[asIndex(k)] != QuestionsPerChakra)
            return false;
        any = any || record.run.tested[asIndex(k)];
    }
    return any;
}

std::string isoUtc(std::int64_t secondsUtc)
{
    using namespace std::chrono;
    const sys_seconds moment{seconds{secondsUtc}};
    const sys_days day = floor<days>(moment);
    const year_month_day date{day};
    const hh_mm_ss time{moment - day};
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02u-%02uT%02d:%02d:%02dZ", int(date.year()),
                  unsigned(date.month()), unsigned(date.day()), int(time.hours().count()),
                  int(time.minutes().count()), int(time.seconds().count()));
    return text;
}

std::int64_t testedBits(const ChakraSet &tested)
{
    std::int64_t bits = 0;
    for (int k = 0; k < ChakraCount; ++k)
        bits |= tested[asIndex(k)] ? std::int64_t{1} << k : 0;
    return bits;
}

std::optional<ChakraSet> testedOfBits(std::int64_t bits)
{
    if (bits < 0 || bits >= std::int64_t{1} << ChakraCount)
        return std::nullopt;
    ChakraSet tested{};
    for (int k = 0; k < ChakraCount; ++k)
        tested[asIndex(k)] = (bits >> k & 1) != 0;
    return tested;
}

std::string questionBytes(const std::vector<AskedQuestion> &questions)
{
    std::string bytes;
    bytes.reserve(questions.size());
    for (const AskedQuestion &question : questions)
        bytes += static_cast<char>(question.bankNumber * 4 + static_cast<int>(question.answer));
    return bytes;
}

std::optional<std::vector<AskedQuestion>> questionsOfBytes(std::string_view bytes)
{
    // Every byte a question is kept as, with its key, worked out once: My
    // History reads tens of thousands of them as it opens.
    static const auto stored = [] {
        std::array<AskedQuestion, std::size_t{QuestionBankCount} * 4> questions{};
        for (std::size_t value = 0; value < questions.size(); ++value) {
            const auto bankNumber = static_cast<Int16>(value / 4);
            questions[value] = {bankNumber, keyAnswer(bankNumber), static_cast<Answer>(value % 4)};
        }
        return questions;
    }();
    std::vector<AskedQuestion> questions;
    questions.reserve(bytes.size());
    for (const char byte : bytes) {
        const auto value = static_cast<unsigned char>(byte);
        if (value >= stored.size())
            return std::nullopt;
        questions.push_back(stored[value]);
    }
    return questions;
}

} // namespace pranoth
