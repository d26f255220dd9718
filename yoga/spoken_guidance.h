#pragma once

#include "core/practice_cues.h"
#include "practice_plan.h"
#include "session_postures.h"

#include <string>
#include <string_view>
#include <vector>

namespace pranoth {

// How a teacher talks a posture through: how to come into it and out of it,
// in a sentence or two each, drawn from its record's procedure.
struct AsanaGuidance {
    std::string_view wayIn;
    std::string_view wayOut;
};

// The guidance of session posture `asana`; empty for any other.
const AsanaGuidance &asanaGuidance(int asana);

enum class GuidanceDetail {
    Full,  // the steps in and out read out
    Brief, // names and phases only
};

// The sentences that say `cue` in a session of `plan`, in the order they are
// said: short ones a teacher would use, each said whole; with `beginner`, of
// the beginner's form where a posture has one. Before a posture with
// cautions they are said in short.
std::vector<std::string> phrasesFor(const SpokenCue &cue, const PracticePlan &plan,
                                    GuidanceDetail detail, bool beginner);

// What Read aloud says of posture `asana`: its names, then each step of its
// procedure; nothing for an unknown one.
std::vector<std::string> procedurePhrases(int asana);

// A length as it is said: "15 seconds", "1 minute", "2 minutes 5 seconds".
std::string spokenDuration(int seconds);

// The sentences of a text: split after each full stop, question or
// exclamation mark that ends a sentence, each without its surrounding spaces.
std::vector<std::string> sentencesOf(std::string_view text);

} // namespace pranoth
