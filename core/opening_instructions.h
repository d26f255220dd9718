#pragma once

#include "chakra.h"

#include <array>
#include <string>
#include <string_view>

namespace pranoth {

// How to open a chakra: a hand position (mudra), where to concentrate and
// what to chant. For the Root chakra the hand position text already holds
// the concentration, and `concentration` is empty.
struct ChakraOpeningInstructionTexts {
    std::string_view handPosition;
    std::string_view concentration;
    std::string_view chant;
};

// By chakra index 0..6.
extern const std::array<ChakraOpeningInstructionTexts, ChakraCount> ChakraOpeningInstruction;

// The instruction texts of a chakra as one block: hand position,
// concentration (when it has its own text) and chant, each followed by two
// line breaks. Empty for an index outside 0..6.
std::string OpeningInstructionBlocks(int chakra);

} // namespace pranoth
