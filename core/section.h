#pragma once

#include "verdict.h"

#include <string>

namespace pranoth {

// The parts of the texts the program shows (the result report and a
// posture's record), by what they are. The text of each is the program's
// own, line breaks (CR LF) included; how a part looks (bold, colour) is for
// whoever shows it to decide from its kind.
enum class SectionKind {
    Introduction,      // the introduction to chakras
    ChakraTitle,       // a tested chakra's display name
    ChakraDescription, // what the chakra is about
    VerdictLine,       // "Your ... is Open"
    VerdictText,       // what the verdict means
    AdviceHeading,     // "This Chakra needs to be opened", "To open ...: "
    Advice,            // hand position, concentration and chant
    PostureHeading,    // "Asanas Name", "Description", ... of a posture's record
    PostureName,       // the posture's name under its heading
    PostureText,       // the text under a heading
};

struct Section {
    SectionKind kind = SectionKind::Introduction;
    int chakra = -1; // the chakra a report section is about; -1 for any other
    Verdict verdict = Verdict::Open;
    std::string text;
    friend bool operator==(const Section &, const Section &) = default;
};

} // namespace pranoth
