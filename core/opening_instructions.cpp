#include "opening_instructions.h"

namespace pranoth {

const std::array<ChakraOpeningInstructionTexts, ChakraCount> ChakraOpeningInstruction = {{
    // Root
    {"Touch the tips of your thumb and index together. Concentrate on the Root Chakra at the spot "
     "in between the genitals and the anus.",
     "", "Chant the sound LAM."},
    // Sacral
    {"Put your hands in your lap, palms up, on top of each other and left hand underneath, its "
     "palm touching the back of the fingers of the right hand. The tips of the thumbs touch "
     "gently.",
     "Concentrate on the Sacral Chakra at the sacral bone (on the lower back).",
     "Chant the sound VAM."},
    // Navel
    {"Put your hands before your stomach, slightly below your solar plexus. Let the fingers join "
     "at the tops, all pointing away from you. Cross the thumbs. It is important to straighten the "
     "fingers.",
     "Concentrate on the Navel Chakra located on the spine, a bit above the level of the navel.",
     "Chant the sound RAM."},
    // Heart
    {"Position yourself sitting cross-legged. Let the tips of your index finger and thumb touch. "
     "Put your left hand on your left knee and your right hand in front of the lower part of your "
     "breast bone (so a bit above the solar plexus).",
     "Concentrate on the Heart Chakra at the spine, level with the heart.",
     "Chant the sound YAM (as this mudra is particularly powerful, this may not be needed)."},
    // Throat
    {"Cross your fingers within your hands, without the thumbs. Let the thumbs touch at the tops, "
     "and pull them slightly up.",
     "Concentrate on the Throat Chakra at the base of the throat.", "Chant the sound HAM."},
    // Third Eye
    {"Put your hands before the lower part of your breast. The middle fingers are straight and "
     "touch at the tops, pointing forward. The other fingers are bended and touch at the upper two "
     "phalanges. The thumbs must point towards you and touching at the top.",
     "Concentrate on the Third Eye Chakra slightly above the point between the eyebrows.",
     "Chant the sound OM or AUM."},
    // Crown
    {"Put your hands before your stomach. Let the ring fingers point up, touching at their tops. "
     "Cross the rest of your fingers, with the left thumb underneath the right.",
     "Concentrate on the Crown Chakra at the top of your head.", "Chant the sound NG."},
}};

std::string OpeningInstructionBlocks(int chakra)
{
    if (chakra < 0 || chakra >= static_cast<int>(ChakraOpeningInstruction.size()))
        return {};
    const auto &texts = ChakraOpeningInstruction[asIndex(chakra)];
    std::string block;
    for (const std::string_view text : {texts.handPosition, texts.concentration, texts.chant}) {
        if (text.empty())
            continue;
        block += text;
        block += LineBreak;
        block += LineBreak;
    }
    return block;
}

} // namespace pranoth
