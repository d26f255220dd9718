#pragma once

namespace pranoth {

class TestRun;

// How one chakra's answers of a run compare with the key.
struct AnswerTally {
    int asked = 0;   // the chakra's questions in the run: 8 when it was ticked, else 0
    int matched = 0; // answers equal to the key: the chakra's score
    int notSure = 0; // "Not Sure" answers, which never match
    friend bool operator==(const AnswerTally &, const AnswerTally &) = default;
};

// Counts chakra `chakra`'s answers of a run as the assessment scores them: an
// answer matches when it is given and equals the key of its position.
AnswerTally tallyAnswers(const TestRun &run, int chakra);

} // namespace pranoth
