#include "report.h"

#include "opening_instructions.h"

#include <string>

namespace pranoth {

// Every text is kept exactly, including the trailing space of the Root
// over-active text.
const std::array<std::string_view, ChakraSlots> ChakraDescriptions = {
    "This chakra is the root center at the bottom part of spine, which makes a person feel his "
    "physical strength and his survival instincts.",
    "This chakra is located just above the root chakra, which controls or stimulates the sexual "
    "desires, emotions and creativity.",
    "The name itself suggests the location of this chakra, which is at the level of the navel. It "
    "controls the basic character of the person, which includes your energy and power.",
    "World treats heart as the symbol of love and it is in fact, because the heart guides humble "
    "people. This chakra is all about love, affection and kindness.",
    "This chakra is all about expressing oneself and the kind of verbal behavior. This describes "
    "the growth of a person in terms of expression and communication.",
    "This state governs the nature of approach and vision of a person.",
    "This chakra is all about perception and intelligence and your spiritual nature.",
    "",
};

const std::array<std::string_view, ChakraSlots> UnderActiveTexts = {
    "Fear, nervousness, inferiority and shyness are the consequences of an under-active energy of "
    "root chakra.",
    "In under-active state of this chakra makes you a pessimist, shy and inferior. You have a low "
    "sex drive and do not enjoy life. You may become very reserved and moody.",
    "The under-active makes you inactive and hesitant. Some fear always acts in the mind.",
    "In an under-active state you are reserved and very calm and suppress your feelings.",
    "When this chakra is under-active you may be an introvert and shy and sometimes hide the "
    "truth.",
    "You get confused and are dependent on others in the under-active state. You may be "
    "indecisive.",
    "Under-active state builds stubborn thinking in you and makes you unaware of spirituality.",
    "",
};

const std::array<std::string_view, ChakraSlots> OpenTexts = {
    "If this root energy is open you will feel grounded, calm, stable and secure. Generally you "
    "are well behaved do not cause trouble. You have great inner strength and are generally a "
    "comfortable presence.",
    "In open state this very center, maintains the level of feelings in a free flow manner, not "
    "making person very emotional. The individual behaves more lively with cool passion.",
    "Open state of this chakra shows a balanced person with good self-esteem and confidence. You "
    "will be in control but not domineering.",
    "In an open state of this chakra you are very friendly, loving, sympathetic and maintain "
    "compassionate relations with others.",
    "In open you are bold enough to express your feelings. You have a clear mind and a "
    "compassionate heart.",
    "When it is open you will have a good perception of things and a sound judgment.",
    "Open state makes you neutral and quite conscious about the real world around you.",
    "",
};

const std::array<std::string_view, ChakraSlots> OverActiveTexts = {
    "In the over-active state you become greedy and obsessed with being secure and avoid changes "
    "in life. You are materialistic and money minded. You are too physical and violent. ",
    "In case of over-active state you get emotionally attached to your near and dears and possess "
    "wild sexual desires.",
    "Over-active state of this chakra makes you want to become powerful and you may be a "
    "dominating and aggressive person.",
    "In an over-active state you are highly emotional, act by showing love for your own benefit, "
    "behave in a selfish manner and may be very moody.",
    "In an over-active state you tend to speak too much being bad listeners, critical and "
    "sarcastic in nature.",
    "In over-active state you may tend to wander in the world fantasies and may be moody.",
    "Over-active state makes you overconfident and proud of your intelligence. You believe "
    "spirituality is the only need in life, ignoring their other basic needs of life.",
    "",
};

// The heading of each chakra's opening advice, ending with a colon and a space.
const std::array<std::string_view, ChakraSlots> OpeningHeadingTitles = {
    "To open Root Chakra: ",   "To open Sacral Chakra: ",
    "To open Navel Chakra: ",  "To open Heart Chakra: ",
    "To open Throat Chakra: ", "To open Third Eye Chakra: ",
    "To open Crown Chakra: ",  "",
};

const std::array<std::string_view, 2> ChakraIntroText = {
    "Chakras are energy centers aligned in a vertical line through the center of the body and "
    "responsible for the state of our mind, body and spirit. These are seven nerve centers along "
    "the spine, which balances our endocrine and central nervous system and are called 'chakras' "
    "(Sanskrit term). Whoever can control and maintain stability of these inner energies is the "
    "one who is blessed with a holy life, they are said to be mahatmas (Sanskrit) or holy souls "
    "with high power of practicing meditation.",
    "It's very important that all Chakras are active and balanced for them to work at the maximum "
    "level and for general well being. Chakra balancing is needed to overcome deficient "
    "functioning of the mind, body and spirit. Chakras are over-active, open or under-active.",
};

namespace {

std::string concat(std::initializer_list<std::string_view> parts)
{
    std::string text;
    for (const std::string_view part : parts)
        text += part;
    return text;
}
} // namespace

std::string OpeningHeadings(int chakra)
{
    if (chakra < 0 || chakra >= ChakraCount)
        return {};
    return concat({"This Chakra needs to be opened", LineBreak, LineBreak,
                   OpeningHeadingTitles[asIndex(chakra)], LineBreak, LineBreak});
}

std::string resultIntroduction()
{
    return std::string(10, ' ') + std::string(ChakraIntroText[0]) + std::string(60, ' ') +
           std::string(ChakraIntroText[1]);
}

void appendChakraSections(std::vector<Section> &report, int chakra, Verdict verdict)
{
    if (chakra < 0 || chakra >= ChakraCount)
        return;
    const std::string_view title = ChakraTitles[asIndex(chakra)];
    const auto add = [&](SectionKind kind, std::string text) {
        report.push_back({kind, chakra, verdict, std::move(text)});
    };

    add(SectionKind::ChakraTitle, concat({title, LineBreak}));
    add(SectionKind::ChakraDescription,
        concat({ChakraDescriptions[asIndex(chakra)], LineBreak, LineBreak}));
    add(SectionKind::VerdictLine,
        concat({"Your ", title, " is ", verdictName(verdict), LineBreak}));
    const auto &texts = verdict == Verdict::UnderActive ? UnderActiveTexts
                        : verdict == Verdict::Open      ? OpenTexts
                                                        : OverActiveTexts;
    add(SectionKind::VerdictText, concat({texts[asIndex(chakra)], LineBreak, LineBreak}));
    if (verdict == Verdict::Open)
        return;
    add(SectionKind::AdviceHeading, OpeningHeadings(chakra));
    add(SectionKind::Advice, OpeningInstructionBlocks(chakra));
}

} // namespace pranoth
