#pragma once

// Kept results made up from a number, the same in the test and its helper.

#include "core/kept_result.h"

namespace pranoth::testing {

inline KeptResult sampleResult(int n)
{
    KeptResult record;
    record.keptAtUtc = 1'780'000'000 + static_cast<std::int64_t>(n) * 3600;
    record.programVersion = "1.15";
    const int ticks = n % 127 + 1;
    for (int k = 0; k < ChakraCount; ++k) {
        record.run.tested[asIndex(k)] = (ticks >> k & 1) != 0;
        for (int q = 0; record.run.tested[asIndex(k)] && q < QuestionsPerChakra; ++q) {
            const int bank = firstBankNumber(k) + (q * 3 + n) % QuestionsPerChakra;
            record.run.questions.push_back(
                {static_cast<Int16>(bank), keyAnswer(bank), static_cast<Answer>((n + bank) % 4)});
        }
    }
    return record;
}

} // namespace pranoth::testing
