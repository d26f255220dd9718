#include "core/opening_instructions.h"
#include "core/report.h"

#include <QTest>

using namespace pranoth;

namespace {

const std::string RootTitle = "Root Chakra (Muladhara)";
const std::string RootDescription =
    "This chakra is the root center at the bottom part of spine, which makes a person feel his "
    "physical strength and his survival instincts.";
const std::string RootAdviceHeading =
    "This Chakra needs to be opened\r\n\r\nTo open Root Chakra: \r\n\r\n";
const std::string RootInstructions =
    "Touch the tips of your thumb and index together. Concentrate on the Root Chakra at the spot "
    "in between the genitals and the anus.\r\n\r\nChant the sound LAM.\r\n\r\n";

// A section's kind and text.
using Part = std::pair<SectionKind, std::string>;

std::vector<Part> sectionsOf(int chakra, Verdict verdict)
{
    std::vector<Section> sections;
    appendChakraSections(sections, chakra, verdict);
    std::vector<Part> parts;
    for (const Section &section : sections) {
        if (section.chakra != chakra || section.verdict != verdict)
            return {};
        parts.emplace_back(section.kind, section.text);
    }
    return parts;
}

std::string plainText(const std::vector<Section> &sections)
{
    std::string all;
    for (const Section &section : sections)
        all += section.text;
    return all;
}

} // namespace

class tst_Report : public QObject {
    Q_OBJECT

private slots:
    void openRootSection()
    {
        const std::vector<Part> expected{
            {SectionKind::ChakraTitle, RootTitle + "\r\n"},
            {SectionKind::ChakraDescription, RootDescription + "\r\n\r\n"},
            {SectionKind::VerdictLine, "Your " + RootTitle + " is Open\r\n"},
            {SectionKind::VerdictText,
             "If this root energy is open you will feel grounded, calm, stable and secure. "
             "Generally you are well behaved do not cause trouble. You have great inner "
             "strength and are generally a comfortable presence.\r\n\r\n"},
        };
        QVERIFY(sectionsOf(0, Verdict::Open) == expected);
    }

    void underActiveRootIsAdvised()
    {
        const std::vector<Part> expected{
            {SectionKind::ChakraTitle, RootTitle + "\r\n"},
            {SectionKind::ChakraDescription, RootDescription + "\r\n\r\n"},
            {SectionKind::VerdictLine, "Your " + RootTitle + " is UnderActive\r\n"},
            {SectionKind::VerdictText,
             "Fear, nervousness, inferiority and shyness are the consequences of an "
             "under-active energy of root chakra.\r\n\r\n"},
            {SectionKind::AdviceHeading, RootAdviceHeading},
            {SectionKind::Advice, RootInstructions},
        };
        QVERIFY(sectionsOf(0, Verdict::UnderActive) == expected);
    }

    void overActiveRootIsAdvised()
    {
        const std::vector<Part> expected{
            {SectionKind::ChakraTitle, RootTitle + "\r\n"},
            {SectionKind::ChakraDescription, RootDescription + "\r\n\r\n"},
            {SectionKind::VerdictLine, "Your " + RootTitle + " is OverActive\r\n"},
            // The over-active text keeps its trailing space.
            {SectionKind::VerdictText,
             "In the over-active state you become greedy and obsessed with being "
             "secure and avoid changes in life. You are materialistic and money "
             "minded. You are too physical and violent. \r\n\r\n"},
            {SectionKind::AdviceHeading, RootAdviceHeading},
            {SectionKind::Advice, RootInstructions},
        };
        QVERIFY(sectionsOf(0, Verdict::OverActive) == expected);
    }

    void instructionBlocksHaveTheirParagraphs()
    {
        const std::string navel = OpeningInstructionBlocks(2);
        QVERIFY(navel.rfind("Put your hands before your stomach, slightly below", 0) == 0);
        QVERIFY(navel.find(".\r\n\r\nConcentrate on the Navel Chakra located on the spine, a bit "
                           "above the level of the navel.\r\n\r\nChant the sound RAM.\r\n\r\n") !=
                std::string::npos);
        for (int k = 0; k < ChakraCount; ++k) {
            const std::string block = OpeningInstructionBlocks(k);
            // Three paragraphs (two for the Root), each closed by two line breaks.
            std::size_t paragraphs = 0;
            for (auto at = block.find("\r\n\r\n"); at != std::string::npos;
                 at = block.find("\r\n\r\n", at + 4))
                ++paragraphs;
            QCOMPARE(paragraphs, k == 0 ? 2U : 3U);
            QVERIFY(block.ends_with("\r\n\r\n"));
            QVERIFY(OpeningHeadings(k).find("\r\n\r\n" + std::string(OpeningHeadingTitles[k]) +
                                            "\r\n\r\n") != std::string::npos);
        }
        QVERIFY(OpeningInstructionBlocks(7).empty());
    }

    void severalSectionsFollowEachOtherDirectly()
    {
        std::vector<Section> sections;
        appendChakraSections(sections, 1, Verdict::Open);
        appendChakraSections(sections, 5, Verdict::OverActive);
        appendChakraSections(sections, 6, Verdict::UnderActive);
        const std::string text = plainText(sections);
        QVERIFY(text.rfind("Sacral Chakra (Swadhisthanna)\r\n", 0) == 0);
        QVERIFY(text.find("cool passion.\r\n\r\nThird Eye Chakra (Ajna)\r\n") != std::string::npos);
        QVERIFY(text.find("Chant the sound OM or AUM.\r\n\r\nCrown Chakra (Sahasrara)\r\n") !=
                std::string::npos);
        QVERIFY(text.ends_with("Chant the sound NG.\r\n\r\n"));
        // An unknown chakra adds nothing.
        const auto before = sections.size();
        appendChakraSections(sections, 7, Verdict::Open);
        QCOMPARE(sections.size(), before);
    }

    void introductionKeepsItsSpaces()
    {
        const std::string intro = resultIntroduction();
        QVERIFY(intro.rfind(std::string(10, ' ') + "Chakras are energy centers", 0) == 0);
        QVERIFY(intro.find("meditation." + std::string(60, ' ') + "It's very important") !=
                std::string::npos);
        QVERIFY(intro.ends_with("open or under-active."));
    }
};

QTEST_APPLESS_MAIN(tst_Report)
#include "tst_report.moc"
