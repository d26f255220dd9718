#pragma once

#include "chakra.h"
#include "section.h"
#include "verdict.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace pranoth {

// Result texts by chakra index; slot 7 of each stays empty.
extern const std::array<std::string_view, ChakraSlots> ChakraDescriptions;
extern const std::array<std::string_view, ChakraSlots> UnderActiveTexts;
extern const std::array<std::string_view, ChakraSlots> OpenTexts;
extern const std::array<std::string_view, ChakraSlots> OverActiveTexts;
extern const std::array<std::string_view, ChakraSlots> OpeningHeadingTitles;

// The two paragraphs of the result window's introduction.
extern const std::array<std::string_view, 2> ChakraIntroText;

// "This Chakra needs to be opened", two line breaks, the chakra's heading
// title, two line breaks. Empty for an index outside 0..6.
std::string OpeningHeadings(int chakra);

// The introduction as the result window shows it: ten spaces, the first
// paragraph, sixty spaces, the second paragraph.
std::string resultIntroduction();

// Appends chakra k's sections for its verdict: title, description, verdict
// line and text, and for a chakra that is not open the advice heading and
// the advice. Nothing for an index outside 0..6.
void appendChakraSections(std::vector<Section> &report, int chakra, Verdict verdict);

} // namespace pranoth
