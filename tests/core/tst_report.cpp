#include "fakes.h"

#include "core/opening_instructions.h"
#include "core/report.h"

#include <QTest>

using namespace pranoth;
using namespace pranoth::testing;

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

std::vector<TextRun> sectionOf(int chakra, Verdict verdict)
{
    RecordingWriter writer;
    appendChakraSection(writer, chakra, verdict);
    return writer.runs;
}

void compareRuns(const std::vector<TextRun> &actual, const std::vector<TextRun> &expected)
{
    QCOMPARE(actual.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        QCOMPARE(actual[i].text, expected[i].text);
        QCOMPARE(actual[i].bold, expected[i].bold);
        QVERIFY2(actual[i].colour == expected[i].colour, qPrintable(QString::number(i)));
    }
}

} // namespace

class tst_Report : public QObject {
    Q_OBJECT

private slots:
    void openRootSection()
    {
        compareRuns(
            sectionOf(0, Verdict::Open),
            {
                {true, Teal, RootTitle + "\r\n"},
                {false, Black, RootDescription + "\r\n\r\n"},
                {true, Teal, "Your " + RootTitle + " is Open\r\n"},
                {false, Black,
                 "If this root energy is open you will feel grounded, calm, stable and secure. "
                 "Generally you are well behaved do not cause trouble. You have great inner "
                 "strength and are generally a comfortable presence.\r\n\r\n"},
            });
    }

    void underActiveAdviceIsDarkRed()
    {
        compareRuns(sectionOf(0, Verdict::UnderActive),
                    {
                        {true, Teal, RootTitle + "\r\n"},
                        {false, Black, RootDescription + "\r\n\r\n"},
                        {true, Teal, "Your " + RootTitle + " is UnderActive\r\n"},
                        {false, Black,
                         "Fear, nervousness, inferiority and shyness are the consequences of an "
                         "under-active energy of root chakra.\r\n\r\n"},
                        {true, DarkRed, RootAdviceHeading},
                        {false, DarkRed, RootInstructions},
                    });
    }

    void overActiveAdviceIsBlack()
    {
        compareRuns(sectionOf(0, Verdict::OverActive),
                    {
                        {true, Teal, RootTitle + "\r\n"},
                        {false, Black, RootDescription + "\r\n\r\n"},
                        {true, Teal, "Your " + RootTitle + " is OverActive\r\n"},
                        // The over-active text keeps its trailing space.
                        {false, Black,
                         "In the over-active state you become greedy and obsessed with being "
                         "secure and avoid changes in life. You are materialistic and money "
                         "minded. You are too physical and violent. \r\n\r\n"},
                        {true, Black, RootAdviceHeading},
                        {false, Black, RootInstructions},
                    });
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
        RecordingWriter writer;
        appendChakraSection(writer, 1, Verdict::Open);
        appendChakraSection(writer, 5, Verdict::OverActive);
        appendChakraSection(writer, 6, Verdict::UnderActive);
        const std::string text = writer.plainText();
        QVERIFY(text.rfind("Sacral Chakra (Swadhisthanna)\r\n", 0) == 0);
        QVERIFY(text.find("cool passion.\r\n\r\nThird Eye Chakra (Ajna)\r\n") != std::string::npos);
        QVERIFY(text.find("Chant the sound OM or AUM.\r\n\r\nCrown Chakra (Sahasrara)\r\n") !=
                std::string::npos);
        QVERIFY(text.ends_with("Chant the sound NG.\r\n\r\n"));
        // The Crown's advice is dark red, the Third Eye's black.
        QVERIFY(writer.runs.back().colour == DarkRed);
        const auto thirdEyeAdvice =
            std::find_if(writer.runs.begin(), writer.runs.end(), [](const TextRun &run) {
                return run.text.find("To open Third Eye Chakra: ") != std::string::npos;
            });
        QVERIFY(thirdEyeAdvice != writer.runs.end());
        QVERIFY(thirdEyeAdvice->bold && thirdEyeAdvice->colour == Black);
        // An unknown chakra writes nothing.
        const auto before = writer.runs.size();
        appendChakraSection(writer, 7, Verdict::Open);
        QCOMPARE(writer.runs.size(), before);
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
